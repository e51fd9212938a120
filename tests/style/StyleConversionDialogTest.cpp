#include "history/UndoHistory.h"
#include "shell/MainFixture.h"
#include "support/FindChild.h"

#include "style/ui/StyleConversionDialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {

const QString kMenu = QStringLiteral("mnuDesumasu");

QString caption(QWidget* dialog, const char* button) {
    return child<QPushButton>(dialog, button)->text();
}

// The report as the box shows it, one paragraph per line.
QString shownReport(StyleConversionDialog* dialog) {
    return child<QPlainTextEdit>(dialog, "Text1")->toPlainText();
}

// Deletions the dialog has put off until its run returned.
void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Lets window events through during a run, the way the program does.
struct LivePump : EventPump {
    void doEvents() override { QCoreApplication::processEvents(); }
};

class StyleWindow : public MainFixture {
protected:
    LivePump livePump;
    Services live{fake.prompts, fake.clipboard, fake.clock, livePump, fake.pointer, fake.dialogs};

    // A window whose runs let events through, so a timer can act in the middle of a run.
    MainWindow& startLive() {
        form = std::make_unique<MainWindow>(state, live, dir.path());
        form->load(QString());
        settle();
        return *form;
    }
    static QList<StyleConversionDialog*> shown(MainWindow& w) {
        QList<StyleConversionDialog*> open;
        for (StyleConversionDialog* f : w.findChildren<StyleConversionDialog*>())
            if (!f->isUnloaded()) open.append(f);
        return open;
    }
    StyleConversionDialog* open(MainWindow& w) {
        w.runCommand(kMenu);
        const QList<StyleConversionDialog*> open = shown(w);
        EXPECT_EQ(open.size(), 1);
        return open.value(0);
    }
};

} // namespace

TEST_F(StyleWindow, OpensOnceWithItsControlsAndOneCheckpointPerUse) {
    writeIni("[data]\r\nmaxundo=10\r\n");
    MainWindow& w = start();
    const int undoCount = form->history().undoCount();
    // Each use records the text as it then stands (an unchanged text is not recorded twice).
    w.text().setText(QStringLiteral("本だ。"));
    StyleConversionDialog* dialog = open(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(form->history().undoCount(), undoCount + 1);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(dialog->isModal());
    EXPECT_EQ(dialog->parentWidget(), &w);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("文体変換（だである調←→ですます調）"));
    EXPECT_EQ(child<QGroupBox>(dialog, "Frame1")->title(), QStringLiteral("どちらか選択"));
    auto* option1 = child<QRadioButton>(dialog, "Option1");
    auto* option2 = child<QRadioButton>(dialog, "Option2");
    EXPECT_EQ(option1->text(), QStringLiteral("だである調→ですます調変換"));
    EXPECT_EQ(option2->text(), QStringLiteral("ですます調→だである調変換"));
    EXPECT_TRUE(option1->isChecked() && !option2->isChecked());
    EXPECT_EQ(caption(dialog, "Command1"), QStringLiteral("変換(&C)"));
    EXPECT_TRUE(child<QPushButton>(dialog, "Command1")->isEnabled());
    EXPECT_EQ(caption(dialog, "Command2"), QStringLiteral("キャンセル"));
    EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("レポート"));
    EXPECT_TRUE(shownReport(dialog).isEmpty());
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "Text1")->isReadOnly());

    // The toolbar button runs the same command: the open dialog comes forward again.
    w.text().setText(QStringLiteral("本だ。本だ。"));
    w.onToolButtonClicked(QStringLiteral("文体変換"));
    EXPECT_EQ(shown(w), QList<StyleConversionDialog*>{dialog});
    EXPECT_EQ(form->history().undoCount(), undoCount + 2);
}

TEST_F(StyleWindow, WholeRunThenCloseAndReopen) {
    MainWindow& w = start();
    w.text().setText(QStringLiteral("これは本だ。それは本だ。"));
    QPointer<StyleConversionDialog> dialog = open(w);
    child<QPushButton>(dialog, "Command1")->click();

    EXPECT_EQ(w.text().text(), QStringLiteral("これは本です。それは本です。"));
    const QString line = QStringLiteral("0行目の「だ」を「です」に変換しました。");
    EXPECT_EQ(shownReport(dialog), QStringLiteral("「。」を検索しています…。\n") + line + u'\n' +
                                       line + QStringLiteral("\n「、」を検索しています…。"));
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "Text1")->textCursor().atEnd());
    EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("レポート　～2個変換～"));
    EXPECT_FALSE(child<QPushButton>(dialog, "Command1")->isEnabled());
    EXPECT_EQ(caption(dialog, "Command2"), QStringLiteral("閉じる"));
    ASSERT_EQ(fake.prompts.shown.size(), 1);
    EXPECT_EQ(fake.prompts.shown[0].text, QStringLiteral("終了しました。2個変換しました。"));
    EXPECT_EQ(fake.prompts.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(fake.prompts.shown[0].icon, MsgIcon::Information);

    child<QPushButton>(dialog, "Command2")->click();
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
    StyleConversionDialog* again = open(w);
    ASSERT_NE(again, nullptr);
    EXPECT_TRUE(shownReport(again).isEmpty());
    EXPECT_TRUE(child<QPushButton>(again, "Command1")->isEnabled());
    EXPECT_EQ(caption(again, "Command2"), QStringLiteral("キャンセル"));
}

TEST_F(StyleWindow, Command2StopsARunAndTheBusyPointerStaysUntilPressedAgain) {
    MainWindow& w = startLive();
    const QString sentence = QStringLiteral("これは本だ。");
    w.text().setText(sentence.repeated(300));
    QPointer<StyleConversionDialog> dialog = open(w);
    bool pressed = false;
    QTimer::singleShot(0, dialog, [&] {
        ASSERT_TRUE(dialog->logic().running());
        child<QPushButton>(dialog, "Command2")->click();
        pressed = true;
        EXPECT_EQ(caption(dialog, "Command2"), QStringLiteral("閉じる"));
    });
    child<QPushButton>(dialog, "Command1")->click();
    ASSERT_TRUE(pressed);

    EXPECT_FALSE(dialog->logic().running());
    EXPECT_TRUE(fake.prompts.shown.isEmpty());       // no closing message
    EXPECT_TRUE(w.text().text().endsWith(sentence)); // stopped before the end
    EXPECT_FALSE(dialog->logic().report().contains(QStringLiteral("「、」")));
    EXPECT_EQ(fake.pointer.changes, QList<bool>{true});
    ASSERT_FALSE(dialog.isNull());
    EXPECT_TRUE(dialog->isVisible());

    child<QPushButton>(dialog, "Command2")->click();
    EXPECT_EQ(fake.pointer.changes.value(fake.pointer.changes.size() - 1, true), false);
    flushDeletes();
    EXPECT_TRUE(dialog.isNull());
}

// The dialog can go away in the middle of its run; the run still returns into a live dialog.
TEST_F(StyleWindow, LeavingDuringARunStopsItAndTheDialogGoesAfterwards) {
    for (const bool closeMainWindow : {false, true}) {
        SCOPED_TRACE(closeMainWindow ? "main window closed" : "Esc on the dialog");
        fake.prompts.shown.clear();
        fake.prompts.answers.clear();
        fake.prompts.answers.enqueue(MsgAnswer::No); // do not save the changed text
        MainWindow& w = startLive();
        w.text().setText(QStringLiteral("これは本だ。").repeated(300));
        QPointer<StyleConversionDialog> dialog = open(w);
        QTimer::singleShot(0, dialog, [&] {
            if (closeMainWindow)
                EXPECT_TRUE(w.close());
            else
                QTest::keyClick(dialog, Qt::Key_Escape);
            EXPECT_FALSE(dialog->isVisible());
        });
        child<QPushButton>(dialog, "Command1")->click();
        for (const QString& m : fake.prompts.texts())
            EXPECT_FALSE(m.startsWith(QStringLiteral("終了しました。")));
        EXPECT_EQ(fake.pointer.changes.value(fake.pointer.changes.size() - 1, true), false);
        flushDeletes();
        EXPECT_TRUE(dialog.isNull());
        form.reset();
        fake.pointer.changes.clear();
    }
}
