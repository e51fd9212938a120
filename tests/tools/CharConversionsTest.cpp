#include "history/UndoHistory.h"
#include "tools/CharConversions.h"

#include "platform/Cp932Codec.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>

#include <functional>
#include <map>
#include <memory>

using charconv::Conversion;
using namespace Qt::StringLiterals;

namespace {

bool isTrail(int b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// Every character a valid CP932 code decodes to, once each.
const QList<char16_t>& cp932Characters() {
    static const QList<char16_t> chars = [] {
        QList<char16_t> out;
        std::vector<bool> seen(0x10000);
        const auto take = [&](QByteArray code) {
            const QString s = cp932::decode(code);
            if (s.size() != 1) return;
            const char16_t c = s[0].unicode();
            if ((c >= 0xDC00 && c <= 0xDCFF) || seen[c]) return;
            seen[c] = true;
            out.append(c);
        };
        for (int b = 0; b < 0x100; ++b)
            if (!cp932::isLeadByte(uchar(b))) take(QByteArray(1, char(b)));
        for (int lead = 0x81; lead <= 0xFC; ++lead)
            for (int trail = 0x40; trail <= 0xFC; ++trail)
                if (cp932::isLeadByte(uchar(lead)) && isTrail(trail))
                    take(QByteArray(1, char(lead)) + char(trail));
        return out;
    }();
    return chars;
}

bool inCp932(const QString& s) {
    cp932::EncodeReport report;
    cp932::encode(s, &report);
    return report.unmappable == 0;
}

// ICU's answer for one character: a transliterator, or the simple case mapping.
QString oracle(Conversion conversion, char16_t c) {
    static std::map<Conversion, std::unique_ptr<icu::Transliterator>> cache;
    if (conversion == Conversion::Lower) return QString(QChar(char16_t(u_tolower(c))));
    if (conversion == Conversion::Upper) return QString(QChar(char16_t(u_toupper(c))));
    const char* id = conversion == Conversion::Hiragana   ? "Katakana-Hiragana"
                     : conversion == Conversion::Katakana ? "Hiragana-Katakana"
                     : conversion == Conversion::Narrow   ? "Fullwidth-Halfwidth"
                                                          : "Halfwidth-Fullwidth";
    auto& t = cache[conversion];
    if (!t) {
        UErrorCode status = U_ZERO_ERROR;
        t.reset(icu::Transliterator::createInstance(id, UTRANS_FORWARD, status));
    }
    icu::UnicodeString s(c);
    t->transliterate(s);
    return QString(reinterpret_cast<const QChar*>(s.getBuffer()), s.length());
}

struct OracleCase {
    Conversion conversion;
    // Where ICU leaves Shift_JIS or goes its own way, and what the editor does instead.
    std::map<char16_t, QString> differences;
};

class CharClassOracle : public ::testing::TestWithParam<OracleCase> {};

// Over every CP932 character: the result stays in CP932, agrees with ICU wherever ICU stays
// in CP932, and otherwise leaves the character alone, except where the table says.
TEST_P(CharClassOracle, EveryCp932Character) {
    const OracleCase& p = GetParam();
    int changed = 0;
    for (const char16_t c : cp932Characters()) {
        const QString in(QChar{c});
        const QString ours = charconv::convert(p.conversion, in);
        ASSERT_TRUE(inCp932(ours)) << std::hex << int(c);
        const auto diff = p.differences.find(c);
        const QString icu = oracle(p.conversion, c);
        const QString expected = diff != p.differences.end()       ? diff->second
                                 : icu.size() == 1 && inCp932(icu) ? icu
                                                                   : in;
        EXPECT_EQ(ours, expected) << std::hex << int(c);
        changed += ours != in;
    }
    EXPECT_GT(changed, 50);
}

// Half-width katakana are not the kana conversions' business; ICU widens them on the way.
std::map<char16_t, QString> halfWidthKanaStay(std::map<char16_t, QString> more = {}) {
    for (char16_t c = 0xFF61; c <= 0xFF9F; ++c)
        more[c] = QString(QChar(c));
    return more;
}

// ICU narrows the plain kana only; a voiced kana becomes its narrowed base and a sound mark.
std::map<char16_t, QString> voicedKanaSplit() {
    std::map<char16_t, QString> out{{u'゛', u"ﾞ"_s}, {u'゜', u"ﾟ"_s}};
    const auto split = [&](QChar base, int step, QChar mark) {
        out[char16_t(base.unicode() + step)] = oracle(Conversion::Narrow, base.unicode()) + mark;
    };
    for (QChar base : u"カキクケコサシスセソタチツテトハヒフヘホ"_s)
        split(base, 1, u'ﾞ');
    for (QChar base : u"ハヒフヘホ"_s)
        split(base, 2, u'ﾟ');
    out[u'ヴ'] = u"ｳﾞ"_s;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Tables, CharClassOracle,
    ::testing::Values(OracleCase{Conversion::Lower, {}}, OracleCase{Conversion::Upper, {}},
                      OracleCase{Conversion::Hiragana,
                                 halfWidthKanaStay({{u'ヵ', u"ヵ"_s}, {u'ヶ', u"ヶ"_s}})},
                      OracleCase{Conversion::Katakana, halfWidthKanaStay()},
                      OracleCase{Conversion::Narrow, voicedKanaSplit()},
                      OracleCase{Conversion::Wide, {{u'ﾞ', u"゛"_s}, {u'ﾟ', u"゜"_s}}}));

struct PairCase {
    Conversion conversion;
    const char16_t* in;
    const char16_t* out;
};

class CharClassPairs : public ::testing::TestWithParam<PairCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const PairCase&, std::ostream* os) { *os << "row"; }

TEST_P(CharClassPairs, Converts) {
    const PairCase& p = GetParam();
    EXPECT_EQ(charconv::convert(p.conversion, QStringView(p.in)), QStringView(p.out));
}

INSTANTIATE_TEST_SUITE_P(
    Documented, CharClassPairs,
    ::testing::Values(
        PairCase{Conversion::Lower, u"ABC def ＡＢ ΑΣΩ АЯЁ ⅠⅩ Å ①", u"abc def ａｂ ασω аяё ⅰⅹ Å ①"},
        PairCase{Conversion::Upper, u"abc ｚ ß ω ё ⅹ", u"ABC Ｚ ß Ω Ё Ⅹ"},
        PairCase{Conversion::Hiragana, u"カタカナ ヴヵヶ ヽヾ ｶﾅ 漢字abc",
                 u"かたかな ヴヵヶ ゝゞ ｶﾅ 漢字abc"},
        PairCase{Conversion::Katakana, u"ひらがな ゝゞ 漢字", u"ヒラガナ ヽヾ 漢字"},
        PairCase{Conversion::Wide, u"A1 \\~", u"Ａ１　＼～"},
        PairCase{Conversion::Wide, u"ｶﾞﾊﾟｳﾞﾜﾞｱﾞﾞﾟﾊﾞﾟ", u"ガパヴワ゛ア゛゛゜バ゜"},
        PairCase{Conversion::Wide, u"←↑→↓■○│￠￡￢￣￤￥①", u"←↑→↓■○│￠￡￢￣￤￥①"},
        PairCase{Conversion::Narrow, u"ガパヴ～「。」", u"ｶﾞﾊﾟｳﾞ~｢｡｣"},
        PairCase{Conversion::Narrow, u"ヵヶヮヰヱ←○│￥ぁ", u"ヵヶヮヰヱ←○│￥ぁ"},
        // Line breaks, a surrogate pair and carriers of undecodable bytes pass untouched.
        PairCase{Conversion::Wide, u"a\r\n\U0002000B\xDC81", u"ａ\r\n\U0002000B\xDC81"},
        PairCase{Conversion::Upper, u"\xDC80\xDCE1\U00010428", u"\xDC80\xDCE1\U00010428"}));

// Half-width text comes back from full width, composed kana included, and the reverse.
TEST(CharClassRoundTrip, WidthPairsComeBack) {
    QString half = u"ｶﾞｷﾞﾂﾞﾄﾞﾊﾞﾊﾟﾎﾟｳﾞ"_s;
    for (char16_t c = 0x20; c <= 0xFF9F; c = c == 0x7E ? 0xFF61 : c + 1)
        half += QChar(c);
    const QString full = charconv::toWide(half);
    EXPECT_EQ(charconv::toNarrow(full), half);
    EXPECT_EQ(charconv::toWide(charconv::toNarrow(full)), full);
}

// A file with bytes that are not Shift_JIS keeps them through a conversion and a save: the
// characters that carry them come out in order and the save loses nothing.
TEST(CharClassCommand, UndecodableBytesSurviveConversionAndSave) {
    const char bytes[] = "Ab\x85\x40\xA0\xFD\x80\xFF \xB6\xDE\x82\xA0\x83\x82";
    const QByteArray file(bytes, sizeof bytes - 1);
    const auto carriers = [](const QString& s) {
        QString out;
        for (QChar c : s)
            if ((c >= QChar(0xDC00) && c <= QChar(0xDCFF)) || c == QChar(0x80) ||
                (c >= QChar(0xF8F0) && c <= QChar(0xF8F3)))
                out += c;
        return out;
    };
    const QString original = cp932::decode(file);
    ASSERT_EQ(carriers(original).size(), 6);
    for (Conversion c : {Conversion::Lower, Conversion::Upper, Conversion::Hiragana,
                         Conversion::Katakana, Conversion::Narrow, Conversion::Wide}) {
        FakeEditor e;
        e.text.setText(original);
        e.text.setSelection(1, 2);
        charconv::convertDocument(e.ctx, c);
        EXPECT_EQ(carriers(e.text.text()), carriers(original)) << int(c);
        EXPECT_TRUE(inCp932(e.text.text())) << int(c);
        EXPECT_NE(e.text.text(), original) << int(c);
        EXPECT_EQ(e.text.selStart(), 0);
        EXPECT_EQ(e.text.selLength(), 0);
        EXPECT_EQ(e.history.undoSlots()[1].text(), original);
    }
}

} // namespace
