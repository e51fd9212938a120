#include "history/UndoHistory.h"
#include "MainFixture.h"

#include "shell/Appearance.h"
#include "support/FakeWindow.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

// ---------------------------------------------------------------- size steps

struct StepCase {
    double size;
    int step; // -1 大きさ－１, +1 大きさ＋１
    int selStart, selLength;
    double sizeAfter;
    int selStartAfter, selLengthAfter;
};

const StepCase kStepCases[] = {
    {10.5, +1, 0, 0, 11, 0, 0}, // 10.5 is taken as 10 (half to even)
    {10.5, -1, 0, 0, 9, 0, 0},  //
    {11.5, +1, 0, 0, 13, 0, 0}, // 11.5 is taken as 12
    {1, -1, 0, 0, 1, 0, 0},     // never below 1
    {1.4, -1, 0, 0, 1.4, 0, 0}, // nearest whole size 1: no change at all
    {9, +1, 5, 0, 10, 0, 0},    // no selection: the caret goes to the start
    {9, -1, 3, 4, 8, 3, 4},     // a selection stays
};

class SizeStep : public ::testing::TestWithParam<StepCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const StepCase&, std::ostream* os) { *os << "row"; }

TEST_P(SizeStep, WholeSizeOnePointAndTheCaret) {
    const StepCase& c = GetParam();
    FakeEditor e;
    e.text.setText(QStringLiteral("abcdefghij"));
    e.text.setSelection(c.selStart, c.selLength);
    e.window.size = c.size;
    if (c.step < 0)
        shrinkFont(e.ctx);
    else
        growFont(e.ctx);
    EXPECT_DOUBLE_EQ(e.window.size, c.sizeAfter);
    EXPECT_EQ(e.text.selStart(), c.selStartAfter);
    EXPECT_EQ(e.text.selLength(), c.selLengthAfter);
    EXPECT_EQ(e.text.text(), QStringLiteral("abcdefghij"));
}

INSTANTIATE_TEST_SUITE_P(Table, SizeStep, ::testing::ValuesIn(kStepCases));

// ---------------------------------------------------------------- font and colour dialogs

TEST(FontDialog, PresetAppliedInFullAndCancelChangesNothing) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QStringLiteral("text"));
    e.window.styles[int(FontStyle::Underline)] = true;
    e.window.styles[int(FontStyle::Bold)] = true;

    e.fake.dialogs.fontAnswers.enqueue(std::nullopt);
    chooseFont(e.ctx);
    EXPECT_EQ(e.history.undoCount(), 2); // the checkpoint stays although nothing changed
    EXPECT_DOUBLE_EQ(e.window.size, 9);
    EXPECT_TRUE(e.window.styles[int(FontStyle::Underline)]);
    ASSERT_EQ(e.fake.dialogs.fontPresets.size(), 1);
    EXPECT_EQ(e.fake.dialogs.fontPresets[0].name, e.window.font);
    EXPECT_TRUE(e.fake.dialogs.fontPresets[0].bold);
    EXPECT_FALSE(e.fake.dialogs.fontPresets[0].underline);

    // The dialog's underline box was not preset from the text: OK leaves underline off.
    FontChoice chosen{QStringLiteral("Serif"), 12.5, false, true, false, true};
    e.fake.dialogs.fontAnswers.enqueue(chosen);
    chooseFont(e.ctx);
    EXPECT_EQ(e.window.font, QStringLiteral("Serif"));
    EXPECT_DOUBLE_EQ(e.window.size, 12.5);
    EXPECT_FALSE(e.window.styles[int(FontStyle::Bold)]);
    EXPECT_TRUE(e.window.styles[int(FontStyle::Italic)]);
    EXPECT_FALSE(e.window.styles[int(FontStyle::Underline)]);
    EXPECT_TRUE(e.window.styles[int(FontStyle::StrikeOut)]);
}

TEST(ColorDialogs, OkSetsCancelKeeps) {
    FakeEditor e;
    e.fake.dialogs.colorAnswers.enqueue(0x00FF00);
    chooseBackColor(e.ctx);
    e.fake.dialogs.colorAnswers.enqueue(std::nullopt);
    chooseForeColor(e.ctx);
    EXPECT_EQ(e.window.back, 0x00FF00);
    EXPECT_EQ(e.window.fore, 0);
}

// ---------------------------------------------------------------- in the window

TEST_F(MainFixture, StyleItemsCheckOnlyWhenTheyTurnTheStyleOn) {
    MainWindow& w = start();
    w.setFontSize(10);
    w.onToolButtonClicked(QStringLiteral("拡大"));
    EXPECT_DOUBLE_EQ(w.fontSize(), 11);
    QAction* bold = w.action(QStringLiteral("mnubold"));
    // The font dialog turned bold on: the item stays unchecked, and choosing it turns bold off.
    fake.dialogs.fontAnswers.enqueue(FontChoice{w.fontName(), 10, true, false, false, false});
    w.runCommand(QStringLiteral("mnuFont"));
    EXPECT_TRUE(w.textView()->font().bold());
    EXPECT_FALSE(bold->isChecked());
    bold->trigger();
    EXPECT_FALSE(w.textView()->font().bold());
    EXPECT_FALSE(bold->isChecked());
    w.action(QStringLiteral("mnutorikesi"))->trigger();
    EXPECT_TRUE(w.textView()->font().strikeOut());
    EXPECT_TRUE(w.action(QStringLiteral("mnutorikesi"))->isChecked());
}

// Each set of IME items shows the mode of Text1 when its menu opens, whichever set chose it;
// only direct input switches the input method off.
TEST_F(MainFixture, ImeCheckMarksFollowTheModeWhenAMenuOpens) {
    writeIni("[data]\r\nime=1\r\n");
    MainWindow& w = start();
    w.action(QStringLiteral("popeisuu"))->trigger();
    EXPECT_EQ(w.imeMode(), 7);
    EXPECT_TRUE(w.textView()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(w.action(QStringLiteral("mnuIMEhiragana"))->isChecked());
    emit w.menuBar()->findChild<QMenu*>(QStringLiteral("mnuEdit"))->aboutToShow();
    EXPECT_TRUE(w.action(QStringLiteral("mnuIMEeisuu"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnuIMEhiragana"))->isChecked());

    w.action(QStringLiteral("mnuIMEtyokusetu"))->trigger();
    EXPECT_FALSE(w.textView()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(w.action(QStringLiteral("popeisuu"))->isChecked());
    emit w.popupMenu()->aboutToShow();
    EXPECT_TRUE(w.action(QStringLiteral("poptyokusetu"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("popeisuu"))->isChecked());
}

// The marks are a way of showing the text, never part of it; the choice outlives the run.
TEST_F(MainFixture, MarksItemShowsBlanksAndIsRemembered) {
    MainWindow& w = start();
    w.text().setText(QStringLiteral("全角　空白\tタブ\r\n次"));
    QAction* marks = w.action(QStringLiteral("mnumarks"));
    EXPECT_FALSE(w.textView()->showMarks());
    marks->trigger();
    EXPECT_TRUE(w.textView()->showMarks());
    EXPECT_TRUE(marks->isChecked());
    EXPECT_EQ(w.text().text(), QStringLiteral("全角　空白\tタブ\r\n次"));
    w.document().setDirty(false);
    ASSERT_TRUE(w.close());
    EXPECT_TRUE(readFile(QStringLiteral("Pallo.ini")).contains("marks=1"));

    MainWindow& again = start();
    EXPECT_TRUE(again.textView()->showMarks());
    EXPECT_TRUE(again.action(QStringLiteral("mnumarks"))->isChecked());
    again.action(QStringLiteral("mnumarks"))->trigger();
    ASSERT_TRUE(again.close());
    EXPECT_TRUE(readFile(QStringLiteral("Pallo.ini")).contains("marks=0"));
}

} // namespace
