#pragma once

#include "state/DocumentFormat.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>
#include <functional>

// The texts of the open dialog's quick view: the information lines about a file and the
// preview of its first lines.
namespace quickview {

inline const QString kCaption = QStringLiteral("クイックビュー");
inline const QString kInitialCaption = QStringLiteral("クイックビュー（読み取りは50行までです。）");

// Attribute bits, valued as the platform's file attributes.
enum Attribute : int {
    ReadOnly = 1,
    Hidden = 2,
    System = 4,
    Folder = 16,
    Archive = 32,
};

// The preview shows this many lines at most, and never reads more than this many bytes: a
// binary file or one huge line must not be read whole just to show its beginning.
inline constexpr int kPreviewLines = 50;
inline constexpr qint64 kPreviewBytes = qint64(1) << 20;

// "ﾌｧｲﾙｻｲｽﾞ:" with the length in B, in KB (1000 bytes) or in MB (1000000 bytes), cut (not
// rounded) to two decimals and written without trailing zeros.
QString sizeLine(qint64 bytes);
// The number in the shortest decimal form, cut to two decimals: 1234 -> "12.34" with
// hundredths = 1234, 150 -> "1.5", 100 -> "1".
QString hundredthsText(qint64 hundredths);

// The standard text form of a date and time (date, blank, time) with the date as yy/MM/dd.
QString standardDateText(const QDateTime& when);
// "ﾌｧｲﾙ更新日:" with the first 8 characters of the standard form, i.e. the date alone.
QString dateLine(const QDateTime& modified);

// "ﾌｧｲﾙ属性:" with the words of the attribute bits.
QString attributeLine(int bits);
// The attribute bits of a file or folder; -1 when it does not exist.
int fileAttributes(const QString& path);

// "クイックビュー" + n + "行読み取り": the caption while the preview is being read.
QString progressCaption(int lines);

// "ﾌｧｲﾙ形式:" with the format as the status bar names it.
QString formatLine(const DocumentFormat& format);

struct Preview {
    bool ok = false;
    QString text; // each line followed by CR LF; empty when !ok
    int lines = 0;
    DocumentFormat format; // as opening the file would take it
};

// Reads the file's first lines as opening it would (encoding and line ends found the same
// way): a line ends at a line break or at a lone CR. Stops after `maxLines` lines or `maxBytes`
// bytes; a line cut by the byte limit keeps its whole characters. Reports progressCaption after
// each line and kCaption at the end, also after a failure.
Preview readPreview(const QString& path, const std::function<void(const QString&)>& caption,
                    int maxLines = kPreviewLines, qint64 maxBytes = kPreviewBytes);

} // namespace quickview
