#pragma once

#include <QString>
#include <QStringView>

// The text a TextView shows differs from the model's in how breaks are written. QTextDocument
// turns CR LF, CR, LF and U+2029 into one block break, so the view writes each of them with
// its own one-unit noncharacter, and a block break stands for CR LF only. Apart from the break
// every model code unit is one document code unit:
// model offset = document position + block number, in a document without the cuts of long
// lines (TextViewSegments.h), each of which takes one more block break.
namespace TextViewText {

inline constexpr char16_t LoneCr = 0xFDD2;
inline constexpr char16_t LoneLf = 0xFDD3;
inline constexpr char16_t LineSeparator = 0xFDD4;
inline constexpr char16_t ParagraphSeparator = 0xFDD5;

inline bool isReserved(char16_t c) {
    return c >= 0xFDD0 && c <= 0xFDEF;
}

// Model text to the text handed to QTextDocument (setPlainText / QTextCursor::insertText),
// with '\n' for each CR LF. Model characters in the reserved range show as U+FFFD.
QString toDocument(QStringView model);

// Document text as QTextCursor::selectedText() gives it (U+2029 between blocks) back to the
// model. `canonical` is cleared when the document holds characters the view never writes
// (a raw U+2028 or a reserved character), which must then be rewritten in the document.
QString fromDocument(QStringView document, bool* canonical = nullptr);

// Text arriving from outside (keyboard, input method, foreign clipboard data): reserved
// characters become U+FFFD.
QString sanitize(QString text);

// Plain text from the clipboard of another program: Qt hands over line breaks as lone LF, so
// every LF that does not follow a CR becomes CR LF. Reserved characters become U+FFFD.
QString fromForeignClipboard(const QString& text);

} // namespace TextViewText
