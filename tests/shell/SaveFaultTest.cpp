#include "support/OthersCanRun.h"
#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "documents/DocumentFile.h"

#include <QProcess>
#include <QScopeGuard>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

// A save and a backup tick that cannot write (a full file system, a read-only folder) leave the
// files they would have replaced whole, say so, and create nothing.
namespace {

constexpr uid_t kNobody = 65534;
const char* const kBaseVar = "PALLO_TEST_READONLY_BASE";
const QString kSaveFailed = u"保存時にエラーが発生しました。"_s;
const QString kBackupFailed = u"Error"_s;

QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A tmpfs of its own for the test, unmounted whatever happens.
class SmallFileSystem {
public:
    explicit SmallFileSystem(const QString& dir) : m_dir(QFile::encodeName(dir)) {
        m_mounted =
            mount("tmpfs", m_dir.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") == 0;
        m_error = errno;
    }
    ~SmallFileSystem() {
        if (m_mounted) umount2(m_dir.constData(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;
    bool mounted() const { return m_mounted; }
    const char* error() const { return std::strerror(m_error); }

    // Takes all the room that is left; true once a write has failed for want of it.
    bool fill(const QString& file) const {
        const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0) return false;
        const QByteArray block(4096, 'x');
        ssize_t n = 0;
        while ((n = ::write(fd, block.constData(), block.size())) == block.size()) {
        }
        const bool full = n < 0 && errno == ENOSPC;
        ::close(fd);
        return full;
    }

private:
    QByteArray m_dir;
    bool m_mounted = false;
    int m_error = 0;
};

} // namespace

class SaveFault : public MainFixture {
protected:
    // The document in `docs`, the program's folder `program`: a saved text and its backup
    // are there when `block` takes away the room to write; then a longer text can be neither
    // saved with 上書き保存 nor backed up, and both files stay as they were.
    void expectOldFilesKept(const QString& docs, const QString& program,
                            const std::function<bool()>& block) {
        const QString document = docs + u"/原稿.txt"_s;
        {
            QFile f(document);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(encodeDocument(QString(3000, u'旧')));
        }
        MainWindow& w = start(document, program);
        state.BackupTicks = 1; // every tick writes, as with the options' shortest interval
        w.onBackupTimer();
        const QByteArray docBefore = readBytes(document);
        const QByteArray backupBefore = readBytes(backupFilePath(program));
        ASSERT_FALSE(backupBefore.isEmpty());
        ASSERT_TRUE(block());
        const QStringList docsBefore = filesIn(docs), programBefore = filesIn(program);

        w.text().setText(QString(20000, u'新'));
        w.runCommand(u"mnuFileSave"_s);
        EXPECT_EQ(fake.prompts.texts(), QStringList{kSaveFailed});
        EXPECT_TRUE(form->document().isDirty());
        EXPECT_TRUE(readBytes(document) == docBefore) << "the document changed";
        EXPECT_EQ(filesIn(docs), docsBefore);

        w.onBackupTimer();
        EXPECT_EQ(fake.prompts.texts(), (QStringList{kSaveFailed, kBackupFailed}));
        EXPECT_EQ(state.BackupCountdown, 0); // the next tick tries again
        EXPECT_TRUE(readBytes(backupFilePath(program)) == backupBefore) << "the backup changed";
        EXPECT_EQ(filesIn(program), programBefore);
    }

    static QByteArray readBytes(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
};

TEST_F(SaveFault, FullFileSystem) {
    QTemporaryDir mountPoint;
    SmallFileSystem fs(mountPoint.path());
    if (!fs.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here: " << fs.error();
    const QString program = mountPoint.filePath(u"program"_s);
    ASSERT_TRUE(QDir().mkdir(program));
    expectOldFilesKept(mountPoint.path(), program,
                       [&] { return fs.fill(mountPoint.filePath(u"filler"_s)); });
    form.reset(); // nothing open on the file system it unmounts
}

// The unprivileged half of ReadOnlyFolders; skipped in ordinary runs.
TEST_F(SaveFault, ReadOnlyFoldersChild) {
    const QString base = qEnvironmentVariable(kBaseVar);
    if (base.isEmpty()) GTEST_SKIP();
    ASSERT_NE(geteuid(), 0u);
    const QString docs = base + u"/docs"_s, program = base + u"/program"_s;
    ASSERT_TRUE(QDir().mkpath(docs) && QDir().mkpath(program));
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    const auto writable = qScopeGuard([&] {
        for (const QString& d : {docs, program})
            QFile::setPermissions(d, readOnly | QFileDevice::WriteOwner);
    });
    expectOldFilesKept(docs, program, [&] {
        return QFile::setPermissions(docs, readOnly) && QFile::setPermissions(program, readOnly);
    });
}

// Root writes anywhere: as root the run happens in a child process of an unprivileged user.
TEST(SaveFaultAsUser, ReadOnlyFolders) {
    QTemporaryDir base;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(kBaseVar), base.path());
    env.insert(u"HOME"_s, base.path());
    env.remove(u"XDG_RUNTIME_DIR"_s);
    QProcess child;
    child.setProcessEnvironment(env);
    if (geteuid() == 0) {
        if (!othersCanRun(QCoreApplication::applicationFilePath()))
            GTEST_SKIP() << "the user nobody cannot reach the test program in this checkout";
        ASSERT_EQ(chown(QFile::encodeName(base.path()).constData(), kNobody, kNobody), 0);
        child.setChildProcessModifier([] {
            if (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)
                _exit(3);
        });
    }
    child.start(QCoreApplication::applicationFilePath(),
                {u"--gtest_filter=SaveFault.ReadOnlyFoldersChild"_s});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QByteArray output = child.readAllStandardOutput();
    if (child.exitCode() == 3) GTEST_SKIP() << "cannot run as the user nobody";
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();
}
