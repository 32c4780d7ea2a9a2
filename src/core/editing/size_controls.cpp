#include <algorithm>

#include "core/editing/editor.h"

namespace pictavo {

void Editor::SetWidthQuick(int width) {
  state_->Document.Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  Render();
}

void Editor::SetHeightQuick(int height) {
  state_->Document.Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  Render();
}

// The arrows save the snapshot before testing the bound, so a click at the
// limit still makes an undo step. In skin mode the icon takes the new size
// with the Picture when every sub-icon still packs into whole bytes.
void Editor::StepSize(int width_step, int height_step) {
  PushUndoWithIcon();
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
  TSkinIcon* icon = state_->Document.SkinMode ? CurrentIcon() : nullptr;
  if (icon == nullptr || PacksIntoBytes(width, height, icon->BPP)) {
    picture.Width = width;
    picture.Height = height;
    if (icon != nullptr) ResizeIcon(*icon, width, height);
  }
  Render();
}

void Editor::WidthUp() { StepSize(1, 0); }
void Editor::WidthDown() { StepSize(-1, 0); }
void Editor::HeightUp() { StepSize(0, 1); }
void Editor::HeightDown() { StepSize(0, -1); }

void Editor::ApplySetSize(int width, int height) {
  PushUndoWithIcon();
  state_->Document.Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  state_->Document.Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  if (state_->Document.SkinMode) {
    if (TSkinIcon* icon = CurrentIcon()) {
      ResizeIcon(*icon, state_->Document.Picture.Width, state_->Document.Picture.Height);
    }
  }
  Render();
}

void Editor::NewPicture(bool confirmed, int width, int height) {
  if (confirmed) {
    state_->Document.Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
    state_->Document.Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
    Render();
    ClearPicture();
  }
  // Cleared last, so the redraws above still write the new picture back into
  // the current sub-icon.
  LeaveSkinMode();
}

}  // namespace pictavo
