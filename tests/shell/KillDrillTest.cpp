#include "support/KillDrill.h"
#include "documents/DocumentFile.h"
#include "state/DocumentTitle.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <iostream>
#include <optional>
#include <poll.h>
#include <random>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

// The program killed at random moments while a writer types, saves and lets the backup tick,
// then started again in the same folder: the files it leaves are always whole, and what the
// next start shows is never older than the last backup it made.
namespace {

constexpr int kRounds = 50;
// Most rounds kill a writer at work, within this time after its start-up; the others kill it
// during the start-up (the crash recovery) itself.
constexpr int kWorkMs = 80;
constexpr int kStartTimeoutMs = 60000;
const char* const kSeedVar = "PALLO_KILLDRILL_SEED";

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The drill's writer program with its log on a pipe and its errors in a file.
class WriterProcess {
public:
    WriterProcess(const QStringList& args, const QString& errors) : m_errors(errors) {
        std::vector<QByteArray> bytes;
        for (const QString& a : args)
            bytes.push_back(QFile::encodeName(a));
        std::vector<char*> argv;
        for (QByteArray& b : bytes)
            argv.push_back(b.data());
        argv.push_back(nullptr);
        const QByteArray errorPath = QFile::encodeName(errors);
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) != 0) return;
        m_pid = fork();
        if (m_pid == 0) {
            // Only what is safe between fork and exec.
            const int err = ::open(errorPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (dup2(fds[1], STDOUT_FILENO) < 0 || err < 0 || dup2(err, STDERR_FILENO) < 0)
                _exit(126);
            execv(argv[0], argv.data());
            _exit(127);
        }
        ::close(fds[1]);
        m_fd = fds[0];
    }
    ~WriterProcess() {
        if (m_pid > 0) kill();
        if (m_fd >= 0) ::close(m_fd);
    }
    WriterProcess(const WriterProcess&) = delete;
    WriterProcess& operator=(const WriterProcess&) = delete;

    bool started() const { return m_pid > 0; }
    const QByteArray& log() const { return m_log; }

    // Reads the log for `ms` or until `done` holds; false once the writer's output has ended.
    bool readFor(int ms, const std::function<bool()>& done = {}) {
        QElapsedTimer t;
        t.start();
        while (!(done && done())) {
            const int left = ms - int(t.elapsed());
            if (left <= 0) return true;
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, left) > 0 && !readSome()) return false;
        }
        return true;
    }

    // SIGKILL; then the rest of the log. False when the writer had already ended by itself.
    bool kill() {
        ::kill(m_pid, SIGKILL);
        while (readSome()) {
        }
        int status = 0;
        waitpid(m_pid, &status, 0);
        m_pid = 0;
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }

    std::string errors() const { return readBytes(m_errors).toStdString(); }

private:
    bool readSome() {
        char buffer[4096];
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) m_log.append(buffer, n);
        return n > 0 || (n < 0 && errno == EINTR);
    }

    QString m_errors;
    pid_t m_pid = -1;
    int m_fd = -1;
    QByteArray m_log;
};

// The sums of what a file may hold once the writer is killed: the text of the last write the
// log reports as done (none: the bytes it held before the round), or of the write that may have
// been under way at the kill.
struct Written {
    std::optional<QByteArray> done;
    std::optional<QByteArray> underWay;
};

struct RoundLog {
    std::optional<QByteArray> loaded; // the sum of the text start-up showed
    QByteArray title;
    Written document, backup;
    QList<QByteArray> messages;
};

RoundLog parse(const QByteArray& log) {
    using namespace killdrill;
    RoundLog r;
    const QList<QByteArray> lines = log.split('\n');
    // The last piece has no line end: a line the kill cut (there is none while lines are
    // written whole) or nothing.
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        const qsizetype blank = line.indexOf(' ');
        const QByteArray word = line.left(blank);
        const QByteArray rest = line.mid(blank + 1);
        const QByteArray sum = rest.split(' ').first();
        if (word == kMessage) {
            r.messages.append(rest);
        } else if (word == kLoaded) {
            r.loaded = sum;
            r.title = rest.mid(sum.size() + 1);
            r.backup.underWay = sum;
        } else if (word == kTyped) {
            // A tick writes the latest text and may be killed before it can say so.
            r.backup.underWay = sum;
        } else if (word == kTick) {
            r.backup.done = sum;
        } else if (word == kSaving) {
            r.document.underWay = sum;
        } else if (word == kSaved) {
            r.document.done = sum;
            r.document.underWay.reset();
        }
    }
    return r;
}

// Whole: the bytes of one text written in the document format, nothing cut and nothing mixed;
// and that text is one the log allows.
::testing::AssertionResult holdsWritten(const QByteArray& bytes, const QByteArray& before,
                                        const Written& w) {
    if (!w.done && bytes == before) return ::testing::AssertionSuccess();
    DocumentFormat format;
    const QString text = decodeDocument(bytes, &format);
    if (!text.endsWith(u"\r\n"_s) || encodeDocument(text.chopped(2), format) != bytes)
        return ::testing::AssertionFailure()
               << "not one whole text: " << bytes.toHex().left(80).constData();
    const QByteArray sum = killdrill::checksum(QStringView(text).chopped(2));
    if (sum == w.done || sum == w.underWay) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "holds text " << sum.constData() << ", expected "
                                         << w.done.value_or("the previous bytes").constData()
                                         << " or " << w.underWay.value_or("-").constData();
}

} // namespace

TEST(KillDrill, FilesStayWholeAndRecoveryKeepsTheLastBackup) {
    const QString writer = QCoreApplication::applicationDirPath() + u"/pallo_killdrill"_s;
    ASSERT_TRUE(QFileInfo(writer).isExecutable()) << writer.toStdString();
    const quint64 seed = qEnvironmentVariableIsSet(kSeedVar)
                             ? qEnvironmentVariable(kSeedVar).toULongLong()
                             : std::random_device{}() * 0x100000000ULL + std::random_device{}();
    std::cout << "[ drill    ] seed " << seed << " (" << kSeedVar << "=" << seed
              << " replays the kill moments)" << std::endl;
    SCOPED_TRACE(std::string(kSeedVar) + "=" + std::to_string(seed));
    std::mt19937_64 rng(seed);

    QTemporaryDir base;
    const QString program = base.filePath(u"program"_s), docs = base.filePath(u"docs"_s);
    ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(docs));
    const QString document = docs + u"/下書き.txt"_s, backup = backupFilePath(program);
    {
        QFile f(document);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(encodeDocument(u"書き出し"_s));
    }
    QByteArray docBefore = readBytes(document), backupBefore;

    QElapsedTimer clock;
    clock.start();
    int startMs = 0, killedAtWork = 0, killedSaving = 0, recovered = 0, round = 1;
    for (; round <= kRounds && !::testing::Test::HasFailure(); ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        WriterProcess w({writer, program, document, QString::number(rng())},
                        base.filePath(u"writer.err"_s));
        ASSERT_TRUE(w.started());
        // The first round measures the start-up that later ones may be killed in.
        if (round > 1 && rng() % 5 == 0) {
            w.readFor(int(rng() % (startMs + 1)));
        } else {
            QElapsedTimer t;
            t.start();
            const auto loaded = [&] { return w.log().contains(killdrill::kLoaded); };
            ASSERT_TRUE(w.readFor(kStartTimeoutMs, loaded) && loaded()) << w.errors();
            startMs = int(t.elapsed());
            w.readFor(int(rng() % kWorkMs));
            ++killedAtWork;
        }
        ASSERT_TRUE(w.kill()) << "the writer ended by itself:\n" << w.errors();

        const RoundLog log = parse(w.log());
        killedSaving += log.document.underWay.has_value();
        EXPECT_TRUE(log.messages.isEmpty()) << log.messages.join('\n').toStdString();
        if (log.loaded) {
            // Start-up shows the backup when it holds a text, else the document.
            const QString backupText = decodeDocument(backupBefore);
            const bool fromBackup = !backupText.isEmpty();
            recovered += fromBackup;
            EXPECT_EQ(*log.loaded,
                      killdrill::checksum(fromBackup ? backupText : decodeDocument(docBefore)));
            EXPECT_EQ(QString::fromUtf8(log.title),
                      doctitle::forPath(fromBackup ? backup : document));
        }
        const QByteArray docAfter = readBytes(document), backupAfter = readBytes(backup);
        EXPECT_TRUE(holdsWritten(docAfter, docBefore, log.document)) << "the document";
        EXPECT_TRUE(holdsWritten(backupAfter, backupBefore, log.backup)) << "the backup";
        docBefore = docAfter;
        backupBefore = backupAfter;
    }
    // A kill between the link of a finished temporary file and its rename leaves it beside
    // the file; it is never taken for it (checked above), only counted.
    const int leftovers = int(QDir(docs).entryList(QDir::Files).size() +
                              QDir(program).entryList(QDir::Files).size()) -
                          2;
    std::cout << "[ drill    ] " << round - 1 << " rounds in " << clock.elapsed()
              << " ms: " << killedAtWork
              << " killed at work, the others at any moment from their start; " << killedSaving
              << " killed while saving; " << recovered << " started from the backup; " << leftovers
              << " temporary files left beside the files" << std::endl;
}
