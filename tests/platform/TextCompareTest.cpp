#include "platform/TextCompare.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace textcmp;

TEST(TextCompare, EqualityClasses) {
    // clang-format off
    struct Case { const char16_t* a; const char16_t* b; bool same; };
    const Case cases[] = {
        {u"Pallo", u"pALLO", true}, {u"ＡＢＣ１２", u"abc12", true}, {u"ａ", u"A", true},
        {u"　", u" ", true}, {u"｡｢｣､･ｰ", u"。「」、・ー", true}, {u"ｱｲｳｦﾝ", u"あいうをん", true},
        {u"ｱｲｳ", u"アイウ", true}, {u"ﾞﾟ", u"゛゜", true}, {u"ヴヵヶヽヾ", u"ゔゕゖゝゞ", true},
        {u"ΣЖÀ", u"σжà", true}, {u"￥", u"¥", true}, {u"が", u"か", false}, {u"ぁ", u"あ", false},
        {u"ヷ", u"ゔ", false}, {u"ー", u"-", false}, {u"・", u".", false}, {u"abc", u"ab", false},
        // Each side folds alone, so a half-width kana plus its sound mark is two characters.
        {u"ｶﾞ", u"ガ", false},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(equal(QStringView(c.a), QStringView(c.b)), c.same)
            << QString::fromUtf16(c.a).toStdString() << " / "
            << QString::fromUtf16(c.b).toStdString();
}

TEST(TextCompare, WidthFoldAgreesWithCompatibilityForms) {
    for (char16_t c = 0xFF01; c <= 0xFF9D; ++c) {
        if (c > 0xFF5E && c < 0xFF61) continue;
        const QString nfkc = QString(QChar(c)).normalized(QString::NormalizationForm_KC);
        ASSERT_EQ(nfkc.size(), 1);
        EXPECT_EQ(fold(c), fold(nfkc[0].unicode())) << std::hex << int(c);
    }
}

TEST(TextCompare, FoldIsStableAndKeepsSurrogates) {
    for (unsigned c = 0; c < 0x10000; ++c) {
        const char16_t f = fold(char16_t(c));
        ASSERT_EQ(fold(f), f) << std::hex << c;
        if (QChar::isSurrogate(c)) ASSERT_EQ(f, c);
    }
}

TEST(TextCompare, InStr) {
    // clang-format off
    struct Case { int start; const char16_t* text; const char16_t* find; int expected; };
    const Case cases[] = {
        {1, u"ABCabc", u"abc", 1}, {2, u"ABCabc", u"abc", 4}, {5, u"ABCabc", u"abc", 0},
        {3, u"aaaa", u"aa", 3}, {4, u"aaaa", u"aa", 0}, {10, u"abc", u"a", 0},
        {7, u"ABCabc", u"", 7}, {8, u"ABCabc", u"", 0}, {1, u"", u"", 1}, {1, u"", u"a", 0},
        {1, u"ab", u"abc", 0}, {0, u"xab", u"AB", 2}, {1, u"今日はＰａｌｌｏ", u"pallo", 4},
        {1, u"ｺﾝﾆﾁﾊ。", u"にち", 3}, {1, u"x　y", u"X Y", 1}, {1, u"終わり｡", u"。", 4},
        {1, u"かタカな", u"カな", 3},
    };
    // clang-format on
    for (const Case& c : cases)
        EXPECT_EQ(inStr(c.start, QStringView(c.text), QStringView(c.find)), c.expected)
            << c.start << " " << QString::fromUtf16(c.text).toStdString() << " / "
            << QString::fromUtf16(c.find).toStdString();
}

// The skip table hashes folded characters by their low byte; a to-the-letter scan over an
// alphabet full of collisions (a/ち/š, b/B/あ) is the reference.
TEST(TextCompare, InStrMatchesPlainScan) {
    const char16_t alphabet[] = u"aAａちšŠbBあアｱ 　";
    const int letters = int(std::size(alphabet)) - 1;
    QRandomGenerator rng(42);
    auto make = [&](int len) {
        QString s;
        for (int i = 0; i < len; ++i)
            s += QChar(alphabet[rng.bounded(letters)]);
        return s;
    };
    auto folded = [](const QString& s) {
        QString r;
        for (QChar ch : s)
            r += QChar(fold(ch.unicode()));
        return r;
    };
    for (int round = 0; round < 3000; ++round) {
        const QString text = make(rng.bounded(14)), find = make(rng.bounded(4));
        for (int start = 1; start <= text.size() + 2; ++start) {
            const qsizetype at = folded(text).indexOf(folded(find), start - 1);
            const int expected = start > text.size() + 1 ? 0 : int(at + 1);
            ASSERT_EQ(inStr(start, text, find), expected)
                << start << " " << text.toStdString() << " / " << find.toStdString();
        }
    }
}

TEST(TextCompare, ReplaceAll) {
    // clang-format off
    struct Case { const char16_t* text; const char16_t* find; const char16_t* with; const char16_t* expected; int count; };
    const Case cases[] = {
        {u"aaa", u"aa", u"b", u"ba", 1}, {u"aaaa", u"AA", u"b", u"bb", 2},
        {u"abc", u"b", u"bb", u"abbc", 1}, {u"aaa", u"a", u"aa", u"aaaaaa", 3},
        {u"a-b-c", u"-", u"", u"abc", 2}, {u"abc", u"", u"x", u"abc", 0},
        {u"", u"a", u"x", u"", 0}, {u"abc", u"d", u"x", u"abc", 0},
        {u"ｱｲｳとアイウ", u"あいう", u"ア", u"アとア", 2}, {u"a　b A B", u"a b", u"-", u"- -", 2},
        {u"終わり｡", u"。", u"．", u"終わり．", 1},
    };
    // clang-format on
    for (const Case& c : cases) {
        int count = -1;
        EXPECT_EQ(replaceAll(QStringView(c.text), QStringView(c.find), QStringView(c.with), &count),
                  QString::fromUtf16(c.expected));
        EXPECT_EQ(count, c.count) << QString::fromUtf16(c.text).toStdString();
    }
    EXPECT_EQ(replaceAll(u"xyx", u"X", u"z"), u"zyz");
}
