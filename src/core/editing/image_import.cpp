#include "core/editing/image_import.h"

#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"

namespace pictavo {

bool AcceptImport(const BitmapImport& import, Editor& editor) {
  if (!import.CanAccept() || !editor.KeepBeforeDiscard(DiscardingCommand::ImportImage)) {
    return false;
  }
  // The picture now comes from an image, not from the file it was opened from.
  editor.SetFilePath({});
  EditScope scope(editor);
  Picture& picture = scope.Document().Picture;
  const Picture before = picture;
  for (int y = 1; y <= import.ImportHeight(); ++y) {
    for (int x = 1; x <= import.ImportWidth(); ++x)
      picture.Cells.At(x, y) = import.ImportGrid().At(x, y);
  }
  picture.Width = import.ImportWidth();
  picture.Height = import.ImportHeight();
  scope.ChangedIf(picture != before);
  return true;
}

FrameImportOutcome ImportFrames(const BitmapImport& import, Editor& editor) {
  if (!import.CanAccept()) return FrameImportOutcome{};
  return ImportFramesIntoIcon(editor, import.Frames(), import.Options(), import.FitToPicture());
}

FrameImportOutcome ImportFramesIntoIcon(Editor& editor, std::span<const RgbImage> frames,
                                        const ConversionOptions& options, bool fit) {
  const int index = editor.State().Document.CurrentIconIndex;
  if (!editor.State().Document.SkinMode || editor.CurrentIcon() == nullptr) {
    return FrameImportOutcome{false, static_cast<int>(frames.size()), 0};
  }
  FrameImportOutcome outcome;
  {
    EditScope scope(editor);
    const TSkinIcon before = *editor.CurrentIcon();
    outcome = ReplaceSubIconsWithFrames(scope.Skin(), index, frames, options, fit);
    if (!(*editor.CurrentIcon() == before)) scope.DocumentChanged();
  }
  // Loads sub-icon 0 into the Picture, empties the undo stack and redraws.
  if (outcome.imported) SelectIcon(editor, index);
  return outcome;
}

}  // namespace pictavo
