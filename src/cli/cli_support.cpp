#include "cli/cli_support.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include <QFile>
#include <QRegularExpression>

#include "core/platform/safe_file.h"

namespace pictavo::cli {

namespace {

void PrintError(const QString& text) {
  const QByteArray bytes = ("pictavo-cli: " + text + QLatin1Char('\n')).toLocal8Bit();
  std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stderr);
}

constexpr int kNameLength = 16;

// Whether `path` is the file standard output already goes to (as
// /dev/stdout is): writing through the open stream keeps what the shell set up.
bool IsStandardOutput(const std::filesystem::path& path) {
  struct stat named {};
  struct stat out {};
  return !path.empty() && ::stat(path.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &out) == 0 &&
         named.st_dev == out.st_dev && named.st_ino == out.st_ino;
}

}  // namespace

int Refuse(const QString& path, const std::string& reason) {
  return Refuse(path, ReasonText(reason));
}

int Refuse(const QString& path, const QString& reason) {
  PrintError(path.isEmpty() ? reason : path + QStringLiteral(": ") + reason);
  return ExitRefused;
}

int UsageError(const QString& command, const QString& text) {
  PrintError(text + QStringLiteral("\nTry 'pictavo-cli %1--help'.")
                        .arg(command.isEmpty() ? QString() : command + QLatin1Char(' ')));
  return ExitUsage;
}

void Warn(const QString& path, const QString& text) {
  PrintError(path + QStringLiteral(": warning: ") + text);
}

std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    const QString& command, const QString& synopsis,
                                    const QString& description) {
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help."));
  parser.addOption(help);
  if (!parser.parse(arguments)) return UsageError(command, parser.errorText());
  if (parser.isSet(help)) {
    QString text = parser.helpText();
    // Qt's first line names the program only; the synopsis names the command.
    text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
    const QByteArray out = (QStringLiteral("Usage: ") + synopsis + QStringLiteral("\n") +
                            description + QStringLiteral("\n") + text)
                               .toLocal8Bit();
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    return ExitOk;
  }
  return std::nullopt;
}

QString DisplayPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

OutputTarget OutputTo(const QString& path, bool binary) {
  if (path == QLatin1String("-"))
    return OutputTarget{OutputTarget::Kind::StandardOutput, {}, binary};
  return OutputTarget{OutputTarget::Kind::Replace, path, binary};
}

bool WriteOutput(const OutputTarget& target, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path path = LocalPath(target.path);
  if (target.kind == OutputTarget::Kind::StandardOutput || IsStandardOutput(path)) {
    if (target.binary && ::isatty(STDOUT_FILENO) == 1) {
      Refuse(QString(),
             QStringLiteral("refusing to write binary to a terminal; use -o FILE or redirect"));
      return false;
    }
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
      Refuse(QStringLiteral("standard output"), std::string(std::strerror(errno)));
      return false;
    }
    if (std::fflush(stdout) != 0) {
      Refuse(QStringLiteral("standard output"), std::string(std::strerror(errno)));
      return false;
    }
    return true;
  }
  // A device or a named pipe takes the bytes as they come; renaming a file
  // over it would take its place.
  if (IsDeviceOrPipe(path)) {
    if (const auto written = WriteIntoDevice(path, bytes); !written) {
      Refuse(target.path, QStringLiteral("could not write: %1").arg(ReasonText(written.error())));
      return false;
    }
    return true;
  }
  const expected<void, Error> written = target.kind == OutputTarget::Kind::Replace
                                            ? WriteFileAtomically(path, bytes)
                                            : AppendToFile(path, bytes);
  if (!written) {
    Refuse(target.path, QStringLiteral("could not write: %1; the file was not changed")
                            .arg(ReasonText(written.error())));
    return false;
  }
  return true;
}

bool WriteOutput(const OutputTarget& target, std::string_view bytes) {
  return WriteOutput(
      target, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                            bytes.size()));
}

std::optional<QByteArray> PictureNameArgument(const QString& text) {
  static const QRegularExpression latin1(QStringLiteral("^[\\x{20}-\\x{7E}\\x{A0}-\\x{FF}]*$"));
  if (text.size() > kNameLength || !latin1.match(text).hasMatch()) return std::nullopt;
  return text.toLatin1();
}

}  // namespace pictavo::cli
