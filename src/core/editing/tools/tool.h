#pragma once

#include <array>
#include <memory>

#include "core/editing/editor_state.h"
#include "core/editing/tools/tool_context.h"
#include "core/model/pixel_code.h"

namespace pictavo {

// One drawing tool: what a press, a drag, a move and a release do on the
// canvas. Positions are canvas pixels; drags, moves and releases come
// clamped onto the picture. A tool sees the editor only through its
// context, and changes the picture only through the context's PictureEdit.
class Tool {
 public:
  virtual ~Tool() = default;

  // A press of the left or right button, drawing in that button's colour.
  virtual void Press(ToolContext& context, MouseButton button, int x, int y) = 0;
  // A move while a button is held, once for each held button.
  virtual void Drag(ToolContext& /*context*/, MouseButton /*button*/, int /*x*/, int /*y*/) {}
  // Every move, after the drags: the paste ghost follows the pointer
  // whichever tool is chosen while the paste mode is on.
  virtual void Hover(ToolContext& context, int x, int y);
  virtual void Release(ToolContext& /*context*/, MouseButton /*button*/, int /*x*/, int /*y*/) {}
};

using ToolSet = std::array<std::unique_ptr<Tool>, DrawToolCount>;

// One tool for each DrawTool, indexed by its value.
ToolSet MakeTools();

}  // namespace pictavo
