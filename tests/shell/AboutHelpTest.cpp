#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "shell/About.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/HelpView.h"
#include "shell/MenuTable.h"
#include "support/FakeWindow.h"
#include "support/FindChild.h"

#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

namespace {

void click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
}

TEST(AboutLabels, CopyTheAddressAndShowItInPanelOne) {
    FakeEditor e;
    about::copyAddress(e.ctx, about::kSupportPage);
    EXPECT_EQ(e.fake.clipboard.content, about::kSupportPage);
    EXPECT_EQ(e.state.ClipboardView, about::kSupportPage);
    EXPECT_EQ(e.window.panels[0],
              QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「") + about::kSupportPage + QStringLiteral("」"));
}

TEST_F(MainFixture, AboutBoxIsOneModelessInstanceOwnedByTheWindow) {
    MainWindow& w = start();
    w.show();
    w.runCommand(QStringLiteral("mnuHelpAbout"));
    AboutDialog* box = w.aboutBox();
    ASSERT_NE(box, nullptr);
    EXPECT_FALSE(box->isModal());
    EXPECT_EQ(box->parentWidget(), &w);
    w.runCommand(QStringLiteral("mnuHelpAbout"));
    EXPECT_EQ(w.aboutBox(), box);

    click(child<QLabel>(box, "Label4"));
    EXPECT_EQ(fake.clipboard.content, about::kMailCopied);
    EXPECT_EQ(w.panelText(1),
              QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「") + about::kMailCopied + QStringLiteral("」"));
    // The box stays open while the main window is used.
    w.runCommand(QStringLiteral("mnupurasu"));
    EXPECT_TRUE(box->isVisible());
}

// After the shutdown deleted the backup nothing may write it again: the timers stop and the
// About box and the help window go with the main window.
TEST_F(MainFixture, NothingOutlivesACompletedShutdown) {
    MainWindow& w = start();
    w.show();
    w.runCommand(QStringLiteral("mnuHelpAbout"));
    w.runCommand(QStringLiteral("mnuHelpContents"));
    QPointer<QWidget> box = w.aboutBox(), help = w.helpWindow();
    ASSERT_TRUE(box && help);
    w.setTimerInterval(2, 10000);

    form->document().setDirty(true);
    fake.prompts.answers.enqueue(MsgAnswer::Cancel);
    w.close();
    EXPECT_TRUE(box && box->isVisible()); // a refused close leaves everything running
    EXPECT_TRUE(w.backupTimer()->isActive());

    fake.prompts.answers.enqueue(MsgAnswer::No);
    w.close();
    EXPECT_FALSE(box);
    EXPECT_FALSE(help);
    EXPECT_FALSE(w.backupTimer()->isActive());
    EXPECT_FALSE(w.alarmTimer()->isActive());
    EXPECT_FALSE(QFile::exists(backupPath()));
}

// ---------------------------------------------------------------- help

TEST(HelpFile, BesideTheProgramFirstThenTheInstalledPlace) {
    QTemporaryDir root;
    const QString bin = root.path() + QStringLiteral("/bin");
    const QString share = root.path() + QStringLiteral("/share/pallo");
    QDir().mkpath(bin);
    QDir().mkpath(share);
    EXPECT_EQ(help::find(bin), QString());
    QFile(share + QStringLiteral("/Pallo.html")).open(QIODevice::WriteOnly);
    EXPECT_EQ(help::find(bin), share + QStringLiteral("/Pallo.html"));
    QFile(bin + QStringLiteral("/Pallo.html")).open(QIODevice::WriteOnly);
    EXPECT_EQ(help::find(bin), bin + QStringLiteral("/Pallo.html"));
}

TEST(HelpFile, MissingManualIsReportedInTheWindow) {
    QTemporaryDir empty;
    HelpView view;
    view.showAt(empty.path(), help::kKeyword);
    EXPECT_FALSE(view.manualLoaded());
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(view.toPlainText().contains(QStringLiteral("見つかりません")));
}

// The build puts the manual beside the programs. It opens at the keyword's section and names
// every visible menu command as the menu shows it.
TEST(HelpFile, ManualCoversEveryMenuCommand) {
    HelpView view;
    view.resize(600, 400);
    view.showAt(QCoreApplication::applicationDirPath(), help::kKeyword);
    ASSERT_TRUE(view.manualLoaded()) << "Pallo.html is not beside the test program";
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
    const QString manual = view.toPlainText();
    for (const menus::MenuRow& row : menus::mainMenu()) {
        QString caption = QString::fromUtf16(row.caption);
        if (caption.isEmpty() || caption == u"-" || (row.flags & menus::Hidden)) continue;
        caption.remove(u'&');
        if (caption.endsWith(QStringLiteral("..."))) caption.chop(3);
        EXPECT_TRUE(manual.contains(caption)) << caption.toStdString();
    }
}

} // namespace
