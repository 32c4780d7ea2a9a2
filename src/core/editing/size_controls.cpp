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
// limit still makes an undo step.
void Editor::WidthUp() {
  PushUndo();
  if (state_->Document.Picture.Width < MaxPictureWidth) ++state_->Document.Picture.Width;
  Render();
}

void Editor::WidthDown() {
  PushUndo();
  if (state_->Document.Picture.Width > MinPictureWidth) --state_->Document.Picture.Width;
  Render();
}

void Editor::HeightUp() {
  PushUndo();
  if (state_->Document.Picture.Height < MaxPictureHeight) ++state_->Document.Picture.Height;
  Render();
}

void Editor::HeightDown() {
  PushUndo();
  if (state_->Document.Picture.Height > MinPictureHeight) --state_->Document.Picture.Height;
  Render();
}

void Editor::ApplySetSize(int width, int height) {
  PushUndo();
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
