// Long random sessions of the editor: every user command the core offers, in
// random order with random arguments, and the model invariants checked after
// each of them. A failing session is shrunk to its shortest failing sequence.
//
// PICTAVO_RANDOM_SEEDS, PICTAVO_RANDOM_STEPS and PICTAVO_RANDOM_FIRST_SEED
// enlarge or move the run (defaults 100, 400 and 1).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/icon_commands.h"
#include "core/editing/selection.h"
#include "core/editing/selection_transform.h"
#include "core/editing/size_rules.h"
#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"

namespace pictavo {
namespace {

// ---- operations ---------------------------------------------------------------------

// clang-format off
enum class OpKind {
  Stroke, ChooseTool, PanelMode, Color, SetSize, NewPicture, WidthUp, WidthDown, HeightUp,
  HeightDown, QuickWidth, QuickHeight, MenuPixelSize, PixelSizeUp, PixelSizeDown, Undo,
  ClearImage, RotateLeft, RotateRight, FlipRows, FlipColumns, Crop, ClearBox, SaveSelection,
  Rename, OpenSkin, ChooseIcon, NextSubIcon, PreviousSubIcon, AddSubIcon, DeleteSubIcon,
  AddIcon, DeleteIcon, BppUp, BppDown, PreviewClick, CancelOpenPicture, PictureRoundTrip,
  SkinRoundTrip, Redo, Count
};
// clang-format on
constexpr int OpKindCount = static_cast<int>(OpKind::Count);

// Where the window offers a command: the select panel is shown only with the
// select tool, the size arrows and quick sizes only out of skin mode, the icon
// controls only in it.
enum class Gate { Always, SelectPanel, PlainMode, SkinMode };

struct CommandInfo {
  OpKind kind;
  const char* name;
  int weight;  // how often the random sessions choose it
  Gate gate;
};

// clang-format off
constexpr CommandInfo Commands[] = {
    {OpKind::Stroke, "stroke", 40, Gate::Always},
    {OpKind::ChooseTool, "tool", 8, Gate::Always},
    {OpKind::PanelMode, "panel mode", 4, Gate::SelectPanel},
    {OpKind::Color, "colour", 6, Gate::Always},
    {OpKind::SetSize, "set size", 3, Gate::Always},
    {OpKind::NewPicture, "new picture", 1, Gate::Always},
    {OpKind::WidthUp, "width up", 1, Gate::PlainMode},
    {OpKind::WidthDown, "width down", 1, Gate::PlainMode},
    {OpKind::HeightUp, "height up", 1, Gate::PlainMode},
    {OpKind::HeightDown, "height down", 1, Gate::PlainMode},
    {OpKind::QuickWidth, "quick width", 1, Gate::PlainMode},
    {OpKind::QuickHeight, "quick height", 1, Gate::PlainMode},
    {OpKind::MenuPixelSize, "pixel size menu", 2, Gate::Always},
    {OpKind::PixelSizeUp, "pixel size up", 1, Gate::Always},
    {OpKind::PixelSizeDown, "pixel size down", 1, Gate::Always},
    {OpKind::Undo, "undo", 8, Gate::Always},
    {OpKind::ClearImage, "clear image", 1, Gate::Always},
    {OpKind::RotateLeft, "rotate left", 3, Gate::SelectPanel},
    {OpKind::RotateRight, "rotate right", 3, Gate::SelectPanel},
    {OpKind::FlipRows, "flip rows", 2, Gate::SelectPanel},
    {OpKind::FlipColumns, "flip columns", 2, Gate::SelectPanel},
    {OpKind::Crop, "crop to box", 4, Gate::SelectPanel},
    {OpKind::ClearBox, "clear box", 3, Gate::SelectPanel},
    {OpKind::SaveSelection, "save selection", 3, Gate::SelectPanel},
    {OpKind::Rename, "rename", 1, Gate::Always},
    {OpKind::OpenSkin, "open skin", 2, Gate::Always},
    {OpKind::ChooseIcon, "choose icon", 3, Gate::SkinMode},
    {OpKind::NextSubIcon, "next sub-icon", 3, Gate::SkinMode},
    {OpKind::PreviousSubIcon, "previous sub-icon", 3, Gate::SkinMode},
    {OpKind::AddSubIcon, "add sub-icon", 2, Gate::SkinMode},
    {OpKind::DeleteSubIcon, "delete sub-icon", 2, Gate::SkinMode},
    {OpKind::AddIcon, "add icon", 2, Gate::SkinMode},
    {OpKind::DeleteIcon, "delete icon", 1, Gate::SkinMode},
    {OpKind::BppUp, "bpp up", 2, Gate::SkinMode},
    {OpKind::BppDown, "bpp down", 2, Gate::SkinMode},
    {OpKind::PreviewClick, "preview click", 2, Gate::SkinMode},
    {OpKind::CancelOpenPicture, "cancelled open picture", 2, Gate::Always},
    {OpKind::PictureRoundTrip, "save and reopen picture", 2, Gate::Always},
    {OpKind::SkinRoundTrip, "save and reopen skin", 2, Gate::Always},
    {OpKind::Redo, "redo", 4, Gate::Always},
};
// clang-format on

constexpr bool CommandsInKindOrder() {
  for (int k = 0; k < OpKindCount; ++k) {
    if (Commands[k].kind != static_cast<OpKind>(k)) return false;
  }
  return std::size(Commands) == OpKindCount;
}
static_assert(CommandsInKindOrder());

const CommandInfo& Info(OpKind kind) { return Commands[static_cast<std::size_t>(kind)]; }

struct MouseEvent {
  enum Type { Down, Move, Up } type = Move;
  MouseButton button = MouseButton::Left;
  int x = 0;
  int y = 0;
};

// One user command. The numbers a..e mean what Describe prints for the kind.
struct Op {
  explicit Op(OpKind k = OpKind::Undo) : kind(k) {}

  OpKind kind;
  std::vector<MouseEvent> events;  // Stroke
  int a = 0, b = 0, c = 0, d = 0, e = 0;
  std::uint32_t seed = 0;  // OpenSkin builds its skin from it
  std::string text;        // Rename, SaveSelection
};

constexpr std::array<const char*, DrawToolCount> ToolNames = {
    "Pen", "Bucket", "Pipe", "ChangeColor", "SelectBox", "Line", "Rectangle"};
constexpr std::array<const char*, 5> CodeNames = {"Black", "Gray66", "Gray33", "White",
                                                  "Transparent"};

std::uint32_t Pick(std::mt19937& rng, std::uint32_t count) { return rng() % count; }
int Between(std::mt19937& rng, int lo, int hi) {
  return lo + static_cast<int>(rng() % static_cast<std::uint32_t>(hi - lo + 1));
}

// Mostly small sizes, sometimes any, sometimes the largest.
int SomeSize(std::mt19937& rng, int lo, int max) {
  const std::uint32_t r = Pick(rng, 4);
  if (r == 0) return Between(rng, lo, 8);
  if (r == 1) return Between(rng, lo, 16);
  if (r == 2) return Between(rng, lo, max);
  return max - static_cast<int>(Pick(rng, 3));
}

// A skin a file could bring: mixed depths, every sub-icon packing into whole
// bytes, codes that the reader can produce at each depth.
Skin RandomSkin(std::uint32_t seed) {
  std::mt19937 rng(seed);
  Skin skin;
  const int count = Pick(rng, 10) == 0 ? 0 : Between(rng, 1, 4);
  for (int i = 0; i < count; ++i) {
    TSkinIcon icon;
    icon.IconID = Between(rng, 0, 254);
    icon.SubIcons = Between(rng, 1, 4);
    icon.BPP = std::array{1, 2, 4, 8}[Pick(rng, 4)];
    do {
      icon.Width = SomeSize(rng, 1, MaxPictureWidth);
      icon.Height = SomeSize(rng, 1, MaxPictureHeight);
    } while (!PacksIntoBytes(icon.Width, icon.Height, icon.BPP));
    const int top_code = icon.BPP == 1 ? 1 : icon.BPP == 2 ? 3 : 4;
    icon.Data.resize(icon.ExpectedDataSize());
    for (std::uint8_t& code : icon.Data) {
      const int value = Between(rng, 0, top_code);
      code = static_cast<std::uint8_t>(icon.BPP == 1 ? value * 3 : value);
    }
    skin.Append(std::move(icon));
  }
  return skin;
}

std::string Quoted(const std::string& text) {
  std::ostringstream out;
  out << '"';
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F && ch != '"' && ch != '\\') {
      out << ch;
    } else {
      static const char* digits = "0123456789ABCDEF";
      out << "\\x" << digits[byte >> 4] << digits[byte & 15];
    }
  }
  out << '"';
  return out.str();
}

std::string Describe(const Op& op) {
  static constexpr std::array<const char*, 3> Buttons = {"L", "R", "M"};
  static constexpr std::array<const char*, 3> Types = {"down", "move", "up"};
  std::ostringstream out;
  out << Info(op.kind).name;
  // clang-format off
  switch (op.kind) {
    case OpKind::Stroke:
      for (const MouseEvent& e : op.events) {
        out << (&e == op.events.data() ? ": " : ", ");
        if (e.type != MouseEvent::Move) out << Buttons[static_cast<std::size_t>(e.button)] << ' ';
        out << Types[e.type] << " (" << e.x << ", " << e.y << ")";
      }
      break;
    case OpKind::ChooseTool: out << ' ' << ToolNames[static_cast<std::size_t>(op.a)]; break;
    case OpKind::PanelMode: out << (op.a ? " paste" : " select"); break;
    case OpKind::Color:
      out << (op.a ? " right " : " left ");
      if (op.b >= 0 && op.b < PixelCodeCount) {
        out << CodeNames[static_cast<std::size_t>(op.b)];
      } else {
        out << "code " << op.b;
      }
      break;
    case OpKind::SetSize: out << ' ' << op.a << " x " << op.b; break;
    case OpKind::NewPicture:
      out << ' ' << op.a << " x " << op.b << (op.c ? " (OK)" : " (cancelled)");
      break;
    case OpKind::QuickWidth: case OpKind::QuickHeight: case OpKind::MenuPixelSize:
    case OpKind::ChooseIcon: out << ' ' << op.a; break;
    case OpKind::SaveSelection: case OpKind::Rename: out << ' ' << Quoted(op.text); break;
    case OpKind::OpenSkin: {
      const Skin skin = RandomSkin(op.seed);
      out << " #" << op.seed << " (" << skin.Count() << " icons";
      for (const TSkinIcon& icon : skin.Icons()) {
        out << "; " << IconLabel(icon) << ' ' << icon.Width << 'x' << icon.Height << ' '
            << icon.BPP << "bpp x" << icon.SubIcons;
      }
      out << ')';
      break;
    }
    case OpKind::AddIcon:
      out << " id " << op.a << ", " << op.d << 'x' << op.e << ' ' << op.c << "bpp x" << op.b;
      break;
    case OpKind::PreviewClick:
      out << " (" << op.a << ", " << op.b << ") in a box " << op.c << " high";
      break;
    default: break;
  }
  // clang-format on
  return out.str();
}

// ---- the model the checks compare with --------------------------------------------------

// A skin as a save and a load give it back: each code keeps its low BPP bits,
// and a stored 1 at 1 bpp reads back as White.
Skin AsReloaded(const Skin& skin) {
  Skin out;
  for (TSkinIcon icon : skin.Icons()) {
    const unsigned mask = icon.BPP == 8 ? 0xFFu : (1u << icon.BPP) - 1u;
    for (std::uint8_t& code : icon.Data) {
      code = static_cast<std::uint8_t>(code & mask);
      if (icon.BPP == 1 && code == 1) code = ToInt(PixelCode::White);
    }
    out.Append(std::move(icon));
  }
  return out;
}

// Whether a skin file has room for the skin: the uncompressed stream limit and
// the one-byte sub-icon count.
bool FitsSkinFile(const Skin& skin) {
  std::size_t length = 1;
  for (const TSkinIcon& icon : skin.Icons()) {
    if (icon.SubIcons > 255) return false;
    length += 5 + icon.ExpectedDataSize() * static_cast<std::size_t>(icon.BPP) / 8;
  }
  return length <= 34442;
}

struct Problem {
  std::string check;
  std::string detail;
};

std::string At(int x, int y) { return "(" + std::to_string(x) + ", " + std::to_string(y) + ")"; }

// The whole run checks millions of cells: one branch-free pass first.
std::uint8_t LargestByte(const std::uint8_t* bytes, std::size_t count) {
  std::uint8_t largest = 0;
  for (std::size_t i = 0; i < count; ++i) largest = std::max(largest, bytes[i]);
  return largest;
}

template <int Columns, int Rows>
std::optional<Problem> CheckCodes(const CodeGrid<Columns, Rows>& grid, const char* check) {
  const auto* raw = reinterpret_cast<const std::uint8_t*>(grid.Data());
  if (LargestByte(raw, Columns * Rows) < PixelCodeCount) return std::nullopt;
  for (int i = 0; i < Columns * Rows; ++i) {
    if (raw[i] >= PixelCodeCount) {
      return Problem{check, "cell " + At(i % Columns + 1, i / Columns + 1) + " holds the byte " +
                                std::to_string(raw[i])};
    }
  }
  return std::nullopt;
}

std::optional<Problem> CheckIcons(const Editor& editor) {
  const Skin& skin = editor.Skin();
  for (int i = 0; i < skin.Count(); ++i) {
    const TSkinIcon& icon = skin.At(i);
    const std::string who = "icon " + std::to_string(i) + " ";
    if (icon.Width < 1 || icon.Width > MaxPictureWidth || icon.Height < 1 ||
        icon.Height > MaxPictureHeight) {
      return Problem{"icon size",
                     who + std::to_string(icon.Width) + " x " + std::to_string(icon.Height)};
    }
    if (icon.SubIcons < 1) return Problem{"icon sub-icons", who + std::to_string(icon.SubIcons)};
    if (icon.BPP != 1 && icon.BPP != 2 && icon.BPP != 4 && icon.BPP != 8) {
      return Problem{"icon depth", who + std::to_string(icon.BPP) + " bpp"};
    }
    // Every skin these sessions open packs into whole bytes, and every command
    // that changes a size or depth keeps it so.
    if (!PacksIntoBytes(icon.Width, icon.Height, icon.BPP)) {
      return Problem{"icon packing", who + std::to_string(icon.Width) + " x " +
                                         std::to_string(icon.Height) + " at " +
                                         std::to_string(icon.BPP) + " bpp"};
    }
    if (icon.Data.size() != icon.ExpectedDataSize()) {
      return Problem{"icon data size", who + std::to_string(icon.Data.size()) + " entries for " +
                                           std::to_string(icon.ExpectedDataSize())};
    }
    const std::uint8_t* data = icon.Data.data();
    if (LargestByte(data, icon.Data.size()) >= PixelCodeCount) {
      const auto k = std::find_if(data, data + icon.Data.size(),
                                  [](std::uint8_t code) { return code >= PixelCodeCount; }) -
                     data;
      return Problem{"icon codes",
                     who + "entry " + std::to_string(k) + " holds " + std::to_string(data[k])};
    }
  }
  const EditorState& s = editor.State();
  if (!s.Document.SkinMode) return std::nullopt;
  if (skin.Count() == 0 ? s.Document.CurrentIconIndex != 0
                        : !skin.Contains(s.Document.CurrentIconIndex)) {
    return Problem{"current icon", "index " + std::to_string(s.Document.CurrentIconIndex) + " of " +
                                       std::to_string(skin.Count()) + " icons"};
  }
  const TSkinIcon* icon = editor.CurrentIcon();
  if (icon == nullptr) return std::nullopt;
  const int sub = s.Document.CurrentSubIconIndex;
  if (sub < 0 || sub >= icon->SubIcons) {
    return Problem{"current sub-icon",
                   std::to_string(sub) + " of " + std::to_string(icon->SubIcons)};
  }
  // Every redraw writes the Picture back, so the sub-icon shows what the canvas shows.
  for (int y = 0; y < icon->Height; ++y) {
    for (int x = 0; x < icon->Width; ++x) {
      const int stored = icon->Data[icon->DataIndex(sub, x, y)];
      const int shown = ToInt(s.Document.Picture.Cells.At(x + 1, y + 1));
      if (stored != shown) {
        return Problem{"icon write-back", "sub-icon " + std::to_string(sub) + " pixel " + At(x, y) +
                                              " holds " + std::to_string(stored) +
                                              ", the picture " + std::to_string(shown)};
      }
    }
  }
  return std::nullopt;
}

// The invariants of the whole model, whatever command ran last.
std::optional<Problem> CheckModel(const Editor& editor) {
  const EditorState& s = editor.State();
  if (auto p = CheckCodes(s.Document.Picture.Cells, "storage codes")) return p;
  if (auto p = CheckCodes(s.Selection.SelectionBuffer.Cells, "selection codes")) return p;
  const Picture& pic = s.Document.Picture;
  if (pic.Width < 1 || pic.Width > MaxPictureWidth || pic.Height < 1 ||
      pic.Height > MaxPictureHeight) {
    return Problem{"picture size", std::to_string(pic.Width) + " x " + std::to_string(pic.Height)};
  }
  if (s.View.PixelSize < MinPixelSize || s.View.PixelSize > MaxPixelSize) {
    return Problem{"pixel size", std::to_string(s.View.PixelSize)};
  }
  const SelectionGrid& buffer = s.Selection.SelectionBuffer;
  if (buffer.Width < 0 || buffer.Width > SelectionGridSize || buffer.Height < 0 ||
      buffer.Height > SelectionGridSize) {
    return Problem{"selection size",
                   std::to_string(buffer.Width) + " x " + std::to_string(buffer.Height)};
  }
  return CheckIcons(editor);
}

// ---- running a sequence ---------------------------------------------------------------

struct Failure {
  std::size_t step = 0;
  std::string check;
  std::string detail;
};

struct Stats {
  std::array<long, OpKindCount> executed{};
  long steps = 0;
  long skin_mode_steps = 0;
  long picture_files_compared = 0;
  long selection_files_compared = 0;
  long skins_compared = 0;
  long skins_too_large = 0;
  long full_undo_steps = 0;
  long crops_too_tall = 0;
  long tall_selection_saves = 0;
};

// The editor and what the window keeps beside it: the name box and the
// select panel's mode buttons.
class Session {
 public:
  explicit Session(Stats* stats = nullptr) : stats_(stats) { editor_.Start(); }

  const Editor& editor() const { return editor_; }
  Editor& editor() { return editor_; }
  bool PasteButtonDown() const { return paste_down_; }

  // Whether the window offers the command now.
  bool Available(const Op& op) const;

  // Runs the command and checks; the first failure of the session is kept.
  std::optional<Failure> Step(std::size_t step, const Op& op);

  // One user action with the undo checks and the model checks after it.
  void Act(bool is_undo, const std::function<void()>& action);
  void Fail(std::string check, std::string detail) {
    if (!failure_) failure_ = Failure{step_, std::move(check), std::move(detail)};
  }

 private:
  void Run(const Op& op);
  void Stroke(const Op& op);
  void CheckMouseEffect(const Picture& before, const MouseEvent& e, bool capture, bool paste);
  void Crop();
  void PictureRoundTrip();
  void SaveSelection(const std::string& name);
  void SkinRoundTrip();

  Editor editor_;
  Stats* stats_;
  std::string name_;
  bool paste_down_ = false;
  std::size_t step_ = 0;
  std::string where_;
  std::optional<Failure> failure_;
};

TSkinIcon PreparedIcon(const Op& op);

std::optional<int> IconDepth(const Editor& editor) {
  if (!editor.State().Document.SkinMode || editor.CurrentIcon() == nullptr) return std::nullopt;
  return editor.CurrentIcon()->BPP;
}

bool SizeDialogAccepts(const Editor& editor, int width, int height) {
  return CheckSetSize(std::to_string(height), std::to_string(width), IconDepth(editor)).check ==
         SetSizeCheck::Accepted;
}

bool Session::Available(const Op& op) const {
  const EditorState& s = editor_.State();
  switch (Info(op.kind).gate) {
    case Gate::SelectPanel:
      if (s.Tools.CurrentTool != DrawTool::SelectBox) return false;
      break;
    case Gate::PlainMode:
      if (s.Document.SkinMode) return false;
      break;
    case Gate::SkinMode:
      if (!s.Document.SkinMode) return false;
      break;
    case Gate::Always:
      break;
  }
  // The size dialog only closes with OK on sizes it accepts; the icon lists
  // only hold the skin's icons; delete icon needs a selected one.
  if (op.kind == OpKind::SetSize) return SizeDialogAccepts(editor_, op.a, op.b);
  if (op.kind == OpKind::NewPicture) return !op.c || SizeDialogAccepts(editor_, op.a, op.b);
  if (op.kind == OpKind::ChooseIcon) return op.a < editor_.Skin().Count();
  if (op.kind == OpKind::DeleteIcon) return editor_.CurrentIcon() != nullptr;
  return true;
}

std::optional<Failure> Session::Step(std::size_t step, const Op& op) {
  if (failure_ || !Available(op)) return failure_;
  step_ = step;
  if (stats_) {
    ++stats_->executed[static_cast<std::size_t>(op.kind)];
    ++stats_->steps;
    if (editor_.State().Document.SkinMode) ++stats_->skin_mode_steps;
  }
  if (op.kind == OpKind::Stroke) {
    Stroke(op);
  } else {
    where_.clear();
    Act(op.kind == OpKind::Undo, [&] { Run(op); });
  }
  if (stats_ && editor_.State().Document.Undo.Count() == UndoDepth) ++stats_->full_undo_steps;
  return failure_;
}

// In skin mode the cells over the current icon show the codes its depth keeps.
Picture AsShown(Picture picture, const Editor& editor) {
  const TSkinIcon* icon = editor.State().Document.SkinMode ? editor.CurrentIcon() : nullptr;
  if (icon == nullptr) return picture;
  for (int y = 1; y <= icon->Height; ++y) {
    for (int x = 1; x <= icon->Width; ++x) {
      PixelCode& cell = picture.Cells.At(x, y);
      cell = ToPixelCode(StoredCode(static_cast<std::uint8_t>(cell), icon->BPP));
    }
  }
  return picture;
}

void Session::Act(bool is_undo, const std::function<void()>& action) {
  const EditorState& s = editor_.State();
  const Picture before = s.Document.Picture;
  const Picture top = EditorTestDoor::UndoPicture(s.Document.Undo, 0);
  const Picture second = EditorTestDoor::UndoPicture(s.Document.Undo, 1);
  const int count = s.Document.Undo.Count();
  const bool available = s.Document.Undo.Available();
  action();
  if (is_undo) {
    if (!available) {
      if (s.Document.Picture != before) Fail("undo", "an unavailable undo changed the picture");
    } else if (s.Document.Picture != AsShown(top, editor_)) {
      Fail("undo", "the picture is not the newest snapshot");
    } else if (s.Document.Undo.Count() != count - 1) {
      Fail("undo",
           std::to_string(count) + " snapshots became " + std::to_string(s.Document.Undo.Count()));
    } else if (count >= 2 && EditorTestDoor::UndoPicture(s.Document.Undo, 0) != second) {
      Fail("undo", "the second snapshot did not become the newest");
    }
  } else if (s.Document.Undo.Count() > count && count < UndoDepth) {
    if (EditorTestDoor::UndoPicture(s.Document.Undo, 0) != before) {
      Fail("undo snapshot", "the new snapshot is not the picture before the command" + where_);
    } else if (s.Document.Undo.Count() == count + 1 && count + 1 < UndoDepth && count > 0 &&
               EditorTestDoor::UndoPicture(s.Document.Undo, 1) != top) {
      Fail("undo snapshot", "the older snapshots did not move down one place" + where_);
    }
  }
  if (auto problem = CheckModel(editor_)) Fail(problem->check, problem->detail + where_);
}

// A paste click as the select panel describes it: the buffer's top-left on the
// pressed cell, transparent pixels and those beyond the picture left out.
Picture Pasted(Picture picture, const SelectionGrid& buffer, int x, int y, int pixel_size) {
  const int px = x / pixel_size + 1;
  const int py = y / pixel_size + 1;
  for (int j = 1; j <= buffer.Height; ++j) {
    for (int i = 1; i <= buffer.Width; ++i) {
      const PixelCode code = buffer.Cells.At(i, j);
      if (code != PixelCode::Transparent && picture.Contains(px + i - 1, py + j - 1)) {
        picture.Cells.At(px + i - 1, py + j - 1) = code;
      }
    }
  }
  return picture;
}

void Session::Stroke(const Op& op) {
  const EditorState& s = editor_.State();
  for (std::size_t i = 0; i < op.events.size() && !failure_; ++i) {
    const MouseEvent& e = op.events[i];
    where_ = " (mouse event " + std::to_string(i + 1) + ")";
    const bool select_tool =
        s.Tools.CurrentTool == DrawTool::SelectBox && e.button == MouseButton::Left;
    const bool capture = select_tool && e.type == MouseEvent::Up && s.Selection.SelectMode;
    const bool paste = select_tool && e.type == MouseEvent::Down && s.Selection.PasteMode &&
                       s.Selection.SelectionCaptured;
    const Picture before = s.Document.Picture;
    Act(false, [&] {
      if (e.type == MouseEvent::Down) editor_.MouseDown(e.button, e.x, e.y);
      if (e.type == MouseEvent::Move) editor_.MouseMove(e.x, e.y);
      if (e.type == MouseEvent::Up) editor_.MouseUp(e.button, e.x, e.y);
    });
    CheckMouseEffect(before, e, capture, paste);
  }
}

// What one mouse event may do to the picture: never touch a cell outside it;
// a paste click stamps the buffer; a select release captures cells of the picture.
void Session::CheckMouseEffect(const Picture& before, const MouseEvent& e, bool capture,
                               bool paste) {
  const EditorState& s = editor_.State();
  if (s.Document.Picture.Width != before.Width || s.Document.Picture.Height != before.Height) {
    return Fail("mouse resized", "the picture changed its size" + where_);
  }
  for (int y = 1; y <= MaxPictureHeight; ++y) {
    // Rows of the picture only beyond its last column, the others whole.
    const int first = y <= before.Height ? before.Width + 1 : 1;
    const PixelCode* now = s.Document.Picture.Cells.Data() + (y - 1) * MaxPictureWidth;
    const PixelCode* was = before.Cells.Data() + (y - 1) * MaxPictureWidth;
    if (std::equal(now + first - 1, now + MaxPictureWidth, was + first - 1)) continue;
    for (int x = first; x <= MaxPictureWidth; ++x) {
      if (now[x - 1] != was[x - 1]) {
        return Fail("drawing outside the picture", "cell " + At(x, y) + where_);
      }
    }
  }
  if (paste && s.Document.Picture !=
                   AsShown(Pasted(before, s.Selection.SelectionBuffer, e.x, e.y, s.View.PixelSize),
                           editor_)) {
    return Fail("paste", "the picture is not the buffer stamped at the click" + where_);
  }
  if (!capture) return;
  const CellRect& r = s.Selection.SelectionRect;
  if (r.Left < 1 || r.Left > r.Right || r.Right > s.Document.Picture.Width || r.Top < 1 ||
      r.Top > r.Bottom || r.Bottom > s.Document.Picture.Height) {
    return Fail("capture", "the box " + At(r.Left, r.Top) + " to " + At(r.Right, r.Bottom) +
                               " leaves the picture" + where_);
  }
  const SelectionGrid& buffer = s.Selection.SelectionBuffer;
  if (buffer.Width != r.Right - r.Left + 1 || buffer.Height != r.Bottom - r.Top + 1) {
    return Fail("capture", "the buffer is not the size of the box" + where_);
  }
  for (int j = 1; j <= buffer.Height; ++j) {
    for (int i = 1; i <= buffer.Width; ++i) {
      if (buffer.Cells.At(i, j) != s.Document.Picture.Cells.At(r.Left + i - 1, r.Top + j - 1)) {
        return Fail("capture", "buffer cell " + At(i, j) + " is not the picture's" + where_);
      }
    }
  }
}

void Session::Run(const Op& op) {
  const MouseButton button = op.a ? MouseButton::Right : MouseButton::Left;
  // clang-format off
  switch (op.kind) {
    case OpKind::ChooseTool:
      editor_.SelectTool(static_cast<DrawTool>(op.a));
      break;
    case OpKind::PanelMode:
      paste_down_ = op.a != 0;
      editor_.SetSelectPanelModes(!paste_down_, paste_down_);
      editor_.Render();
      break;
    case OpKind::Color: editor_.SetColor(button, ToPixelCode(op.b)); break;
    case OpKind::SetSize: editor_.ApplySetSize(op.a, op.b); break;
    case OpKind::NewPicture: editor_.NewPicture(op.c != 0, op.a, op.b); break;
    case OpKind::WidthUp: editor_.WidthUp(); break;
    case OpKind::WidthDown: editor_.WidthDown(); break;
    case OpKind::HeightUp: editor_.HeightUp(); break;
    case OpKind::HeightDown: editor_.HeightDown(); break;
    case OpKind::QuickWidth: editor_.SetWidthQuick(op.a); break;
    case OpKind::QuickHeight: editor_.SetHeightQuick(op.a); break;
    case OpKind::MenuPixelSize: editor_.SetPixelSizeFromMenu(op.a); break;
    case OpKind::PixelSizeUp: editor_.PixelSizeUp(); break;
    case OpKind::PixelSizeDown: editor_.PixelSizeDown(); break;
    case OpKind::Undo: editor_.PopUndo(); break;
    case OpKind::Redo: editor_.PopRedo(); break;
    case OpKind::ClearImage: editor_.ClearPicture(); break;
    case OpKind::RotateLeft: RotateSelectionLeft(editor_); break;
    case OpKind::RotateRight: RotateSelectionRight(editor_); break;
    case OpKind::FlipRows: FlipSelectionHorizontally(editor_); break;
    case OpKind::FlipColumns: FlipSelectionVertically(editor_); break;
    case OpKind::Crop: Crop(); break;
    case OpKind::ClearBox: ClearSelection(editor_); break;
    case OpKind::SaveSelection: SaveSelection(op.text); break;
    case OpKind::Rename: name_ = op.text; break;
    case OpKind::OpenSkin: OpenSkinIntoEditor(editor_, RandomSkin(op.seed), editor_.State().Document.Name); break;
    case OpKind::ChooseIcon: SelectIcon(editor_, op.a); break;
    case OpKind::NextSubIcon: NextSubIcon(editor_); break;
    case OpKind::PreviousSubIcon: PreviousSubIcon(editor_); break;
    case OpKind::AddSubIcon: AddSubIcon(editor_); break;
    case OpKind::DeleteSubIcon: DeleteSubIcon(editor_); break;
    case OpKind::AddIcon: AddIcon(editor_, PreparedIcon(op)); break;
    case OpKind::DeleteIcon: DeleteIcon(editor_); break;
    case OpKind::BppUp: RaiseBpp(editor_); break;
    case OpKind::BppDown: LowerBpp(editor_); break;
    case OpKind::PreviewClick: ChoosePreviewSubIcon(editor_, op.a, op.b, op.c); break;
    case OpKind::CancelOpenPicture: editor_.LeaveSkinMode(); break;
    case OpKind::PictureRoundTrip: PictureRoundTrip(); break;
    case OpKind::SkinRoundTrip: SkinRoundTrip(); break;
    case OpKind::Stroke: case OpKind::Count: break;
  }
  // clang-format on
}

// The icon the Add Icon dialog hands over.
TSkinIcon PreparedIcon(const Op& op) {
  TSkinIcon icon;
  icon.IconID = op.a;
  icon.SubIcons = op.b;
  icon.BPP = op.c;
  icon.Width = op.d;
  icon.Height = op.e;
  return icon;
}

// Cut off select: the capture becomes the whole picture.
void Session::Crop() {
  const EditorState& s = editor_.State();
  const SelectionGrid buffer = s.Selection.SelectionBuffer;
  const CropResult result = CropToSelection(editor_);
  if (result == CropResult::TooTall && stats_) ++stats_->crops_too_tall;
  if (result != CropResult::Cropped) return;
  if (s.Document.Picture.Width != buffer.Width || s.Document.Picture.Height != buffer.Height) {
    return Fail("crop", "the picture is not the size of the capture");
  }
  // In skin mode the cells over the icon show the codes its depth keeps.
  const TSkinIcon* icon = s.Document.SkinMode ? editor_.CurrentIcon() : nullptr;
  for (int y = 1; y <= buffer.Height; ++y) {
    for (int x = 1; x <= buffer.Width; ++x) {
      PixelCode captured = buffer.Cells.At(x, y);
      if (icon != nullptr && x <= icon->Width && y <= icon->Height) {
        captured = ToPixelCode(StoredCode(static_cast<std::uint8_t>(captured), icon->BPP));
      }
      if (s.Document.Picture.Cells.At(x, y) != captured) {
        return Fail("crop", "picture cell " + At(x, y) + " is not the captured one");
      }
    }
  }
}

// Compares a read record with the picture or selection it was written from.
std::optional<std::string> RecordDiffers(const PictureRecord& record, const std::string& name,
                                         CodeGridView grid) {
  if (record.name != name) return "the name came back as " + Quoted(record.name);
  if (record.width != grid.Width() || record.height != grid.Height()) {
    return "the size came back as " + std::to_string(record.width) + " x " +
           std::to_string(record.height);
  }
  for (int y = 1; y <= grid.Height(); ++y) {
    for (int x = 1; x <= grid.Width(); ++x) {
      if (record.At(x, y) != grid.At(x, y)) return "pixel " + At(x, y) + " came back changed";
    }
  }
  return std::nullopt;
}

// Save Picture, then Open Picture on the saved bytes.
void Session::PictureRoundTrip() {
  EditorState& s = EditorTestDoor::MutableState(editor_);
  const Picture before = s.Document.Picture;
  const auto bytes =
      WritePictureFile(ViewOf(s.Document.Picture), name_, s.Document.PictureFileVersion);
  const auto record = ReadPictureFile(bytes);
  if (!record)
    return Fail("picture file", "the saved picture is refused: " + record.error().message);
  if (auto why = RecordDiffers(*record, name_, ViewOf(before))) return Fail("picture file", *why);
  if (stats_) ++stats_->picture_files_compared;
  name_ = record->name;
  OpenPictureRecord(editor_, *record);
  editor_.LeaveSkinMode();
  if (s.Document.Picture != before) Fail("picture file", "reopening the saved picture changed it");
}

// The select panel's save: an undo step, then the buffer as a picture file.
void Session::SaveSelection(const std::string& name) {
  EditorState& s = EditorTestDoor::MutableState(editor_);
  if (!s.Selection.SelectionCaptured) return;
  EditorTestDoor::PushUndo(editor_);
  const auto bytes =
      WritePictureFile(ViewOf(s.Selection.SelectionBuffer), name, s.Document.PictureFileVersion);
  // A quarter turn of a wide capture is taller than a picture file holds.
  if (s.Selection.SelectionBuffer.Height > MaxPictureHeight) {
    if (stats_) ++stats_->tall_selection_saves;
    return;
  }
  const auto record = ReadPictureFile(bytes);
  if (!record) return Fail("selection file", "refused: " + record.error().message);
  if (auto why = RecordDiffers(*record, name, ViewOf(s.Selection.SelectionBuffer))) {
    return Fail("selection file", *why);
  }
  if (stats_) ++stats_->selection_files_compared;
}

// Save Skin, then Open Skin on the saved bytes.
void Session::SkinRoundTrip() {
  const Skin skin = editor_.Skin();
  const auto file = WriteSkinFile(skin, name_);
  if (!file) {
    if (FitsSkinFile(skin)) return Fail("skin file", "the writer refused: " + file.error().message);
    if (stats_) ++stats_->skins_too_large;
    return;
  }
  SkinFileRead read = ReadSkinFile(*file);
  const std::string expected_name = name_.substr(0, SkinNameFieldSize);
  if (read.name != expected_name) {
    return Fail("skin file", "the name came back as " + Quoted(read.name));
  }
  if (!read.skin)
    return Fail("skin file", "the saved skin is refused: " + read.skin.error().message);
  const Skin expected = AsReloaded(skin);
  for (int i = 0; i < std::max(expected.Count(), read.skin->Count()); ++i) {
    if (!read.skin->Contains(i) || !expected.Contains(i) || read.skin->At(i) != expected.At(i)) {
      return Fail("skin file", "icon " + std::to_string(i) + " came back different");
    }
  }
  if (stats_) ++stats_->skins_compared;
  name_ = read.name;
  OpenSkinIntoEditor(editor_, std::move(*read.skin), editor_.State().Document.Name);
}

// ---- generating sequences -----------------------------------------------------------

std::string RandomName(std::mt19937& rng) {
  std::string name(Pick(rng, 17), ' ');
  for (char& ch : name) {
    // Line feeds and carriage returns test the text-mode translation.
    const std::uint32_t r = Pick(rng, 10);
    const int byte = r == 0   ? 0x0A
                     : r == 1 ? 0x0D
                     : r < 6  ? Between(rng, 0x20, 0x7E)
                              : Between(rng, 0xA0, 0xFF);
    ch = static_cast<char>(byte);
  }
  return name;
}

// A canvas position on one axis: mostly over the picture, sometimes on its
// first cell or just past its far edge (so boxes can span the whole picture),
// sometimes anywhere the canvas may report (moves also above or left).
int CanvasCoordinate(std::mt19937& rng, int cells, int pixel_size, bool may_leave) {
  const std::uint32_t r = Pick(rng, 10);
  if (r < 6) return Between(rng, 0, cells - 1) * pixel_size + Between(rng, 0, pixel_size - 1);
  if (r < 7) return Between(rng, 0, pixel_size - 1);
  if (r < 9) return cells * pixel_size + Between(rng, 0, 3 * pixel_size);
  return may_leave ? Between(rng, -60, 1100) : Between(rng, 0, 999);
}

Op RandomStroke(std::mt19937& rng, const EditorState& s) {
  Op op{OpKind::Stroke};
  const std::uint32_t b = Pick(rng, 20);
  const MouseButton button = b < 10   ? MouseButton::Left
                             : b < 19 ? MouseButton::Right
                                      : MouseButton::Middle;
  const auto point = [&](bool may_leave) {
    return std::pair{CanvasCoordinate(rng, s.Document.Picture.Width, s.View.PixelSize, may_leave),
                     CanvasCoordinate(rng, s.Document.Picture.Height, s.View.PixelSize, may_leave)};
  };
  auto [x, y] = point(false);
  if (Pick(rng, 10) == 0) {
    // Corner to corner, past the far edges: a box around the whole picture.
    x = Between(rng, 0, s.View.PixelSize - 1);
    y = Between(rng, 0, s.View.PixelSize - 1);
    op.events.push_back({MouseEvent::Down, button, x, y});
    op.events.push_back({MouseEvent::Move, button, s.Document.Picture.Width * s.View.PixelSize + 7,
                         s.Document.Picture.Height * s.View.PixelSize + 3});
    op.events.push_back({MouseEvent::Up, button, s.Document.Picture.Width * s.View.PixelSize + 7,
                         s.Document.Picture.Height * s.View.PixelSize + 3});
    return op;
  }
  op.events.push_back({MouseEvent::Down, button, x, y});
  const int moves = Between(rng, 0, 4);
  const int chord_at = Pick(rng, 12) == 0 ? Between(rng, 0, moves) : -1;
  for (int i = 0; i < moves; ++i) {
    if (i == chord_at) {
      // The other button pressed and released in the middle of the stroke.
      const MouseButton other =
          button == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
      op.events.push_back({MouseEvent::Down, other, x, y});
      op.events.push_back({MouseEvent::Up, other, x, y});
    }
    std::tie(x, y) = point(true);
    op.events.push_back({MouseEvent::Move, button, x, y});
  }
  op.events.push_back({MouseEvent::Up, button, x, y});
  return op;
}

Op RandomOp(std::mt19937& rng, OpKind kind, const Editor& editor) {
  const EditorState& s = editor.State();
  Op op{kind};
  switch (kind) {
    case OpKind::Stroke:
      return RandomStroke(rng, s);
    case OpKind::ChooseTool:
      // The select box twice as often as each other tool: its panel has most commands.
      op.a = static_cast<int>(Pick(rng, DrawToolCount + 1));
      if (op.a == static_cast<int>(DrawToolCount)) op.a = static_cast<int>(DrawTool::SelectBox);
      break;
    case OpKind::PanelMode:
      op.a = static_cast<int>(Pick(rng, 2));
      break;
    case OpKind::Color:
      op.a = static_cast<int>(Pick(rng, 2));
      op.b = static_cast<int>(Pick(rng, PixelCodeCount));
      break;
    case OpKind::SetSize:
    case OpKind::NewPicture:
      // The user retries until the dialog takes the size.
      for (int tries = 0; tries < 10; ++tries) {
        op.a = SomeSize(rng, MinPictureWidth, MaxPictureWidth);
        op.b = SomeSize(rng, MinPictureHeight, MaxPictureHeight);
        if (SizeDialogAccepts(editor, op.a, op.b)) break;
      }
      op.c = Pick(rng, 4) != 0;
      break;
    case OpKind::QuickWidth:
      op.a = std::array{2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 50, 70, 96}[Pick(rng, 16)];
      break;
    case OpKind::QuickHeight:
      op.a = std::array{2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 20, 25, 30, 50, 70, 92}[Pick(rng, 16)];
      break;
    case OpKind::MenuPixelSize:
      op.a = std::array{1, 2, 3, 5, 10, 15}[Pick(rng, 6)];
      break;
    case OpKind::SaveSelection:
    case OpKind::Rename:
      op.text = RandomName(rng);
      break;
    case OpKind::OpenSkin:
      op.seed = rng();
      break;
    case OpKind::ChooseIcon:
      op.a = static_cast<int>(
          Pick(rng, static_cast<std::uint32_t>(std::max(editor.Skin().Count(), 1))));
      break;
    case OpKind::AddIcon:
      // Only what the Add Icon dialog accepts: IDs 1..254 and whole bytes.
      op.a = Between(rng, 1, 254);
      op.b = Pick(rng, 8) == 0 ? Between(rng, 5, 9) : Between(rng, 1, 4);
      op.c = std::array{1, 2, 4}[Pick(rng, 3)];
      do {
        op.d = SomeSize(rng, 1, MaxPictureWidth);
        op.e = SomeSize(rng, 1, MaxPictureHeight);
      } while (!PacksIntoBytes(op.d, op.e, op.c));
      break;
    case OpKind::PreviewClick:
      op.a = Between(rng, 0, 200);
      op.b = Between(rng, 0, 400);
      op.c = Between(rng, 10, 600);
      break;
    default:
      break;
  }
  return op;
}

Op NextOp(std::mt19937& rng, const Session& session) {
  int total = 0;
  for (const CommandInfo& command : Commands) total += command.weight;
  for (;;) {
    int r = static_cast<int>(Pick(rng, static_cast<std::uint32_t>(total)));
    OpKind kind = OpKind::Stroke;
    for (const CommandInfo& command : Commands) {
      if (r < command.weight) {
        kind = command.kind;
        break;
      }
      r -= command.weight;
    }
    Op op = RandomOp(rng, kind, session.editor());
    if (session.Available(op)) return op;
  }
}

// ---- replaying and shrinking ----------------------------------------------------------

std::optional<Failure> Replay(const std::vector<Op>& ops) {
  Session session;
  for (std::size_t i = 0; i < ops.size(); ++i) {
    if (auto failure = session.Step(i, ops[i])) return failure;
  }
  return std::nullopt;
}

// Removes chunks of halving size, down to single items, for as long as the
// sequence still fails; repeats until no single removal keeps it failing.
template <typename T, typename StillFails>
std::vector<T> Shrink(std::vector<T> items, StillFails still_fails) {
  for (bool progress = true; progress;) {
    progress = false;
    for (std::size_t chunk = std::max<std::size_t>(items.size() / 2, 1); chunk >= 1; chunk /= 2) {
      for (std::size_t start = 0; start + chunk <= items.size();) {
        std::vector<T> candidate(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(start));
        candidate.insert(candidate.end(),
                         items.begin() + static_cast<std::ptrdiff_t>(start + chunk), items.end());
        if (still_fails(candidate)) {
          items = std::move(candidate);
          progress = true;
        } else {
          start += chunk;
        }
      }
      if (chunk == 1) break;
    }
  }
  return items;
}

struct SeedRun {
  std::vector<Op> ops;
  std::optional<Failure> failure;
};

SeedRun RunSeed(std::uint32_t seed, int steps, Stats* stats) {
  SeedRun run;
  std::mt19937 rng(seed);
  Session session(stats);
  for (int i = 0; i < steps && !run.failure; ++i) {
    run.ops.push_back(NextOp(rng, session));
    run.failure = session.Step(run.ops.size() - 1, run.ops.back());
  }
  return run;
}

using ReplayFunction = std::function<std::optional<Failure>(const std::vector<Op>&)>;

std::string FailureReport(std::uint32_t seed, const SeedRun& run,
                          const ReplayFunction& replay = Replay) {
  const Failure& f = *run.failure;
  std::ostringstream out;
  out << "seed " << seed << ", command " << f.step + 1 << " (" << Describe(run.ops[f.step])
      << "): check \"" << f.check << "\" failed: " << f.detail << '\n';
  std::vector<Op> ops(run.ops.begin(), run.ops.begin() + static_cast<std::ptrdiff_t>(f.step + 1));
  const std::vector<Op> shortest = Shrink(ops, [&](const std::vector<Op>& candidate) {
    const auto again = replay(candidate);
    return again && again->check == f.check;
  });
  out << "shortest failing sequence (" << shortest.size()
      << (shortest.size() == 1 ? " command" : " commands") << " from the start):\n";
  for (std::size_t i = 0; i < shortest.size(); ++i) {
    out << "  " << i + 1 << ". " << Describe(shortest[i]) << '\n';
  }
  if (const auto last = replay(shortest)) {
    out << "which fails at command " << last->step + 1 << ": " << last->check << ": "
        << last->detail << '\n';
  }
  return out.str();
}

constexpr int DefaultSeeds = 100;
constexpr int DefaultSteps = 400;

int EnvOr(const char* name, int fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::atoi(text) : fallback;
}

// ---- tests --------------------------------------------------------------------------

TEST(RandomUse, InvariantsHoldOverLongRandomSessions) {
  const int seeds = EnvOr("PICTAVO_RANDOM_SEEDS", DefaultSeeds);
  const int steps = EnvOr("PICTAVO_RANDOM_STEPS", DefaultSteps);
  const auto first = static_cast<std::uint32_t>(EnvOr("PICTAVO_RANDOM_FIRST_SEED", 1));
  Stats stats;
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < seeds; ++i) {
    const std::uint32_t seed = first + static_cast<std::uint32_t>(i);
    const SeedRun run = RunSeed(seed, steps, &stats);
    if (run.failure) {
      ADD_FAILURE() << FailureReport(seed, run);
      return;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << "[ RandomUse ] " << seeds << " seeds, " << stats.steps << " commands ("
            << stats.skin_mode_steps << " in skin mode, " << stats.full_undo_steps
            << " with a full undo stack), " << stats.picture_files_compared << " picture and "
            << stats.selection_files_compared << " selection files and " << stats.skins_compared
            << " skins reloaded, " << stats.skins_too_large << " skins too large to save, "
            << stats.crops_too_tall << " crops refused as too tall, " << stats.tall_selection_saves
            << " selections saved too tall to reopen, " << seconds << " s\n";

  // The run is only worth something if it reached every command, every
  // reload comparison and the rare refusals. Checked on runs of the default
  // size or larger; the seeds are fixed, so the counts are too.
  if (static_cast<long>(seeds) * steps < static_cast<long>(DefaultSeeds) * DefaultSteps) return;
  for (int k = 0; k < OpKindCount; ++k) {
    EXPECT_GT(stats.executed[static_cast<std::size_t>(k)], 0) << Commands[k].name;
  }
  EXPECT_GT(stats.picture_files_compared, 0);
  EXPECT_GT(stats.selection_files_compared, 0);
  EXPECT_GT(stats.skins_compared, 0);
  EXPECT_GT(stats.skins_too_large, 0);
  EXPECT_GT(stats.full_undo_steps, 0);
  EXPECT_GT(stats.crops_too_tall, 0);
  EXPECT_GT(stats.tall_selection_saves, 0);
  EXPECT_GT(stats.skin_mode_steps, stats.steps / 10);
}

TEST(RandomUse, SameSeedGivesSameSessionAndSameEditor) {
  const SeedRun first = RunSeed(7, 150, nullptr);
  const SeedRun second = RunSeed(7, 150, nullptr);
  ASSERT_FALSE(first.failure.has_value());
  ASSERT_EQ(first.ops.size(), second.ops.size());
  for (std::size_t i = 0; i < first.ops.size(); ++i) {
    ASSERT_EQ(Describe(first.ops[i]), Describe(second.ops[i])) << "command " << i;
  }
  // Replaying the recorded commands ends in the same state as the run that made them.
  Session a;
  Session b;
  for (std::size_t i = 0; i < first.ops.size(); ++i) {
    a.Step(i, first.ops[i]);
    b.Step(i, second.ops[i]);
  }
  EXPECT_EQ(a.editor().State().Document.Picture, b.editor().State().Document.Picture);
  EXPECT_EQ(a.editor().Skin(), b.editor().Skin());

  const SeedRun other = RunSeed(8, 150, nullptr);
  bool differs = other.ops.size() != first.ops.size();
  for (std::size_t i = 0; i < first.ops.size() && !differs; ++i) {
    differs = Describe(first.ops[i]) != Describe(other.ops[i]);
  }
  EXPECT_TRUE(differs) << "another seed should give another session";
}

TEST(RandomUseShrinker, KeepsOnlyTheCommandsTheFailureNeeds) {
  // Fails when a 3 is followed, anywhere later, by a 7.
  const auto fails = [](const std::vector<int>& items) {
    bool seen_three = false;
    for (const int item : items) {
      if (item == 7 && seen_three) return true;
      seen_three = seen_three || item == 3;
    }
    return false;
  };
  std::mt19937 rng(11);
  std::vector<int> items;
  for (int i = 0; i < 300; ++i) items.push_back(Between(rng, 0, 9));
  ASSERT_TRUE(fails(items));
  EXPECT_EQ(Shrink(items, fails), (std::vector<int>{3, 7}));
  EXPECT_EQ(Shrink(std::vector<int>{7, 3, 1, 7}, fails), (std::vector<int>{3, 7}));
}

TEST(RandomUseShrinker, ReportNamesSeedStepCheckAndShortSequence) {
  // A session that breaks on purpose: an undo step taken after the picture
  // changed is a wrong snapshot, and the report must point at that command.
  Session session;
  session.Act(false, [&] {
    EditorTestDoor::MutableState(session.editor()).Document.Picture.Cells.At(1, 1) =
        PixelCode::White;
    EditorTestDoor::PushUndo(session.editor());
  });
  const auto failure = session.Step(0, Op{OpKind::Undo});
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(failure->check, "undo snapshot");

  // A planted fault in a real session: a clear image after the name "bad"
  // counts as failing. The report must name the first failing command and
  // shrink the session down to the two that matter.
  SeedRun run = RunSeed(3, 60, nullptr);
  ASSERT_FALSE(run.failure.has_value());
  Op bad(OpKind::Rename);
  bad.text = "bad";
  run.ops[20] = bad;
  run.ops[40] = Op(OpKind::ClearImage);
  const ReplayFunction planted = [](const std::vector<Op>& ops) -> std::optional<Failure> {
    if (auto failure = Replay(ops)) return failure;
    bool named = false;
    for (std::size_t i = 0; i < ops.size(); ++i) {
      if (named && ops[i].kind == OpKind::ClearImage) return Failure{i, "planted", "cleared"};
      named = named || (ops[i].kind == OpKind::Rename && ops[i].text == "bad");
    }
    return std::nullopt;
  };
  run.failure = planted(run.ops);
  ASSERT_TRUE(run.failure.has_value());
  ASSERT_LE(run.failure->step, 40u);
  const std::string report = FailureReport(99, run, planted);
  const std::string head = "seed 99, command " + std::to_string(run.failure->step + 1) +
                           " (clear image): check \"planted\" failed: cleared\n";
  EXPECT_EQ(report.substr(0, head.size()), head) << report;
  EXPECT_NE(report.find("shortest failing sequence (2 commands from the start):\n"
                        "  1. rename \"bad\"\n  2. clear image\n"
                        "which fails at command 2: planted: cleared\n"),
            std::string::npos)
      << report;
}

// Each row breaks one invariant of an otherwise sound editor in skin mode.
TEST(RandomUseChecker, ReportsEachBrokenInvariant) {
  struct Row {
    const char* check;
    std::function<void(Editor&)> corrupt;
  };
  const std::vector<Row> rows = {
      {"storage codes",
       [](Editor& e) {
         EditorTestDoor::MutableState(e).Document.Picture.Cells.At(96, 92) = ToPixelCode(5);
       }},
      {"selection codes",
       [](Editor& e) {
         EditorTestDoor::MutableState(e).Selection.SelectionBuffer.Cells.At(96, 96) =
             ToPixelCode(9);
       }},
      {"picture size",
       [](Editor& e) { EditorTestDoor::MutableState(e).Document.Picture.Width = 0; }},
      {"picture size",
       [](Editor& e) { EditorTestDoor::MutableState(e).Document.Picture.Height = 93; }},
      {"pixel size", [](Editor& e) { EditorTestDoor::MutableState(e).View.PixelSize = 50; }},
      {"selection size",
       [](Editor& e) { EditorTestDoor::MutableState(e).Selection.SelectionBuffer.Height = 97; }},
      {"icon size", [](Editor& e) { EditorTestDoor::MutableSkin(e).At(1).Width = 97; }},
      {"icon sub-icons", [](Editor& e) { EditorTestDoor::MutableSkin(e).At(1).SubIcons = 0; }},
      {"icon depth", [](Editor& e) { EditorTestDoor::MutableSkin(e).At(1).BPP = 3; }},
      {"icon packing",
       [](Editor& e) {
         EditorTestDoor::MutableSkin(e).At(1).Width = 3;
         EditorTestDoor::MutableSkin(e).At(1).BPP = 1;
       }},
      {"icon data size", [](Editor& e) { EditorTestDoor::MutableSkin(e).At(1).Data.pop_back(); }},
      {"icon codes", [](Editor& e) { EditorTestDoor::MutableSkin(e).At(1).Data.back() = 5; }},
      {"current icon",
       [](Editor& e) { EditorTestDoor::MutableState(e).Document.CurrentIconIndex = 2; }},
      {"current sub-icon",
       [](Editor& e) { EditorTestDoor::MutableState(e).Document.CurrentSubIconIndex = 2; }},
      {"icon write-back",
       [](Editor& e) {
         EditorTestDoor::MutableSkin(e)
             .At(0)
             .Data[EditorTestDoor::MutableSkin(e).At(0).DataIndex(1, 3, 0)] = 4;
       }},
  };
  for (const Row& row : rows) {
    Editor editor;
    editor.Start();
    Skin skin;
    for (int i = 0; i < 2; ++i) {
      TSkinIcon icon;
      icon.SubIcons = 2;
      icon.Data.assign(icon.ExpectedDataSize(), 3);
      skin.Append(icon);
    }
    OpenSkinIntoEditor(editor, skin, "");
    NextSubIcon(editor);
    ASSERT_FALSE(CheckModel(editor).has_value()) << "before " << row.check;
    row.corrupt(editor);
    const auto problem = CheckModel(editor);
    ASSERT_TRUE(problem.has_value()) << row.check;
    EXPECT_EQ(problem->check, row.check);
  }
}

// The reload model against the masking of codes to 1, 2, 4 and 8 bits.
TEST(RandomUseChecker, ReloadModelMasksCodesToTheDepth) {
  const auto reload = [](int bpp, std::vector<std::uint8_t> codes) {
    TSkinIcon icon;
    icon.BPP = bpp;
    icon.Width = static_cast<int>(codes.size());
    icon.Height = 1;
    icon.Data = std::move(codes);
    Skin skin;
    skin.Append(icon);
    const Skin model = AsReloaded(skin);
    const auto file = WriteSkinFile(skin, "m");
    EXPECT_TRUE(file.has_value());
    const SkinFileRead read = ReadSkinFile(*file);
    EXPECT_TRUE(read.skin.has_value());
    EXPECT_EQ(*read.skin, model);
    return model.At(0).Data;
  };
  using Codes = std::vector<std::uint8_t>;
  EXPECT_EQ(reload(1, {3, 0, 0, 3, 1, 2, 4, 3}), (Codes{3, 0, 0, 3, 3, 0, 0, 3}));
  EXPECT_EQ(reload(2, {3, 0, 2, 1, 4, 4, 4, 4}), (Codes{3, 0, 2, 1, 0, 0, 0, 0}));
  EXPECT_EQ(reload(4, {4, 0}), (Codes{4, 0}));
  EXPECT_EQ(reload(8, {4}), (Codes{4}));
}

}  // namespace
}  // namespace pictavo
