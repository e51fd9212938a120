#include "shell/MainFixture.h"
#include "support/FindChild.h"

#include "command/Settings.h"
#include "search/ui/FindDialog.h"
#include "search/ui/ReplaceDialog.h"
#include "search/ui/JumpDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

class SearchForms : public MainFixture {
protected:
    template <typename Dialog> Dialog* open(const char* command) {
        form->runCommand(QString::fromLatin1(command));
        return form->findChild<Dialog*>();
    }
    // The widgets the keyboard reaches from `first`, in order.
    static QStringList tabChain(QWidget* first, int count) {
        QStringList names;
        for (QWidget* w = first; names.size() < count; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus && !w->objectName().isEmpty())
                names.append(w->objectName());
        return names;
    }
};

TEST_F(SearchForms, FindFieldHoldsTheClipboardTextWholeAndTheSavedWordIsTheItem) {
    writeIni("[data]\r\nserchword=saved\r\n");
    fake.clipboard.content = QString(40000, u'字');
    start();
    FindDialog* f = open<FindDialog>("mnuSearch");
    ASSERT_TRUE(f);
    auto* combo = child<QComboBox>(f, "Combo1");
    EXPECT_EQ(combo->currentText(), fake.clipboard.content);
    EXPECT_EQ(combo->itemText(0), QStringLiteral("saved"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("検索"));
    EXPECT_EQ(tabChain(combo, 5), (QStringList{QStringLiteral("Combo1"), QStringLiteral("Check2"),
                                               QStringLiteral("Check1"), QStringLiteral("Command1"),
                                               QStringLiteral("Command2")}));
    form->runCommand(QStringLiteral("mnuitti"));
    EXPECT_EQ(form->findChildren<FindDialog*>().size(), 1);
    EXPECT_EQ(f->windowTitle(), QStringLiteral("一致する文字列を数える"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("数える(&S)"));
}

TEST_F(SearchForms, EnterInTheFindFieldSearchesAndTheViewFollows) {
    start();
    form->show();
    QString text;
    for (int i = 0; i < 3000; ++i)
        text += QStringLiteral("行%1\r\n").arg(i);
    form->text().setText(text + QStringLiteral("おわりのことば"));
    settle();
    fake.clipboard.content = QStringLiteral("オワリノコトバ");
    form->onToolButtonClicked(QStringLiteral("検索"));
    FindDialog* f = form->findChild<FindDialog*>();
    ASSERT_TRUE(f);
    QTest::keyClick(child<QComboBox>(f, "Combo1")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->text().selText(), QStringLiteral("おわりのことば"));
    EXPECT_EQ(child<QPushButton>(f, "Command1")->text(), QStringLiteral("次を検索(&S)"));
    QCoreApplication::processEvents();
    TextView* view = form->textView();
    EXPECT_TRUE(view->viewport()->rect().contains(view->cursorRect().center()));
}

TEST_F(SearchForms, ReplaceFieldTakesTheClipboardAndItsEvents) {
    start();
    form->text().setText(QStringLiteral("abc"));
    form->text().setSelection(0, 2);
    fake.clipboard.content = QString(40000, u'a');
    ReplaceDialog* f = open<ReplaceDialog>("mnuReplace");
    ASSERT_TRUE(f);
    auto* text1 = child<QLineEdit>(f, "Text1");
    EXPECT_EQ(text1->text(), fake.clipboard.content);
    EXPECT_EQ(
        tabChain(text1, 7),
        (QStringList{QStringLiteral("Text1"), QStringLiteral("Text2"), QStringLiteral("Check1"),
                     QStringLiteral("Check2"), QStringLiteral("Command1"),
                     QStringLiteral("Command2"), QStringLiteral("Command3")}));
    text1->setText(QStringLiteral("word"));
    QTest::mouseClick(text1, Qt::LeftButton);
    EXPECT_EQ(text1->selectedText(), QStringLiteral("word"));
    text1->setCursorPosition(4);
    QTest::mouseClick(text1, Qt::LeftButton);
    EXPECT_TRUE(text1->selectedText().isEmpty());
    fake.clipboard.content = QStringLiteral("!");
    QTest::keyClick(text1, Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), QStringLiteral("word!"));
    f->show();
    f->activateWindow();
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_Return);
    EXPECT_EQ(f->focusWidget(), child<QLineEdit>(f, "Text2"));
}

TEST_F(SearchForms, UnloadRefreshesTheClipboardPanelAndARunCountsWhatItReplaced) {
    start();
    form->text().setText(QStringLiteral("ab ab"));
    fake.clipboard.content = QStringLiteral("ab");
    ReplaceDialog* f = open<ReplaceDialog>("mnuReplace");
    child<QPushButton>(f, "Command1")->click();
    child<QPushButton>(f, "Command3")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form->findChild<ReplaceDialog*>(), nullptr);
    EXPECT_EQ(form->panelText(1), QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「ab」"));
    f = open<ReplaceDialog>("mnuReplace");
    child<QLineEdit>(f, "Text2")->setText(QStringLiteral("x"));
    // The run starts on the occurrence the first step selected; it replaces two.
    child<QPushButton>(f, "Command2")->click();
    EXPECT_EQ(form->text().text(), QStringLiteral("x x"));
    EXPECT_EQ(fake.prompts.texts().last(),
              QStringLiteral("文書の検索と置換が終わりました。2個置き換えました。"));
}

TEST_F(SearchForms, JumpDialogListsTheLinesAndEnterJumps) {
    start();
    form->text().setText(QStringLiteral("a\r\nb\r\nc\r\nd\r\ne"));
    form->logic().refreshPositionPanel();
    JumpDialog* f = open<JumpDialog>("mnufly");
    ASSERT_TRUE(f);
    auto* combo = child<QComboBox>(f, "Combo1");
    EXPECT_EQ(combo->currentText(), QStringLiteral("0"));
    EXPECT_EQ(combo->count(), 4);
    EXPECT_EQ(combo->itemText(3), QStringLiteral(" 4"));
    EXPECT_EQ(child<QLabel>(f, "Label2")->text(), QStringLiteral("範囲：0～4"));
    combo->setEditText(QStringLiteral("９"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(fake.prompts.texts(),
              QStringList{QStringLiteral("0～4の行番号を入力してください。")});
    EXPECT_FALSE(f->isUnloaded());
    combo->setEditText(QStringLiteral("3"));
    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form->text().selStart(), 9);
    EXPECT_TRUE(f->isUnloaded());
}

} // namespace
