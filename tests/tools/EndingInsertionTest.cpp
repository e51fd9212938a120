#include "tools/EndingInsertion.h"

#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>

namespace {

struct FakeEndingDialog : ending::EndingDialogPort {
    QString text;
    bool check1 = true, check2 = true;
    int unloads = 0;
    QString word() const override { return text; }
    bool questionMarksToo() const override { return check1; }
    bool exclamationMarksToo() const override { return check2; }
    void unload() override { ++unloads; }
};

struct EndingCase {
    const char16_t* word;
    bool check1, check2;
    const char16_t* in;
    const char16_t* out;
    int count;
    int caret;
};

class EndingRun : public ::testing::TestWithParam<EndingCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const EndingCase&, std::ostream* os) { *os << "row"; }

TEST_P(EndingRun, InsertsBeforeEveryMark) {
    const EndingCase& p = GetParam();
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QString::fromUtf16(p.in));
    e.history.record(e.text);
    e.text.setSelection(1, 1);
    FakeEndingDialog dialog;
    dialog.text = QString::fromUtf16(p.word);
    dialog.check1 = p.check1;
    dialog.check2 = p.check2;
    ending::EndingInserter run(e.ctx, dialog);
    run.onConvertClicked();
    EXPECT_EQ(e.text.text(), QString::fromUtf16(p.out));
    EXPECT_EQ(e.text.selStart(), p.caret);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, ending::EndingInserter::finishedMessage(p.count));
    EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_TRUE(e.state.FindText.isEmpty());
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QString::fromUtf16(p.in));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, EndingRun,
    ::testing::Values(
        EndingCase{u"ニャ", true, true, u"今日は晴れです。明日は雨です。",
                   u"今日は晴れですニャ。明日は雨ですニャ。", 2, 0},
        EndingCase{u"ニャ", true, true, u"本当？　はい！", u"本当ニャ？　はいニャ！", 2, 11},
        EndingCase{u"ニャ", true, false, u"本当？　はい！", u"本当ニャ？　はい！", 1, 5},
        EndingCase{u"ニャ", false, true, u"はい！本当？", u"はいニャ！本当？", 1, 5},
        EndingCase{u"ニャ", false, false, u"本当？　はい！", u"本当？　はい！", 0, 0},
        // The mark found stays as it was: ASCII and half-width marks are not rewritten.
        EndingCase{u"", true, true, u"a?b!c｡d。", u"a?b!c｡d。", 4, 4},
        EndingCase{u"x", true, true, u"http://a?q=1!", u"http://ax?q=1x!", 2, 15},
        EndingCase{u"。", false, false, u"。a。", u"。。a。。", 2, 0},
        // A word holding a later pass's mark gets that pass's insertion too.
        EndingCase{u"！", false, true, u"a。", u"a！！。", 2, 3}));

} // namespace
