#include "MainFixture.h"

#include <QFileInfo>

// A run that ends without its shutdown (a crash, a forced end) leaves the backup behind; the
// next start in the same folder shows it as the document.
class CrashRecovery : public MainFixture {
protected:
    // Ends the window the hard way: no close request, so no shutdown sequence runs.
    void crash() {
        form.reset();
        state = AppState{};
    }
};

TEST_F(CrashRecovery, TypedTextComesBackUnderTheBackupTitle) {
    frmMain& w = start();
    w.Text1()->setFocus();
    QTest::keyClicks(w.Text1(), QStringLiteral("first"));
    QTest::keyClick(w.Text1(), Qt::Key_Return);
    w.text().setSelText(QStringLiteral("二行目"));
    ASSERT_EQ(w.text().text(), QStringLiteral("first\r\n二行目"));
    ASSERT_TRUE(state.Dirty);
    w.Timer1_Timer();
    crash();

    frmMain& again = start();
    EXPECT_EQ(again.text().text(), QStringLiteral("first\r\n二行目\r\n"));
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Pallo   ") + backupPath());
    EXPECT_FALSE(state.Dirty);
    EXPECT_EQ(state.LoadedText, again.text().text());
    EXPECT_TRUE(fake.prompts.shown.isEmpty());
}

TEST_F(CrashRecovery, EmptyDocumentComesBackAsOneLineBreak) {
    start();
    form->Timer1_Timer();
    EXPECT_EQ(readFile(QStringLiteral("PalloBackup.txt")), QByteArray("\r\n"));
    crash();

    frmMain& again = start();
    EXPECT_EQ(again.text().text(), QStringLiteral("\r\n"));
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Pallo   ") + backupPath());
}
