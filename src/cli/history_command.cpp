// "history list" and "history restore": the window's local history for
// scripts. Entries are numbered from 1, the newest, as the Recover window
// lists them.
#include <cstdio>
#include <vector>

#include <QByteArray>
#include <QCommandLineParser>

#include "cli/cli_support.h"
#include "cli/commands.h"
#include "core/documents/history_store.h"
#include "qt_support/history_folder.h"

namespace pictavo::cli {

namespace {

std::vector<HistoryEntry> Entries() { return HistoryStore(LocalPath(HistoryFolder())).List(); }

}  // namespace

int RunHistoryList(const QStringList& arguments) {
  QCommandLineParser parser;
  if (auto done = ParseCommandLine(
          parser, arguments, QStringLiteral("history list"),
          QStringLiteral("pictavo-cli history list"),
          QStringLiteral("Lists the local history, newest first: number, time, command, name, "
                         "kind and file, separated by tabs.")))
    return *done;
  if (!parser.positionalArguments().isEmpty()) {
    return UsageError(QStringLiteral("history list"), QStringLiteral("takes no arguments"));
  }
  QByteArray out;
  int number = 0;
  for (const HistoryEntry& entry : Entries()) {
    // Tabs and line ends inside a field would break the columns.
    const auto field = [](QString text) {
      return text.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), ' ');
    };
    const QStringList fields = {
        QString::number(++number),
        field(QString::fromStdString(entry.record.time)),
        field(QString::fromStdString(entry.record.command)),
        field(Latin1Text(entry.record.name)),
        entry.kind == DocumentKind::Skin ? QStringLiteral("skin") : QStringLiteral("picture"),
        DisplayPath(entry.document)};
    out += fields.join(QLatin1Char('\t')).toUtf8() + '\n';
  }
  return WriteOutput(OutputTarget{}, AsView(out)) ? ExitOk : ExitRefused;
}

int RunHistoryRestore(const QStringList& arguments) {
  QCommandLineParser parser;
  const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                  QStringLiteral("The file to write."), QStringLiteral("FILE"));
  parser.addOption(output);
  parser.addPositionalArgument(QStringLiteral("number"),
                               QStringLiteral("The entry's number in the list, 1 the newest."),
                               QStringLiteral("N"));
  if (auto done = ParseCommandLine(
          parser, arguments, QStringLiteral("history restore"),
          QStringLiteral("pictavo-cli history restore N -o FILE"),
          QStringLiteral("Writes an entry of the local history, a picture or a skin file.")))
    return *done;
  bool number_ok = false;
  const int number = parser.positionalArguments().value(0).toInt(&number_ok);
  if (parser.positionalArguments().size() != 1 || !number_ok || !parser.isSet(output)) {
    return UsageError(QStringLiteral("history restore"), QStringLiteral("give N and -o FILE"));
  }
  const std::vector<HistoryEntry> entries = Entries();
  if (number < 1 || number > static_cast<int>(entries.size())) {
    return Refuse(HistoryFolder(), QStringLiteral("the history has no entry %1 (it holds %2)")
                                       .arg(number)
                                       .arg(entries.size()));
  }
  const HistoryEntry& entry = entries[static_cast<std::size_t>(number - 1)];
  const auto bytes = HistoryStore(LocalPath(HistoryFolder())).Read(entry);
  if (!bytes) return Refuse(DisplayPath(entry.document), CouldNotReadReason(bytes.error()));
  return WriteOutput(OutputTarget{OutputTarget::Kind::Replace, parser.value(output), true}, *bytes)
             ? ExitOk
             : ExitRefused;
}

}  // namespace pictavo::cli
