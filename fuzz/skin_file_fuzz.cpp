// Feeds arbitrary bytes to the skin file reader. Whatever it accepts must
// keep the skin's invariants, open into the editor, survive the icon bar
// commands and save back to the same skin.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"
#include "core/formats/skin_file.h"
#include "core/model/picture.h"
#include "core/model/skin.h"
#include "skin_invariants.h"

namespace {

using namespace pictavo;
using fuzz::CheckSkin;
using fuzz::Require;

void CheckEditor(const Editor& editor) {
  CheckSkin(editor.Skin());
  const EditorState& s = editor.State();
  Require(s.Document.SkinMode, "skin mode after a successful open");
  if (const TSkinIcon* icon = editor.CurrentIcon()) {
    Require(s.Document.CurrentSubIconIndex >= 0 && s.Document.CurrentSubIconIndex < icon->SubIcons,
            "current sub-icon inside the icon");
    Require(s.Document.Picture.Width == icon->Width && s.Document.Picture.Height == icon->Height,
            "the Picture has the icon's size");
  } else {
    Require(editor.Skin().Count() == 0, "a current icon whenever the skin holds one");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SkinFileRead read = ReadSkinFile(std::span<const std::uint8_t>(data, size));
  Require(read.name.size() <= SkinNameFieldSize, "name within its field");
  if (!read.skin.has_value()) return 0;
  const Skin skin = *read.skin;
  CheckSkin(skin);

  // What the reader accepts, the writer gives back unchanged (when it fits).
  if (auto file = WriteSkinFile(skin, read.name); file.has_value()) {
    SkinFileRead again = ReadSkinFile(*file);
    Require(again.skin.has_value(), "a written skin reads back");
    Require(*again.skin == skin, "the skin survives a save and an open");
    Require(again.name == read.name, "the name survives a save and an open");
  }

  Editor editor;
  OpenSkinIntoEditor(editor, skin, read.name);
  CheckEditor(editor);

  // A few icon bar commands chosen by the input's last bytes.
  std::vector<std::uint32_t> preview;
  const std::size_t steps = size < 8 ? size : 8;
  for (std::size_t i = 0; i < steps; ++i) {
    switch (data[size - 1 - i] % 9) {
      case 0:
        NextSubIcon(editor);
        break;
      case 1:
        PreviousSubIcon(editor);
        break;
      case 2:
        AddSubIcon(editor);
        break;
      case 3:
        DeleteSubIcon(editor);
        break;
      case 4:
        (void)LowerBpp(editor);
        break;
      case 5:
        (void)RaiseBpp(editor);
        break;
      case 6:
        SelectIcon(editor, data[i] % (editor.Skin().Count() + 1));
        break;
      case 7:
        (void)ChoosePreviewSubIcon(editor, data[i] % 100, data[i] * 2, 415);
        break;
      case 8:
        DeleteIcon(editor);
        break;
    }
    CheckEditor(editor);
  }
  DrawPreview(editor, 100, 415, Rgb{240, 240, 240}, preview);
  Require(preview.size() == 100u * 415u, "preview buffer size");
  return 0;
}
