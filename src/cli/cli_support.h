#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include "core/model/error.h"
#include "core/model/expected.h"
#include "qt_support/core_bridge.h"

namespace pictavo::cli {

// Exit statuses: success, an input or output refused, the command line wrong.
inline constexpr int ExitOk = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

// "pictavo-cli: <path>: <reason>" on standard error; returns ExitRefused.
int Refuse(const QString& path, const std::string& reason);
int Refuse(const QString& path, const QString& reason);
// "pictavo-cli: <text>" and a pointer to the command's help; returns ExitUsage.
int UsageError(const QString& command, const QString& text);
// A warning that does not change the exit status.
void Warn(const QString& path, const QString& text);

// Parses one command's arguments (program name first, then the command's
// own). Returns an exit status when the command is done: its help was
// printed (0) or the command line is wrong (2). `synopsis` is the usage line.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QString& command, const QString& synopsis,
                                    const QString& description);

// LocalPath's way back, for naming a file the core's paths lead to.
QString DisplayPath(const std::filesystem::path& path);

// Where a command's output goes: standard output, a file that is replaced
// whole, or the end of a file that keeps what it holds. A path naming an
// existing character device or named pipe (-o /dev/null, a FIFO), or the file
// standard output goes to, is written into as it is, never replaced.
struct OutputTarget {
  enum class Kind { StandardOutput, Replace, Append };
  Kind kind = Kind::StandardOutput;
  QString path;
  // Bytes no terminal shows: refused when standard output is one, as a
  // compressor refuses.
  bool binary = false;
};
// "-" is standard output, any other path a file replaced whole.
OutputTarget OutputTo(const QString& path, bool binary);
// Writes the bytes; on failure prints the reason and returns false.
bool WriteOutput(const OutputTarget& target, std::span<const std::uint8_t> bytes);
bool WriteOutput(const OutputTarget& target, std::string_view bytes);

// Names cross to the core as Latin-1 bytes. A name given on the command line
// must be one the name box could hold: printable Latin-1, at most 16
// characters.
std::optional<QByteArray> PictureNameArgument(const QString& text);

}  // namespace pictavo::cli
