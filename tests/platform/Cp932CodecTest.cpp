#include "platform/Cp932Codec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <map>
#include <optional>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// glibc's converter as the reference for valid text; nullopt when it rejects the input.
std::optional<QByteArray> viaIconv(const char* to, const char* from, QByteArrayView in) {
    iconv_t cd = iconv_open(to, from);
    if (cd == iconv_t(-1)) return std::nullopt;
    QByteArray out(4 * in.size() + 8, '\0');
    char* src = const_cast<char*>(in.data());
    char* dst = out.data();
    size_t srcLeft = in.size(), dstLeft = out.size();
    const bool ok = iconv(cd, &src, &srcLeft, &dst, &dstLeft) != size_t(-1) && srcLeft == 0 &&
                    iconv(cd, nullptr, nullptr, &dst, &dstLeft) != size_t(-1);
    iconv_close(cd);
    if (!ok) return std::nullopt;
    out.truncate(dst - out.data());
    return out;
}

std::optional<QString> iconvDecode(QByteArrayView bytes) {
    const auto utf16 = viaIconv("UTF-16LE", "CP932", bytes);
    if (!utf16) return std::nullopt;
    return QString(reinterpret_cast<const QChar*>(utf16->constData()), utf16->size() / 2);
}

std::optional<QByteArray> iconvEncode(const QString& text) {
    return viaIconv("CP932", "UTF-16LE",
                    QByteArrayView(reinterpret_cast<const char*>(text.utf16()), 2 * text.size()));
}

QString units(std::initializer_list<char16_t> list) {
    return QString(reinterpret_cast<const QChar*>(list.begin()), qsizetype(list.size()));
}

QByteArray bytes(std::initializer_list<unsigned char> list) {
    return QByteArray(reinterpret_cast<const char*>(list.begin()), qsizetype(list.size()));
}

bool isTrail(int b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Valid codes that Windows writes back as another code of the same character, taken from iconv.
const std::map<int, int>& preferredCodes() {
    static const std::map<int, int> table = [] {
        std::map<int, int> result;
        for (int code = 0x8140; code <= 0xFCFC; ++code) {
            const auto text = iconvDecode(bytes({uchar(code >> 8), uchar(code)}));
            const auto back = text && text->size() == 1 ? iconvEncode(*text) : std::nullopt;
            if (back && back->size() == 2 && (uchar(back->at(0)) << 8 | uchar(back->at(1))) != code)
                result[code] = uchar(back->at(0)) << 8 | uchar(back->at(1));
        }
        return result;
    }();
    return table;
}

// What a save after an open must write: the input itself, except that duplicate codes starting
// a character become their preferred code.
QByteArray afterRoundTrip(QByteArray in) {
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (!cp932::isLeadByte(in[i]) || i + 1 == in.size() || !isTrail(uchar(in[i + 1]))) continue;
        const auto it = preferredCodes().find(uchar(in[i]) << 8 | uchar(in[i + 1]));
        if (it != preferredCodes().end()) {
            in[i] = char(it->second >> 8);
            in[i + 1] = char(it->second);
        }
        ++i;
    }
    return in;
}

} // namespace

TEST(Cp932Codec, SingleBytesDecodeLikeWindows) {
    // iconv rejects these five; Windows maps them into C1 and the private use area.
    const std::map<int, char16_t> windowsOnly = {
        {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3}};
    for (int b = 0; b < 256; ++b) {
        const QByteArray in(1, char(b));
        const QString expected = cp932::isLeadByte(b)   ? units({char16_t(0xDC00 + b)})
                                 : windowsOnly.count(b) ? units({windowsOnly.at(b)})
                                                        : iconvDecode(in).value_or(u"<iconv>"_s);
        EXPECT_EQ(cp932::decode(in), expected) << "byte " << b;
        EXPECT_EQ(cp932::encode(expected), in) << "byte " << b;
    }
}

TEST(Cp932Codec, DoubleBytesDecodeLikeIconvOrEscapeEachByte) {
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!cp932::isLeadByte(lead)) continue;
        for (int trail = 0; trail < 256; ++trail) {
            const QByteArray in = bytes({uchar(lead), uchar(trail)});
            QString expected;
            if (const auto reference = iconvDecode(in); reference && reference->size() == 1) {
                expected = *reference;
                ++valid;
            } else if (isTrail(trail)) {
                expected = units({char16_t(0xDC00 + lead), char16_t(0xDC00 + trail)});
            } else {
                expected = units({char16_t(0xDC00 + lead)}) + cp932::decode(in.sliced(1));
            }
            ASSERT_EQ(cp932::decode(in), expected) << std::hex << lead << ' ' << trail;
        }
    }
    EXPECT_EQ(valid, 9604);
}

TEST(Cp932Codec, MalformedInputKeepsEveryByte) {
    const struct {
        QByteArray in;
        QString out;
    } cases[] = {
        {"\x82", units({0xDC82})},                             // lead byte at the end
        {"a\x82\n", units({'a', 0xDC82, '\n'})},               // line break is no trail
        {"\x82\x7F\x82\xA0", units({0xDC82, 0x7F, 0x3042})},   // next character intact
        {"\x81\xFD", units({0xDC81, 0xF8F1})},                 // FD is a byte of its own
        {"\x85\x40", units({0xDC85, 0xDC40})},                 // unassigned pair
        {"\x85\x81\x40", units({0xDC85, 0xDC81, '@'})},        // pair, then ASCII
        {"\xFC\x4B\xFC\x4C", units({0x9ED1, 0xDCFC, 0xDC4C})}, // end of the table
        {bytes({0, 0x82, 0}), units({0, 0xDC82, 0})},          // NUL bytes
        {"\xF0\x40\xF9\xFC", units({0xE000, 0xE757})},         // user-defined area
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::decode(c.in), c.out) << c.in.toHex().constData();
        EXPECT_EQ(cp932::encode(c.out), c.in) << c.in.toHex().constData();
    }
}

TEST(Cp932Codec, EveryBytePairSurvivesRoundTripInContext) {
    const std::pair<QByteArray, QByteArray> contexts[] = {
        {"", ""}, {"\x88\x9F", "\x40"}, {"a\x81", "\x81"}, {"\x82", "\xA0\r\n"}};
    for (int pair = 0; pair < 0x10000; ++pair) {
        for (const auto& [before, after] : contexts) {
            const QByteArray in = before + bytes({uchar(pair >> 8), uchar(pair)}) + after;
            ASSERT_EQ(cp932::encode(cp932::decode(in)), afterRoundTrip(in))
                << in.toHex().constData();
        }
    }
}

TEST(Cp932Codec, RandomBytesSurviveRoundTrip) {
    std::mt19937 rng(932);
    const unsigned char tricky[] = {0x00, 0x0A, 0x0D, 0x40, 0x7F, 0x80, 0x81, 0x85,
                                    0x9F, 0xA0, 0xE0, 0xEF, 0xFC, 0xFD, 0xFF};
    for (int round = 0; round < 4000; ++round) {
        QByteArray in(std::uniform_int_distribution<int>(0, 80)(rng), '\0');
        for (char& c : in)
            c = char(rng() % 2 ? rng() % 256 : tricky[rng() % std::size(tricky)]);
        ASSERT_EQ(cp932::encode(cp932::decode(in)), afterRoundTrip(in)) << in.toHex().constData();
    }
}

TEST(Cp932Codec, DuplicateCodesEncodeToThePreferredCodeLikeIconv) {
    int rewritten = 0;
    for (int code = 0x8140; code <= 0xFCFC; ++code) {
        const QByteArray in = bytes({uchar(code >> 8), uchar(code)});
        const QString text = cp932::decode(in);
        if (text.size() != 1) continue;
        const QByteArray out = cp932::encode(text);
        EXPECT_EQ(out, iconvEncode(text).value_or("<iconv>")) << std::hex << code;
        rewritten += out != in;
    }
    EXPECT_EQ(rewritten, 398);
    EXPECT_EQ(preferredCodes().size(), 398u);
}

TEST(Cp932Codec, EncodesEscapesAndWindowsOnlyBytesBack) {
    cp932::EncodeReport report;
    EXPECT_EQ(cp932::encode(units({0xDC00, 0xDC41, 0xDC81, 0xDCFF}), &report),
              bytes({0x00, 0x41, 0x81, 0xFF}));
    EXPECT_EQ(cp932::encode(units({0x80, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3}), &report),
              "\x80\xA0\xFD\xFE\xFF");
    EXPECT_EQ(report.unmappable, 0);
}

TEST(Cp932Codec, ReportsAndReplacesUnmappableCharacters) {
    const struct {
        QString in;
        QByteArray out;
        int count;
        QList<qsizetype> positions;
        int maxPositions = 16;
    } cases[] = {
        {u"caf\u00E9"_s, "caf?", 1, {3}},
        {u"a\U0001F600b"_s, "a?b", 1, {1}},               // a pair is one character
        {u"\u4E02\u4E00"_s, "?\x88\xEA", 1, {0}},         // not in JIS X 0208
        {units({0xD800, 'x', 0xDE00}), "?x?", 2, {0, 2}}, // lone surrogates
        {units({'x', 0xD83D}), "x?", 1, {1}},             // high surrogate at the end
        {u"\u00A5\u301C"_s, "??", 2, {0, 1}},             // one-way mappings only
        {u"\u00E9\u00E9\u00E9\u00E9\u00E9"_s, "?????", 5, {0, 1}, 2},
        {u"\u00E9"_s, "?", 1, {}, 0},
    };
    cp932::EncodeReport report;
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::encode(c.in, &report, c.maxPositions), c.out) << c.in.toStdString();
        EXPECT_EQ(report.unmappable, c.count) << c.in.toStdString();
        EXPECT_EQ(report.positions, c.positions) << c.in.toStdString();
        EXPECT_EQ(cp932::encode(c.in), c.out);
    }
}
