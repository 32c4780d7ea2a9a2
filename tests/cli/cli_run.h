#pragma once

// What the command-line tests share: the golden files and a run of the
// program under test.
#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace pictavo::testing {

inline QString Data(const QString& relative) {
  return QString::fromLocal8Bit(qgetenv("PICTAVO_TEST_DATA")) + QLatin1Char('/') + relative;
}

inline QByteArray ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return "<unreadable " + path.toLocal8Bit() + ">";
  return file.readAll();
}

struct Run {
  int status = -1;  // -1 when the program did not end normally
  QByteArray out;
  QByteArray err;
};

inline Run Cli(const QStringList& arguments, const QByteArray& input = {}) {
  QProcess process;
  process.start(QStringLiteral(PICTAVO_CLI), arguments);
  if (!input.isEmpty()) process.write(input);
  process.closeWriteChannel();
  process.waitForFinished(-1);
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          process.readAllStandardOutput(), process.readAllStandardError()};
}

}  // namespace pictavo::testing
