#include "StyleRunSupport.h"

#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "platform/FixedWidthLayout.h"

#include <gtest/gtest.h>

namespace style {
namespace {

const QString kFullStopHeading = QStringLiteral("「。」を検索しています…。");
const QString kCommaHeading = QStringLiteral("「、」を検索しています…。");

struct RunCase {
    const char* name;
    bool plainToPolite;
    const char16_t* text;
    const char16_t* expected;
    // Report lines between the two headings, then after the comma heading.
    std::vector<const char16_t*> fullStopLines;
    std::vector<const char16_t*> commaLines;
    int count;
};

class WholeRun : public testing::TestWithParam<RunCase> {};

TEST_P(WholeRun, ConvertsReportsAndCounts) {
    const RunCase& c = GetParam();
    StyleRun r(q(c.text), c.plainToPolite);
    r.run();

    EXPECT_EQ(r.text.text(), q(c.expected));
    QStringList lines{kFullStopHeading};
    for (const char16_t* line : c.fullStopLines)
        lines.append(q(line));
    lines.append(kCommaHeading);
    for (const char16_t* line : c.commaLines)
        lines.append(q(line));
    EXPECT_EQ(r.reportLines(), lines);
    EXPECT_EQ(r.dialog.report, r.converter.report());
    EXPECT_EQ(r.converter.ConvertedCount(), c.count);
    EXPECT_EQ(r.dialog.caption, c.count == 0
                                    ? QStringLiteral("レポート")
                                    : QStringLiteral("レポート　～%1個変換～").arg(c.count));
    ASSERT_EQ(r.fake.prompts.shown.size(), 1);
    EXPECT_EQ(r.fake.prompts.shown[0].text,
              QStringLiteral("終了しました。%1個変換しました。").arg(c.count));
    EXPECT_EQ(r.fake.prompts.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(r.fake.prompts.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(r.fake.prompts.shown[0].title, kDefaultTitle);
    EXPECT_TRUE(r.dialog.confirmations.isEmpty());
}

// clang-format off
const RunCase wholeRuns[] = {
    {"Empty", true, u"", u"", {}, {}, 0},
    {"NoMarks", false, u"これは本です", u"これは本です", {}, {}, 0},
    {"MarkTooEarly", true, u"だ。", u"だ。", {}, {}, 0},
    {"TwoSentences", true, u"これは本だ。それは本だ。", u"これは本です。それは本です。",
     {u"0行目の「だ」を「です」に変換しました。", u"0行目の「だ」を「です」に変換しました。"}, {}, 2},
    {"MarkRightAfterMarkIsSkipped", true, u"そうだ。。", u"そうです。。",
     {u"0行目の「だ」を「です」に変換しました。"}, {}, 1},
    {"HalfWidthMarksAreMarks", true, u"本だ｡雨だが､", u"本です｡雨ですが､",
     {u"0行目の「だ」を「です」に変換しました。"}, {u"0行目の「だが」を「ですが」に変換しました。"}, 2},
    {"LongestWindowWins", true, u"楽しかった。", u"楽しかったです。",
     {u"0行目の「かった」を「かったです」に変換しました。"}, {}, 1},
    {"D1Verb", true, u"本を読む。", u"本を読みます。", {u"0行目の「む」を「みます」に変換しました。"}, {}, 1},
    {"D2OnlyRuleForIta", true, u"していた。", u"してきました。",
     {u"0行目の「いた」を「きました」に変換しました。"}, {}, 1},
    {"CanDoPast", true, u"宿題ができた。", u"宿題ができました。",
     {u"0行目の「できた」を「できました」に変換しました。"}, {}, 1},
    {"UnchangedRuleCounts", true, u"1つ。", u"1つ。", {u"0行目の「1つ」を「1つ」に変換しました。"}, {}, 1},
    {"KatakanaNeverMatches", true, u"本はダ。", u"本はダ。", {}, {}, 0},
    {"HalfWidthKanaNeverMatches", true, u"本はﾀﾞ。", u"本はﾀﾞ。", {}, {}, 0},
    {"CommaPass", true, u"雨だが、風だが、", u"雨ですが、風ですが、", {},
     {u"0行目の「だが」を「ですが」に変換しました。", u"0行目の「だが」を「ですが」に変換しました。"}, 2},
    {"SecondLine", true, u"\r\nこれは本だ。", u"\r\nこれは本です。",
     {u"1行目の「だ」を「です」に変換しました。"}, {}, 1},
    {"PoliteGo", false, u"行きます。", u"行く。", {u"0行目の「きます」を「く」に変換しました。"}, {}, 1},
    {"PolitePast", false, u"雨が降りました。", u"雨が降りた。", {u"0行目の「ました」を「た」に変換しました。"}, {}, 1},
    {"PassivePast", false, u"先生が来られました。", u"先生が来られた。",
     {u"0行目の「られました」を「られた」に変換しました。"}, {}, 1},
    {"PoliteUnchanged", false, u"ございます。", u"ございます。",
     {u"0行目の「ございます」を「ございます」に変換しました。"}, {}, 1},
    {"ShortPolite", false, u"はい。", u"はい。", {}, {}, 0},
    {"CommaThirdCharacter", false, u"でも、そうです。", u"でも、そうである。",
     {u"0行目の「です」を「である」に変換しました。"}, {}, 1},
    {"PoliteComma", false, u"雨ですが、", u"雨だが、", {}, {u"0行目の「ですが」を「だが」に変換しました。"}, 1},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(StyleConverter, WholeRun, testing::ValuesIn(wholeRuns),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StyleConverter, RunStartAndEndStates) {
    StyleRun r(QStringLiteral("これは本だ。"));
    EXPECT_TRUE(r.converter.stopRequested());
    r.text.setSelection(2, 3);
    r.run();
    EXPECT_FALSE(r.dialog.convertEnabled);
    EXPECT_EQ(r.dialog.closeCaption, QStringLiteral("閉じる"));
    EXPECT_TRUE(r.converter.stopRequested());
    EXPECT_FALSE(r.converter.running());
    EXPECT_EQ(r.text.selStart(), 0);
    EXPECT_EQ(r.text.selLength(), 0);
    EXPECT_EQ(r.fake.pointer.changes, (QList<bool>{true, false}));
    EXPECT_EQ(r.dialog.unloads, 0);

    // Closing the finished dialog restores the pointer again and unloads it.
    r.converter.onCancelClicked();
    EXPECT_EQ(r.fake.pointer.changes, (QList<bool>{true, false, false}));
    EXPECT_EQ(r.dialog.unloads, 1);
}

TEST(StyleConverter, OneUndoRestoresTheTextBeforeTheRun) {
    StyleRun r(QStringLiteral("これは本だ。雨だが、"));
    r.history.record(r.text); // the dialog opening
    r.run();
    ASSERT_EQ(r.text.text(), QStringLiteral("これは本です。雨ですが、"));
    undo(r.ctx);
    EXPECT_EQ(r.text.text(), QStringLiteral("これは本だ。雨だが、"));
}

TEST(StyleConverter, ReportsWrappedLineNumbers) {
    StyleRun r(QStringLiteral("あいうえおかきくけこ本だ。"));
    FixedWidthLayout wrap(r.text, 5);
    r.text.setLineLayout(&wrap);
    r.run();
    EXPECT_EQ(r.reportLines().value(1), QStringLiteral("2行目の「だ」を「です」に変換しました。"));
    r.text.setLineLayout(nullptr);
}

// After each mark the walk goes on from the selection the mark left: right before the mark
// after a match, the last window tried when nothing matched, the caret before a comma that no
// window fits in front of.
TEST(StyleConverter, SelectionLeftByEachMark) {
    StyleRun r(QStringLiteral("でも、本だ。はい。"), false);
    QList<std::pair<int, int>> afterMarks;
    int lastFound = 0;
    r.fake.pump.onEvents = [&] {
        if (r.state.FoundAt != lastFound && r.state.FoundAt != 0) {
            lastFound = r.state.FoundAt;
            afterMarks.append({r.text.selStart(), r.text.selLength()});
        }
    };
    r.dialog.answers.enqueue({ConfirmAnswer::Ignore});
    r.run();
    // 本だ。: the "だ" goes to the writer (ignored, window 0..6 selected), then the three
    // characters before the mark are checked for "である". はい。: S2 leaves "はい" selected.
    // でも、: no window fits, the caret goes before the comma.
    EXPECT_EQ(afterMarks, (QList<std::pair<int, int>>{{2, 3}, {6, 2}, {2, 0}}));
    EXPECT_EQ(r.dialog.confirmations.size(), 1);
}

TEST(StyleConverter, StopDuringARunEndsItWithoutAMessage) {
    QString text;
    for (int i = 0; i < 50; ++i)
        text += QStringLiteral("これは本だ。");
    StyleRun r(text);
    int marks = 0;
    r.fake.pump.onEvents = [&] {
        if (r.state.FoundAt != 0 && ++marks == 10) r.converter.onCancelClicked();
    };
    r.run();
    EXPECT_EQ(r.dialog.closeCaption, QStringLiteral("閉じる"));
    EXPECT_TRUE(r.fake.prompts.shown.isEmpty());
    EXPECT_GT(r.converter.ConvertedCount(), 0);
    EXPECT_LT(r.converter.ConvertedCount(), 50);
    EXPECT_EQ(r.text.text().count(QStringLiteral("本です。")), r.converter.ConvertedCount());
    EXPECT_FALSE(r.converter.report().contains(kCommaHeading));
    // The busy pointer stays until the dialog is closed.
    EXPECT_EQ(r.fake.pointer.changes, (QList<bool>{true}));
    EXPECT_EQ(r.dialog.unloads, 0);
    r.converter.onCancelClicked();
    EXPECT_EQ(r.fake.pointer.changes, (QList<bool>{true, false}));
    EXPECT_EQ(r.dialog.unloads, 1);
}

TEST(StyleConverter, StopAtTheEndOfTheFullStopPassIsNotLost) {
    StyleRun r(QStringLiteral("雨だ。雨だが、"));
    int calls = 0;
    r.fake.pump.onEvents = [&] {
        // Before the search that ends the full-stop pass (the third time events run).
        if (++calls == 3) r.converter.onCancelClicked();
    };
    r.run();
    EXPECT_TRUE(r.fake.prompts.shown.isEmpty());
    EXPECT_EQ(r.text.text(), QStringLiteral("雨です。雨だが、"));
    EXPECT_FALSE(r.converter.report().contains(kCommaHeading));
}

TEST(StyleConverter, EachMarkFollowsTheOptionSelectedWhenItIsReached) {
    StyleRun r(QStringLiteral("これは本だ。行きます。"));
    r.fake.pump.onEvents = [&] {
        if (r.state.FoundAt == 6) r.dialog.option1 = false;
    };
    r.run();
    EXPECT_EQ(r.text.text(), QStringLiteral("これは本です。行く。"));
}

TEST(StyleConverter, ACaretMovedDuringTheRunMovesTheWalk) {
    StyleRun r(QStringLiteral("本を読む。本を読む。本を読む。"));
    r.fake.pump.onEvents = [&] {
        // The writer clicks after the second sentence while the first is being converted.
        if (r.state.FoundAt == 5) r.text.setSelStart(12);
    };
    r.run();
    EXPECT_EQ(r.text.text(), QStringLiteral("本を読みます。本を読む。本を読みます。"));
}

TEST(StyleConverter, CountStopsAt32767ButConversionsGoOn) {
    const int marks = 32770;
    StyleRun r(QStringLiteral("1つ。").repeated(marks - 1) + QStringLiteral("雨だ。"));
    r.run();
    EXPECT_EQ(r.converter.ConvertedCount(), 32767);
    EXPECT_EQ(r.dialog.caption, QStringLiteral("レポート　～32767個変換～"));
    EXPECT_EQ(r.fake.prompts.shown.value(0).text,
              QStringLiteral("終了しました。32767個変換しました。"));
    EXPECT_TRUE(r.text.text().endsWith(QStringLiteral("雨です。")));
    EXPECT_EQ(r.reportLines().size(), marks + 2);
}

TEST(StyleConverter, ASecondClickDuringARunDoesNotStartAnother) {
    StyleRun r(QStringLiteral("これは本だ。それは本だ。"));
    int nested = 0;
    r.fake.pump.onEvents = [&] {
        if (nested++ == 0) r.converter.onConvertClicked();
    };
    r.run();
    EXPECT_EQ(r.text.text(), QStringLiteral("これは本です。それは本です。"));
    EXPECT_EQ(r.fake.prompts.shown.size(), 1);
}

} // namespace
} // namespace style
