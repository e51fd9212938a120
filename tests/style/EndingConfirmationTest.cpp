#include "StyleRunSupport.h"

#include <gtest/gtest.h>

namespace style {
namespace {

struct ShownCase {
    const char* name;
    bool plainToPolite;
    const char16_t* text;
    const char16_t* title;
    const char16_t* label1;
    const char16_t* label3;
    const char16_t* text1;
    int selStart, selLength;
};

class ConfirmationShows : public testing::TestWithParam<ShownCase> {};

TEST_P(ConfirmationShows, TheWindowBeforeTheFullStop) {
    const ShownCase& c = GetParam();
    StyleRun r(q(c.text), c.plainToPolite);
    r.dialog.answers.enqueue({ConfirmAnswer::CloseBox});
    r.run();
    ASSERT_EQ(r.dialog.confirmations.size(), 1);
    const ShownConfirmation& shown = r.dialog.confirmations[0];
    EXPECT_EQ(shown.title, q(c.title));
    EXPECT_EQ(shown.label1, q(c.label1));
    EXPECT_EQ(shown.label3, q(c.label3));
    EXPECT_EQ(shown.text1, q(c.text1));
    EXPECT_EQ(shown.selStart, c.selStart);
    EXPECT_EQ(shown.selLength, c.selLength);
    // The close box changes nothing and writes nothing.
    EXPECT_EQ(r.text.text(), q(c.text));
    EXPECT_EQ(r.reportLines().size(), 2);
}

// clang-format off
const ShownCase shownCases[] = {
    {"Polite", true, u"今日は晴れていい天気です。", u"ですますを発見", u"0行目に「です」が発見されました。",
     u"…ていい", u"天気です", 5, 8},
    {"PoliteMasu", true, u"\r\n毎朝走ります。", u"ですますを発見", u"1行目に「ます」が発見されました。",
     u"…毎朝", u"走ります", 2, 7},
    {"Dearu", false, u"これは本である。", u"だであるを発見", u"0行目に「である」が発見されました。",
     u"…これは", u"本である", 0, 8},
    {"Da", false, u"あれもこれも本だ。", u"だであるを発見", u"0行目に「だ」が発見されました。",
     u"…れもこ", u"れも本だ", 1, 8},
    // Fewer than seven characters before the full stop: what is missing is missing from the
    // context first, and the window never reaches back across a line break.
    {"FourBefore", true, u"そうです。", u"ですますを発見", u"0行目に「です」が発見されました。",
     u"…", u"そうです", 0, 5},
    {"FiveBefore", true, u"とてもです。", u"ですますを発見", u"0行目に「です」が発見されました。",
     u"…と", u"てもです", 0, 6},
    {"AfterLineBreak", true, u"前の行。\r\nです。", u"ですますを発見", u"1行目に「です」が発見されました。",
     u"…", u"です", 6, 3},
    {"AfterFullStop", true, u"今日は晴天｡です。", u"ですますを発見", u"0行目に「です」が発見されました。",
     u"…", u"です", 6, 3},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EndingConfirmation, ConfirmationShows, testing::ValuesIn(shownCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct AnswerCase {
    const char* name;
    const char16_t* text;
    ConfirmAnswer answer;
    const char16_t* expected;
    const char16_t* reportLine; // nullptr: no line
    int selStart, selLength;    // after the answer
};

class ConfirmationAnswers : public testing::TestWithParam<AnswerCase> {};

TEST_P(ConfirmationAnswers, RewriteOrLeaveTheEnding) {
    const AnswerCase& c = GetParam();
    StyleRun r(q(c.text));
    std::pair<int, int> selection{-1, -1};
    r.fake.pump.onEvents = [&] {
        if (selection.first < 0 && r.state.ConfirmClosed && !r.dialog.confirmations.isEmpty())
            selection = {r.text.selStart(), r.text.selLength()};
    };
    r.dialog.answers.enqueue(c.answer);
    r.run();
    EXPECT_EQ(r.text.text(), q(c.expected));
    QStringList lines{QStringLiteral("「。」を検索しています…。")};
    if (c.reportLine) lines.append(q(c.reportLine));
    lines.append(QStringLiteral("「、」を検索しています…。"));
    EXPECT_EQ(r.reportLines(), lines);
    // Neither answer is counted.
    EXPECT_EQ(r.converter.ConvertedCount(), 0);
    EXPECT_EQ(r.dialog.caption, QStringLiteral("レポート"));
    EXPECT_EQ(selection, std::make_pair(c.selStart, c.selLength));
}

// clang-format off
const AnswerCase answerCases[] = {
    {"Convert", u"今日は晴れていい天気です。", {ConfirmAnswer::Convert, QStringLiteral("天気だ")},
     u"今日は晴れていい天気だ。", u"0行目の「です」を「天気だ」に変換しました。", 12, 0},
    {"ConvertEmptied", u"今日は晴れていい天気です。", {ConfirmAnswer::Convert, QString()},
     u"今日は晴れていい。", u"0行目の「です」を「」に変換しました。", 9, 0},
    {"Ignore", u"今日は晴れていい天気です。", {ConfirmAnswer::Ignore, {}},
     u"今日は晴れていい天気です。", u"0行目の「です」を無視しました。", 5, 8},
    {"CloseBox", u"今日は晴れていい天気です。", {ConfirmAnswer::CloseBox, {}},
     u"今日は晴れていい天気です。", nullptr, 5, 8},
    {"HalfWidthMarkBecomesFullStop", u"今日は晴れていい天気です｡", {ConfirmAnswer::Convert, QStringLiteral("天気だ")},
     u"今日は晴れていい天気だ。", u"0行目の「です」を「天気だ」に変換しました。", 12, 0},
    {"ShortWindowKeepsWhatFollows", u"とてもです。次の文", {ConfirmAnswer::Convert, QStringLiteral("ても良い")},
     u"とても良い。次の文", u"0行目の「です」を「ても良い」に変換しました。", 6, 0},
    {"KeepsTheLineBreak", u"前の行。\r\nです。", {ConfirmAnswer::Convert, QStringLiteral("だ")},
     u"前の行。\r\nだ。", u"1行目の「です」を「だ」に変換しました。", 8, 0},
    {"KeepsTheSentenceBefore", u"今日は晴天。です。", {ConfirmAnswer::Convert, QStringLiteral("だ")},
     u"今日は晴天。だ。", u"0行目の「です」を「だ」に変換しました。", 8, 0},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(EndingConfirmation, ConfirmationAnswers, testing::ValuesIn(answerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Whole documents, the expected text and report worked out by hand from the tables.
TEST(StyleProse, PlainToPolite) {
    StyleRun r(QStringLiteral("昨日は雨だった。傘を持って駅まで歩いた。\r\n"
                              "電車は混んでいるが、座ることができた。それは幸運です。\r\n"
                              "本を読む。とても楽しかった。"));
    r.dialog.answers.enqueue({ConfirmAnswer::Convert, QStringLiteral("幸運だ")});
    r.run();
    EXPECT_EQ(r.text.text(),
              QStringLiteral("昨日は雨でした。傘を持って駅まで歩きました。\r\n"
                             "電車は混んでいますが、座ることができました。それは幸運だ。\r\n"
                             "本を読みます。とても楽しかったです。"));
    EXPECT_EQ(r.reportLines(),
              (QStringList{
                  QStringLiteral("「。」を検索しています…。"),
                  QStringLiteral("0行目の「だった」を「でした」に変換しました。"),
                  QStringLiteral("0行目の「いた」を「きました」に変換しました。"),
                  QStringLiteral("1行目の「できた」を「できました」に変換しました。"),
                  QStringLiteral("1行目の「です」を「幸運だ」に変換しました。"),
                  QStringLiteral("2行目の「む」を「みます」に変換しました。"),
                  QStringLiteral("2行目の「かった」を「かったです」に変換しました。"),
                  QStringLiteral("「、」を検索しています…。"),
                  QStringLiteral("1行目の「いるが」を「いますが」に変換しました。"),
              }));
    EXPECT_EQ(r.dialog.confirmations.value(0).text1, QStringLiteral("幸運です"));
    EXPECT_EQ(r.fake.prompts.texts(),
              QStringList{QStringLiteral("終了しました。6個変換しました。")});
}

TEST(StyleProse, PoliteToPlain) {
    StyleRun r(
        QStringLiteral("私は学生です。毎朝、駅まで歩きます。\r\n"
                       "昨日は友だちと映画を見ました。とても面白い映画でした。それは本当だ。\r\n"
                       "来週も行きたいと思いますが、時間がありません。"),
        false);
    r.dialog.answers.enqueue({ConfirmAnswer::Ignore, {}});
    r.run();
    EXPECT_EQ(r.text.text(),
              QStringLiteral("私は学生である。毎朝、駅まで歩く。\r\n"
                             "昨日は友だちと映画を見た。とても面白い映画だった。それは本当だ。\r\n"
                             "来週も行きたいと思うが、時間がない。"));
    EXPECT_EQ(r.reportLines(),
              (QStringList{
                  QStringLiteral("「。」を検索しています…。"),
                  QStringLiteral("0行目の「です」を「である」に変換しました。"),
                  QStringLiteral("0行目の「きます」を「く」に変換しました。"),
                  QStringLiteral("1行目の「ました」を「た」に変換しました。"),
                  QStringLiteral("1行目の「でした」を「だった」に変換しました。"),
                  QStringLiteral("1行目の「だ」を無視しました。"),
                  QStringLiteral("2行目の「ありません」を「ない」に変換しました。"),
                  QStringLiteral("「、」を検索しています…。"),
                  QStringLiteral("2行目の「思いますが」を「思うが」に変換しました。"),
              }));
    const ShownConfirmation& shown = r.dialog.confirmations.value(0);
    EXPECT_EQ(shown.title, QStringLiteral("だであるを発見"));
    EXPECT_EQ(shown.label3, QStringLiteral("…。それ"));
    EXPECT_EQ(shown.text1, QStringLiteral("は本当だ"));
    EXPECT_EQ(r.fake.prompts.texts(),
              QStringList{QStringLiteral("終了しました。6個変換しました。")});
}

} // namespace
} // namespace style
