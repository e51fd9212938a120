#include "support/OthersCanRun.h"
#include "documents/DocumentSession.h"
#include "command/SettingsFolder.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <grp.h>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr uid_t kNobody = 65534;
const char* const kProgramVar = "PALLO_TEST_READONLY_PROGRAM";
const char* const kHomeVar = "PALLO_TEST_CONFIG_HOME";

// A run of an installed program: start-up, one backup, shutdown. Everything it keeps goes to
// the settings folder under `configHome`, nothing to the program's folder.
void runInstalled(const QString& programDir, const QString& configHome) {
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", before); });
    qputenv("XDG_CONFIG_HOME", configHome.toLocal8Bit());
    const QString kept = configHome + u"/pallo"_s;
    ASSERT_EQ(settingsFolder(programDir), kept);
    {
        FakeServiceSet fake;
        AppState state;
        MainWindow w(state, fake.services, programDir);
        w.load(QString());
        EXPECT_TRUE(QFileInfo::exists(kept + u"/PalloBackup.txt"_s));
        w.text().setText(u"下書き"_s);
        w.onBackupTimer();
        QFile backup(kept + u"/PalloBackup.txt"_s);
        ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
        EXPECT_EQ(backup.readAll(), cp932::encode(u"下書き\r\n"_s));
        backup.close();
        w.document().setDirty(false);
        w.close();
        EXPECT_TRUE(fake.prompts.shown.isEmpty());
    }
    EXPECT_FALSE(QFileInfo::exists(kept + u"/PalloBackup.txt"_s));
    EXPECT_TRUE(QFileInfo::exists(kept + u"/Pallo.ini"_s));
    EXPECT_TRUE(QDir(programDir).isEmpty());
}

} // namespace

// Root writes anywhere, so as root the run happens in a child process of an unprivileged user.
TEST(SettingsFolder, ReadOnlyProgramFolderUsesTheConfigHome) {
    QTemporaryDir program, home;
    ASSERT_TRUE(
        QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString configHome = home.path() + u"/config"_s; // created by the program
    if (geteuid() != 0) {
        runInstalled(program.path(), configHome);
        return;
    }
    if (!othersCanRun(QCoreApplication::applicationFilePath()))
        GTEST_SKIP() << "the user nobody cannot reach the test program in this checkout";
    ASSERT_EQ(chown(home.path().toLocal8Bit().constData(), kNobody, kNobody), 0);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kProgramVar), program.path());
    env.insert(QString::fromLatin1(kHomeVar), configHome);
    env.insert(u"HOME"_s, home.path());
    env.remove(u"XDG_RUNTIME_DIR"_s);
    child.setProcessEnvironment(env);
    child.setChildProcessModifier([] {
        if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(3);
    });
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=SettingsFolderChild.*"_s});
    ASSERT_TRUE(child.waitForFinished(120000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
    EXPECT_TRUE(child.readAllStandardOutput().contains("[  PASSED  ] 1 test"));
    EXPECT_TRUE(QFileInfo::exists(configHome + u"/pallo/Pallo.ini"_s));
}

// The unprivileged half of the test above; skipped in ordinary runs.
TEST(SettingsFolderChild, RunsAsInstalled) {
    const QString program = qEnvironmentVariable(kProgramVar);
    if (program.isEmpty()) GTEST_SKIP();
    ASSERT_NE(geteuid(), 0u);
    runInstalled(program, qEnvironmentVariable(kHomeVar));
}

// A writable program folder keeps the settings unless the program is installed there (its
// manual in ../share/pallo), as /usr/bin is writable for root yet owned by the package.
TEST(SettingsFolder, WritableFolderOfAnInstalledProgramIsNotUsed) {
    struct Row {
        bool installed;
        bool besideProgram;
    };
    for (const Row row : {Row{false, true}, Row{true, false}}) {
        QTemporaryDir prefix, home;
        const QString bin = prefix.path() + u"/bin"_s;
        ASSERT_TRUE(QDir().mkpath(bin));
        if (row.installed) ASSERT_TRUE(QDir().mkpath(prefix.path() + u"/share/pallo"_s));
        const QByteArray before = qgetenv("XDG_CONFIG_HOME");
        const auto restore = qScopeGuard([&] { qputenv("XDG_CONFIG_HOME", before); });
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        EXPECT_EQ(settingsFolder(bin), row.besideProgram ? bin : home.path() + u"/pallo"_s)
            << "installed " << row.installed;
    }
}
