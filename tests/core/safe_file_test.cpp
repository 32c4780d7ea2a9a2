#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/platform/safe_file.h"
#include "device_node.h"

namespace pictavo {
namespace {

namespace fs = std::filesystem;

// The reason of a result that must be a refusal; a success fails the test
// instead of reading a reason that is not there.
template <class T>
std::string ReasonOf(const expected<T, Error>& result) {
  if (result.has_value()) {
    ADD_FAILURE() << "succeeded where a refusal was expected";
    return "(succeeded)";
  }
  return result.error().message;
}

class SafeFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "pictavo-safe-file-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  static std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void WritePlain(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path folder_;
};

// A write that stores at most `limit` bytes in all and then fails as a full
// disk does.
WriteCall FailAfter(std::size_t limit) {
  auto written = std::make_shared<std::size_t>(0);
  return [written, limit](int fd, const void* data, std::size_t size) -> ssize_t {
    if (*written >= limit) {
      errno = ENOSPC;
      return -1;
    }
    const ssize_t result = ::write(fd, data, std::min(size, limit - *written));
    if (result > 0) *written += static_cast<std::size_t>(result);
    return result;
  };
}

// Stores at most 3 bytes per call, as a slow pipe or a signal can cause.
ssize_t ShortWrite(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, std::min<std::size_t>(size, 3));
}

const std::string Listing = "/*Created by DravikPictavo */\r\nicon: \r\n.byte 3,2\r\n";

TEST_F(SafeFileTest, WriteCreatesFileWithExactBytes) {
  const fs::path path = folder_ / "out.s";
  const std::string bytes = std::string("a\r\nb\0c\n", 7);
  ASSERT_TRUE(WriteFileAtomically(path, bytes).has_value());
  EXPECT_EQ(ReadAll(path), bytes);
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.s"});
}

TEST_F(SafeFileTest, WriteReplacesLongerOldContent) {
  const fs::path path = folder_ / "out.s";
  WritePlain(path, std::string(500, 'x'));
  ASSERT_TRUE(WriteFileAtomically(path, Listing).has_value());
  EXPECT_EQ(ReadAll(path), Listing);
}

TEST_F(SafeFileTest, WriteGoesOnAfterShortWrites) {
  const fs::path path = folder_ / "out.s";
  ASSERT_TRUE(WriteFileAtomically(path, Listing, ShortWrite).has_value());
  EXPECT_EQ(ReadAll(path), Listing);
}

TEST_F(SafeFileTest, FailedReplaceKeepsOldFileAndLeavesNoTemporary) {
  const fs::path path = folder_ / "out.s";
  WritePlain(path, "old content\r\n");
  const auto result = WriteFileAtomically(path, Listing, FailAfter(10));
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(ENOSPC));
  EXPECT_EQ(ReadAll(path), "old content\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.s"});
}

TEST_F(SafeFileTest, FailedFirstWriteCreatesNothing) {
  const fs::path path = folder_ / "new.s";
  ASSERT_FALSE(WriteFileAtomically(path, Listing, FailAfter(0)).has_value());
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFileTest, WriteIntoMissingFolderFailsWithReason) {
  const fs::path path = folder_ / "missing" / "out.s";
  const auto result = WriteFileAtomically(path, Listing);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(ENOENT));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFileTest, WriteOntoFolderFailsCleanly) {
  const fs::path path = folder_ / "sub";
  fs::create_directory(path);
  WritePlain(path / "inside.txt", "keep");
  const auto result = WriteFileAtomically(path, Listing);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(EISDIR));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(ReadAll(path / "inside.txt"), "keep");
  EXPECT_EQ(Entries(), std::vector<std::string>{"sub"});
}

TEST_F(SafeFileTest, ReplaceKeepsPermissions) {
  const fs::path path = folder_ / "out.s";
  WritePlain(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, Listing).has_value());
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(SafeFileTest, ReplaceThroughLinkUpdatesTargetAndKeepsLink) {
  const fs::path target = folder_ / "real.s";
  const fs::path link = folder_ / "link.s";
  WritePlain(target, "old");
  fs::create_symlink("real.s", link);
  ASSERT_TRUE(WriteFileAtomically(link, Listing).has_value());
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(ReadAll(target), Listing);
}

TEST_F(SafeFileTest, AppendCreatesMissingFile) {
  const fs::path path = folder_ / "lib.h";
  ASSERT_TRUE(AppendToFile(path, Listing).has_value());
  EXPECT_EQ(ReadAll(path), Listing);
}

TEST_F(SafeFileTest, AppendTwiceGivesBothTextsInOrder) {
  const fs::path path = folder_ / "lib.h";
  WritePlain(path, "first\r\n");
  ASSERT_TRUE(AppendToFile(path, Listing).has_value());
  ASSERT_TRUE(AppendToFile(path, std::string("second\r\n")).has_value());
  EXPECT_EQ(ReadAll(path), "first\r\n" + Listing + "second\r\n");
}

TEST_F(SafeFileTest, PartWayAppendFailureCutsBackToOldLength) {
  const fs::path path = folder_ / "lib.h";
  WritePlain(path, "first\r\n");
  const auto result = AppendToFile(path, Listing, FailAfter(12));
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(ENOSPC));
  EXPECT_EQ(ReadAll(path), "first\r\n");
  EXPECT_EQ(fs::file_size(path), 7u);
}

TEST_F(SafeFileTest, FailedAppendToNewFileLeavesNoFile) {
  const fs::path path = folder_ / "lib.h";
  ASSERT_FALSE(AppendToFile(path, Listing, FailAfter(5)).has_value());
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFileTest, AppendIntoMissingFolderFailsWithReason) {
  const auto result = AppendToFile(folder_ / "missing" / "lib.h", Listing);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(ENOENT));
  EXPECT_TRUE(Entries().empty());
}

TEST_F(SafeFileTest, AppendOntoFolderFailsCleanly) {
  const fs::path path = folder_ / "sub";
  fs::create_directory(path);
  const auto result = AppendToFile(path, Listing);
  ASSERT_FALSE(result.has_value());
  EXPECT_EQ(result.error().message, std::strerror(EISDIR));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_TRUE(fs::is_empty(path));
  EXPECT_EQ(Entries(), std::vector<std::string>{"sub"});
}

TEST_F(SafeFileTest, ReadGivesTheFileStartUpToTheLimit) {
  const fs::path path = folder_ / "pic.ptv";
  const std::string bytes = std::string("ab\0\r\ncd", 7);
  WritePlain(path, bytes);
  const auto whole = ReadRegularFile(path, 100);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(std::string(whole->begin(), whole->end()), bytes);
  const auto start = ReadRegularFile(path, 3);
  ASSERT_TRUE(start.has_value());
  EXPECT_EQ(std::string(start->begin(), start->end()), bytes.substr(0, 3));

  // Larger than one read part, and followed through a link.
  const std::string big(200000, 'q');
  WritePlain(folder_ / "big", big);
  fs::create_symlink("big", folder_ / "big.link");
  const auto large = ReadRegularFile(folder_ / "big.link", 1u << 20);
  ASSERT_TRUE(large.has_value());
  EXPECT_EQ(large->size(), big.size());
}

TEST_F(SafeFileTest, ReadRefusesWhatIsNoFileWithItsReason) {
  fs::create_directory(folder_ / "sub");
  EXPECT_EQ(ReasonOf(ReadRegularFile(folder_ / "missing", 10)), std::strerror(ENOENT));
  EXPECT_EQ(ReasonOf(ReadRegularFile(folder_ / "sub", 10)), std::strerror(EISDIR));
}

// A named pipe and a device in the test's folder, and a link to the device: a
// read or an append that opened either would wait or act, a save that renamed
// over either would replace it with a file. Each is refused before anything
// is opened, so a blocking open would hang this test rather than pass it.
TEST_F(SafeFileTest, SpecialFilesAreRefusedAndLeftAsTheyAre) {
  const fs::path pipe = folder_ / "pipe.ptv";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const fs::path device = folder_ / "device.s";
  const std::string no_device = testing::MakeDeviceNode(device.string());
  const fs::path link = folder_ / "link.s";
  if (no_device.empty()) fs::create_symlink("device.s", link);

  const struct {
    fs::path path;
    const char* reason;
  } cases[] = {{pipe, "Is a named pipe, not a regular file"},
               {device, "Is a character device, not a regular file"},
               {link, "Is a character device, not a regular file"}};
  for (const auto& c : cases) {
    if (c.path != pipe && !no_device.empty()) continue;
    SCOPED_TRACE(c.path.string());
    EXPECT_EQ(ReasonOf(RequireRegularFile(c.path)), c.reason);
    EXPECT_EQ(ReasonOf(ReadRegularFile(c.path, 10)), c.reason);
    EXPECT_EQ(ReasonOf(WriteFileAtomically(c.path, Listing)), c.reason);
    EXPECT_EQ(ReasonOf(AppendToFile(c.path, Listing)), c.reason);
  }
  EXPECT_TRUE(fs::is_fifo(pipe));
  if (!no_device.empty()) GTEST_SKIP() << no_device;
  EXPECT_TRUE(fs::is_character_file(fs::symlink_status(device)));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"device.s", "link.s", "pipe.ptv"}));
}

// For the program's own files: whole or nothing, never through a link (the
// history's tests show the replacing of a link).
TEST_F(SafeFileTest, OwnFilesAreReadWholeAndNeverThroughALink) {
  const fs::path file = folder_ / "a.ptv";
  WritePlain(file, "12345");
  fs::create_symlink("a.ptv", folder_ / "link.ptv");
  EXPECT_EQ(ReadWholeFile(file, 5).value(), (std::vector<std::uint8_t>{'1', '2', '3', '4', '5'}));
  EXPECT_EQ(ReasonOf(ReadWholeFile(file, 4)), "Larger than 4 bytes");
  EXPECT_EQ(ReasonOf(ReadWholeFile(folder_ / "link.ptv", 5)), "Is a symbolic link");
  EXPECT_EQ(ReasonOf(ReplaceFileNoFollow(folder_, {})), std::strerror(EISDIR));
}

}  // namespace
}  // namespace pictavo
