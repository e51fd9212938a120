#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "platform/FixedWidthLayout.h"

struct GyouCase {
    const char* name;
    QString text;
    int caret;       // -1 = end of the text
    int wrapColumns; // 0 = the box's own layout
    QString panel;
};
inline void PrintTo(const GyouCase& c, std::ostream* os) {
    *os << c.name;
}

class Gyou : public MainFixture, public ::testing::WithParamInterface<GyouCase> {};

TEST_P(Gyou, PanelThree) {
    const GyouCase& c = GetParam();
    MainWindow& w = start();
    std::unique_ptr<FixedWidthLayout> wrap;
    if (c.wrapColumns > 0) {
        wrap = std::make_unique<FixedWidthLayout>(w.text(), c.wrapColumns);
        w.text().setLineLayout(wrap.get());
    }
    w.text().setText(c.text);
    w.text().setSelStart(c.caret < 0 ? c.text.size() : c.caret);
    w.logic().refreshPositionPanel(true);
    EXPECT_EQ(w.panelText(3), c.panel);
    w.text().setLineLayout(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Gyou,
    ::testing::Values(GyouCase{"Empty", QString(), 0, 0,
                               QStringLiteral("総行数:1 現在行:0 文字位置:0 総文字数:0 ")},
                      GyouCase{"TwoLines", QStringLiteral("ab\r\ncd"), -1, 0,
                               QStringLiteral("総行数:2 現在行:1 文字位置:4 総文字数:4 ")},
                      GyouCase{"EndsInBreak", QStringLiteral("ab\r\n"), -1, 0,
                               QStringLiteral("総行数:2 現在行:1 文字位置:2 総文字数:2 ")},
                      GyouCase{"LoneBreaksAreCharacters", QStringLiteral("a\rb\nc"), -1, 0,
                               QStringLiteral("総行数:1 現在行:0 文字位置:5 総文字数:5 ")},
                      GyouCase{"WrappedIntoThree", QString(25, u'あ'), 3, 10,
                               QStringLiteral("総行数:3 現在行:0 文字位置:3 総文字数:21 ")},
                      GyouCase{"CaretOnWrappedRow", QString(25, u'あ'), 12, 10,
                               QStringLiteral("総行数:3 現在行:1 文字位置:10 総文字数:21 ")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFixture, LongLineWrapsInTheRealBox) {
    MainWindow& w = start();
    w.show();
    w.text().setText(QString(2000, u'あ'));
    settle();
    w.logic().refreshPositionPanel(true);
    EXPECT_GT(state.LineTotal, 3);
    EXPECT_EQ(state.CharTotal, 2000 - 2 * state.LineTotal + 2);
}

TEST_F(MainFixture, DragShowsTheSelectionSizeWithoutLineBreaks) {
    MainWindow& w = start();
    state.SecondClipboard = QStringLiteral("2nd");
    w.text().setText(QStringLiteral("ab\r\ncd"));
    w.text().setSelection(0, 6);
    w.logic().onTextMouseMove(1, 0);
    EXPECT_EQ(w.panelText(2), QStringLiteral("選択範囲：4文字"));
    // Both buttons held: no update.
    w.text().setSelection(0, 2);
    w.logic().onTextMouseMove(3, 0);
    EXPECT_EQ(w.panelText(2), QStringLiteral("選択範囲：4文字"));
    // The next key release shows the second clipboard again.
    w.logic().onTextKeyUp(37, 0);
    EXPECT_EQ(w.panelText(2), QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「2nd」"));
}

TEST_F(MainFixture, TypingMarksTheDocumentChanged) {
    MainWindow& w = start();
    w.show();
    w.textView()->setFocus();
    QTest::keyClicks(w.textView(), QStringLiteral("abc"));
    EXPECT_TRUE(form->document().isDirty());
    EXPECT_TRUE(form->history().undoPending());
    QTest::keyClick(w.textView(), Qt::Key_Space);
    EXPECT_FALSE(form->history().undoPending()); // a checkpoint was taken at the blank
    EXPECT_EQ(w.text().text(), QStringLiteral("abc "));
    EXPECT_EQ(w.panelText(3), QStringLiteral("総行数:1 現在行:0 文字位置:4 総文字数:4 "));
    QTest::keyClicks(w.textView(), QStringLiteral("d"));
    QTest::keyClick(w.textView(), Qt::Key_Left);
    EXPECT_TRUE(form->history().undoPending()); // an arrow key takes none
}

TEST_F(MainFixture, ClipboardFailureKeepsThePanel) {
    fake.clipboard.content = QStringLiteral("one");
    MainWindow& w = start();
    fake.clipboard.failing = true;
    w.logic().refreshClipboardPanel();
    EXPECT_EQ(w.panelText(1), QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「one」"));
}
