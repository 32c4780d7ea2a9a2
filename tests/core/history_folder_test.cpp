// The history's folder as a user's machine leaves it: files the program did
// not write, entries too large to be its own, links, windows running side by
// side or killed, a disk that fills up. What the program wrote is never lost.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/documents/history_store.h"
#include "core/documents/recovery_file.h"
#include "temp_folder.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

const std::string Head = "Pictavo history record 1\n";
constexpr std::uintmax_t MiB = std::uintmax_t{1} << 20;

void Put(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
std::string Get(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
// A file of `size` bytes that takes no room on the disk.
void Sparse(const fs::path& path, std::uintmax_t size) {
  Put(path, "");
  fs::resize_file(path, size);
}

FiledDocument Document(DocumentKind kind, const std::string& text) {
  return {kind, std::vector<std::uint8_t>(text.begin(), text.end())};
}
FiledDocument Picture(std::size_t size) {
  return Document(DocumentKind::Picture, std::string(size, 'p'));
}

std::string Ids(const HistoryStore& store) {
  std::string ids;
  for (const HistoryEntry& entry : store.List()) ids += entry.id.substr(0, 8) + " ";
  return ids;
}

// Every file of the folder with its size.
std::map<std::string, std::uintmax_t> Files(const fs::path& folder) {
  std::map<std::string, std::uintmax_t> files;
  for (const auto& file : fs::directory_iterator(folder)) {
    files[file.path().filename().string()] = file.is_symlink() ? 0 : fs::file_size(file.path());
  }
  return files;
}

TEST(HistoryStore, ListsCountsAndTrimsOnlyItsOwnEntries) {
  TempFolder temp;
  const fs::path folder = temp.path / "history";
  HistoryStore store(folder, {3, MiB});
  for (const char* day : {"20260101", "20260102", "20260103"}) {
    ASSERT_TRUE(store.File(Picture(10), {"t", "c", "n", ""}, std::string(day) + "-000000-000"));
  }
  // Beside them, what the store did not write or cannot read back: a name it
  // never makes, a record without its first line, a document and a record too
  // large, a link, two documents for one record, a file where the next
  // filing would go.
  const fs::path outside = temp.path / "mine.ptv";
  Put(outside, "the user's picture");
  const std::string later = "20990101-000000-000-0";
  for (const char* name : {"zz-01.ptv", "zz-01.record", "20261208-000000-000-00.ptv"}) {
    Put(folder / name, Head);
  }
  for (const char* name :
       {"0.ptv", "1.record", "2.ptv", "3.record", "4.ptv", "4.skin", "4.record"}) {
    Put(folder / (later + name), Head);
  }
  Put(folder / (later + "0.record"), "time=1\n");
  Sparse(folder / (later + "1.ptv"), 65 * MiB);
  Sparse(folder / (later + "2.record"), 1024 * MiB);
  fs::create_symlink(outside, folder / (later + "3.ptv"));
  const auto planted = Files(folder);

  EXPECT_EQ(Ids(store), "20260103 20260102 20260101 ");
  ASSERT_TRUE(store.File(Picture(10), {}, "20261208-000000-000"));
  EXPECT_EQ(Ids(store), "20261208 20260103 20260102 ");
  // Only the oldest of its own went; all else is as it was.
  auto now = Files(folder);
  auto expected = planted;
  for (const char* extension : {".ptv", ".record"}) {
    now.erase(std::string("20261208-000000-000-01") + extension);
    expected.erase(std::string("20260101-000000-000-00") + extension);
  }
  EXPECT_EQ(now, expected);
  EXPECT_EQ(Get(outside), "the user's picture");

  const HistoryRecord record{"10:37", "Exit", "two\nlines\\ and \r", "/x/a.skin"};
  EXPECT_EQ(ReadHistoryRecord(WriteHistoryRecord(record)), record);
}

TEST(HistoryStore, TrimKeepsTheEntryJustFiledAndCountsARemovedEntryOnce) {
  TempFolder temp;
  const fs::path folder = temp.path / "history";
  const HistoryRecord record{};
  const std::uintmax_t record_size = WriteHistoryRecord(record).size();
  HistoryStore roomy(folder, {100, MiB});
  ASSERT_TRUE(roomy.File(Picture(500), record, "20260101-000000-000"));
  ASSERT_TRUE(roomy.File(Picture(1500), record, "20260102-000000-000"));
  // Dated after every filing: counted, yet never before the entry just filed.
  ASSERT_TRUE(roomy.File(Picture(100), record, "20990101-000000-000"));
  HistoryStore tight(folder, {3, 1100 + 3 * record_size});
  ASSERT_TRUE(tight.File(Picture(500), record, "20261208-000000-000"));
  // The 1500 bytes do not fit; once removed they count no more, and the
  // oldest fills the bounds exactly.
  EXPECT_EQ(Ids(tight), "20990101 20261208 20260101 ");

  // An entry larger than the bounds is refused, never cut, and removes nothing.
  EXPECT_EQ(tight.File(Picture(2000), record, "20261209-000000-000").error().message,
            "the picture takes " + std::to_string(2000 + record_size) + " bytes, more than the " +
                std::to_string(1100 + 3 * record_size) + " bytes the history holds");
  EXPECT_EQ(Ids(tight), "20990101 20261208 20260101 ");
  // Read whole or not at all: one grown past the bounds since it was listed.
  const HistoryEntry entry = tight.List().back();
  fs::resize_file(entry.document, 2 * MiB);
  EXPECT_EQ(tight.Read(entry).error().message,
            "Larger than " + std::to_string(1100 + 3 * record_size) + " bytes");
  // An entry of exactly the bounds is filed, and then alone.
  ASSERT_TRUE(tight.File(Picture(1100 + 2 * record_size), record, "20261210-000000-000"));
  EXPECT_EQ(Ids(tight), "20261210 ");
}

// The bounds the window and the command line keep, given by no one.
TEST(HistoryStore, KeepsTheNewestHundredEntriesAnd64MiBByDefault) {
  TempFolder temp;
  HistoryStore store(temp.path / "history");
  const HistoryRecord record{};
  for (int i = 100; i <= 200; ++i) {
    ASSERT_TRUE(store.File(Picture(1), record, "20260101-000000-" + std::to_string(i)));
  }
  const std::vector<HistoryEntry> kept = store.List();
  ASSERT_EQ(kept.size(), 100u);
  EXPECT_EQ(kept.back().id.substr(0, 19), "20260101-000000-101");
  const std::size_t record_size = WriteHistoryRecord(record).size();
  EXPECT_EQ(store.File(Picture(64 * MiB - record_size + 1), record, "20260102-000000-000")
                .error()
                .message,
            "the picture takes 67108865 bytes, more than the 64 MiB the history holds");
}

TEST(RecoveryFile, EachWindowOwnsItsOwnUntilItEnds) {
  TempFolder temp;
  const fs::path folder = temp.path / "history";
  HistoryStore store(folder);
  auto first = std::make_unique<RecoveryFile>(store);
  RecoveryFile second(store);
  const HistoryRecord record{"10:37", "Unsaved work", "one", "/x/a.ptv"};
  ASSERT_TRUE(first->Write(Document(DocumentKind::Picture, "first"), record));
  ASSERT_TRUE(second.Write(Document(DocumentKind::Skin, "second"), {}));
  ASSERT_NE(first->Name(), second.Name());
  const auto both = Files(folder);
  EXPECT_EQ(both.size(), 6u);  // each window's document, record and lock

  // A start while both run files neither.
  LeftRecovery left = FileLeftRecovery(store, "Unexpected end", "20261208-000000-000");
  EXPECT_EQ(left.filed, 0);
  EXPECT_EQ(Files(folder), both);
  // The second ends with Exit: its files go, the first's stay.
  second.Release();
  EXPECT_EQ(Files(folder).size(), 3u);
  EXPECT_EQ(Get(folder / (first->Name() + ".ptv")), "first");
  // The first is killed: its lock dies with it, its work is filed at the next
  // start; so is an older version's, which has no lock. One too large to be a
  // window's work is read whole or not at all, and left as it is.
  first.reset();
  Put(folder / "recovery.ptv", "old");
  Put(folder / "recovery.record", Head + "name=n\n");
  Sparse(folder / "recovery-7.ptv", 65 * MiB);
  left = FileLeftRecovery(store, "Unexpected end", "20261208-000000-000");
  EXPECT_EQ(left.filed, 2);
  EXPECT_EQ(left.failure->message, (folder / "recovery-7.ptv").string() + ": Larger than 64 MiB");
  const auto entries = store.List();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(*store.Read(entries[0]), Document(DocumentKind::Picture, "first").bytes);
  EXPECT_EQ(entries[0].record, (HistoryRecord{"10:37", "Unexpected end", "one", "/x/a.ptv"}));
  EXPECT_EQ(entries[1].record.name, "n");
  EXPECT_EQ(Files(folder).size(), 5u);  // the two entries and the file too large
  EXPECT_EQ(FileLeftRecovery(store, "Unexpected end", "20261208-000000-001").filed, 0);
}

TEST(RecoveryFile, WritesStayInTheProgramsOwnFolder) {
  TempFolder temp;
  const fs::path folder = temp.path / "history";
  bool disk_full = false;
  HistoryStore store(folder, {}, [&disk_full](int fd, const void* data, std::size_t size) {
    if (!disk_full) return ::write(fd, data, size);
    errno = ENOSPC;
    return ssize_t{-1};
  });
  RecoveryFile file(store);
  const auto mode = [&folder] { return fs::status(folder).permissions() & fs::perms::all; };
  ASSERT_TRUE(file.Write(Document(DocumentKind::Picture, "A"), {}));
  EXPECT_EQ(mode(), fs::perms::owner_all);
  const fs::path document = folder / (file.Name() + ".ptv");

  // A link put in the recovery file's place is replaced, its target untouched.
  const fs::path outside = temp.path / "mine.ptv";
  Put(outside, "the user's picture");
  fs::remove(document);
  fs::create_symlink(outside, document);
  ASSERT_TRUE(file.Write(Document(DocumentKind::Picture, "B"), {}));
  EXPECT_EQ(Get(outside), "the user's picture");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(document)));

  // A full disk: the write fails, the last work written stays whole.
  disk_full = true;
  const auto before = Files(folder);
  EXPECT_EQ(file.Write(Document(DocumentKind::Picture, "C"), {}).error().message,
            document.string() + ": No space left on device");
  EXPECT_EQ(Files(folder), before);
  EXPECT_EQ(Get(document), "B");
  disk_full = false;

  // Access an older version gave others is taken back.
  fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
  ASSERT_TRUE(file.Write(Document(DocumentKind::Picture, "D"), {}));
  EXPECT_EQ(mode(), fs::perms::owner_all);
  // A link in the folder's place: nothing is written through it.
  fs::rename(folder, temp.path / "moved");
  fs::create_directory_symlink(temp.path / "moved", folder);
  EXPECT_EQ(file.Write(Document(DocumentKind::Picture, "E"), {}).error().message,
            folder.string() + ": Is a symbolic link");
  EXPECT_EQ(Get(temp.path / "moved" / document.filename()), "D");
}

}  // namespace
}  // namespace pictavo
