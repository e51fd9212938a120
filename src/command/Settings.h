#pragma once

#include <QString>

// Every setting lives in section "data" of Pallo.ini in the program's folder.
namespace settings {

inline const QString kSection = QStringLiteral("data");
inline const QString kFileName = QStringLiteral("Pallo.ini");

namespace key {
inline const QString Auto = QStringLiteral("auto");
inline const QString Font = QStringLiteral("font");
// "1" while blanks and line ends are shown as marks.
inline const QString Marks = QStringLiteral("marks");
inline const QString FontSize = QStringLiteral("fontsize");
inline const QString FontName = QStringLiteral("fontname");
inline const QString Color = QStringLiteral("color");
inline const QString ForeColor = QStringLiteral("forecolor");
inline const QString BackColor = QStringLiteral("backcolor");
inline const QString Ime = QStringLiteral("ime");
inline const QString Top = QStringLiteral("top");
inline const QString Left = QStringLiteral("left");
inline const QString Width = QStringLiteral("width");
inline const QString Height = QStringLiteral("height");
inline const QString SecondClipboard = QStringLiteral("2cb");
inline const QString MaxUndo = QStringLiteral("maxundo");
inline const QString Timer = QStringLiteral("timer");
inline const QString SearchWord = QStringLiteral("serchword");
inline const QString Drive = QStringLiteral("drive");
inline const QString Dir = QStringLiteral("dir");
inline const QString Combo = QStringLiteral("combo");
inline QString recentFile(int i) {
    return QStringLiteral("recentfile") + QString::number(i);
}
// Where the writer was in recent file i when it was closed: the caret and the text position at
// the top of the view, both in characters.
inline QString recentCaret(int i) {
    return QStringLiteral("recentcaret") + QString::number(i);
}
inline QString recentTop(int i) {
    return QStringLiteral("recenttop") + QString::number(i);
}
inline QString userString(int i) {
    return QStringLiteral("y") + QString::number(i);
}
inline QString extractTag(int i) {
    return QStringLiteral("data") + QString::number(i);
}
} // namespace key

// The maxundo value that means "no limit".
inline const QString kNoUndoLimit = QStringLiteral("設定しない");

// The settings file of a program folder: the folder, the separator, the file name.
QString iniPath(const QString& programDir);

} // namespace settings

// The stored value, or "" when the file, the section or the key is missing. At most 254
// bytes of the stored value come back, never half a double-byte character.
QString readSetting(const QString& section, const QString& key, const QString& file);
// Stores the value (file before value, as the callers pass them). Only the first line of a
// value is written, so that no value can create or overwrite other keys. Returns non-zero on
// success.
int writeSetting(const QString& section, const QString& key, const QString& file,
                 const QString& value);

// A path kept in a setting (recent files, the open dialog's folder). The file is Shift_JIS: a
// path it cannot hold exactly is stored as kEscapedPathPrefix and the path with each such
// character, and each "%", written as %XX of its UTF-8 bytes; any other path as it is. A path
// is read whole, however long.
inline const QString kEscapedPathPrefix = QStringLiteral("utf8:");
QString pathToSetting(const QString& path);
QString pathFromSetting(const QString& value);
QString readPathSetting(const QString& section, const QString& key, const QString& file);
int writePathSetting(const QString& section, const QString& key, const QString& file,
                     const QString& path);
