#pragma once

#include <QGroupBox>

class QSpinBox;
class QToolButton;

namespace pictavo {

class Editor;
class IconPreview;

// The "Preview" box `GroupBox2`, shown in skin mode: the zoom buttons on
// `Panel7`, frame playback (a play button and each frame's time) and the
// preview `Image3` below. The skin commands connect its controls.
class PreviewBox : public QGroupBox {
  Q_OBJECT

 public:
  PreviewBox(const Editor& editor, QWidget* parent);

  QToolButton* SpeedButton52() const { return zoom_in_; }
  QToolButton* SpeedButton53() const { return zoom_out_; }
  QToolButton* PlayButton() const { return play_button_; }
  QSpinBox* FrameInterval() const { return frame_interval_; }
  IconPreview* Image3() const { return image3_; }

 private:
  QToolButton* zoom_in_;
  QToolButton* zoom_out_;
  QToolButton* play_button_;
  QSpinBox* frame_interval_;
  IconPreview* image3_;
};

}  // namespace pictavo
