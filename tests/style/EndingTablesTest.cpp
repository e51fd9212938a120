#include "style/EndingTables.h"
#include "style/EndingMatch.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <set>
#include <string_view>
#include <vector>

namespace style {
// Readable failure output: the strings are Japanese, so print them as UTF-8.
void PrintTo(const EndingMatch& m, std::ostream* os) {
    auto u8 = [](std::u16string_view s) {
        return QString::fromUtf16(s.data(), qsizetype(s.size())).toStdString();
    };
    *os << u8(m.tableName) << " row " << m.row << " @" << m.windowStart << " \"" << u8(m.ending)
        << "\" -> \"" << u8(m.replacement) << '"';
}
} // namespace style

namespace {

using namespace style;
using std::u16string_view;

struct TableShape {
    const EndingTable* table;
    u16string_view name;
    int window;
    std::size_t rows;
    EndingRule first;
    EndingRule last;
};

const TableShape tableShapes[] = {
    {&D5, u"D5", 5, 6, {u"であろうか", u"でしょうか"}, {u"落ち込んだ", u"落ち込みました"}},
    {&D4, u"D4", 4, 11, {u"であった", u"でした"}, {u"強まった", u"強まりました"}},
    {&D3, u"D3", 3, 20, {u"いった", u"いきました"}, {u"結んだ", u"結びました"}},
    {&D2, u"D2", 2, 31, {u"いた", u"きました"}, {u"三つ", u"三つ"}},
    {&D1, u"D1", 1, 18, {u"う", u"います"}, {u"た", u"ました"}},
    {&K4, u"K4", 4, 3, {u"だろうが", u"でしょうが"}, {u"であろう", u"でしょう"}},
    {&K3, u"K3", 3, 6, {u"いるが", u"いますが"}, {u"思うが", u"思いますが"}},
    {&K2, u"K2", 2, 1, {u"だが", u"ですが"}, {u"だが", u"ですが"}},
    {&S8, u"S8", 8, 1, {u"ありませんでした", u"なかった"}, {u"ありませんでした", u"なかった"}},
    {&S7, u"S7", 7, 6, {u"ないでしょうか", u"ないか"}, {u"落ち込みました", u"落ち込んだ"}},
    {&S6, u"S6", 6, 8, {u"もありました", u"もあった"}, {u"強まりました", u"強まった"}},
    {&S5, u"S5", 5, 26, {u"でしょうか", u"であろうか"}, {u"結びました", u"結んだ"}},
    {&S4, u"S4", 4, 22, {u"でしょう", u"であろう"}, {u"ですよね", u"だろう"}},
    {&S3, u"S3", 3, 22, {u"でした", u"だった"}, {u"でしょ", u"だろう"}},
    {&S2, u"S2", 2, 1, {u"です", u"である"}, {u"です", u"である"}},
    {&J6, u"J6", 6, 2, {u"しれませんが", u"しれないが"}, {u"ありましたが", u"あったが"}},
    {&J5, u"J5", 5, 4, {u"ありますが", u"あるが"}, {u"思いますが", u"思うが"}},
    {&J4, u"J4", 4, 2, {u"いますが", u"いるが"}, {u"れますが", u"れるが"}},
    {&J3, u"J3", 3, 1, {u"ですが", u"だが"}, {u"ですが", u"だが"}},
};

TEST(EndingTables, EachTableHasItsNameSizeWindowAndDistinctEndings) {
    for (const auto& s : tableShapes) {
        const EndingTable& t = *s.table;
        SCOPED_TRACE(QString::fromUtf16(s.name.data(), 2).toStdString());
        EXPECT_EQ(t.name, s.name);
        EXPECT_EQ(t.windowLength, s.window);
        ASSERT_EQ(t.rules.size(), s.rows);
        EXPECT_EQ(t.rules.front().ending, s.first.ending);
        EXPECT_EQ(t.rules.front().replacement, s.first.replacement);
        EXPECT_EQ(t.rules.back().ending, s.last.ending);
        EXPECT_EQ(t.rules.back().replacement, s.last.replacement);
        std::set<u16string_view> endings;
        for (const EndingRule& r : t.rules) {
            EXPECT_EQ(r.ending.size(), std::size_t(t.windowLength));
            EXPECT_FALSE(r.replacement.empty());
            EXPECT_TRUE(endings.insert(r.ending).second) << "duplicate ending";
        }
    }
}

struct ChainShape {
    StyleDirection direction;
    EndingMark mark;
    std::vector<u16string_view> names;
    std::size_t totalRules;
};

TEST(EndingTables, ChainsRunLongestWindowFirstAndHoldTheRuleTotals) {
    const ChainShape chains[] = {
        {StyleDirection::PlainToPolite,
         EndingMark::FullStop,
         {u"D5", u"D4", u"D3", u"D2", u"D1"},
         86},
        {StyleDirection::PlainToPolite, EndingMark::Comma, {u"K4", u"K3", u"K2"}, 10},
        {StyleDirection::PoliteToPlain,
         EndingMark::FullStop,
         {u"S8", u"S7", u"S6", u"S5", u"S4", u"S3", u"S2"},
         86},
        {StyleDirection::PoliteToPlain, EndingMark::Comma, {u"J6", u"J5", u"J4", u"J3"}, 9},
    };
    for (const auto& c : chains) {
        const auto chain = endingChain(c.direction, c.mark);
        std::vector<u16string_view> names;
        std::size_t total = 0;
        for (const EndingTable* t : chain) {
            names.push_back(t->name);
            total += t->rules.size();
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(total, c.totalRules);
    }
}

// Rows whose exact code units are easy to get wrong, and the two rows whose replacements were
// fixed to keep the verb form.
TEST(EndingTables, DelicateRowsHoldTheirExactStrings) {
    struct Row {
        const EndingTable* table;
        int row;
        EndingRule rule;
    };
    const Row rows[] = {
        {&D3, 7, {u"できた", u"できました"}},
        {&S5, 8, {u"られました", u"られた"}},
        {&D2, 23, {u"\u0031つ", u"\u0031つ"}}, // ASCII digit
        {&D2, 26, {u"\uFF11つ", u"\uFF11つ"}}, // full-width digit
        {&D2, 29, {u"一つ", u"一つ"}},
        {&S3, 14, {u"じます", u"じた"}},
        {&S5, 22, {u"ございます", u"ございます"}},
        {&S6, 7, {u"ございました", u"ございました"}},
        {&S4, 18, {u"ください", u"ください"}},
        {&S3, 21, {u"下さい", u"下さい"}},
        {&D3, 18, {u"こよう", u"きます"}},
        {&K3, 3, {u"ないが", u"ありませんが"}},
    };
    for (const auto& r : rows) {
        const EndingRule& actual = r.table->rules[std::size_t(r.row - 1)];
        EXPECT_EQ(actual.ending, r.rule.ending) << r.row;
        EXPECT_EQ(actual.replacement, r.rule.replacement) << r.row;
    }
}

TEST(EndingTables, FoundEndingChecksPerDirection) {
    const auto plain = foundEndingChecks(StyleDirection::PlainToPolite);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].length, 2);
    EXPECT_EQ(std::vector<u16string_view>(plain[0].endings.begin(), plain[0].endings.end()),
              (std::vector<u16string_view>{u"ます", u"です"}));

    const auto polite = foundEndingChecks(StyleDirection::PoliteToPlain);
    ASSERT_EQ(polite.size(), 2u);
    EXPECT_EQ(polite[0].length, 1);
    ASSERT_EQ(polite[0].endings.size(), 1u);
    EXPECT_EQ(polite[0].endings[0], u"だ");
    EXPECT_EQ(polite[1].length, 3);
    ASSERT_EQ(polite[1].endings.size(), 1u);
    EXPECT_EQ(polite[1].endings[0], u"である");
}

struct MatchCase {
    const char* what;
    const char16_t* text;
    int markPosition;
    StyleDirection direction;
    EndingMark mark;
    std::optional<EndingMatch> expected;
};

constexpr auto P2P = StyleDirection::PlainToPolite;
constexpr auto P2N = StyleDirection::PoliteToPlain;
constexpr auto Stop = EndingMark::FullStop;
constexpr auto Comma = EndingMark::Comma;

// clang-format off
const MatchCase matchCases[] = {
    {"D1 after longer tables miss", u"これは本だ。", 6, P2P, Stop, {{u"D1", 15, 4, u"だ", u"です"}}},
    {"verb ending", u"本を読む。", 5, P2P, Stop, {{u"D1", 7, 3, u"む", u"みます"}}},
    {"D3 beats D1", u"楽しかった。", 6, P2P, Stop, {{u"D3", 17, 2, u"かった", u"かったです"}}},
    {"D5 beats D1", u"いなかった。", 6, P2P, Stop, {{u"D5", 2, 0, u"いなかった", u"いませんでした"}}},
    {"only rule for いた", u"していた。", 5, P2P, Stop, {{u"D2", 1, 2, u"いた", u"きました"}}},
    {"unchanged counter", u"りんごが1つ。", 7, P2P, Stop, {{u"D2", 23, 4, u"1つ", u"1つ"}}},
    {"unchanged at text start", u"1つ。", 3, P2P, Stop, {{u"D2", 23, 0, u"1つ", u"1つ"}}},
    {"corrected できた", u"泳ぐことができた。", 9, P2P, Stop, {{u"D3", 7, 5, u"できた", u"できました"}}},
    {"short text skips long tables", u"本だ。", 3, P2P, Stop, {{u"D1", 15, 1, u"だ", u"です"}}},
    {"text after the mark is ignored", u"本だ。です", 3, P2P, Stop, {{u"D1", 15, 1, u"だ", u"です"}}},
    {"K2", u"雨だが、", 4, P2P, Comma, {{u"K2", 1, 1, u"だが", u"ですが"}}},
    {"K4 before K3", u"山があったが、", 7, P2P, Comma, {{u"K4", 2, 2, u"あったが", u"ありましたが"}}},
    {"comma chain differs from full-stop chain", u"本だ、", 3, P2P, Comma, std::nullopt},
    {"katakana never matches", u"本はダ。", 4, P2P, Stop, std::nullopt},
    {"half-width never matches", u"本は\uFF80\uFF9E。", 5, P2P, Stop, std::nullopt},
    {"katakana verb", u"ナイ。", 3, P2P, Stop, std::nullopt},
    {"line break in window", u"する\r\n。", 5, P2P, Stop, std::nullopt},
    {"nothing before mark", u"。", 1, P2P, Stop, std::nullopt},
    {"mark past the text", u"本だ", 4, P2P, Stop, std::nullopt},

    {"unchanged shields S3", u"ございます。", 6, P2N, Stop, {{u"S5", 22, 0, u"ございます", u"ございます"}}},
    {"S3 row 7", u"行きます。", 5, P2N, Stop, {{u"S3", 7, 1, u"きます", u"く"}}},
    {"S3 row 18", u"雨が降りました。", 8, P2N, Stop, {{u"S3", 18, 4, u"ました", u"た"}}},
    {"corrected られました", u"食べられました。", 8, P2N, Stop, {{u"S5", 8, 2, u"られました", u"られた"}}},
    {"S8 needs all eight", u"ありませんでした。", 9, P2N, Stop, {{u"S8", 1, 0, u"ありませんでした", u"なかった"}}},
    {"seven units skip S8", u"りませんでした。", 8, P2N, Stop, {{u"S3", 1, 4, u"でした", u"だった"}}},
    {"S2", u"そうです。", 5, P2N, Stop, {{u"S2", 1, 2, u"です", u"である"}}},
    {"no polite rule for はい", u"はい。", 3, P2N, Stop, std::nullopt},
    {"J3", u"雨ですが、", 5, P2N, Comma, {{u"J3", 1, 1, u"ですが", u"だが"}}},
    {"J6 before J5", u"かもしれませんが、", 9, P2N, Comma, {{u"J6", 1, 2, u"しれませんが", u"しれないが"}}},
    {"too short for any J table", u"でも、そうです。", 3, P2N, Comma, std::nullopt},
};
// clang-format on

TEST(matchEnding, ExamplesAndNonMatches) {
    for (const auto& c : matchCases) {
        SCOPED_TRACE(c.what);
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(matchEnding(text, c.markPosition, c.direction, c.mark), c.expected);
    }
}

TEST(matchEnding, PlainToPoliteWouldRewriteAFoundEndingSoChecksMustComeFirst) {
    // The chain on its own turns "です" into "でします"; only the found-ending check keeps it.
    const QString text = QStringLiteral("そうです。");
    EXPECT_TRUE(isFoundEnding(text, 5, foundEndingChecks(P2P)[0]));
    const auto m = matchEnding(text, 5, P2P, Stop);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->tableName, u"D1");
}

TEST(matchEnding, TableStepSkipsWindowsThatDoNotFit) {
    const QString text = QStringLiteral("本だ。");
    EXPECT_FALSE(matchTable(text, 3, D3));
    EXPECT_FALSE(matchTable(text, 3, D2));
    EXPECT_EQ(matchTable(text, 3, D1), (EndingMatch{u"D1", 15, 1, u"だ", u"です"}));
}

TEST(isFoundEnding, ChecksTheCharactersRightBeforeTheMark) {
    const auto plain = foundEndingChecks(P2P)[0];
    const auto da = foundEndingChecks(P2N)[0];
    const auto dearu = foundEndingChecks(P2N)[1];
    struct Case {
        const char16_t* text;
        int markPosition;
        FoundEndingCheck check;
        bool found;
    };
    const Case cases[] = {
        {u"そうです。", 5, plain, true},  {u"行きます。", 5, plain, true},
        {u"本だ。", 3, plain, false},     {u"す。", 2, plain, false}, // one character only
        {u"そうデス。", 5, plain, false}, {u"そう\uFF83\uFF9E\uFF7D。", 6, plain, false},
        {u"そうだ。", 4, da, true},       {u"そうダ。", 4, da, false},
        {u"である。", 4, da, false},      {u"である。", 4, dearu, true},
        {u"はい。", 3, dearu, false},     {u"でアる。", 4, dearu, false},
        {u"であるか。", 4, dearu, true}, // the mark position decides, not the character there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.text).toStdString());
        EXPECT_EQ(isFoundEnding(QString::fromUtf16(c.text), c.markPosition, c.check), c.found);
    }
}

} // namespace
