// The local history as the commands use it: which commands keep what they
// discard, and what becomes of work that cannot be kept.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/editing/document_io.h"
#include "core/editing/document_keeper.h"
#include "core/editing/editor.h"
#include "core/editing/editor_test_door.h"
#include "core/editing/image_import.h"
#include "core/formats/picture_file.h"
#include "core/formats/skin_file.h"
#include "core/imaging/bitmap_import.h"
#include "core/platform/safe_file.h"
#include "temp_folder.h"
#include "test_models.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;

using testing::TempFolder;

Skin OneIconSkin() {
  Skin skin;
  skin.Append(testing::MakeIcon(7, 1, 2, 2, 2, {0, 1, 2, 3}));
  return skin;
}

using Command = std::function<void(Editor&)>;
const std::vector<std::pair<DiscardingCommand, Command>>& Commands() {
  static const std::vector<std::pair<DiscardingCommand, Command>> commands = {
      {DiscardingCommand::NewPicture, [](Editor& e) { e.NewPicture(true, 4, 3); }},
      {DiscardingCommand::ClearImage, [](Editor& e) { e.ClearPicture(); }},
      {DiscardingCommand::OpenPicture,
       [](Editor& e) {
         OpenPictureRecord(e, PictureRecord{"opened", 2, 2, std::vector(4, PixelCode::White)});
       }},
      {DiscardingCommand::ImportImage,
       [](Editor& e) {
         BitmapImport import;
         import.OpenImage(RgbImage{3, 2, std::vector(6, Rgb{255, 255, 255}), {}});
         AcceptImport(import, e);
       }},
      {DiscardingCommand::OpenSkin, [](Editor& e) { OpenSkinIntoEditor(e, OneIconSkin(), "s"); }},
      {DiscardingCommand::NewSkin,
       [](Editor& e) { StartNewSkin(e, testing::MakeIcon(9, 1, 1, 2, 2, {})); }},
      {DiscardingCommand::ImportFont,
       [](Editor& e) { OpenFontSkinIntoEditor(e, OneIconSkin(), "Tiny"); }},
      {DiscardingCommand::Exit,
       [](Editor& e) { (void)e.KeepBeforeDiscard(DiscardingCommand::Exit); }},
  };
  return commands;
}

// A started editor that keeps into a store in a temporary folder; work that
// cannot be filed is asked about and answered with `go_on`.
struct Kept {
  explicit Kept(fs::path folder)
      : store(std::move(folder), {}),
        keeper(
            store,
            [this] {
              const std::string ms = std::to_string(100 + ++tick);
              return HistoryTime{"20261208-103700-" + ms, "now"};
            },
            [this](const std::string& message) { failures.push_back(message); },
            [this](DiscardingCommand command, DocumentKind kind, const std::string& reason) {
              questions.push_back(std::string(CommandText(command)) + ":" +
                                  std::string(DocumentWord(kind)) + ": " + reason);
              return go_on;
            }) {
    editor.Start();
    editor.SetKeeper(&keeper);
    editor.SetPictureName("work");
  }
  void Draw(int x, int y) {
    editor.MouseDown(MouseButton::Left, (x - 1) * 5 + 2, (y - 1) * 5 + 2);
    editor.MouseUp(MouseButton::Left, (x - 1) * 5 + 2, (y - 1) * 5 + 2);
  }
  // "command:kind" of every entry, oldest first.
  std::string Filed() const {
    std::string out;
    const auto entries = store.List();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
      out += it->record.command + (it->kind == DocumentKind::Skin ? ":skin " : ":ptv ");
    }
    return out;
  }

  int tick = 0;
  bool go_on = false;
  HistoryStore store;
  HistoryKeeper keeper;
  Editor editor;
  std::vector<std::string> failures;
  std::vector<std::string> questions;
};

enum class Before { Saved, Drawn, SkinOpened, SkinDrawn, SkinLeftDrawn };

void Prepare(Kept& k, Before before) {
  if (before != Before::Saved && before != Before::Drawn) {
    OpenSkinIntoEditor(k.editor, OneIconSkin(), "work");
    k.editor.MarkSaved();
  }
  if (before == Before::Drawn || before == Before::SkinDrawn || before == Before::SkinLeftDrawn) {
    k.Draw(1, 1);
  }
  if (before == Before::SkinLeftDrawn) k.editor.LeaveSkinMode();
  k.editor.MarkFiled();  // what preparing did is not under test
  for (const HistoryEntry& entry : k.store.List()) (void)k.store.Remove(entry);
  if (before == Before::Drawn || before == Before::SkinDrawn) k.Draw(2, 1);
  if (before == Before::SkinLeftDrawn) {
    // The skin left behind is still unsaved, and the picture changes too.
    EditorTestDoor::MutableState(k.editor).Document.SkinUnsaved = true;
    k.Draw(2, 1);
  }
}

TEST(History, EveryCommandKeepsExactlyWhatItDiscards) {
  struct Row {
    Before before;
    const char* filed_by_picture_commands;
    const char* filed_by_skin_commands;
  };
  const Row rows[] = {
      {Before::Saved, "", ""},
      {Before::Drawn, ":ptv ", ":ptv "},
      {Before::SkinOpened, "", ""},
      {Before::SkinDrawn, ":skin ", ":skin "},
      {Before::SkinLeftDrawn, ":ptv ", ":ptv :skin "},
  };
  for (const Row& row : rows) {
    for (const auto& [command, run] : Commands()) {
      TempFolder folder;
      Kept k(folder.path / "history");
      Prepare(k, row.before);
      const std::string where = std::string(CommandText(command)) + " after case " +
                                std::to_string(static_cast<int>(row.before));
      const Picture picture = k.editor.State().Document.Picture;
      // Kept once: the command's own discard after this keeps nothing more.
      ASSERT_TRUE(k.editor.KeepBeforeDiscard(command));
      run(k.editor);
      std::string expected;
      const std::string text =
          DiscardsSkin(command) ? row.filed_by_skin_commands : row.filed_by_picture_commands;
      for (std::size_t at = 0; at < text.size();) {
        const std::size_t colon = text.find(':', at);
        expected += std::string(CommandText(command));
        at = colon;
        const std::size_t end = text.find(' ', at) + 1;
        expected += text.substr(at, end - at);
        at = end;
      }
      EXPECT_EQ(k.Filed(), expected) << where;
      EXPECT_TRUE(k.failures.empty()) << where;
      EXPECT_TRUE(k.questions.empty()) << where;
      // A kept picture is the one shown before, under its name.
      const auto entries = k.store.List();
      if (!entries.empty() && entries.back().kind == DocumentKind::Picture) {
        const auto bytes = k.store.Read(entries.back());
        ASSERT_TRUE(bytes.has_value()) << where;
        EXPECT_EQ(*bytes, WritePictureFile(ViewOf(picture), "work")) << where;
        EXPECT_EQ(entries.back().record.name, "work") << where;
      }
    }
  }
}

// The question names the command, the kind and the reason. Let go, the
// command ends as it does without a history; kept, nothing changes.
TEST(History, WorkThatCannotBeKeptIsAskedAboutAndStaysUnlessLetGo) {
  for (const bool go_on : {true, false}) {
    for (const auto& [command, run] : Commands()) {
      TempFolder folder;
      // The store's folder cannot be made: a file stands where it would go.
      ASSERT_TRUE(WriteFileAtomically(folder.path / "blocked", std::string_view("x")).has_value());
      Kept failing(folder.path / "blocked" / "history");
      failing.go_on = go_on;
      Editor plain;
      plain.Start();
      plain.SetPictureName("work");
      for (Editor* e : {&failing.editor, &plain}) {
        e->MouseDown(MouseButton::Left, 2, 2);
        e->MouseUp(MouseButton::Left, 2, 2);
      }
      const Picture picture = failing.editor.State().Document.Picture;
      const std::string name = failing.editor.State().Document.Name;
      const Skin skin = failing.editor.Skin();
      run(plain);
      run(failing.editor);
      const std::string where = std::string(CommandText(command)) + (go_on ? " let go" : " kept");
      EXPECT_EQ(failing.questions,
                std::vector<std::string>{std::string(CommandText(command)) + ":picture: " +
                                         (folder.path / "blocked").string() + ": Not a directory"})
          << where;
      const Editor& now = failing.editor;
      EXPECT_TRUE(now.State().Document.Picture ==
                  (go_on ? plain.State().Document.Picture : picture))
          << where;
      EXPECT_EQ(now.State().Document.Name, go_on ? plain.State().Document.Name : name) << where;
      EXPECT_TRUE(now.Skin() == (go_on ? plain.Skin() : skin)) << where;
      EXPECT_EQ(now.State().Document.SkinMode, go_on && plain.State().Document.SkinMode) << where;
      EXPECT_EQ(now.HasUnsavedChanges(), go_on ? plain.HasUnsavedChanges() : true) << where;
      EXPECT_TRUE(go_on || now.HoldsUnkeptWork()) << where;
    }
  }
}

}  // namespace
}  // namespace pictavo
