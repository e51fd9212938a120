#pragma once

#include <QString>
#include <QStringList>

struct CommandContext;

// What the window says when it was given several files and opens only `first`.
QString onlyFirstFileNotice(const QString& first);

// Files dropped on the window open as 開く opens the one chosen in its dialog: the save
// question first, then the file. Of several files the first opens and the writer is told.
// False when nothing was opened (no file, or the save question was cancelled).
bool openDroppedFiles(CommandContext& ctx, const QStringList& paths);
