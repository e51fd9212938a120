#include "MainFixture.h"
#include "documents/DocumentSession.h"

#include "support/WithoutFileOverride.h"

#include <QFileInfo>
#include <tuple>

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
    MainWindow& w = start();
    w.textView()->setFocus();
    QTest::keyClicks(w.textView(), QStringLiteral("first"));
    QTest::keyClick(w.textView(), Qt::Key_Return);
    w.text().setSelText(QStringLiteral("二行目"));
    ASSERT_EQ(w.text().text(), QStringLiteral("first\r\n二行目"));
    ASSERT_TRUE(form->document().isDirty());
    w.onBackupTimer();
    crash();

    MainWindow& again = start();
    EXPECT_EQ(again.text().text(), QStringLiteral("first\r\n二行目\r\n"));
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Pallo   ") + backupPath());
    EXPECT_FALSE(form->document().isDirty());
    EXPECT_EQ(form->document().loadedText(), again.text().text());
    EXPECT_TRUE(fake.prompts.shown.isEmpty());
}

TEST_F(CrashRecovery, EmptyDocumentComesBackAsOneLineBreak) {
    start();
    form->onBackupTimer();
    EXPECT_EQ(readFile(QStringLiteral("PalloBackup.txt")), QByteArray("\r\n"));
    crash();

    MainWindow& again = start();
    EXPECT_EQ(again.text().text(), QStringLiteral("\r\n"));
    EXPECT_EQ(again.windowTitle(), QStringLiteral("Pallo   ") + backupPath());
}

// The recovered text counts as unchanged, yet its only copy is the backup that shutdown
// deletes: closing or replacing it asks first, as for a changed document.
TEST_F(CrashRecovery, RecoveredTextIsNotDroppedUnasked) {
    start().text().setText(QStringLiteral("救われた原稿"));
    form->onBackupTimer();
    crash();
    MainWindow& w = start();
    ASSERT_FALSE(form->document().isDirty());
    const QString question =
        backupPath() + QStringLiteral("の内容が変更されています。保存しますか？");

    fake.prompts.answers << MsgAnswer::Cancel << MsgAnswer::Cancel;
    w.runCommand(QStringLiteral("mnuFileNew"));
    EXPECT_FALSE(w.close());
    EXPECT_EQ(fake.prompts.texts(), (QStringList{question, question}));
    EXPECT_EQ(w.text().text(), QStringLiteral("救われた原稿\r\n"));

    fake.prompts.answers << MsgAnswer::Yes;
    fake.dialogs.saveAnswers << path(QStringLiteral("saved.txt"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(readFile(QStringLiteral("saved.txt")), cp932::encode(u"救われた原稿\r\n\r\n"));
    EXPECT_FALSE(QFileInfo::exists(backupPath()));
}

// A backup that cannot be read may hold the only copy of a text: it is renamed aside under a
// name no later backup takes, the writer is told where, and the program starts as usual.
TEST_F(CrashRecovery, UnreadableBackupIsRenamedAsideAndReported) {
    const QString earlier = QStringLiteral("PalloBackup-20261208-090000.txt");
    // What stands there (a file of mode 000 or a folder), and the name it goes to.
    const std::tuple<bool, const char*> cases[] = {
        {false, "PalloBackup-20261208-090000.txt"},
        {true, "PalloBackup-20261208-090000-2.txt"}, // the first name is taken by then
    };
    for (const auto& [folder, aside] : cases) {
        if (folder)
            ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("PalloBackup.txt")));
        else
            writeFile(QStringLiteral("PalloBackup.txt"), "kept");
        QFile::setPermissions(backupPath(), {});
        fake.prompts.shown.clear();
        {
            WithoutFileOverride asTheWriter;
            start();
        }
        ASSERT_EQ(fake.prompts.texts().size(), 1) << aside;
        EXPECT_TRUE(fake.prompts.texts()[0].contains(path(QString::fromUtf8(aside)))) << aside;
        EXPECT_EQ(form->text().text(), QString());
        QFile::setPermissions(path(QString::fromUtf8(aside)), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(readFile(earlier), QByteArray("kept")) << aside;

        form->text().setText(QStringLiteral("続き"));
        form->onBackupTimer();
        EXPECT_EQ(readFile(QStringLiteral("PalloBackup.txt")), cp932::encode(u"続き\r\n"));
        crash();
        QFile::remove(backupPath());
    }
}
