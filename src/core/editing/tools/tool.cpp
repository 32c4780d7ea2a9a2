#include "core/editing/tools/tool.h"

#include "core/editing/selection.h"
#include "core/editing/tools/pixel_tools.h"
#include "core/editing/tools/select_box_tool.h"
#include "core/editing/tools/shape_tool.h"

namespace pictavo {

void Tool::Hover(ToolContext& context, int x, int y) {
  if (context.Selection().PasteMode) DrawPasteGhost(context, x, y);
}

ToolSet MakeTools() {
  ToolSet tools;
  tools[static_cast<std::size_t>(DrawTool::Pen)] = std::make_unique<PenTool>();
  tools[static_cast<std::size_t>(DrawTool::Bucket)] = std::make_unique<BucketTool>();
  tools[static_cast<std::size_t>(DrawTool::Pipe)] = std::make_unique<PipeTool>();
  tools[static_cast<std::size_t>(DrawTool::ChangeColor)] = std::make_unique<ChangeColorTool>();
  tools[static_cast<std::size_t>(DrawTool::SelectBox)] = std::make_unique<SelectBoxTool>();
  tools[static_cast<std::size_t>(DrawTool::Line)] =
      std::make_unique<ShapeTool>(ShapeTool::Shape::Line);
  tools[static_cast<std::size_t>(DrawTool::Rectangle)] =
      std::make_unique<ShapeTool>(ShapeTool::Shape::Rectangle);
  return tools;
}

}  // namespace pictavo
