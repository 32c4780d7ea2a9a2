#pragma once

#include "core/editing/tools/tool.h"

namespace pictavo {

// The selection box with the left button: in select mode a drag draws the
// rubber band and the release captures the box; in paste mode a press
// stamps the captured pixels. The right button does nothing here.
class SelectBoxTool : public Tool {
 public:
  void Press(ToolContext& context, MouseButton button, int x, int y) override;
  void Hover(ToolContext& context, int x, int y) override;
  void Release(ToolContext& context, MouseButton button, int x, int y) override;
};

}  // namespace pictavo
