#include "documents/DocumentFile.h"

#include "platform/DurableSave.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <cstring>
#include <optional>

namespace {

// A device without a size (a pipe, a character device) is read in pieces so that an endless
// one stops at the limit instead of filling the memory.
constexpr qint64 kChunk = 1 << 16;

bool readLimited(QFile& file, qint64 maxBytes, QByteArray& bytes) {
    if (!file.isSequential()) {
        if (maxBytes >= 0 && file.size() > maxBytes) return false;
        bytes = file.readAll();
    } else {
        QByteArray chunk;
        while (!(chunk = file.read(kChunk)).isEmpty()) {
            bytes += chunk;
            if (maxBytes >= 0 && bytes.size() > maxBytes) return false;
        }
    }
    if (file.error() != QFileDevice::NoError) return false;
    // A file that grew while it was read.
    return maxBytes < 0 || bytes.size() <= maxBytes;
}

constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
// Bytes that are not UTF-8 in a file marked as UTF-8 become U+DC00 + byte, as in Shift_JIS, and
// are written back as those bytes: a damaged byte never costs the rest of the file.
constexpr char16_t kEscapeBase = 0xDC00;

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at p (lead byte >= 0x80), or 0.
int sequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned c = p[0];
    const qsizetype left = end - p;
    if (c >= 0xC2 && c <= 0xDF) return left >= 2 && isContinuation(p[1]) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        if (left < 3 || !isContinuation(p[1]) || !isContinuation(p[2])) return 0;
        if (c == 0xE0 && p[1] < 0xA0) return 0;  // overlong
        if (c == 0xED && p[1] >= 0xA0) return 0; // a surrogate
        return 3;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        if (left < 4 || !isContinuation(p[1]) || !isContinuation(p[2]) || !isContinuation(p[3]))
            return 0;
        if (c == 0xF0 && p[1] < 0x90) return 0;  // overlong
        if (c == 0xF4 && p[1] >= 0x90) return 0; // beyond U+10FFFF
        return 4;
    }
    return 0;
}

// KanaPairs: every multi-byte sequence is two bytes that Shift_JIS reads as two half-width
// katakana (lead C2-DF, trail A1-BF), so the bytes are text in either encoding.
enum class Utf8Result { Invalid, Ascii, MultiByte, KanaPairs };

// Every lead byte of a two-byte sequence is a half-width katakana in Shift_JIS.
bool isKanaPair(const unsigned char* p) {
    return p[1] >= 0xA1 && p[1] <= 0xBF;
}

// True when the eight bytes at p are all ASCII.
bool asciiWord(const unsigned char* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return !(word & 0x8080808080808080ULL);
}

// Whether the bytes are UTF-8, and how many UTF-16 code units they decode to. Stops at the
// first ill-formed byte: a Shift_JIS file fails within its first characters, so the guess
// costs nothing there.
Utf8Result checkUtf8(QByteArrayView bytes, qsizetype& units) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    units = 0;
    bool multi = false, onlyKanaPairs = true;
    while (p < end) {
        if (end - p >= 8 && asciiWord(p)) {
            p += 8;
            units += 8;
        } else if (*p < 0x80) {
            ++p;
            ++units;
        } else if (const int n = sequenceLength(p, end)) {
            onlyKanaPairs = onlyKanaPairs && n == 2 && isKanaPair(p);
            p += n;
            units += n == 4 ? 2 : 1;
            multi = true;
        } else {
            return Utf8Result::Invalid;
        }
    }
    if (!multi) return Utf8Result::Ascii;
    return onlyKanaPairs ? Utf8Result::KanaPairs : Utf8Result::MultiByte;
}

// Whether bytes that are half-width katakana in Shift_JIS read as text in UTF-8: besides
// Latin-1 signs (©, ½, «) and accents on a letter, only letters, all of one script, and some
// letter stands in a word as letters of real text do. A Latin letter's word holds an ASCII
// letter ("café"); a letter of another script stands beside one of its own ("папа"). Katakana
// read as UTF-8 give lone letters of mixed scripts, rare signs or unassigned code points
// ("ﾊｲ ﾏｲﾅｽ" reads "ʲ ϲŽ", "ﾗｼﾞｵ" two unassigned ones).
bool readsAsText(QStringView text) {
    const auto isAsciiLetter = [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    };
    std::optional<QChar::Script> script;
    bool inWord = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) continue;
        if (!c.isLetter()) {
            const bool sign = c.unicode() >= 0xA0 && c.unicode() <= 0xBF;
            const bool accent = c.isMark() && i > 0 && text[i - 1].isLetter();
            if (sign || accent) continue;
            return false;
        }
        const QChar::Script own = c.script();
        if (script && *script != own) return false;
        script = own;
        for (const qsizetype j : {i - 1, i + 1}) {
            if (j < 0 || j >= text.size()) continue;
            const QChar n = text[j];
            inWord = inWord || (own == QChar::Script_Latin
                                    ? isAsciiLetter(n)
                                    : n.unicode() >= 0x80 && n.isLetter() && n.script() == own);
        }
    }
    // Signs alone are no letters to judge by.
    return !script || inWord;
}

// Decodes UTF-8 into at most `units` code units (the bytes' count always suffices); an
// ill-formed byte becomes its escape. `checked`: the bytes are known to be well-formed. The text is
// kept for long, so it is sized exactly when the count is known.
QString decodeUtf8(QByteArrayView bytes, qsizetype units, bool checked) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* const end = p + bytes.size();
    QString out(units, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    char16_t* const start = o;
    while (p < end) {
        if (end - p >= 8 && asciiWord(p)) {
            for (int i = 0; i < 8; ++i)
                o[i] = p[i];
            p += 8;
            o += 8;
            continue;
        }
        const unsigned c = *p;
        // Bytes already checked need only their lead byte read.
        const int n = c < 0x80   ? 1
                      : !checked ? sequenceLength(p, end)
                      : c < 0xE0 ? 2
                      : c < 0xF0 ? 3
                                 : 4;
        switch (n) {
        case 1:
            *o++ = char16_t(c);
            break;
        case 2:
            *o++ = char16_t(((c & 0x1F) << 6) | (p[1] & 0x3F));
            break;
        case 3:
            *o++ = char16_t(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
            break;
        case 4: {
            const char32_t u =
                ((c & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
            *o++ = char16_t(0xD800 + ((u - 0x10000) >> 10));
            *o++ = char16_t(0xDC00 + ((u - 0x10000) & 0x3FF));
            break;
        }
        default:
            *o++ = char16_t(kEscapeBase + c);
            ++p;
            continue;
        }
        p += n;
    }
    out.truncate(o - start);
    return out;
}

QString decodeUtf16(QByteArrayView bytes, bool bigEndian) {
    QString out(bytes.size() / 2, Qt::Uninitialized);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (qsizetype i = 0; i < out.size(); ++i, p += 2)
        o[i] = bigEndian ? char16_t(p[0] << 8 | p[1]) : char16_t(p[1] << 8 | p[0]);
    return out;
}

// An LF file's breaks become CR LF, its terminator goes unless the bytes are only the start
// of the file. Counted before, so the text is built in one allocation.
void expandLineFeeds(QString& text, qsizetype lineFeeds, bool whole) {
    QString out(text.size() + lineFeeds, Qt::Uninitialized);
    char16_t* o = reinterpret_cast<char16_t*>(out.data());
    for (const QChar c : std::as_const(text)) {
        if (c == u'\n') *o++ = u'\r';
        *o++ = c.unicode();
    }
    out.chop(2 * (whole && text.endsWith(u'\n')));
    text = std::move(out);
}

void appendUtf8(QByteArray& out, char32_t u) {
    if (u < 0x80) {
        out += char(u);
    } else if (u < 0x800) {
        out += char(0xC0 | u >> 6);
        out += char(0x80 | (u & 0x3F));
    } else if (u < 0x10000) {
        out += char(0xE0 | u >> 12);
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    } else {
        out += char(0xF0 | u >> 18);
        out += char(0x80 | ((u >> 12) & 0x3F));
        out += char(0x80 | ((u >> 6) & 0x3F));
        out += char(0x80 | (u & 0x3F));
    }
}

// Every character is kept; an escaped byte goes back as itself and any other lone surrogate,
// which UTF-8 cannot hold, as U+FFFD.
QByteArray encodeUtf8(QStringView text, bool lf) {
    QByteArray out;
    out.reserve(text.size() * 3 + 4);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            if (lf && c == u'\r' && i + 1 < n && text[i + 1] == u'\n') continue;
            out += char(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            appendUtf8(out, QChar::surrogateToUcs4(c, text[i + 1].unicode()));
            ++i;
        } else if (c >= kEscapeBase + 0x80 && c <= kEscapeBase + 0xFF) {
            out += char(c - kEscapeBase);
        } else {
            appendUtf8(out, QChar::isSurrogate(c) ? 0xFFFD : c);
        }
    }
    return out;
}

QByteArray encodeUtf16(QStringView text, bool bigEndian, bool lf) {
    QByteArray out;
    out.reserve(text.size() * 2 + 4);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (lf && c == u'\r' && i + 1 < n && text[i + 1] == u'\n') continue;
        const char hi = char(c >> 8), lo = char(c & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    }
    return out;
}

// CR LF bytes in Shift_JIS are always the characters CR LF: neither byte is ever a trail byte.
void dropCarriageReturns(QByteArray& bytes) {
    char* const begin = bytes.data();
    char* o = begin;
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (begin[i] == '\r' && i + 1 < n && begin[i + 1] == '\n') continue;
        *o++ = begin[i];
    }
    bytes.truncate(o - begin);
}

// The bytes at the end that begin a UTF-8 sequence a cut left incomplete.
qsizetype incompleteUtf8Tail(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype back = 1; back <= 3 && back <= bytes.size(); ++back) {
        const unsigned c = p[bytes.size() - back];
        if (c < 0x80) return 0;
        if (c >= 0xC0) return (c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2) > back ? back : 0;
    }
    return 0;
}

// 1 when the bytes end in the lead byte of a Shift_JIS character a cut left incomplete.
qsizetype incompleteShiftJisTail(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size())
        i += cp932::isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
    return i - bytes.size();
}

QString decode(QByteArrayView bytes, DocumentFormat* format, bool whole) {
    DocumentFormat f;
    QString text;
    // The start of a UTF-16 file may be cut in a character; decodeUtf16 drops the odd byte.
    const bool utf16 = bytes.size() >= 2 && (bytes.size() % 2 == 0 || !whole);
    if (utf16 && bytes.startsWith("\xFF\xFE")) {
        f = {TextEncoding::Utf16LE, true};
        text = decodeUtf16(bytes.sliced(2), false);
    } else if (utf16 && bytes.startsWith("\xFE\xFF")) {
        f = {TextEncoding::Utf16BE, true};
        text = decodeUtf16(bytes.sliced(2), true);
    } else if (bytes.startsWith(kUtf8Mark)) {
        f = {TextEncoding::Utf8, true};
        QByteArrayView body = bytes.sliced(3);
        if (!whole) body.chop(incompleteUtf8Tail(body));
        text = decodeUtf8(body, body.size(), false);
    } else {
        const QByteArrayView utf8 = whole ? bytes : bytes.chopped(incompleteUtf8Tail(bytes));
        qsizetype units = 0;
        switch (checkUtf8(utf8, units)) {
        case Utf8Result::MultiByte:
            f = {TextEncoding::Utf8, false};
            text = decodeUtf8(utf8, units, true);
            break;
        case Utf8Result::KanaPairs:
            text = decodeUtf8(utf8, units, true);
            if (readsAsText(text)) {
                f = {TextEncoding::Utf8, false};
                break;
            }
            [[fallthrough]];
        default:
            text = cp932::decode(whole ? bytes : bytes.chopped(incompleteShiftJisTail(bytes)));
        }
    }
    // Searched in the text, not the bytes: in UTF-16 a 0D byte may be half of a character.
    if (!text.contains(u'\r')) {
        if (const qsizetype lineFeeds = text.count(u'\n')) {
            f.lineEnds = LineEnds::Lf;
            expandLineFeeds(text, lineFeeds, whole);
        }
    }
    // As in an LF file, the last line break of a UTF-8 or UTF-16 file is its terminator, which
    // a write puts back. Shift_JIS files keep theirs in the text.
    if (whole && f.encoding != TextEncoding::ShiftJis && f.lineEnds == LineEnds::CrLf &&
        text.endsWith(u"\r\n"))
        text.chop(2);
    if (format) *format = f;
    return text;
}

} // namespace

QString decodeDocument(QByteArrayView bytes, DocumentFormat* format) {
    return decode(bytes, format, true);
}

QString decodeDocumentStart(QByteArrayView bytes, DocumentFormat* format) {
    return decode(bytes, format, false);
}

bool readDocumentFile(const QString& path, QString& text, DocumentFormat& format, qint64 maxBytes) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes;
    if (!readLimited(file, maxBytes, bytes)) return false;
    text = decodeDocument(bytes, &format);
    // The decoders size for the worst case; the document is kept for long.
    text.squeeze();
    return true;
}

bool readDocumentFile(const QString& path, QString& text, qint64 maxBytes) {
    DocumentFormat ignored;
    return readDocumentFile(path, text, ignored, maxBytes);
}

QByteArray encodeDocument(QStringView text, const DocumentFormat& format,
                          cp932::EncodeReport* report, int maxPositions) {
    const bool lf = format.lineEnds == LineEnds::Lf;
    const QStringView end = lf ? u"\n" : u"\r\n";
    QByteArray bytes;
    switch (format.encoding) {
    case TextEncoding::ShiftJis:
        bytes = cp932::encode(text, report, maxPositions);
        if (lf) dropCarriageReturns(bytes);
        bytes += lf ? "\n" : "\r\n";
        return bytes;
    case TextEncoding::Utf8:
        bytes = encodeUtf8(text, lf);
        bytes += lf ? "\n" : "\r\n";
        if (format.byteOrderMark) bytes.prepend(kUtf8Mark);
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool big = format.encoding == TextEncoding::Utf16BE;
        bytes = encodeUtf16(text, big, lf);
        bytes += encodeUtf16(end, big, false);
        if (format.byteOrderMark) bytes.prepend(big ? "\xFE\xFF" : "\xFF\xFE");
        break;
    }
    }
    if (report) *report = {};
    return bytes;
}

bool writeEncodedDocument(const QString& path, const QByteArray& bytes) {
    return replaceFileDurably(path, bytes);
}

bool writeDocumentBytes(const QString& path, const QString& text, const DocumentFormat& format,
                        cp932::EncodeReport* report) {
    return writeEncodedDocument(path, encodeDocument(text, format, report));
}
QString backupFilePath(const QString& programDir) {
    return programDir + QDir::separator() + QStringLiteral("PalloBackup.txt");
}

bool isBackupFile(const QString& path, const QString& programDir) {
    const QString backup = backupFilePath(programDir);
    if (path == backup) return true;
    const QFileInfo a(path), b(backup);
    // Canonical paths see through links and "..", but only for files that exist.
    if (a.exists() && b.exists()) return a.canonicalFilePath() == b.canonicalFilePath();
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}

QString setBackupAside(const QString& backupPath, const QDateTime& now) {
    const QFileInfo backup(backupPath);
    const QString stem = QStringLiteral("PalloBackup-") +
                         now.toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QDir folder = backup.absoluteDir();
    for (int n = 1; n < 100; ++n) {
        const QString name =
            stem + (n == 1 ? QString() : QStringLiteral("-%1").arg(n)) + QStringLiteral(".txt");
        if (QFileInfo::exists(folder.filePath(name))) continue;
        return folder.rename(backup.fileName(), name) ? folder.filePath(name) : QString();
    }
    return {};
}
