#include "cli/images/convert_frames.h"

#include <cstdint>
#include <vector>

#include "cli/cli_support.h"
#include "cli/document_input.h"
#include "core/documents/frame_import.h"
#include "core/formats/skin_file.h"

namespace pictavo::cli {

int WriteFramesIntoSkin(const BitmapImport& import, const QString& image, const QString& skin_path,
                        int icon_id, const QString& output) {
  std::optional<LoadedSkin> loaded = LoadSkin(skin_path);
  if (!loaded) return ExitRefused;
  int index = -1;
  for (int i = 0; i < loaded->skin.Count(); ++i) {
    if ((loaded->skin.At(i).IconID & 0xFF) == icon_id) {
      index = i;
      break;
    }
  }
  if (index < 0) {
    return Refuse(
        skin_path,
        QStringLiteral("holds no icon with the ID 0x%1")
            .arg(QString::number(icon_id, 16).toUpper().rightJustified(2, QLatin1Char('0'))));
  }
  const FrameImportOutcome outcome = ReplaceSubIconsWithFrames(
      loaded->skin, index, import.Frames(), import.Options(), import.FitToPicture());
  if (!outcome.imported) {
    return Refuse(image, QStringLiteral("the %1 frames do not fit into the skin: it has room for "
                                        "%2 sub-icons of this icon. Nothing was written.")
                             .arg(outcome.frames)
                             .arg(outcome.room));
  }
  const auto bytes = WriteSkinFile(loaded->skin, loaded->name);
  if (!bytes) {
    return Refuse(skin_path,
                  std::string(CompressionErrorText) + " " + AsSentence(bytes.error().message));
  }
  return WriteOutput(OutputTo(output, true), *bytes) ? ExitOk : ExitRefused;
}

}  // namespace pictavo::cli
