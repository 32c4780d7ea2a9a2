#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

namespace {

// Marks the change when the size is not what it was, else only the redraw.
// In skin mode the icon took the new size with the Picture.
void SizeChanged(EditScope& scope, const Picture& before, const Picture& after,
                 bool icon_resized = false) {
  if (before.Width != after.Width || before.Height != after.Height) {
    scope.Changed();
    if (icon_resized) scope.DocumentChanged();
  } else {
    scope.Redraw();
  }
}

}  // namespace

void Editor::SetWidthQuick(int width) {
  EditScope scope(*this);
  const Picture before = state_->Document.Picture;
  state_->Document.Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  SizeChanged(scope, before, state_->Document.Picture);
}

void Editor::SetHeightQuick(int height) {
  EditScope scope(*this);
  const Picture before = state_->Document.Picture;
  state_->Document.Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  SizeChanged(scope, before, state_->Document.Picture);
}

// The arrows save the snapshot before testing the bound, so a click at the
// limit still makes an undo step. In skin mode the icon takes the new size
// with the Picture when every sub-icon still packs into whole bytes.
void Editor::StepSize(int width_step, int height_step) {
  EditScope scope(*this, UndoRule::PictureAndIcon);
  Picture& picture = state_->Document.Picture;
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
  if ((width != picture.Width || height != picture.Height) &&
      (icon == nullptr || PacksIntoBytes(width, height, icon->BPP))) {
    picture.Width = width;
    picture.Height = height;
    if (icon != nullptr) {
      ResizeIcon(*icon, width, height);
      scope.DocumentChanged();
    }
    scope.Changed();
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
  Picture& picture = state_->Document.Picture;
  const Picture before = picture;
  picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  TSkinIcon* icon = state_->Document.SkinMode ? MutableCurrentIcon() : nullptr;
  if (icon != nullptr) ResizeIcon(*icon, picture.Width, picture.Height);
  SizeChanged(scope, before, picture, icon != nullptr);
}

void Editor::NewPicture(bool confirmed, int width, int height) {
  if (confirmed) {
    {
      EditScope scope(*this);
      const Picture before = state_->Document.Picture;
      state_->Document.Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
      state_->Document.Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
      SizeChanged(scope, before, state_->Document.Picture);
    }
    ClearPicture();
  }
  // Left last, so the edits above still write the new picture back into the
  // current sub-icon.
  LeaveSkinMode();
}

}  // namespace pictavo
