#include "cli/file_set.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "cli/cli_support.h"
#include "core/platform/safe_file.h"

namespace pictavo::cli {

namespace fs = std::filesystem;

namespace {

// Removes the hidden folder and whatever is still in it, on every way out.
class StagingFolder {
 public:
  explicit StagingFolder(const fs::path& folder) {
    std::string name = (folder / ".pictavo-extract-XXXXXX").string();
    if (::mkdtemp(name.data()) != nullptr)
      path_ = name;
    else
      error_ = errno;
  }
  ~StagingFolder() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  StagingFolder(const StagingFolder&) = delete;
  StagingFolder& operator=(const StagingFolder&) = delete;

  const fs::path& Path() const { return path_; }
  int Error() const { return error_; }

 private:
  fs::path path_;
  int error_ = 0;
};

// Where a target's bytes go: the file a link leads to, or the target itself.
// Refused: an existing target that is not a regular file, or one on another
// file system than the folder, where no rename could move it in.
bool Destination(const fs::path& target, dev_t device, fs::path& destination, QString& reason) {
  struct stat status {};
  if (::lstat(target.c_str(), &status) != 0) {
    if (errno != ENOENT) return reason = QString::fromLocal8Bit(std::strerror(errno)), false;
    destination = target;
    return true;
  }
  std::error_code error;
  destination = S_ISLNK(status.st_mode) ? fs::canonical(target, error) : target;
  if (error) return reason = QString::fromLocal8Bit(error.message().c_str()), false;
  if (auto regular = RequireRegularFile(destination); !regular) {
    return reason = ReasonText(regular.error().message), false;
  }
  if (::stat(destination.c_str(), &status) != 0 || status.st_dev != device) {
    return reason = QStringLiteral("leads to another file system"), false;
  }
  return true;
}

}  // namespace

bool WriteFileSet(const fs::path& folder, const std::vector<NamedFile>& files) {
  const QString unchanged = QStringLiteral("; no file in %1 was changed").arg(DisplayPath(folder));
  struct stat folder_status {};
  if (::stat(folder.c_str(), &folder_status) != 0) {
    Refuse(DisplayPath(folder), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
  }
  std::vector<fs::path> destinations(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    QString reason;
    if (!Destination(folder / files[i].name, folder_status.st_dev, destinations[i], reason)) {
      Refuse(DisplayPath(folder / files[i].name),
             QStringLiteral("cannot be replaced: %1%2").arg(reason, unchanged));
      return false;
    }
  }
  const StagingFolder staging(folder);
  if (staging.Path().empty()) {
    Refuse(DisplayPath(folder),
           QStringLiteral("could not write: %1%2")
               .arg(QString::fromLocal8Bit(std::strerror(staging.Error())), unchanged));
    return false;
  }
  for (const NamedFile& file : files) {
    const auto written = WriteFileAtomically(staging.Path() / file.name, file.bytes);
    if (!written) {
      Refuse(DisplayPath(folder / file.name),
             QStringLiteral("could not write: %1%2")
                 .arg(ReasonText(written.error().message), unchanged));
      return false;
    }
  }
  // Every file is on disk: each move is a rename within one file system.
  for (std::size_t i = 0; i < files.size(); ++i) {
    const fs::path staged = staging.Path() / files[i].name;
    std::error_code error;
    const fs::perms kept = fs::status(destinations[i], error).permissions();
    if (!error) fs::permissions(staged, kept, error);
    if (::rename(staged.c_str(), destinations[i].c_str()) != 0) {
      Refuse(DisplayPath(destinations[i]),
             QStringLiteral("could not be moved into place: %1; %2 of the %3 files were replaced")
                 .arg(QString::fromLocal8Bit(std::strerror(errno)))
                 .arg(i)
                 .arg(files.size()));
      return false;
    }
  }
  return true;
}

}  // namespace pictavo::cli
