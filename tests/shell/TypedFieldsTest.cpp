#include "MainFixture.h"
#include "support/FindChild.h"

#include "command/Settings.h"
#include "history/UndoHistory.h"
#include "platform/PrivateProfile.h"
#include "shell/ui/OptionsDialog.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QInputMethodQueryEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

// What the writer types into a field is what the program gets: the keys reach the field's
// handler, no completion rewrites the text, and text from the clipboard arrives by the paste
// rule.

namespace {

class TypedFields : public MainFixture {
public:
    using MainFixture::fake;
    using MainFixture::form;
    MainWindow& open(const QString& text) {
        start();
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->textView()->setFocus();
        form->text().setText(text);
        return *form;
    }
    static void type(const QString& keys) { QTest::keyClicks(QApplication::focusWidget(), keys); }
    static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    // Replaces the field's text the way a writer does: select it all, type over it.
    static void retype(const QString& keys) {
        key(Qt::Key_End);
        key(Qt::Key_Home, Qt::ShiftModifier);
        type(keys);
    }
};

struct FieldKey {
    const char* name;
    const char* command; // shows the dialog, whose first field has the focus
    const char16_t* typed;
    int key;
    Qt::KeyboardModifiers modifiers;
    std::function<void(TypedFields&)> expect;
};
void PrintTo(const FieldKey& c, std::ostream* os) {
    *os << c.name;
}

class FieldKeys : public TypedFields, public ::testing::WithParamInterface<FieldKey> {};

// serchword=abcdef is the find list's entry: typing "ab" must still search for "ab".
TEST_P(FieldKeys, ReachTheFieldsHandler) {
    const FieldKey& c = GetParam();
    writeIni("[data]\r\nserchword=abcdef\r\n");
    fake.clipboard.content = QStringLiteral("a\nb");
    open(QStringLiteral("xx abcdef ab\r\nline 2\r\na\r\nb"));
    form->runCommand(QString::fromLatin1(c.command));
    QApplication::processEvents();
    retype(QString::fromUtf16(c.typed));
    key(c.key, c.modifiers);
    c.expect(*this);
}

const FieldKey kFieldKeys[] = {
    {"FindEnter", "mnuSearch", u"ab", Qt::Key_Return, {},
     [](TypedFields& t) {
         EXPECT_EQ(t.form->text().selStart(), 3);
         EXPECT_EQ(t.form->text().selText(), QStringLiteral("ab"));
     }},
    {"CountEnter", "mnuitti", u"ab", Qt::Key_Enter, {},
     [](TypedFields& t) {
         EXPECT_EQ(t.fake.prompts.texts().value(0), QStringLiteral("「ab」は文中に2個あります。"));
     }},
    {"JumpEnter", "mnufly", u"2", Qt::Key_Return, {},
     [](TypedFields& t) { EXPECT_EQ(t.form->text().selStart(), 22); }}, // lines count from 0
    {"ReplaceEnter", "mnuReplace", u"ab", Qt::Key_Return, {},
     [](TypedFields& t) { EXPECT_EQ(QApplication::focusWidget()->objectName(), u"Text2"); }},
    // Ctrl+R in the replace field pastes the clipboard: LF lines become CR LF lines.
    {"ReplaceCtrlR", "mnuReplace", u"", Qt::Key_R, Qt::ControlModifier,
     [](TypedFields& t) {
         EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), u"a\r\nb");
     }},
};

INSTANTIATE_TEST_SUITE_P(Dialogs, FieldKeys, ::testing::ValuesIn(kFieldKeys),
                         [](const auto& info) { return std::string(info.param.name); });

// The clipboard's LF text fills the find field as CR LF lines, so the count finds them.
TEST_F(TypedFields, ClipboardTextInTheFindFieldFollowsThePasteRule) {
    fake.clipboard.content = QStringLiteral("a\nb");
    open(QStringLiteral("a\r\nb a\r\nb"));
    form->runCommand(QStringLiteral("mnuitti"));
    QApplication::processEvents();
    key(Qt::Key_Return);
    EXPECT_EQ(fake.prompts.texts().value(0), QStringLiteral("「a\r\nb」は文中に2個あります。"));
}

// Typing 10 as the undo count stores 10, not the list's 1000; with no settings file at all,
// OK on the untouched dialog keeps the backup interval in use.
TEST_F(TypedFields, OptionsKeepWhatWasTypedAndTheirOwnDefaults) {
    for (const char16_t* typed : {u"10", u""}) {
        QFile::remove(iniPath());
        open(QString());
        bool shown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = form->findChild<OptionsDialog*>();
            ASSERT_TRUE(dialog);
            shown = true;
            // A modal dialog does not become active offscreen: the keys go to the field that
            // would have the focus.
            if (*typed) QTest::keyClicks(child<QComboBox>(dialog, "Combo2"), QString::fromUtf16(typed));
            child<QPushButton>(dialog, "Command1")->click();
        });
        form->runCommand(QStringLiteral("mnuViewOptions"));
        ASSERT_TRUE(shown);
        EXPECT_TRUE(fake.prompts.texts().isEmpty()) << fake.prompts.texts().join(u' ').toStdString();
        const QString ini = iniPath();
        EXPECT_EQ(readSetting(settings::kSection, settings::key::MaxUndo, ini),
                  QString::fromUtf16(typed));
        EXPECT_EQ(readSetting(settings::kSection, settings::key::Timer, ini), u"1");
        form.reset();
    }
}

// 直接入力 switches the input method off whatever else the text box allows; every other IME
// item, and a start with ime=0, as well.
TEST_F(TypedFields, TheInputMethodFollowsTheImeItems) {
    const auto enabled = [this] {
        QInputMethodQueryEvent query(Qt::ImEnabled);
        QApplication::sendEvent(form->textView(), &query);
        return query.value(Qt::ImEnabled).toBool();
    };
    writeIni("[data]\r\nime=0\r\n");
    open(QString());
    EXPECT_FALSE(enabled());
    const std::pair<const char*, bool> items[] = {
        {"mnuIMEhiragana", true}, {"mnuIMEtyokusetu", false}, {"popkatakana", true},
        {"poptyokusetu", false},  {"mnuIMEHeisuu", true},
    };
    for (const auto& [item, on] : items) {
        form->action(QString::fromLatin1(item))->trigger();
        EXPECT_EQ(enabled(), on) << item;
    }
}

// Shift+Insert and a middle click paste by 貼り付け's rules: CR LF lines, one Undo back.
TEST_F(TypedFields, EveryPasteGoesByTheSameRules) {
    writeIni("[data]\r\nmaxundo=10\r\n");
    for (const bool middle : {false, true}) {
        open(QStringLiteral("ab"));
        fake.clipboard.content = QStringLiteral("c\nd");
        fake.clipboard.selection = QStringLiteral("c\nd");
        form->text().setSelStart(2);
        if (middle)
            QTest::mouseClick(form->textView()->viewport(), Qt::MiddleButton, {},
                              form->textView()->cursorRect().center());
        else
            key(Qt::Key_Insert, Qt::ShiftModifier);
        EXPECT_EQ(form->text().text(), u"abc\r\nd") << middle;
        form->action(QStringLiteral("mnuEditUndo"))->trigger();
        EXPECT_EQ(form->text().text(), u"ab") << middle;
        form.reset();
    }
}

// A window stored far off every screen comes back onto one.
TEST_F(TypedFields, AWindowStoredOffTheScreenComesBack) {
    writeIni("[data]\r\ntop=-99999\r\nleft=-99999\r\n");
    open(QString());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(form->frameGeometry())) << form->frameGeometry().y();
}

} // namespace
