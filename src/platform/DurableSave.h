#pragma once

#include <QByteArray>
#include <QString>

// Replaces the file at `path` with `bytes` so that any moment of failure leaves either the old
// file or the new one whole: the bytes go to a temporary file beside it, reach the disk, and
// only then take the old file's name. A kill, a full disk or a power cut never leaves a torn or
// empty file. False when any step fails; the old file is untouched then.
bool replaceFileDurably(const QString& path, const QByteArray& bytes);
