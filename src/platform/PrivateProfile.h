#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The private-profile (INI) rules of the platform, on bytes in the ANSI code page (CP932).
//
// Names (section and key) are compared without ASCII case and trimmed of blanks and tabs; the
// trail byte of a double-byte character is never case-folded. Lines end with CR LF, LF or CR.
// The first matching section and the first matching key inside it win. Lines before the first
// section, comment lines (';'), lines without '=' and unterminated section headers are
// ignored. Every name and value argument ends at its first NUL byte, as the platform's string
// arguments do. The forms that enumerate or delete (null section, key or value) do not exist
// here: a null name is an empty name.
namespace profile {

// GetPrivateProfileString: at most bufferSize - 1 bytes are returned, never splitting a
// double-byte character. A missing file, section or key gives `defaultValue` (its trailing
// blanks removed, cut the same way). The value is the text after the first '=' of the key
// line, trimmed of blanks and tabs, with one pair of enclosing quotes ("..." or '...')
// removed; a NUL byte in the file ends it. The parsed file is cached (path, size and
// modification time), so reading many keys of one large file scans it once.
QByteArray readString(const QString& path, QByteArrayView section, QByteArrayView key,
                      QByteArrayView defaultValue = {}, int bufferSize = 255);
// WritePrivateProfileString: keeps every other line, creates file, section and key as needed,
// and replaces the file atomically. Returns false when the file cannot be written (missing or
// read-only folder, read-only file, a folder in its place); the old file is then untouched.
// When the file already holds exactly the new contents it is not rewritten.
bool writeString(const QString& path, QByteArrayView section, QByteArrayView key,
                 QByteArrayView value);

// The same rules on file contents in memory, without file access or cache.
QByteArray readStringFrom(QByteArrayView contents, QByteArrayView section, QByteArrayView key,
                          QByteArrayView defaultValue = {}, int bufferSize = 255);
// Returns `contents` with the key set. An existing key line becomes "key=value" CR LF (the key
// as given); a missing key goes after the last non-blank line of the first matching section; a
// missing section ("[section]" CR LF, then the key line) goes at the end, after a CR LF when
// the contents do not already end with a line end. The value is written unchanged: a value
// holding line breaks spans several lines, and reading gives back only its first line.
QByteArray writeStringTo(QByteArrayView contents, QByteArrayView section, QByteArrayView key,
                         QByteArrayView value);

// Forgets the cached parse of the last file read.
void clearCache();

} // namespace profile
