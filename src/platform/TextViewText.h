#pragma once

#include <QString>
#include <QStringView>

// The text a TextView lays out differs from the model's in the characters Qt would take for
// breaks: QTextLayout starts a new row at LF, U+2028 and U+2029, so each of them, and a lone
// CR, is laid out as its own one-unit noncharacter. Every model code unit stays one code unit,
// so a column in the laid-out line is a column in the model's line.
namespace TextViewText {

inline constexpr char16_t LoneCr = 0xFDD2;
inline constexpr char16_t LoneLf = 0xFDD3;
inline constexpr char16_t LineSeparator = 0xFDD4;
inline constexpr char16_t ParagraphSeparator = 0xFDD5;

inline bool isReserved(char16_t c) {
    return c >= 0xFDD0 && c <= 0xFDEF;
}

// Model text as it is laid out, with '\n' for each CR LF (a line laid out never holds one).
// Model characters in the reserved range show as U+FFFD.
QString toShown(QStringView model);

// Text arriving from outside (keyboard, input method, foreign clipboard data): reserved
// characters become U+FFFD.
QString sanitize(QString text);

// Plain text from the clipboard of another program: Qt hands over line breaks as lone LF, so
// every LF that does not follow a CR becomes CR LF. Reserved characters become U+FFFD.
QString fromForeignClipboard(const QString& text);

} // namespace TextViewText
