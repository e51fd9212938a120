#include "MainFixture.h"
#include "support/FindChild.h"

#include "history/UndoHistory.h"
#include "search/ui/ReplaceDialog.h"
#include "style/ui/StyleConversionDialog.h"
#include "tools/ui/EndingInsertionDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

// Whatever changes the text, typing left unrecorded before it stays within reach: one Undo
// gives the text just before the command, one Redo the command's result, and a further Undo
// the text before the typing. Menus, popup and toolbar offer Undo and Redo alike.

namespace {

class CommandUndo;
struct CommandRun {
    const char* name;
    const char* document; // the file opened; "x" is typed at its start
    int selStart, selLength;
    std::function<void(CommandUndo&)> run;
    bool changesText = true;
};
void PrintTo(const CommandRun& c, std::ostream* os) {
    *os << c.name;
}

class CommandUndo : public MainFixture, public ::testing::WithParamInterface<CommandRun> {
public:
    using MainFixture::fake;
    using MainFixture::form;
    void menu(const char* name, int index = -1) {
        const QString item = QString::fromLatin1(name);
        form->action(index < 0 ? item : item + QStringLiteral("(%1)").arg(index))->trigger();
    }
    void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    template <typename Dialog> Dialog* dialog() { return form->findChild<Dialog*>(); }

    // Undo and Redo as each of the three places offers them; they must agree.
    void openMenus() {
        QMenu* edit = form->action(QStringLiteral("mnuEdit"))->menu();
        emit edit->aboutToShow();
        emit edit->aboutToHide();
        emit form->popupMenu()->aboutToShow();
    }
    void expectOffered(bool undo, bool redo, const char* when) {
        openMenus();
        for (const char* item : {"mnuEditUndo", "popUndo"})
            EXPECT_EQ(form->action(QString::fromLatin1(item))->isEnabled(), undo) << item << when;
        for (const char* item : {"mnuEditRedo", "popRedo"})
            EXPECT_EQ(form->action(QString::fromLatin1(item))->isEnabled(), redo) << item << when;
        for (QAction* a : form->findChild<QToolBar*>()->actions()) {
            if (a->data() == QStringLiteral("元に戻す")) EXPECT_EQ(a->isEnabled(), undo) << when;
            if (a->data() == QStringLiteral("やり直し")) EXPECT_EQ(a->isEnabled(), redo) << when;
        }
    }
    // The three ways to run Undo and Redo, taken in turn.
    void step(bool undo, int way) {
        const char* const items[][3] = {{"mnuEditRedo", "やり直し", "popRedo"},
                                        {"mnuEditUndo", "元に戻す", "popUndo"}};
        const char* item = items[undo][way % 3];
        openMenus();
        if (way % 3 == 1)
            form->onToolButtonClicked(QString::fromUtf8(item));
        else
            form->action(QString::fromLatin1(item))->trigger();
    }
};

TEST_P(CommandUndo, OneUndoGivesTheTextBeforeTheCommandTypingIncluded) {
    const CommandRun& c = GetParam();
    writeIni("[data]\r\nmaxundo=10\r\ny0=句\r\n");
    writeFile(QStringLiteral("doc.txt"), c.document);
    start(path(QStringLiteral("doc.txt")));
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->textView()->setFocus();
    const QString loaded = form->text().text();
    expectOffered(false, false, "after loading");

    key(Qt::Key_X);
    const QString typed = form->text().text();
    ASSERT_EQ(typed, u'x' + loaded);
    expectOffered(true, false, "while typing");
    form->text().setSelection(c.selStart, c.selLength);
    c.run(*this);
    const QString result = form->text().text();
    EXPECT_EQ(result != typed, c.changesText) << result.toStdString();

    for (int way = 0; way < 3; ++way) {
        step(true, way);
        EXPECT_EQ(form->text().text(), c.changesText ? typed : loaded) << way;
        expectOffered(c.changesText, true, "after Undo");
        step(false, way + 1);
        EXPECT_EQ(form->text().text(), result) << way;
    }
    step(true, 0);
    if (c.changesText) step(true, 1);
    EXPECT_EQ(form->text().text(), loaded);
    expectOffered(false, true, "at the start");
}

const CommandRun kRuns[] = {
    {"CtrlV", "ab\r\n", 1, 0,
     [](CommandUndo& t) {
         t.fake.clipboard.content = QStringLiteral("P\nQ");
         t.key(Qt::Key_V, Qt::ControlModifier);
     }},
    {"CtrlX", "abcd\r\n", 1, 2, [](CommandUndo& t) { t.key(Qt::Key_X, Qt::ControlModifier); }},
    {"ToolbarPaste", "ab", 3, 0,
     [](CommandUndo& t) {
         t.fake.clipboard.content = QStringLiteral("P");
         t.form->onToolButtonClicked(QStringLiteral("貼り付け"));
     }},
    {"PopupDelete", "abcd", 0, 2, [](CommandUndo& t) { t.menu("popsakujo"); }},
    {"Wide", "ab 12", 0, 0, [](CommandUndo& t) { t.menu("mnuWide"); }},
    {"RemoveSpaces", "a b\r\n c", 0, 0, [](CommandUndo& t) { t.menu("mnukuuhaku"); }},
    {"UserString", "ab", 1, 0, [](CommandUndo& t) { t.menu("popsitei", 0); }},
    {"SimpleHtml", "ab\r\ncd", 0, 0, [](CommandUndo& t) { t.menu("mnuHTMLka"); }},
    {"ReplaceAll", "ab ab", 0, 0,
     [](CommandUndo& t) {
         t.menu("mnuReplace");
         auto* f = t.dialog<ReplaceDialog>();
         ASSERT_TRUE(f);
         child<QLineEdit>(f, "Text1")->setText(QStringLiteral("ab"));
         child<QLineEdit>(f, "Text2")->setText(QStringLiteral("AB"));
         child<QCheckBox>(f, "Check1")->setChecked(true);
         child<QPushButton>(f, "Command2")->click();
     }},
    {"StyleConversion", "本だ。", 0, 0,
     [](CommandUndo& t) {
         t.menu("mnuDesumasu");
         auto* f = t.dialog<StyleConversionDialog>();
         ASSERT_TRUE(f);
         child<QPushButton>(f, "Command1")->click();
     }},
    {"EndingInsertion", "はい。", 0, 0,
     [](CommandUndo& t) {
         t.menu("mnuGobi");
         auto* f = t.dialog<EndingInsertionDialog>();
         ASSERT_TRUE(f);
         child<QLineEdit>(f, "Text1")->setText(QStringLiteral("ニャ"));
         child<QLineEdit>(f, "Text1")->setFocus();
         t.key(Qt::Key_Return);
     }},
    // Choosing a font twice changes no text: nothing of it may stand between two Undo steps.
    {"FontTwice", "ab", 0, 0,
     [](CommandUndo& t) {
         t.menu("mnuFont");
         t.menu("mnuFont");
     },
     false},
};

INSTANTIATE_TEST_SUITE_P(Commands, CommandUndo, ::testing::ValuesIn(kRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
