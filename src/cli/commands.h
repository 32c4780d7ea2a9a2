#pragma once

#include <QStringList>

namespace pictavo::cli {

// Each command takes the program name followed by the command's own
// arguments and returns the exit status.
int RunExport(const QStringList& arguments);
int RunConvert(const QStringList& arguments);
int RunRender(const QStringList& arguments);
int RunFont(const QStringList& arguments);
int RunSkinList(const QStringList& arguments);
int RunSkinExtract(const QStringList& arguments);
int RunSkinPack(const QStringList& arguments);
int RunSkinExport(const QStringList& arguments);
int RunHistoryList(const QStringList& arguments);
int RunHistoryRestore(const QStringList& arguments);

}  // namespace pictavo::cli
