#include "MainFixture.h"
#include "documents/DocumentSession.h"

#include "support/WithoutFileOverride.h"

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

struct UnreadableCase {
    const char* name;
    bool folder;       // a folder stands where the backup should be
    bool dateTaken;    // a backup was already set aside in the same second
    const char* aside; // the name it is renamed to
};
void PrintTo(const UnreadableCase& c, std::ostream* os) {
    *os << c.name;
}

class UnreadableBackup : public CrashRecovery,
                         public ::testing::WithParamInterface<UnreadableCase> {};

// A backup that cannot be read may hold the only copy of a text: it is renamed aside under a
// name no later backup uses, the writer is told where, and the program starts as usual.
TEST_P(UnreadableBackup, IsRenamedAsideAndReported) {
    const UnreadableCase& c = GetParam();
    const QString earlier = QStringLiteral("PalloBackup-20261208-090000.txt");
    if (c.dateTaken) writeFile(earlier, "earlier");
    if (c.folder) {
        ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("PalloBackup.txt")));
    } else {
        writeFile(QStringLiteral("PalloBackup.txt"), cp932::encode(u"大事な原稿"));
        ASSERT_TRUE(QFile::setPermissions(backupPath(), {}));
    }
    {
        WithoutFileOverride asTheWriter;
        start();
    }
    const QString aside = path(QString::fromUtf8(c.aside));
    ASSERT_EQ(fake.prompts.shown.size(), 1);
    EXPECT_TRUE(fake.prompts.shown[0].text.contains(aside)) << fake.prompts.shown[0].text.toStdString();
    EXPECT_EQ(form->text().text(), QString());
    EXPECT_TRUE(form->document().isUntitled());

    ASSERT_TRUE(QFileInfo::exists(aside));
    QFile::setPermissions(aside, QFile::ReadOwner | QFile::WriteOwner);
    if (!c.folder) EXPECT_EQ(readFile(QString::fromUtf8(c.aside)), cp932::encode(u"大事な原稿"));
    if (c.dateTaken) EXPECT_EQ(readFile(earlier), QByteArray("earlier"));

    // Backups go on in a fresh file.
    form->text().setText(QStringLiteral("続き"));
    form->onBackupTimer();
    EXPECT_EQ(readFile(QStringLiteral("PalloBackup.txt")), cp932::encode(u"続き\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Backups, UnreadableBackup,
    ::testing::Values(
        UnreadableCase{"WithoutReadPermission", false, false, "PalloBackup-20261208-090000.txt"},
        UnreadableCase{"FolderInItsPlace", true, false, "PalloBackup-20261208-090000.txt"},
        UnreadableCase{"DatedNameTaken", false, true, "PalloBackup-20261208-090000-2.txt"}),
    [](const auto& info) { return std::string(info.param.name); });
