#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <QWidget>

#include "core/model/pixel_code.h"

namespace pictavo {

class Editor;

// The paint box `Image3` of the "Preview" box: every sub-icon of the current
// icon, column after column, at the preview's zoom. A release of any mouse
// button over it reports the position for `Image3MouseUp`.
class IconPreview : public QWidget {
  Q_OBJECT

 public:
  IconPreview(const Editor& editor, QWidget* parent);

  // While frames are played only the given sub-icon is shown; empty shows
  // them all again.
  void SetShownFrame(std::optional<int> frame);
  // Asks for the width that shows every frame at the preview's zoom, so the
  // column beside the canvas widens as the preview zooms in.
  void FitWidthToFrames();
  // The colours the codes are drawn in: the editor's, or a device's.
  void SetColors(const CodePalette& colors);

 signals:
  void Image3MouseUp(int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const Editor& editor_;
  // Kept between paints: the preview is redrawn on every screen update.
  std::vector<std::uint32_t> pixels_;
  std::optional<int> shown_frame_;
  CodePalette colors_ = CodeColors;
};

}  // namespace pictavo
