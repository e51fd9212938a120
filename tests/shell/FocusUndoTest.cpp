#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "documents/FileCommands.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMenu>

namespace {

class FocusUndo : public MainFixture {
protected:
    MainWindow& open() {
        writeIni("[data]\r\nmaxundo=10\r\n");
        MainWindow& w = start();
        w.show();
        QApplication::setActiveWindow(&w);
        w.textView()->setFocus();
        return w;
    }
    void type(MainWindow& w, const QString& keys) { QTest::keyClicks(w.textView(), keys); }
    void focusOut(MainWindow& w, Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(w.textView(), &out);
    }
};

// Text1 loses the focus only to another control of the main window; a menu, a dialog, a
// message box or another program taking it records nothing.
TEST_F(FocusUndo, OnlyAControlOfTheWindowTakesTheFocus) {
    const std::pair<Qt::FocusReason, bool> reasons[] = {
        {Qt::ActiveWindowFocusReason, false}, {Qt::PopupFocusReason, false},
        {Qt::MenuBarFocusReason, false},      {Qt::TabFocusReason, true},
        {Qt::MouseFocusReason, true},         {Qt::OtherFocusReason, true},
    };
    MainWindow& w = open();
    for (const auto& [reason, records] : reasons) {
        type(w, QStringLiteral("x"));
        const int before = form->history().undoCount();
        focusOut(w, reason);
        EXPECT_EQ(form->history().undoCount(), before + (records ? 1 : 0)) << reason;
        EXPECT_EQ(form->history().undoPending(), !records) << reason;
    }
}

// Type "a ", "b ", "c ", Undo, open and cancel a dialog: two more Undo steps reach "a " and
// the empty start.
TEST_F(FocusUndo, UndoIsNotRecordedAgainAfterADialog) {
    MainWindow& w = open();
    for (const char* word : {"a ", "b ", "c "})
        type(w, QString::fromLatin1(word));
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("a b "));
    EXPECT_FALSE(form->history().undoPending());
    {
        QDialog dialog(&w);
        QLineEdit field(&dialog);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        field.setFocus();
        dialog.reject();
        QApplication::setActiveWindow(&w);
    }
    w.onToolButtonClicked(QStringLiteral("元に戻す"));
    EXPECT_EQ(w.text().text(), QStringLiteral("a "));
    w.action(QStringLiteral("popUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QString());
}

// Typing since the last checkpoint is recorded by Undo first: Undo returns to the text
// before it and Redo brings it back. A command's change is not recorded a second time.
TEST_F(FocusUndo, UndoKeepsTheWritersUnrecordedTyping) {
    MainWindow& w = open();
    type(w, QStringLiteral("abc def "));
    type(w, QStringLiteral("x"));
    EXPECT_TRUE(form->history().undoPending());
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("abc def "));
    w.action(QStringLiteral("mnuEditRedo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("abc def x"));

    fake.clipboard.content = QStringLiteral("P");
    w.action(QStringLiteral("mnuEditPaste"))->trigger();
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("abc def x"));

    // 全てやり直し replaces the typing: it stays within reach of Undo.
    type(w, QStringLiteral("y"));
    fake.prompts.answers.enqueue(MsgAnswer::Yes);
    w.action(QStringLiteral("mnuYarinaoi"))->trigger();
    EXPECT_TRUE(w.text().text().isEmpty());
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("abc def xy"));
    w.action(QStringLiteral("mnuEditRedo"))->trigger();
    EXPECT_TRUE(w.text().text().isEmpty());
}

// The open dialog no longer records the typing before an insert: the command does.
TEST(InsertFile, OneUndoReturnsToTheTypedTextBeforeIt) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.history.startFrom(1, QString());
    e.text.setText(QStringLiteral("typed"));
    e.history.setUndoPending(true);
    e.window.openDialog = [&](bool) {
        e.text.setText(QStringLiteral("typed\r\ninserted"));
        e.history.record(e.text);
    };
    insertFile(e.ctx);
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("typed"));
}

// A second clipboard goes to key 2cb up to its first line break, and never writes a key of
// its own: "ab" CR LF "maxundo=0" leaves the undo limit alone at the next start.
TEST_F(FocusUndo, SecondClipboardKeepsToItsKey) {
    MainWindow& w = open();
    w.text().setText(QStringLiteral("ab\r\nmaxundo=0"));
    w.text().setSelection(0, w.text().length());
    w.action(QStringLiteral("popCopy2"))->trigger();
    form->document().setDirty(false);
    w.close();
    form.reset();
    AppState next;
    state = next;
    start();
    EXPECT_EQ(state.SecondClipboard, QStringLiteral("ab"));
    EXPECT_EQ(form->history().maxUndo(), 10);
    EXPECT_EQ(form->panelText(2), QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「ab」"));
}

// The menus run the states of their opening: the popup's history items and Paste.
TEST_F(FocusUndo, PopupOpeningSetsItsItems) {
    MainWindow& w = open();
    fake.clipboard.content.clear();
    w.text().setText(QStringLiteral("first second"));
    w.text().setSelection(0, 5);
    w.onToolButtonClicked(QStringLiteral("ｺﾋﾟｰ"));
    w.text().setSelection(6, 6);
    w.action(QStringLiteral("popCut"))->trigger();
    emit w.popupMenu()->aboutToShow();
    EXPECT_TRUE(w.action(QStringLiteral("popPaste"))->isEnabled());
    EXPECT_TRUE(w.action(QStringLiteral("popCBrireki"))->isEnabled());
    EXPECT_EQ(w.action(QStringLiteral("popCB(0)"))->text(), QStringLiteral("first"));
    w.action(QStringLiteral("popCB(0)"))->trigger();
    EXPECT_EQ(w.text().text(), QStringLiteral("first first"));
    EXPECT_EQ(w.statusToolTip(), QStringLiteral("second"));
}

} // namespace
