// The local history: which commands keep what they discard, the store's
// bounds and records, the recovery file, and failures that change nothing.
#include <gtest/gtest.h>

#include <stdlib.h>

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
#include "test_models.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;

struct TempFolder {
  TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "pictavo-history-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
  fs::path path;
};

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
      {DiscardingCommand::Exit, [](Editor& e) { e.KeepBeforeDiscard(DiscardingCommand::Exit); }},
  };
  return commands;
}

// A started editor that keeps into a store in a temporary folder.
struct Kept {
  explicit Kept(fs::path folder)
      : store(std::move(folder), {}),
        keeper(
            store,
            [this] {
              return HistoryTime{"20261208-1037" + std::to_string(++tick), "now"};
            },
            [this](const std::string& message) { failures.push_back(message); }) {
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
  HistoryStore store;
  HistoryKeeper keeper;
  Editor editor;
  std::vector<std::string> failures;
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
  k.store.RemoveRecovery();
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
      k.editor.KeepBeforeDiscard(command);
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

TEST(History, AFailureToKeepChangesNoCommandsOutcome) {
  for (const auto& [command, run] : Commands()) {
    TempFolder folder;
    // The store's folder cannot be made: a file stands where it would go.
    ASSERT_TRUE(WriteFileAtomically(folder.path / "blocked", std::string_view("x")).has_value());
    Kept failing(folder.path / "blocked" / "history");
    Editor plain;
    plain.Start();
    plain.SetPictureName("work");
    for (Editor* e : {&failing.editor, &plain}) {
      e->MouseDown(MouseButton::Left, 2, 2);
      e->MouseUp(MouseButton::Left, 2, 2);
      run(*e);
    }
    const std::string where(CommandText(command));
    EXPECT_EQ(failing.failures.size(), 1u) << where;
    EXPECT_TRUE(failing.editor.State().Document.Picture == plain.State().Document.Picture) << where;
    EXPECT_EQ(failing.editor.State().Document.Name, plain.State().Document.Name) << where;
    EXPECT_EQ(failing.editor.State().Document.SkinMode, plain.State().Document.SkinMode) << where;
    EXPECT_TRUE(failing.editor.Skin() == plain.Skin()) << where;
    EXPECT_EQ(failing.editor.HasUnsavedChanges(), plain.HasUnsavedChanges()) << where;
  }
}

TEST(HistoryStore, KeepsTheNewestWithinBothBounds) {
  TempFolder folder;
  const FiledDocument small{DocumentKind::Picture, std::vector<std::uint8_t>(100, 1)};
  const FiledDocument large{DocumentKind::Skin, std::vector<std::uint8_t>(1000, 2)};
  HistoryStore by_count(folder.path / "count", {3, 1 << 20});
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(by_count.File(small, {"t", "c" + std::to_string(i), "n", ""}, "s").has_value());
  }
  std::vector<std::string> ids;
  for (const HistoryEntry& e : by_count.List()) ids.push_back(e.id + " " + e.record.command);
  EXPECT_EQ(ids, (std::vector<std::string>{"s-04 c4", "s-03 c3", "s-02 c2"}));

  HistoryStore by_size(folder.path / "size", {100, 2500});
  for (int i = 0; i < 4; ++i) ASSERT_TRUE(by_size.File(large, {}, std::to_string(i)).has_value());
  ASSERT_EQ(by_size.List().size(), 2u);
  EXPECT_EQ(by_size.List()[0].id, "3-00");
  // The newest entry is kept even when it alone is beyond the bound.
  HistoryStore tiny(folder.path / "tiny", {100, 10});
  ASSERT_TRUE(tiny.File(large, {}, "a").has_value());
  ASSERT_TRUE(tiny.File(large, {}, "b").has_value());
  ASSERT_EQ(tiny.List().size(), 1u);
  EXPECT_EQ(tiny.List()[0].id, "b-00");
  ASSERT_TRUE(tiny.Remove(tiny.List()[0]).has_value());
  EXPECT_TRUE(tiny.List().empty());
  EXPECT_FALSE(fs::exists(folder.path / "tiny" / "b-00.record"));
}

TEST(HistoryStore, RecoveryFileBecomesAnEntryOnce) {
  TempFolder folder;
  HistoryStore store(folder.path);
  const HistoryRecord record{"10:37", "Unsaved work", "two\nlines\\ and \r", "/x/a.skin"};
  EXPECT_EQ(ReadHistoryRecord(WriteHistoryRecord(record)), record);
  ASSERT_TRUE(store.WriteRecovery({DocumentKind::Picture, {1, 2}}, record).has_value());
  ASSERT_TRUE(store.WriteRecovery({DocumentKind::Skin, {3, 4, 5}}, record).has_value());
  EXPECT_TRUE(store.List().empty());  // the recovery file is no entry
  ASSERT_EQ(store.FileLeftRecovery("Unexpected end", "z"), true);
  const auto entries = store.List();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].kind, DocumentKind::Skin);
  EXPECT_EQ(*store.Read(entries[0]), (std::vector<std::uint8_t>{3, 4, 5}));
  EXPECT_EQ(entries[0].record,
            (HistoryRecord{"10:37", "Unexpected end", "two\nlines\\ and \r", "/x/a.skin"}));
  EXPECT_EQ(store.FileLeftRecovery("Unexpected end", "z"), false);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);
}

}  // namespace
}  // namespace pictavo
