#pragma once

#include "platform/Cp932Codec.h"
#include "state/DocumentFormat.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QtGlobal>

// The document format. A file opens as UTF-8 when it starts with the UTF-8 mark or is valid
// UTF-8 holding at least one multi-byte character (bytes that Shift_JIS reads as half-width
// katakana only when their UTF-8 reading looks like text), as UTF-16 when it starts with a
// UTF-16 mark, and as Shift_JIS otherwise, byte for byte. A file with LF and no CR at all is an
// LF file: its LFs become the text's CR LF breaks. The last line break of an LF, UTF-8 or UTF-16
// file is its terminator and not part of the text; a Shift_JIS CR LF file keeps it in the text.
// Writing puts the text in the same encoding (the mark kept if it had one) and line ends,
// followed by exactly one line end, so such a file saved unchanged keeps its bytes.

// The most the text box takes from one file. Larger files are refused by every loading path.
inline constexpr qint64 kMaxDocumentBytes = qint64(64) * 1024 * 1024;
// For a file whose text must be read whatever its size (the backup of a lost session).
inline constexpr qint64 kNoDocumentLimit = -1;

// The text (CR LF breaks) and the format of a file's bytes.
QString decodeDocument(QByteArrayView bytes, DocumentFormat* format = nullptr);
// The same for the first bytes of a longer file: a character the cut left incomplete is
// dropped, and the last line break is no terminator.
QString decodeDocumentStart(QByteArrayView bytes, DocumentFormat* format = nullptr);

// False when the file cannot be opened or read (missing, a folder, unreadable) or holds more
// than `maxBytes` bytes; `text` and `format` are left untouched then.
bool readDocumentFile(const QString& path, QString& text, qint64 maxBytes = kMaxDocumentBytes);
bool readDocumentFile(const QString& path, QString& text, DocumentFormat& format,
                      qint64 maxBytes = kMaxDocumentBytes);

// The bytes a write puts in the file: the text in the format and one line end. `report` counts
// the characters Shift_JIS cannot hold (written as "?"); other encodings hold every character.
QByteArray encodeDocument(QStringView text, const DocumentFormat& format = {},
                          cp932::EncodeReport* report = nullptr, int maxPositions = 16);
// Writes bytes already in the document format, atomically: on failure the previous file stays
// whole.
bool writeEncodedDocument(const QString& path, const QByteArray& bytes);
// Encodes and writes the text atomically.
bool writeDocumentBytes(const QString& path, const QString& text, const DocumentFormat& format = {},
                        cp932::EncodeReport* report = nullptr);

// PalloBackup.txt in the program's folder.
QString backupFilePath(const QString& programDir);
// True when `path` names the backup file of that program folder.
bool isBackupFile(const QString& path, const QString& programDir);
// Renames a backup that cannot be read to PalloBackup-YYYYMMDD-HHMMSS.txt (with "-2", "-3", ...
// when that name is taken) in its folder, so that no later backup overwrites what it may hold.
// The new path, or empty when it could not be renamed.
QString setBackupAside(const QString& backupPath, const QDateTime& now);
