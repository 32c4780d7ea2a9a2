#include "core/editing/tools/tool.h"

#include "core/editing/selection.h"
#include "core/editing/tools/pixel_tools.h"
#include "core/editing/tools/select_box_tool.h"

namespace pictavo {

void Tool::Hover(ToolContext& context, int x, int y) {
  if (context.State().Selection.PasteMode) DrawPasteGhost(context, x, y);
}

ToolSet MakeTools() {
  ToolSet tools;
  tools[static_cast<std::size_t>(DrawTool::Pen)] = std::make_unique<PenTool>();
  tools[static_cast<std::size_t>(DrawTool::Bucket)] = std::make_unique<BucketTool>();
  tools[static_cast<std::size_t>(DrawTool::Pipe)] = std::make_unique<PipeTool>();
  tools[static_cast<std::size_t>(DrawTool::ChangeColor)] = std::make_unique<ChangeColorTool>();
  tools[static_cast<std::size_t>(DrawTool::SelectBox)] = std::make_unique<SelectBoxTool>();
  return tools;
}

}  // namespace pictavo
