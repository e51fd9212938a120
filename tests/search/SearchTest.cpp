#include "history/UndoHistory.h"
#include "search/SearchTestSupport.h"

#include "command/Settings.h"
#include "platform/FixedWidthLayout.h"

#include <gtest/gtest.h>

namespace {

using search::FindCount;
using search::ReplaceRun;

struct Case {
    const char* name;
    const char16_t* text;
    const char16_t* word;
    const char16_t* replacement;
    bool exact;
    int foundAt;              // first find from the top, 0-based; -1 when none
    int count;                // overlapping occurrences from the top
    const char16_t* replaced; // replace-all, whichever way it runs
    int replacements;         // the steps of a replace-all from the top
};

const Case kCases[] = {
    {"WidthIgnored", u"ＡＢＣabc", u"abc", u"x", false, 0, 2, u"xx", 2},
    {"CaseKeptWhenExact", u"ABCabc", u"abc", u"x", true, 3, 1, u"ABCx", 1},
    {"KanaTypeIgnored", u"がっこうガッコウ", u"がっこう", u"学校", false, 0, 2, u"学校学校", 2},
    {"IdeographicSpaceIsABlank", u"a　b a b", u"a b", u"-", false, 0, 2, u"- -", 2},
    {"IdeographicSpaceNotABlankWhenExact", u"a　b a b", u"a b", u"-", true, 4, 1, u"a　b -", 1},
    {"OverlapsCountedNotReplaced", u"aaaa", u"aa", u"b", false, 0, 3, u"bb", 2},
    {"ReplacementHoldsTheWord", u"ab ab", u"ab", u"abab", false, 0, 2, u"abab abab", 2},
    {"VoicedMarkNotSwallowed", u"ｶﾞｷｶ", u"か", u"X", false, 0, 2, u"XﾞｷX", 2},
    {"HalfWidthKanaAfterVoicedMark", u"ｶﾞｷ", u"き", u"Y", false, 2, 1, u"ｶﾞY", 1},
    {"VoicedKanaIsNotKanaAndMark", u"ｶﾞ", u"ガ", u"Z", false, -1, 0, u"ｶﾞ", 0},
    {"Absent", u"abc", u"xyz", u"q", false, -1, 0, u"abc", 0},
};

class Search : public ::testing::TestWithParam<Case> {
protected:
    FakeEditor e;
    FakeFindDialog findDialog;
    FakeReplaceDialog replaceDialog;
    search::ReplaceState replaceState;

    void SetUp() override {
        const Case& c = GetParam();
        e.text.setText(QString::fromUtf16(c.text));
        findDialog.typed = replaceDialog.find = QString::fromUtf16(c.word);
        replaceDialog.replacement = QString::fromUtf16(c.replacement);
        findDialog.exactCase = replaceDialog.exactCase = c.exact;
    }
};

TEST_P(Search, FindSelectsTheFirstOccurrence) {
    const Case& c = GetParam();
    FindCount(e.ctx, findDialog).onFindClicked();
    if (c.foundAt < 0) {
        EXPECT_EQ(e.fake.prompts.texts(), QStringList{FindCount::kEndMessage});
        EXPECT_EQ(findDialog.caption, FindCount::kSearchButton);
        EXPECT_EQ(e.text.selLength(), 0);
    } else {
        EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
        EXPECT_EQ(e.text.selStart(), c.foundAt);
        EXPECT_EQ(e.text.selLength(), QString::fromUtf16(c.word).size());
        EXPECT_EQ(findDialog.caption, FindCount::kFindNextButton);
    }
}

TEST_P(Search, CountReportsOverlappingOccurrences) {
    const Case& c = GetParam();
    findDialog.counting = true;
    FindCount(e.ctx, findDialog).onFindClicked();
    EXPECT_EQ(e.fake.prompts.texts(),
              QStringList{FindCount::countMessage(QString::fromUtf16(c.word), c.count)});
    EXPECT_EQ(findDialog.unloads, 1);
}

TEST_P(Search, ReplaceAllStepByStep) {
    const Case& c = GetParam();
    ReplaceRun(e.ctx, replaceState, replaceDialog).replaceAll();
    EXPECT_EQ(e.text.text(), QString::fromUtf16(c.replaced));
    // The last step finds nothing and is not counted.
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{ReplaceRun::countMessage(c.replacements)});
}

TEST_P(Search, ReplaceAllAtOnceFromTheTop) {
    const Case& c = GetParam();
    replaceDialog.top = true;
    e.history.setMaxUndo(10);
    e.text.setSelStart(e.text.length());
    ReplaceRun(e.ctx, replaceState, replaceDialog).replaceAll();
    EXPECT_EQ(e.text.text(), QString::fromUtf16(c.replaced));
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{ReplaceRun::kEndMessage});
    EXPECT_TRUE(replaceDialog.top);
    EXPECT_EQ(e.history.undoCount(), 2); // one checkpoint for the whole operation
}

INSTANTIATE_TEST_SUITE_P(Cases, Search, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindSteps, EachPressContinuesAfterTheSelectionUntilTheEnd) {
    FakeEditor e;
    FakeFindDialog d;
    e.text.setText(QStringLiteral("ABCabc"));
    d.typed = QStringLiteral("abc");
    d.top = true;
    e.text.setSelStart(4);
    FindCount find(e.ctx, d);
    find.onFindClicked();
    EXPECT_EQ(e.text.selStart(), 0);
    EXPECT_FALSE(d.top);
    EXPECT_EQ(e.window.panels[1], QStringLiteral("選択範囲：3文字"));
    find.onFindClicked();
    EXPECT_EQ(e.text.selStart(), 3);
    find.onFindClicked();
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{FindCount::kEndMessage});
    EXPECT_EQ(d.caption, FindCount::kSearchButton);
    EXPECT_EQ(d.focusCalls, 3);
    EXPECT_EQ(
        readSetting(settings::kSection, settings::key::SearchWord, settings::iniPath(e.dir.path())),
        QStringLiteral("abc"));
}

TEST(FindSteps, CountStartsAfterTheSelectionAndLeavesTheCaretAtTheLast) {
    FakeEditor e;
    FakeFindDialog d;
    e.text.setText(QStringLiteral("ab ab ab"));
    e.text.setSelection(0, 2);
    d.typed = QStringLiteral("ab");
    d.counting = true;
    FindCount(e.ctx, d).onFindClicked();
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{QStringLiteral("「ab」は文中に2個あります。")});
    EXPECT_EQ(e.text.selStart(), 6);
    EXPECT_FALSE(d.enabled);
    EXPECT_EQ(e.fake.pointer.changes, (QList<bool>{true, false}));
}

// A document and a replace dialog with its search and replacement strings.
class ReplaceFixture : public ::testing::Test {
protected:
    FakeEditor e;
    FakeReplaceDialog d;
    search::ReplaceState s;
    void given(const QString& text, const QString& find, const QString& replacement) {
        e.text.setText(text);
        d.find = find;
        d.replacement = replacement;
    }
};
using ReplaceSteps = ReplaceFixture;
using ReplaceFaults = ReplaceFixture;

TEST_F(ReplaceSteps, EachPressReplacesTheSelectedAndSelectsTheNext) {
    given(QStringLiteral("ab ab"), QStringLiteral("ab"), QStringLiteral("x"));
    ReplaceRun run(e.ctx, s, d);
    run.replaceOne();
    EXPECT_EQ(e.text.selStart(), 0);
    EXPECT_EQ(e.text.selLength(), 2);
    run.replaceOne();
    EXPECT_EQ(e.text.text(), QStringLiteral("x ab"));
    EXPECT_EQ(e.text.selStart(), 2);
    run.replaceOne();
    EXPECT_EQ(e.text.text(), QStringLiteral("x x"));
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{ReplaceRun::kEndMessage});
}

TEST_F(ReplaceSteps, AHandSelectionInAnotherCaseIsReplacedEvenWhenExact) {
    given(QStringLiteral("AB ab"), QStringLiteral("ab"), QStringLiteral("x"));
    e.text.setSelection(0, 2);
    d.exactCase = true;
    ReplaceRun(e.ctx, s, d).replaceOne();
    EXPECT_EQ(e.text.text(), QStringLiteral("x ab"));
    EXPECT_EQ(e.text.selStart(), 2);
}

// An empty search string would match the empty selection and the empty string again at once:
// every path ends at once, with the text and the history as they were.
TEST(EmptyReplaceSearch, ChangesNothingOnAnyPath) {
    struct Path {
        bool all, top;
        QString message;
    };
    for (const Path& p : {Path{false, false, ReplaceRun::kEndMessage},
                          Path{true, false, ReplaceRun::countMessage(0)},
                          Path{true, true, ReplaceRun::kEndMessage}}) {
        FakeEditor e;
        FakeReplaceDialog d;
        search::ReplaceState s;
        e.history.setMaxUndo(10);
        e.text.setText(QStringLiteral("abc"));
        e.text.setSelStart(1);
        d.replacement = QStringLiteral("x");
        d.top = p.top;
        ReplaceRun run(e.ctx, s, d);
        p.all ? run.replaceAll() : run.replaceOne();
        EXPECT_EQ(e.text.text(), QStringLiteral("abc"));
        EXPECT_EQ(e.history.undoCount(), 1);
        EXPECT_TRUE(e.history.undoSlots()[1].isEmpty());
        EXPECT_EQ(e.fake.prompts.texts(), QStringList{p.message});
    }
}

// Someone puts the caret back at the top whenever events run: each step then finds the same
// occurrence again without replacing anything, and the run must end there.
TEST_F(ReplaceFaults, ARunThatStopsMovingEnds) {
    given(QStringLiteral("ab ab"), QStringLiteral("ab"), QStringLiteral("x"));
    e.fake.pump.onEvents = [&] { e.text.setSelStart(0); };
    ReplaceRun(e.ctx, s, d).replaceAll();
    EXPECT_EQ(e.fake.pump.calls, 1);
    EXPECT_EQ(e.text.text(), QStringLiteral("ab ab"));
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{ReplaceRun::countMessage(0)});
    EXPECT_EQ(d.unloads, 1);
}

TEST_F(ReplaceSteps, EveryStepOfARunIsACheckpoint) {
    e.history.setMaxUndo(100);
    given(QStringLiteral("ab ab ab"), QStringLiteral("AB"), QStringLiteral("x"));
    // The writer types at the end while the run lets events through: the checkpoints that
    // follow hold that edit too.
    e.fake.pump.onEvents = [&] {
        if (e.fake.pump.calls != 1) return;
        const int start = e.text.selStart(), length = e.text.selLength();
        e.text.replace(e.text.length(), 0, QStringLiteral("!"));
        e.text.setSelection(start, length);
    };
    ReplaceRun(e.ctx, s, d).replaceAll();
    EXPECT_EQ(e.text.text(), QStringLiteral("x x x!"));
    // One for the run, one per step (three found, one finding nothing).
    EXPECT_EQ(e.history.undoCount(), 1 + 1 + 4);
    EXPECT_EQ(e.history.undoSlots()[1].text(), QStringLiteral("x x ab!"));
    EXPECT_EQ(e.history.undoSlots()[2].text(), QStringLiteral("x ab ab!"));
    EXPECT_EQ(e.history.undoSlots()[3].text(), QStringLiteral("ab ab ab!"));
    EXPECT_EQ(e.history.undoSlots()[e.history.undoCount() - 1].text(), QStringLiteral("ab ab ab"));
}

struct JumpCase {
    const char* name;
    const char16_t* text;
    int wrapWidth; // 0: lines are the CR LF lines
    const char16_t* typed;
    int caret; // -1: refused, the caret stays
};

const JumpCase kJumps[] = {
    {"Top", u"a\r\nb\r\nc", 0, u"0", 0},
    {"ThirdLine", u"a\r\nb\r\nc", 0, u"2", 6},
    {"BlanksAndFullWidthDigits", u"a\r\nb\r\nc", 0, u" ２　", 6},
    {"EmptyLastLine", u"a\r\n", 0, u"1", 3},
    {"PastTheLastLine", u"a\r\nb\r\nc", 0, u"3", -1},
    {"Negative", u"a\r\nb\r\nc", 0, u"-1", -1},
    {"NotANumber", u"a\r\nb", 0, u"1a", -1},
    {"Beyond32Bits", u"a\r\nb", 0, u"4294967297", -1},
    {"WrappedRow", u"abcdefg\r\nh", 3, u"2", 6},
    {"LineAfterWrappedRows", u"abcdefg\r\nh", 3, u"3", 9},
};

class Jump : public ::testing::TestWithParam<JumpCase> {};

TEST_P(Jump, GoesToTheLineStartOrRefuses) {
    const JumpCase& c = GetParam();
    FakeEditor e;
    FixedWidthLayout layout(e.text, c.wrapWidth);
    if (c.wrapWidth > 0) e.text.setLineLayout(&layout);
    e.text.setText(QString::fromUtf16(c.text));
    e.text.setSelStart(1);
    FakeJumpDialog d;
    d.typed = QString::fromUtf16(c.typed);
    search::Jump(e.ctx, d).onJumpClicked();
    if (c.caret < 0) {
        EXPECT_EQ(e.text.selStart(), 1);
        EXPECT_EQ(d.unloads, 0);
        EXPECT_EQ(e.fake.prompts.texts(),
                  QStringList{search::Jump::outOfRangeMessage(e.text.lineCount() - 1)});
    } else {
        EXPECT_EQ(e.text.selStart(), c.caret);
        EXPECT_EQ(d.unloads, 1);
        EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    }
    e.text.setLineLayout(nullptr);
}

INSTANTIATE_TEST_SUITE_P(Targets, Jump, ::testing::ValuesIn(kJumps),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(JumpDialog, ListAndRangeFollowTheLastLineCount) {
    FakeEditor e;
    e.state.LineTotal = 5;
    FakeJumpDialog d;
    const search::Jump jump(e.ctx, d);
    EXPECT_EQ(jump.rangeCaption(), QStringLiteral("範囲：0～4"));
    const search::JumpLines lines(5);
    ASSERT_EQ(lines.rowCount(), 4);
    EXPECT_EQ(lines.data(lines.index(0)).toString(), QStringLiteral(" 1"));
    EXPECT_EQ(lines.data(lines.index(3)).toString(), QStringLiteral(" 4"));
}

TEST(JumpCommands, TopAndEnd) {
    FakeEditor e;
    search::jumpToEnd(e.ctx);
    EXPECT_EQ(e.text.selStart(), 0);
    e.text.setText(QStringLiteral("ab\r\ncd"));
    search::jumpToEnd(e.ctx);
    EXPECT_EQ(e.text.selStart(), 6);
    search::jumpToTop(e.ctx);
    EXPECT_EQ(e.text.selStart(), 0);
    EXPECT_EQ(e.window.statusRefreshes, 3);
}

} // namespace
