#pragma once

#include <QString>

// How the document's file was written. Inside the program the text always has CR LF breaks;
// this is applied only when bytes are read or written, so a file goes back the way it came.
enum class TextEncoding { ShiftJis, Utf8, Utf16LE, Utf16BE };
enum class LineEnds { CrLf, Lf };

struct DocumentFormat {
    TextEncoding encoding = TextEncoding::ShiftJis;
    bool byteOrderMark = false;
    LineEnds lineEnds = LineEnds::CrLf;

    bool operator==(const DocumentFormat&) const = default;
};

// The status bar's format panel: "Shift_JIS CRLF", "UTF-8 LF", "UTF-8 BOM CRLF", ...
inline QString formatName(const DocumentFormat& f) {
    QString name;
    switch (f.encoding) {
    case TextEncoding::ShiftJis:
        name = QStringLiteral("Shift_JIS");
        break;
    case TextEncoding::Utf8:
        name = QStringLiteral("UTF-8");
        break;
    case TextEncoding::Utf16LE:
        name = QStringLiteral("UTF-16LE");
        break;
    case TextEncoding::Utf16BE:
        name = QStringLiteral("UTF-16BE");
        break;
    }
    // UTF-16 is only recognised by its mark, so saying so there adds nothing.
    if (f.byteOrderMark && f.encoding == TextEncoding::Utf8) name += QStringLiteral(" BOM");
    name += f.lineEnds == LineEnds::Lf ? QStringLiteral(" LF") : QStringLiteral(" CRLF");
    return name;
}
