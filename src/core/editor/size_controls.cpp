#include <algorithm>

#include "core/editor/editor.h"

namespace pictavo {

void Editor::SetWidthQuick(int width) {
  state_->Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  Render();
}

void Editor::SetHeightQuick(int height) {
  state_->Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  Render();
}

// The arrows save the snapshot before testing the bound, so a click at the
// limit still makes an undo step.
void Editor::WidthUp() {
  PushUndo();
  if (state_->Picture.Width < MaxPictureWidth) ++state_->Picture.Width;
  Render();
}

void Editor::WidthDown() {
  PushUndo();
  if (state_->Picture.Width > MinPictureWidth) --state_->Picture.Width;
  Render();
}

void Editor::HeightUp() {
  PushUndo();
  if (state_->Picture.Height < MaxPictureHeight) ++state_->Picture.Height;
  Render();
}

void Editor::HeightDown() {
  PushUndo();
  if (state_->Picture.Height > MinPictureHeight) --state_->Picture.Height;
  Render();
}

void Editor::ApplySetSize(int width, int height) {
  PushUndo();
  state_->Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
  state_->Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
  if (state_->SkinMode) {
    if (TSkinIcon* icon = CurrentIcon()) {
      ResizeIcon(*icon, state_->Picture.Width, state_->Picture.Height);
    }
  }
  Render();
}

void Editor::NewPicture(bool confirmed, int width, int height) {
  if (confirmed) {
    state_->Picture.Height = std::clamp(height, MinPictureHeight, MaxPictureHeight);
    state_->Picture.Width = std::clamp(width, MinPictureWidth, MaxPictureWidth);
    Render();
    ClearPicture();
  }
  // Cleared last, so the redraws above still write the new picture back into
  // the current sub-icon.
  LeaveSkinMode();
}

}  // namespace pictavo
