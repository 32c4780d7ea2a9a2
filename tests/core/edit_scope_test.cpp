// Every command, in random order from random states: the document version goes
// up exactly when what a save writes changed (so no command changes it outside
// an edit scope), and the undo steps change exactly as the command's rule says.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <random>
#include <string>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_commands.h"
#include "core/editing/image_import.h"
#include "core/editing/selection_transform.h"
#include "core/imaging/bitmap_import.h"

namespace pictavo {
namespace {

// What a save writes: the mode, the name, the skin, and in picture mode the
// Picture (in skin mode it only mirrors the current sub-icon).
struct Content {
  bool skin_mode;
  std::string name;
  Skin skin;
  std::optional<Picture> picture;
  friend bool operator==(const Content&, const Content&) = default;
};

Content ContentOf(const Editor& e) {
  const DocumentState& d = e.State().Document;
  return {d.SkinMode, d.Name, e.Skin(), d.SkinMode ? std::nullopt : std::optional(d.Picture)};
}

enum class Undo { Keep, Push, Pop, Clear, Redo };

struct Session {
  explicit Session(unsigned seed) : rng(seed) { e.Start(); }
  std::mt19937 rng;
  Editor e;

  int Below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }
  // A canvas position inside the picture, or now and then just beyond it.
  int At(int cells) { return Below((cells + 2) * e.State().View.PixelSize); }
  void Stroke(DrawTool tool, MouseButton button) {
    const Picture& p = e.State().Document.Picture;
    e.SelectTool(tool);
    e.MouseDown(button, At(p.Width), At(p.Height));
    for (int i = Below(3); i > 0; --i) e.MouseMove(At(p.Width), At(p.Height));
    e.MouseUp(button, At(p.Width), At(p.Height));
  }
  TSkinIcon Icon() {
    const int bpp = std::array{1, 2, 4, 8}[static_cast<std::size_t>(Below(4))];
    TSkinIcon icon{Below(300), 1 + Below(3), bpp, 8, 2 + 2 * Below(3), {}};
    icon.Data.resize(icon.ExpectedDataSize());
    for (auto& code : icon.Data) code = StoredCode(static_cast<std::uint8_t>(Below(5)), bpp);
    return icon;
  }

  // Runs command `which` and says what it must do to the undo steps.
  Undo Command(int which) {
    const bool captured = e.State().Selection.SelectionCaptured;
    const TSkinIcon* icon = e.CurrentIcon();
    const int sub = e.State().Document.CurrentSubIconIndex;
    const int subs = icon != nullptr && sub >= 0 && sub < icon->SubIcons ? icon->SubIcons : 0;
    // clang-format off
    switch (which) {
      case 0: Stroke(DrawTool::Pen, Below(2) ? MouseButton::Left : MouseButton::Right); return Undo::Push;
      case 1: Stroke(DrawTool::Bucket, MouseButton::Left); return Undo::Push;
      case 2: Stroke(DrawTool::ChangeColor, MouseButton::Right); return Undo::Push;
      case 3: Stroke(DrawTool::Pipe, MouseButton::Left); return Undo::Keep;
      case 4: e.SetSelectPanelModes(true, false); Stroke(DrawTool::SelectBox, MouseButton::Left); return Undo::Push;
      case 5: e.SetSelectPanelModes(false, true); Stroke(DrawTool::SelectBox, MouseButton::Left); return captured ? Undo::Push : Undo::Keep;
      case 6: e.SetColor(Below(2) ? MouseButton::Left : MouseButton::Right, ToPixelCode(Below(5))); return Undo::Keep;
      case 7: { const bool any = e.State().Document.Undo.Available(); e.PopUndo(); return any ? Undo::Pop : Undo::Keep; }
      case 8: e.ClearPicture(); return Undo::Keep;
      case 9: e.SetPictureName(std::string(static_cast<std::size_t>(Below(3)), 'n')); return Undo::Keep;
      case 10: (e.*std::array{&Editor::WidthUp, &Editor::WidthDown, &Editor::HeightUp, &Editor::HeightDown}[static_cast<std::size_t>(Below(4))])(); return Undo::Push;
      case 11: e.ApplySetSize(2 + Below(95), 2 + Below(91)); return Undo::Push;
      case 12: Below(2) ? e.SetWidthQuick(2 + Below(95)) : e.SetHeightQuick(2 + Below(91)); return Undo::Keep;
      case 13: e.NewPicture(Below(2) == 0, 2 + Below(20), 2 + Below(20)); return Undo::Keep;
      case 14: Below(2) ? e.ToggleGrid() : e.ZoomAt(Below(3) - 1, Below(600), Below(500)); e.ScrollTo(Below(900), Below(900)); return Undo::Keep;
      case 15: std::array{RotateSelectionLeft, RotateSelectionRight, FlipSelectionHorizontally, FlipSelectionVertically}[static_cast<std::size_t>(Below(4))](e); return Undo::Keep;
      case 16: return CropToSelection(e) == CropResult::Cropped ? Undo::Push : Undo::Keep;
      case 17: ClearSelection(e); return captured ? Undo::Push : Undo::Keep;
      case 18: SaveSelectionUndoStep(e); return Undo::Push;
      case 19: {
        PictureRecord record{"p", 2 + Below(6), 2 + Below(4), {}};
        record.codes.assign(static_cast<std::size_t>(record.width * record.height), ToPixelCode(3 * Below(2)));
        OpenPictureRecord(e, record);
        return Undo::Keep;
      }
      case 20: {
        BitmapImport import;
        import.OpenImage(RgbImage{3, 2, std::vector(6, Rgb{static_cast<std::uint8_t>(255 * Below(2)), 0, 0}), {}});
        AcceptImport(import, e);
        return Undo::Keep;
      }
      case 21: {
        Skin skin;
        for (int i = Below(3); i > 0; --i) skin.Append(Icon());
        const bool any = skin.Count() > 0;
        OpenSkinIntoEditor(e, std::move(skin), e.State().Document.Name);
        return any ? Undo::Clear : Undo::Keep;
      }
      case 22: e.LeaveSkinMode(); return Undo::Keep;
      case 23: { const int i = Below(3); const bool in = e.Skin().Contains(i); SelectIcon(e, i); return in ? Undo::Clear : Undo::Keep; }
      case 24: NextSubIcon(e); return sub < subs - 1 ? Undo::Clear : Undo::Keep;
      case 25: PreviousSubIcon(e); return subs > 0 && sub > 0 ? Undo::Clear : Undo::Keep;
      case 26: AddSubIcon(e); return subs > 0 ? Undo::Clear : Undo::Keep;
      case 27: DeleteSubIcon(e); return subs > 1 ? Undo::Clear : Undo::Keep;
      case 28: Below(2) ? RaiseBpp(e) : LowerBpp(e); return Undo::Keep;
      case 29: return AddIcon(e, Icon()) ? Undo::Clear : Undo::Keep;
      case 30: { const bool left = icon != nullptr && e.Skin().Count() > 1; DeleteIcon(e); return left ? Undo::Clear : Undo::Keep; }
      case 31: PreviewZoomIn(e); return Undo::Keep;
      case 32: { const bool any = e.State().Document.Redo.Available(); e.PopRedo(); return any ? Undo::Redo : Undo::Keep; }
      case 33: e.SetShiftHeld(Below(2)); e.SetRectangleFilled(Below(2)); Stroke(Below(2) ? DrawTool::Line : DrawTool::Rectangle, Below(2) ? MouseButton::Left : MouseButton::Right); return Undo::Push;
      default: return ChoosePreviewSubIcon(e, Below(40), Below(40), 415) ? Undo::Clear : Undo::Keep;
    }
    // clang-format on
  }
};

int Expected(Undo rule, int count) {
  switch (rule) {
    case Undo::Push:
    case Undo::Redo:
      return std::min(count + 1, UndoDepth);
    case Undo::Pop:
      return count - 1;
    case Undo::Clear:
      return 0;
    case Undo::Keep:
      break;
  }
  return count;
}

TEST(EditScope, EveryCommandCountsExactlyItsChangesAndItsUndoSteps) {
  int counted = 0;
  for (unsigned seed = 1; seed <= 20; ++seed) {
    Session run(seed);
    Editor& e = run.e;
    EXPECT_FALSE(e.HasUnsavedChanges());
    for (int step = 0; step < 400; ++step) {
      const int which = run.Below(35);
      const std::string where = "command " + std::to_string(which) + " at step " +
                                std::to_string(step) + " of seed " + std::to_string(seed);
      const Content before = ContentOf(e);
      const Picture picture_before = e.State().Document.Picture;
      const auto version = e.State().Document.Version;
      const int undo = e.State().Document.Undo.Count();
      const int redo = e.State().Document.Redo.Count();

      const Undo rule = run.Command(which);

      const bool changed = !(ContentOf(e) == before);
      ASSERT_EQ(e.State().Document.Version > version, changed) << where;
      ASSERT_EQ(e.State().Document.Undo.Count(), Expected(rule, undo)) << where;
      // Undo and redo hand steps to each other; any other new step or a
      // move to another sub-icon empties redo.
      const int redo_expected = rule == Undo::Pop    ? std::min(redo + 1, UndoDepth)
                                : rule == Undo::Redo ? redo - 1
                                : rule == Undo::Keep ? redo
                                                     : 0;
      ASSERT_EQ(e.State().Document.Redo.Count(), redo_expected) << where;
      if (rule == Undo::Push || rule == Undo::Redo) {
        ASSERT_TRUE(EditorTestDoor::UndoPicture(e.State().Document.Undo, 0) == picture_before)
            << where;
      }
      if (changed) {
        ++counted;
        ASSERT_TRUE(e.HasUnsavedChanges()) << where;
      }
      if (run.Below(50) == 0) {
        e.MarkSaved();
        ASSERT_FALSE(e.HasUnsavedChanges()) << where;
      }
    }
  }
  EXPECT_GT(counted, 1000);  // the sequences really change the document
}

}  // namespace
}  // namespace pictavo
