#include "FuzzSupport.h"
#include "documents/DocumentFile.h"

// Any file's bytes read as a document and written back in the format they were read in give the
// same bytes followed by one line end, except where an LF, UTF-8 or UTF-16 file already ends with
// its terminator (and Shift_JIS characters with several codes, which go back with the code
// Windows prefers). The format read agrees with the detection rules applied one code point at a
// time, where well-formed UTF-8 made only of pairs that Shift_JIS reads as half-width katakana
// may be either; reading the written bytes again gives the same format, and the text with the
// added line end for a Shift_JIS CR LF file, the same text for any other.

namespace {

constexpr char16_t kEscape = 0xDC00;

// One code point at a time, by the bit patterns: the code point or -1 when the sequence at
// `i` is not well-formed UTF-8, and its length.
char32_t nextUtf8(const QByteArray& in, qsizetype i, int& length) {
    const unsigned b = static_cast<unsigned char>(in[i]);
    length = 1;
    if (b < 0x80) return b;
    char32_t cp;
    if ((b & 0xE0) == 0xC0) {
        length = 2;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4;
        cp = b & 0x07;
    } else {
        return char32_t(-1);
    }
    if (i + length > in.size()) return char32_t(-1);
    for (int k = 1; k < length; ++k) {
        const unsigned c = static_cast<unsigned char>(in[i + k]);
        if ((c & 0xC0) != 0x80) return char32_t(-1);
        cp = cp << 6 | (c & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[length] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return char32_t(-1);
    return cp;
}

// The text of UTF-8 bytes, a byte that starts no well-formed sequence kept as its escape.
QString naiveUtf8(const QByteArray& in, bool* wellFormed, bool* multiByte,
                  bool* kanaPairsOnly = nullptr) {
    QString text;
    *wellFormed = true;
    *multiByte = false;
    if (kanaPairsOnly) *kanaPairsOnly = true;
    for (qsizetype i = 0; i < in.size();) {
        int length;
        const char32_t cp = nextUtf8(in, i, length);
        if (cp == char32_t(-1)) {
            *wellFormed = false;
            text.append(QChar(kEscape + static_cast<unsigned char>(in[i])));
            ++i;
            continue;
        }
        *multiByte |= length > 1;
        const unsigned second = length > 1 ? static_cast<unsigned char>(in[i + 1]) : 0;
        if (kanaPairsOnly && length > 1 && (length != 2 || second < 0xA1 || second > 0xBF))
            *kanaPairsOnly = false;
        if (cp >= 0x10000) {
            text.append(QChar(char16_t(0xD800 + ((cp - 0x10000) >> 10))));
            text.append(QChar(char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF))));
        } else {
            text.append(QChar(char16_t(cp)));
        }
        i += length;
    }
    return text;
}

QString naiveUtf16(const QByteArray& in, bool big) {
    QString text;
    for (qsizetype i = 0; i + 1 < in.size(); i += 2) {
        const unsigned a = static_cast<unsigned char>(in[i]),
                       b = static_cast<unsigned char>(in[i + 1]);
        text.append(QChar(char16_t(big ? a << 8 | b : b << 8 | a)));
    }
    return text;
}

struct Expected {
    DocumentFormat format;
    QString body;      // the file's characters, line ends as in the file
    QByteArray mark;   // the bytes before the body
    QByteArray bodyIn; // the file's bytes after the mark
    bool eitherEncoding = false; // UTF-8 of katakana pairs only: Shift_JIS would do as well
};

Expected naiveDetect(const QByteArray& in, bool kanaAsShiftJis = false) {
    Expected e;
    const bool even = in.size() >= 2 && in.size() % 2 == 0;
    bool wellFormed, multiByte, kana;
    if (even && in.startsWith("\xFF\xFE")) {
        e.format = {TextEncoding::Utf16LE, true};
        e.mark = in.left(2);
    } else if (even && in.startsWith("\xFE\xFF")) {
        e.format = {TextEncoding::Utf16BE, true};
        e.mark = in.left(2);
    } else if (in.startsWith("\xEF\xBB\xBF")) {
        e.format = {TextEncoding::Utf8, true};
        e.mark = in.left(3);
    } else if (naiveUtf8(in, &wellFormed, &multiByte, &kana); wellFormed && multiByte) {
        e.eitherEncoding = kana;
        if (!(kana && kanaAsShiftJis)) e.format = {TextEncoding::Utf8, false};
    }
    e.bodyIn = in.mid(e.mark.size());
    switch (e.format.encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        e.body = naiveUtf16(e.bodyIn, e.format.encoding == TextEncoding::Utf16BE);
        break;
    case TextEncoding::Utf8:
        e.body = naiveUtf8(e.bodyIn, &wellFormed, &multiByte);
        break;
    case TextEncoding::ShiftJis:
        // The codec's own round trip is the cp932 target's property.
        e.body = cp932::decode(e.bodyIn);
        break;
    }
    if (!e.body.contains(u'\r') && e.body.contains(u'\n')) e.format.lineEnds = LineEnds::Lf;
    return e;
}

// The expectation for bytes read in `format`: where the detection may go either way, the way
// it went.
Expected naiveDetect(const QByteArray& in, const DocumentFormat& format) {
    const Expected e = naiveDetect(in);
    return e.eitherEncoding && format.encoding == TextEncoding::ShiftJis ? naiveDetect(in, true)
                                                                         : e;
}

// A line end in the format's encoding.
QByteArray lineEnd(const DocumentFormat& f) {
    const QByteArray ascii = f.lineEnds == LineEnds::Lf ? "\n" : "\r\n";
    QByteArray out;
    for (const char c : ascii) {
        if (f.encoding == TextEncoding::Utf16LE)
            out += QByteArray(1, c) + '\0';
        else if (f.encoding == TextEncoding::Utf16BE)
            out += QByteArray(1, '\0') + c;
        else
            out += c;
    }
    return out;
}

// Files built from the bytes that matter to the detection: marks, line ends, lead and trail
// bytes of both multi-byte encodings, and bytes that are neither.
QByteArray buildFile(fuzz::Input& in) {
    static const char* const kMarks[] = {"", "\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"};
    static const unsigned char kBytes[] = {'a',  '\r', '\n', 0x00, 0x81, 0x82, 0x5C, 0xE3,
                                           0x80, 0xBF, 0xC3, 0xA9, 0xF0, 0x9F, 0xED, 0xA0,
                                           0xC0, 0xF4, 0x90, 0xFF, 0xFE, 0x88, 0xA4, 0x0D};
    QByteArray file = kMarks[in.pick(4)];
    const int n = in.pick(64);
    for (int i = 0; i < n && !in.empty(); ++i)
        file += char(kBytes[in.pick(sizeof kBytes)]);
    return file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;
    fuzz::Input input(data, size);
    const QByteArray in = input.flag() ? buildFile(input) : input.rest();

    DocumentFormat format;
    const QString text = decodeDocument(in, &format);
    const Expected e = naiveDetect(in, format);
    FUZZ_CHECK(format == e.format);

    // An LF file's breaks are CR LF in the text and its final LF is the terminator; so is the
    // final CR LF of a UTF-8 or UTF-16 file.
    QString expectedText = e.body;
    const bool lf = format.lineEnds == LineEnds::Lf;
    const bool keepsLineEnd = format.encoding == TextEncoding::ShiftJis && !lf;
    const bool terminated = lf ? e.body.endsWith(u'\n')
                               : !keepsLineEnd && e.body.endsWith(QStringLiteral("\r\n"));
    if (terminated) expectedText.chop(lf ? 1 : 2);
    if (lf) expectedText.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    FUZZ_CHECK(text == expectedText);

    cp932::EncodeReport report;
    const QByteArray out = encodeDocument(text, format, &report);
    FUZZ_CHECK(report.unmappable == 0);
    const QByteArray bodyOut = format.encoding == TextEncoding::ShiftJis
                                   ? cp932::encode(cp932::decode(e.bodyIn))
                                   : e.bodyIn;
    FUZZ_CHECK(out == e.mark + bodyOut + (terminated ? QByteArray() : lineEnd(format)));

    // Reading what was written: the same format, and the text gains the line end the write
    // added, unless that line end is an LF file's terminator.
    DocumentFormat again;
    const QString reread = decodeDocument(out, &again);
    FUZZ_CHECK(again == naiveDetect(out, again).format);
    // Where the format read again differs, the bytes written are not the bytes read, and only
    // because the detection is a guess: a Shift_JIS LF file of odd length starting with the
    // bytes of a UTF-16 mark (a cut UTF-16 file) becomes even with its terminator; a character
    // written with the code Windows prefers can turn Shift_JIS bytes into well-formed UTF-8.
    if (again != format) {
        const bool oddToEven = lf && e.bodyIn.size() % 2 == 1 && !terminated &&
                               (in.startsWith("\xFF\xFE") || in.startsWith("\xFE\xFF"));
        FUZZ_CHECK(format.encoding == TextEncoding::ShiftJis && (oddToEven || bodyOut != e.bodyIn));
        return 0;
    }
    FUZZ_CHECK(again == format);
    FUZZ_CHECK(reread == (keepsLineEnd ? text + QStringLiteral("\r\n") : text));
    return 0;
}
