#include "core/editing/tools/tool_context.h"

#include "core/editing/editor.h"

namespace pictavo {

namespace {
constexpr Rgb BoxPenColor{0, 0, 0};
}  // namespace

const EditorState& ToolContext::State() const { return editor_.State(); }
CellPoint ToolContext::Clamp(int x, int y) const { return editor_.Clamp(x, y); }
PixelCode ToolContext::ShownCode(PixelCode code) const {
  const TSkinIcon* icon = State().Document.SkinMode ? editor_.CurrentIcon() : nullptr;
  if (icon == nullptr) return code;
  return ToPixelCode(StoredCode(static_cast<std::uint8_t>(code), icon->BPP));
}
void ToolContext::Render() { editor_.Render(); }
void ToolContext::RenderWithOverlay(const CellOverlay& overlay) {
  editor_.RenderWithOverlay(overlay);
}
void ToolContext::StrokeBox(int left, int top, int right, int bottom) {
  editor_.Canvas().StrokeBox(left, top, right, bottom, BoxPenColor, true);
}
void ToolContext::Present() { editor_.Present(); }
EditorView& ToolContext::View() { return editor_.View(); }

}  // namespace pictavo
