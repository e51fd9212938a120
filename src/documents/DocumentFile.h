#pragma once

#include "platform/Cp932Codec.h"

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// The document format: Shift_JIS bytes, no byte-order mark; reading takes every byte, writing
// puts the text and exactly one CR LF.

// The most the text box takes from one file. Larger files are refused by every loading path.
inline constexpr qint64 kMaxDocumentBytes = qint64(64) * 1024 * 1024;
// For a file whose text must be read whatever its size (the backup of a lost session).
inline constexpr qint64 kNoDocumentLimit = -1;

// False when the file cannot be opened or read (missing, a folder, unreadable) or holds more
// than `maxBytes` bytes; `text` is left untouched then.
bool ReadDocumentFile(const QString& path, QString& text, qint64 maxBytes = kMaxDocumentBytes);

// The bytes a write puts in the file: the text in Shift_JIS and CR LF.
QByteArray encodeDocument(QStringView text, cp932::EncodeReport* report = nullptr,
                          int maxPositions = 16);
// Writes bytes already in the document format, atomically: on failure the previous file stays
// whole.
bool writeEncodedDocument(const QString& path, const QByteArray& bytes);
// Encodes and writes text + CR LF atomically.
bool writeDocumentBytes(const QString& path, const QString& text,
                        cp932::EncodeReport* report = nullptr);

// PalloBackup.txt in the program's folder.
QString backupFilePath(const QString& programDir);
// True when `path` names the backup file of that program folder.
bool isBackupFile(const QString& path, const QString& programDir);
