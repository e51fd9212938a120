#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "shell/MainFixture.h"

#include "platform/Cp932Codec.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>

namespace {

class UndoInWindow : public MainFixture {
protected:
    MainWindow& startWithLimit(const QString& maxUndo) {
        writeIni(cp932::encode(QStringLiteral("[data]\r\nmaxundo=") + maxUndo));
        MainWindow& w = start();
        w.show();
        QApplication::setActiveWindow(&w);
        w.textView()->setFocus();
        return w;
    }
};

// Space, Enter and Backspace after typing record a checkpoint; other keys do not.
TEST_F(UndoInWindow, KeysThatRecordAndKeysThatDoNot) {
    MainWindow& w = startWithLimit(QStringLiteral("10"));
    QTest::keyClicks(w.textView(), QStringLiteral("abc"));
    EXPECT_EQ(form->history().undoCount(), 1);
    QTest::keyClick(w.textView(), Qt::Key_Space);
    EXPECT_EQ(form->history().undoCount(), 2);
    EXPECT_EQ(form->history().undoSlots()[1].toString(), QStringLiteral("00004abc "));
    w.logic().onTextKeyUp(32, 0); // nothing typed since: no checkpoint
    EXPECT_EQ(form->history().undoCount(), 2);
    QTest::keyClicks(w.textView(), QStringLiteral("de"));
    QTest::keyClick(w.textView(), Qt::Key_Return);
    EXPECT_EQ(form->history().undoCount(), 3);
    QTest::keyClick(w.textView(), Qt::Key_Backspace);
    EXPECT_EQ(form->history().undoCount(), 4);
    QTest::keyClick(w.textView(), Qt::Key_X);
    QTest::keyClick(w.textView(), Qt::Key_Left);
    EXPECT_EQ(form->history().undoCount(), 4);
    EXPECT_TRUE(form->history().undoPending());
}

TEST_F(UndoInWindow, FocusLossRecordsPendingTyping) {
    MainWindow& w = startWithLimit(QStringLiteral("10"));
    QTest::keyClicks(w.textView(), QStringLiteral("abc"));
    QLineEdit other(&w);
    other.show();
    other.setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(form->history().undoCount(), 2);
    EXPECT_FALSE(form->history().undoPending());
}

// The menu item, its popup twin and the toolbar button run one procedure.
TEST_F(UndoInWindow, ToolbarPopupAndMenuUndoAndRedo) {
    MainWindow& w = startWithLimit(QStringLiteral("設定しない"));
    EXPECT_EQ(form->history().maxUndo(), 10000);
    for (const char* word : {"one", "two", "three"}) {
        QTest::keyClicks(w.textView(), QString::fromLatin1(word));
        QTest::keyClick(w.textView(), Qt::Key_Space);
    }
    w.onToolButtonClicked(QStringLiteral("元に戻す"));
    EXPECT_EQ(w.text().text(), QStringLiteral("one two "));
    EXPECT_EQ(w.text().selStart(), 8);
    w.action(QStringLiteral("popUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("one "));
    w.action(QStringLiteral("mnuEditRedo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("one two "));
    w.onToolButtonClicked(QStringLiteral("やり直し"));
    EXPECT_EQ(w.text().text(), QStringLiteral("one two three "));
    EXPECT_TRUE(fake.prompts.shown.isEmpty());
    w.action(QStringLiteral("popRedo"))->trigger();
    ASSERT_EQ(fake.prompts.shown.size(), 1);
    EXPECT_EQ(fake.prompts.shown[0].text, QStringLiteral("RedoDataがありません"));
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("one two "));
    EXPECT_TRUE(form->document().isDirty());
    // What the view shows follows the model.
    EXPECT_EQ(w.textView()->inputMethodQuery(Qt::ImSurroundingText).toString(),
              QStringLiteral("one two "));
}

TEST_F(UndoInWindow, BackToLoadedTextFromTheMenu) {
    writeFile(QStringLiteral("doc.txt"), "loaded");
    writeIni("[data]\r\nmaxundo=10\r\n");
    MainWindow& w = start(path(QStringLiteral("doc.txt")));
    w.text().setSelStart(6);
    w.text().setSelText(QStringLiteral(" more"));
    fake.prompts.answers.enqueue(MsgAnswer::Yes);
    w.action(QStringLiteral("mnuYarinaoi"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("loaded"));
    EXPECT_TRUE(form->history().undoPending());
}

} // namespace
