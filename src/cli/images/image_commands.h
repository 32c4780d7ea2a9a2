#pragma once

#include <QStringList>

// The commands that decode or write images need Qt Gui, whose libraries take
// longer to load than the rest of the program's start. They live in a module
// of their own, loaded only when one of them runs, so every other command
// starts as fast as a bare Qt Core program. Each takes the program name
// followed by the command's own arguments and returns the exit status.
extern "C" {
int PictavoCliConvert(const QStringList& arguments);
int PictavoCliRender(const QStringList& arguments);
}

// The module's file name.
inline constexpr char PictavoCliImagesModule[] = "pictavo-cli-images.so";
