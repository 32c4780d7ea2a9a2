// Every command, in random order from random states: the document version goes
// up exactly when what a save writes changed (so no command changes it outside
// an edit scope), and the undo steps change exactly as the command's rule says.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "core/editing/bitmap_import.h"
#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/icon_commands.h"
#include "core/editing/selection_transform.h"

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

Content ContentOf(const Editor& editor) {
  const DocumentState& d = editor.State().Document;
  return {d.SkinMode, d.Name, editor.Skin(),
          d.SkinMode ? std::nullopt : std::optional<Picture>(d.Picture)};
}

enum class Undo { Keep, Push, Pop, Clear };

struct Command {
  const char* name;
  // Runs the command and says what it must do to the undo steps.
  std::function<Undo(Editor&, std::mt19937&)> run;
};

int Below(std::mt19937& rng, int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

// A canvas position inside the picture, or now and then just beyond it.
int Position(const Editor& e, std::mt19937& rng, bool horizontal) {
  const Picture& p = e.State().Document.Picture;
  const int cells = (horizontal ? p.Width : p.Height) + 2;
  return Below(rng, cells * e.State().View.PixelSize);
}

void Stroke(Editor& e, std::mt19937& rng, DrawTool tool, MouseButton button) {
  e.SelectTool(tool);
  e.MouseDown(button, Position(e, rng, true), Position(e, rng, false));
  for (int i = Below(rng, 3); i > 0; --i)
    e.MouseMove(Position(e, rng, true), Position(e, rng, false));
  e.MouseUp(button, Position(e, rng, true), Position(e, rng, false));
}

TSkinIcon RandomIcon(std::mt19937& rng) {
  const int bpp = std::array{1, 2, 4, 8}[static_cast<std::size_t>(Below(rng, 4))];
  TSkinIcon icon{Below(rng, 300), 1 + Below(rng, 3), bpp, 8, 2 + 2 * Below(rng, 3), {}};
  icon.Data.resize(icon.ExpectedDataSize());
  for (auto& code : icon.Data) code = StoredCode(static_cast<std::uint8_t>(Below(rng, 5)), bpp);
  return icon;
}

bool Captured(const Editor& e) { return e.State().Selection.SelectionCaptured; }
bool SubIconEditable(const Editor& e) {
  const TSkinIcon* icon = e.CurrentIcon();
  const int s = e.State().Document.CurrentSubIconIndex;
  return icon != nullptr && s >= 0 && s < icon->SubIcons;
}

const std::vector<Command>& Commands() {
  static const std::vector<Command> commands = {
      {"pen",
       [](Editor& e, std::mt19937& r) {
         Stroke(e, r, DrawTool::Pen, Below(r, 2) ? MouseButton::Left : MouseButton::Right);
         return Undo::Push;
       }},
      {"bucket",
       [](Editor& e, std::mt19937& r) {
         Stroke(e, r, DrawTool::Bucket, MouseButton::Left);
         return Undo::Push;
       }},
      {"change colour",
       [](Editor& e, std::mt19937& r) {
         Stroke(e, r, DrawTool::ChangeColor, MouseButton::Right);
         return Undo::Push;
       }},
      {"pipe",
       [](Editor& e, std::mt19937& r) {
         Stroke(e, r, DrawTool::Pipe, MouseButton::Left);
         return Undo::Keep;
       }},
      {"box",
       [](Editor& e, std::mt19937& r) {
         e.SetSelectPanelModes(true, false);
         Stroke(e, r, DrawTool::SelectBox, MouseButton::Left);
         return Undo::Push;
       }},
      {"paste",
       [](Editor& e, std::mt19937& r) {
         const bool captured = Captured(e);
         e.SetSelectPanelModes(false, true);
         Stroke(e, r, DrawTool::SelectBox, MouseButton::Left);
         return captured ? Undo::Push : Undo::Keep;
       }},
      {"colour",
       [](Editor& e, std::mt19937& r) {
         e.SetColor(Below(r, 2) ? MouseButton::Left : MouseButton::Right, ToPixelCode(Below(r, 5)));
         return Undo::Keep;
       }},
      {"undo",
       [](Editor& e, std::mt19937&) {
         const bool any = e.State().Document.Undo.Available();
         e.PopUndo();
         return any ? Undo::Pop : Undo::Keep;
       }},
      {"clear image",
       [](Editor& e, std::mt19937&) {
         e.ClearPicture();
         return Undo::Keep;
       }},
      {"rename",
       [](Editor& e, std::mt19937& r) {
         e.SetPictureName(std::string(static_cast<std::size_t>(Below(r, 3)), 'n'));
         return Undo::Keep;
       }},
      {"arrows",
       [](Editor& e, std::mt19937& r) {
         switch (Below(r, 4)) {
           case 0:
             e.WidthUp();
             break;
           case 1:
             e.WidthDown();
             break;
           case 2:
             e.HeightUp();
             break;
           default:
             e.HeightDown();
             break;
         }
         return Undo::Push;
       }},
      {"set size",
       [](Editor& e, std::mt19937& r) {
         e.ApplySetSize(2 + Below(r, 95), 2 + Below(r, 91));
         return Undo::Push;
       }},
      {"quick size",
       [](Editor& e, std::mt19937& r) {
         Below(r, 2) ? e.SetWidthQuick(2 + Below(r, 95)) : e.SetHeightQuick(2 + Below(r, 91));
         return Undo::Keep;
       }},
      {"new picture",
       [](Editor& e, std::mt19937& r) {
         e.NewPicture(Below(r, 2) == 0, 2 + Below(r, 20), 2 + Below(r, 20));
         return Undo::Keep;
       }},
      {"view",
       [](Editor& e, std::mt19937& r) {
         switch (Below(r, 5)) {
           case 0:
             e.ToggleGrid();
             break;
           case 1:
             e.ToggleBorder();
             break;
           case 2:
             e.SetPixelSizeFromMenu(1 + Below(r, 15));
             break;
           case 3:
             e.ZoomAt(Below(r, 3) - 1, Below(r, 600), Below(r, 500));
             break;
           default:
             e.ScrollTo(Below(r, 900), Below(r, 900));
             break;
         }
         return Undo::Keep;
       }},
      {"turn",
       [](Editor& e, std::mt19937& r) {
         switch (Below(r, 4)) {
           case 0:
             RotateSelectionLeft(e);
             break;
           case 1:
             RotateSelectionRight(e);
             break;
           case 2:
             FlipSelectionHorizontally(e);
             break;
           default:
             FlipSelectionVertically(e);
             break;
         }
         return Undo::Keep;
       }},
      {"crop",
       [](Editor& e, std::mt19937&) {
         return CropToSelection(e) == CropResult::Cropped ? Undo::Push : Undo::Keep;
       }},
      {"clear select",
       [](Editor& e, std::mt19937&) {
         const bool c = Captured(e);
         ClearSelection(e);
         return c ? Undo::Push : Undo::Keep;
       }},
      {"save select",
       [](Editor& e, std::mt19937&) {
         SaveSelectionUndoStep(e);
         return Undo::Push;
       }},
      {"open picture",
       [](Editor& e, std::mt19937& r) {
         PictureRecord record{"p", 2 + Below(r, 6), 2 + Below(r, 4), {}};
         for (int i = 0; i < record.width * record.height; ++i)
           record.codes.push_back(ToPixelCode(Below(r, 2) * 3));
         OpenPictureRecord(e, record);
         return Undo::Keep;
       }},
      {"import",
       [](Editor& e, std::mt19937& r) {
         BitmapImport import;
         const int gray = Below(r, 2) * 255;
         import.OpenImage(
             RgbImage{3, 2, std::vector<Rgb>(6, Rgb{static_cast<std::uint8_t>(gray), 0, 0}), {}});
         import.AcceptImport(e);
         return Undo::Keep;
       }},
      {"open skin",
       [](Editor& e, std::mt19937& r) {
         Skin skin;
         for (int i = Below(r, 3); i > 0; --i) skin.Append(RandomIcon(r));
         const bool any = skin.Count() > 0;
         OpenSkinIntoEditor(e, std::move(skin));
         return any ? Undo::Clear : Undo::Keep;
       }},
      {"leave skin",
       [](Editor& e, std::mt19937&) {
         e.LeaveSkinMode();
         return Undo::Keep;
       }},
      {"choose icon",
       [](Editor& e, std::mt19937& r) {
         const int i = Below(r, 3);
         const bool in = e.Skin().Contains(i);
         SelectIcon(e, i);
         return in ? Undo::Clear : Undo::Keep;
       }},
      {"sub-icons",
       [](Editor& e, std::mt19937& r) {
         if (!SubIconEditable(e)) return Undo::Keep;
         const int s = e.State().Document.CurrentSubIconIndex;
         const int count = e.CurrentIcon()->SubIcons;
         switch (Below(r, 4)) {
           case 0:
             NextSubIcon(e);
             return s < count - 1 ? Undo::Clear : Undo::Keep;
           case 1:
             PreviousSubIcon(e);
             return s > 0 ? Undo::Clear : Undo::Keep;
           case 2:
             AddSubIcon(e);
             return Undo::Clear;
           default:
             DeleteSubIcon(e);
             return count > 1 ? Undo::Clear : Undo::Keep;
         }
       }},
      {"depth",
       [](Editor& e, std::mt19937& r) {
         Below(r, 2) ? RaiseBpp(e) : LowerBpp(e);
         return Undo::Keep;
       }},
      {"add icon",
       [](Editor& e, std::mt19937& r) {
         return AddIcon(e, RandomIcon(r)) ? Undo::Clear : Undo::Keep;
       }},
      {"delete icon",
       [](Editor& e, std::mt19937&) {
         const bool some_left = e.CurrentIcon() != nullptr && e.Skin().Count() > 1;
         DeleteIcon(e);
         return some_left ? Undo::Clear : Undo::Keep;
       }},
      {"preview",
       [](Editor& e, std::mt19937& r) {
         if (Below(r, 2)) {
           PreviewZoomIn(e);
           return Undo::Keep;
         }
         const bool chose = ChoosePreviewSubIcon(e, Below(r, 40), Below(r, 40), 415);
         return chose ? Undo::Clear : Undo::Keep;
       }},
  };
  return commands;
}

int Expected(Undo rule, int count) {
  switch (rule) {
    case Undo::Push:
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
    std::mt19937 rng(seed);
    Editor editor;
    editor.Start();
    EXPECT_FALSE(editor.HasUnsavedChanges());
    for (int step = 0; step < 400; ++step) {
      const Command& command =
          Commands()[static_cast<std::size_t>(Below(rng, static_cast<int>(Commands().size())))];
      const std::string where = std::string(command.name) + " at step " + std::to_string(step) +
                                " of seed " + std::to_string(seed);
      const Content before = ContentOf(editor);
      const Picture picture_before = editor.State().Document.Picture;
      const auto version = editor.State().Document.Version;
      const int undo = editor.State().Document.Undo.Count();

      const Undo rule = command.run(editor, rng);

      const bool changed = !(ContentOf(editor) == before);
      ASSERT_EQ(editor.State().Document.Version > version, changed) << where;
      ASSERT_EQ(editor.State().Document.Undo.Count(), Expected(rule, undo)) << where;
      if (rule == Undo::Push) {
        ASSERT_TRUE(editor.State().Document.Undo.Newest().Picture == picture_before) << where;
      }
      if (changed) {
        ++counted;
        ASSERT_TRUE(editor.HasUnsavedChanges()) << where;
      }
      if (Below(rng, 50) == 0) {
        editor.MarkSaved();
        ASSERT_FALSE(editor.HasUnsavedChanges()) << where;
      }
    }
  }
  EXPECT_GT(counted, 1000);  // the sequences really change the document
}

}  // namespace
}  // namespace pictavo
