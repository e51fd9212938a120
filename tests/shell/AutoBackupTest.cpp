#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "shell/AutoBackup.h"
#include "support/FakeWindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <utility>

namespace {

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString backupOf(const FakeEditor& e) {
    return e.dir.path() + QDir::separator() + QStringLiteral("PalloBackup.txt");
}

} // namespace

// ---------------------------------------------------------------- schedule

class BackupSchedule : public ::testing::TestWithParam<int> {};

TEST_P(BackupSchedule, FirstTickThenEveryBackupTicks) {
    const int n = GetParam();
    FakeEditor e;
    e.state.BackupTicks = static_cast<quint8>(n);
    AutoBackup backup;
    QList<int> written;
    for (int tick = 1; tick <= 13; ++tick) {
        // A different text per tick tells which tick wrote the file.
        e.text.setText(QStringLiteral("tick %1").arg(tick));
        backup.onBackupTimer(e.ctx);
        if (fileBytes(backupOf(e)) == QStringLiteral("tick %1\r\n").arg(tick).toLatin1())
            written.append(tick);
    }
    QList<int> expected;
    for (int tick = 1; tick <= 13; tick += std::max(n, 1))
        expected.append(tick);
    EXPECT_EQ(written, expected);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

// 0 cannot come from the options dialog; it must still not wrap the countdown to 255.
INSTANTIATE_TEST_SUITE_P(Ticks, BackupSchedule, ::testing::Values(0, 1, 2, 3, 5));

// ---------------------------------------------------------------- content

struct ContentCase {
    const char* name;
    QString text;
    QByteArray bytes;
};
inline void PrintTo(const ContentCase& c, std::ostream* os) {
    *os << c.name;
}

class BackupContent : public ::testing::TestWithParam<ContentCase> {};

TEST_P(BackupContent, TextPlusCrLfInShiftJis) {
    FakeEditor e;
    e.text.setText(GetParam().text);
    AutoBackup().onBackupTimer(e.ctx);
    EXPECT_EQ(fileBytes(backupOf(e)), GetParam().bytes);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty()); // not even for a character lost to "?"
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackupContent,
    ::testing::Values(
        ContentCase{"Empty", QString(), QByteArray("\r\n")},
        ContentCase{"Japanese", QStringLiteral("あい\r\nう"),
                    QByteArray("\x82\xa0\x82\xa2\r\n\x82\xa4\r\n")},
        ContentCase{"LoneBreaksKept", QStringLiteral("a\rb\nc"), QByteArray("a\rb\nc\r\n")},
        ContentCase{"TrailingBreakGetsAnother", QStringLiteral("a\r\n"), QByteArray("a\r\n\r\n")},
        // Nobody is there to be asked: a text Shift_JIS cannot hold goes whole, as marked UTF-8.
        ContentCase{"UnmappableKeptAsUtf8", QStringLiteral("x한y"),
                    QByteArray("\xEF\xBB\xBFx\xED\x95\x9Cy\r\n")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AutoBackup, WritesAnUnchangedTextAgain) {
    FakeEditor e;
    e.text.setText(QStringLiteral("same"));
    AutoBackup backup;
    backup.onBackupTimer(e.ctx);
    ASSERT_TRUE(QFile::remove(backupOf(e)));
    backup.onBackupTimer(e.ctx);
    EXPECT_FALSE(QFileInfo::exists(backupOf(e)));
    backup.onBackupTimer(e.ctx);
    EXPECT_EQ(fileBytes(backupOf(e)), QByteArray("same\r\n"));
}

TEST(AutoBackup, LeavesTheDocumentAlone) {
    FakeEditor e;
    e.text.setText(QStringLiteral("abcdef"));
    e.text.setSelection(2, 3);
    e.document.setPath(QStringLiteral("/somewhere/doc.txt"));
    e.document.setDirty(true);
    e.history.setUndoPending(false);
    int changes = 0;
    QObject::connect(&e.text, &TextBox::changed, [&] { ++changes; });

    AutoBackup().onBackupTimer(e.ctx);

    EXPECT_EQ(e.text.text(), QStringLiteral("abcdef"));
    EXPECT_EQ(e.text.selStart(), 2);
    EXPECT_EQ(e.text.selLength(), 3);
    EXPECT_EQ(e.window.windowTitle, QStringLiteral("Pallo   /somewhere/doc.txt"));
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_FALSE(e.history.undoPending());
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(fileBytes(backupOf(e)), QByteArray("abcdef\r\n"));
}

// ---------------------------------------------------------------- failures

TEST(AutoBackup, FolderInTheWayReportsErrorAndRetriesNextTick) {
    FakeEditor e;
    e.text.setText(QStringLiteral("keep me"));
    ASSERT_TRUE(QDir(e.dir.path()).mkdir(QStringLiteral("PalloBackup.txt")));
    AutoBackup backup;

    backup.onBackupTimer(e.ctx);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    const RecordedMessage& m = e.fake.prompts.shown[0];
    EXPECT_EQ(m.text, QStringLiteral("Error"));
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.title, kDefaultTitle);
    EXPECT_EQ(e.state.BackupCountdown, 0);
    EXPECT_FALSE(backup.reportingFailure());

    // Still failing: the next tick tries again and says so again.
    backup.onBackupTimer(e.ctx);
    EXPECT_EQ(e.fake.prompts.shown.size(), 2);
    EXPECT_EQ(e.state.BackupCountdown, 0);

    ASSERT_TRUE(QDir(e.dir.path()).rmdir(QStringLiteral("PalloBackup.txt")));
    backup.onBackupTimer(e.ctx);
    EXPECT_EQ(e.fake.prompts.shown.size(), 2);
    EXPECT_EQ(fileBytes(backupOf(e)), QByteArray("keep me\r\n"));
    EXPECT_EQ(e.state.BackupCountdown, 1);
}

TEST(AutoBackup, MissingProgramFolderReportsError) {
    FakeEditor e;
    const QString missing = e.dir.path() + QStringLiteral("/gone");
    CommandContext ctx{e.state, e.text, e.fake.services, e.window, missing, e.history, e.document};
    AutoBackup().onBackupTimer(ctx);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, QStringLiteral("Error"));
    EXPECT_EQ(e.state.BackupCountdown, 0);
    EXPECT_FALSE(QFileInfo::exists(missing));
}

// The message box keeps the timer running: ticks arrive from inside the message call.
class ReentrantBackup : public ::testing::Test {
protected:
    FakeEditor e;
    ScriptedPrompts& prompts = e.fake.prompts;
    CommandContext& ctx = e.ctx;
    AutoBackup backup;

    void SetUp() override {
        e.text.setText(QStringLiteral("text"));
        ASSERT_TRUE(QDir(e.dir.path()).mkdir(QStringLiteral("PalloBackup.txt")));
    }
};

TEST_F(ReentrantBackup, ErrorDoesNotPileUp) {
    int inner = 0;
    bool nested = false;
    prompts.whileOpen = [&] {
        EXPECT_TRUE(backup.reportingFailure());
        if (std::exchange(nested, true)) return; // a second message is the fault itself
        for (; inner < 5; ++inner)
            backup.onBackupTimer(ctx);
    };
    backup.onBackupTimer(ctx);
    EXPECT_EQ(inner, 5);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("Error")});
    EXPECT_EQ(e.state.BackupCountdown, 0);
    EXPECT_FALSE(backup.reportingFailure());

    // Once the message is closed, the next failure is reported again.
    prompts.whileOpen = nullptr;
    backup.onBackupTimer(ctx);
    EXPECT_EQ(prompts.shown.size(), 2);
}

TEST_F(ReentrantBackup, BackupThatSucceedsMeanwhileKeepsItsCountdown) {
    prompts.whileOpen = [&] {
        ASSERT_TRUE(QDir(e.dir.path()).rmdir(QStringLiteral("PalloBackup.txt")));
        backup.onBackupTimer(ctx);
    };
    backup.onBackupTimer(ctx);
    EXPECT_EQ(prompts.shown.size(), 1);
    EXPECT_EQ(fileBytes(backupOf(e)), QByteArray("text\r\n"));
    // Closing the stale message must not undo the countdown of the backup made meanwhile.
    EXPECT_EQ(e.state.BackupCountdown, 1);
}

// ---------------------------------------------------------------- the main window

TEST_F(MainFixture, BackupTimerRunsFromStartUp) {
    MainWindow& w = start();
    EXPECT_EQ(w.timerInterval(1), 30000);
    EXPECT_EQ(w.timerInterval(2), 0);
    w.text().setText(QStringLiteral("typed"));
    // A short interval lets the real timer tick; only the wiring is under test.
    w.setTimerInterval(1, 1);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return readFile(QStringLiteral("PalloBackup.txt")) == QByteArray("typed\r\n"); },
        10000));
    w.setTimerInterval(1, 0);
}
