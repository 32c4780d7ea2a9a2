#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

namespace {

int ClampWidth(int width) { return std::clamp(width, MinPictureWidth, MaxPictureWidth); }
int ClampHeight(int height) { return std::clamp(height, MinPictureHeight, MaxPictureHeight); }

// Gives the Picture, and the icon when there is one, the new size: the
// picture counts as changed when its size did, and the view is drawn again
// either way.
void Resize(EditScope& scope, int width, int height, TSkinIcon* icon = nullptr) {
  Picture& picture = scope.Document().Picture;
  scope.ChangedIf(picture.Width != width || picture.Height != height);
  picture.Width = width;
  picture.Height = height;
  if (icon != nullptr && (icon->Width != width || icon->Height != height)) {
    ResizeIcon(*icon, width, height);
    scope.DocumentChanged();
  }
}

}  // namespace

void Editor::SetWidthQuick(int width) {
  EditScope scope(*this);
  Resize(scope, ClampWidth(width), state_->Document.Picture.Height);
}

void Editor::SetHeightQuick(int height) {
  EditScope scope(*this);
  Resize(scope, state_->Document.Picture.Width, ClampHeight(height));
}

// The arrows save the snapshot before testing the bound, so a click at the
// limit still makes an undo step. In skin mode the icon takes the new size
// with the Picture when every sub-icon still packs into whole bytes.
void Editor::StepSize(int width_step, int height_step) {
  EditScope scope(*this, UndoRule::PictureAndIcon);
  const Picture& picture = state_->Document.Picture;
  int width = picture.Width;
  int height = picture.Height;
  if ((width_step > 0 && width < MaxPictureWidth) || (width_step < 0 && width > MinPictureWidth)) {
    width += width_step;
  }
  if ((height_step > 0 && height < MaxPictureHeight) ||
      (height_step < 0 && height > MinPictureHeight)) {
    height += height_step;
  }
  TSkinIcon* icon = state_->Document.SkinMode ? MutableCurrentIcon() : nullptr;
  if (icon == nullptr || PacksIntoBytes(width, height, icon->BPP)) {
    Resize(scope, width, height, icon);
  } else {
    scope.Redraw();
  }
}

void Editor::WidthUp() { StepSize(1, 0); }
void Editor::WidthDown() { StepSize(-1, 0); }
void Editor::HeightUp() { StepSize(0, 1); }
void Editor::HeightDown() { StepSize(0, -1); }

void Editor::ApplySetSize(int width, int height) {
  EditScope scope(*this, UndoRule::PictureAndIcon);
  Resize(scope, ClampWidth(width), ClampHeight(height),
         state_->Document.SkinMode ? MutableCurrentIcon() : nullptr);
}

bool Editor::NewPicture(bool confirmed, int width, int height) {
  if (!confirmed) {
    LeaveSkinMode();
    return true;
  }
  if (!KeepBeforeDiscard(DiscardingCommand::NewPicture)) return false;
  {
    EditScope scope(*this);
    Resize(scope, ClampWidth(width), ClampHeight(height));
  }
  ClearCells();
  // Left last, so the edits above still write the new picture back into the
  // current sub-icon.
  LeaveSkinMode();
  // The new empty picture holds no work to keep; a skin it was written into
  // still does.
  state_->Document.FilePath.clear();
  MarkFiled();
  view_->DocumentStateChanged();
  return true;
}

}  // namespace pictavo
