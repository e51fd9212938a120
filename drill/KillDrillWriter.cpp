// A writer at work in the real main window, for the kill drill: it starts the way the program
// does (the crash recovery included), then types, saves with 上書き保存 and lets a fast backup
// timer tick until it is killed, logging each completed step to its standard output.
//
//   pallo_killdrill PROGRAM_FOLDER DOCUMENT SEED

#include "documents/DocumentSession.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "state/AppState.h"
#include "support/FakeServices.h"
#include "support/KillDrill.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The backup timer's interval: fast enough that most rounds see several ticks.
constexpr int kTickMs = 4;
// Typed through the input method, as a writer of Japanese does.
const QString kJapanese[] = {u"あいうえお"_s, u"漢字"_s, u"テスト"_s, u"。"_s,
                             u"、"_s,         u"ｶﾀｶﾅ"_s, u"「」"_s,   u"　"_s};

// One write per line: a line the kill interrupts is lost whole or not at all.
void logLine(QByteArrayView word, const QByteArray& rest) {
    QByteArray line = word.toByteArray() + ' ' + rest + '\n';
    qsizetype done = 0;
    while (done < line.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, line.constData() + done, line.size() - done);
        if (n <= 0) _exit(4);
        done += n;
    }
}

class Writer {
public:
    Writer(MainWindow& window, FakeServiceSet& fake, QString document, quint32 seed)
        : m_window(window), m_fake(fake), m_document(std::move(document)), m_rng(seed) {}

    // One step: a few characters, now and then a line break, every few steps a save.
    void step() {
        TextView* box = m_window.textView();
        switch (m_rng.bounded(6)) {
        case 0:
            QTest::keyClick(box, Qt::Key_Return);
            break;
        case 1:
        case 2: {
            QInputMethodEvent commit;
            commit.setCommitString(kJapanese[m_rng.bounded(int(std::size(kJapanese)))]);
            QCoreApplication::sendEvent(box, &commit);
            break;
        }
        default:
            QTest::keyClicks(box, QString(QChar(u'a' + m_rng.bounded(26))));
            break;
        }
        const QByteArray sum = killdrill::checksum(m_window.text().text());
        logLine(killdrill::kTyped, sum);
        if (m_rng.bounded(3) != 0) return;
        // A recovered text has no file of its own yet: the save asks for a name, and the
        // writer gives the document's.
        m_fake.dialogs.saveAnswers.clear();
        m_fake.dialogs.saveAnswers.enqueue(m_document);
        logLine(killdrill::kSaving, sum);
        const auto messages = m_fake.prompts.shown.size();
        m_window.runCommand(u"mnuFileSave"_s);
        if (m_fake.prompts.shown.size() == messages) logLine(killdrill::kSaved, sum);
    }

private:
    MainWindow& m_window;
    FakeServiceSet& m_fake;
    QString m_document;
    QRandomGenerator m_rng;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != killdrill::kArgCount) return 2;
    const QString programDir = QString::fromLocal8Bit(argv[1]);
    const QString document = QString::fromLocal8Bit(argv[2]);

    FakeServiceSet fake;
    // Nothing in the drill may fail: every message is a finding.
    fake.prompts.whileOpen = [&] {
        logLine(killdrill::kMessage, fake.prompts.shown.last().text.toUtf8().replace('\n', ' '));
    };
    AppState state;
    MainWindow window(state, fake.services, programDir);
    window.loadWindow();
    window.loadDocument(document);
    logLine(killdrill::kLoaded,
            killdrill::checksum(window.text().text()) + ' ' + window.windowTitle().toUtf8());

    // The options' shortest interval (a backup at every tick), on a fast clock.
    state.BackupTicks = 1;
    qsizetype messages = 0;
    QObject::connect(window.backupTimer(), &QTimer::timeout, [&] {
        // Runs after the window's own tick: a tick that showed no message wrote the backup.
        const qsizetype before = std::exchange(messages, fake.prompts.shown.size());
        if (messages == before)
            logLine(killdrill::kTick, killdrill::checksum(window.text().text()));
    });
    window.setTimerInterval(1, kTickMs);

    window.textView()->setFocus();
    Writer writer(window, fake, document, quint32(QByteArray(argv[3]).toULongLong()));
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&] { writer.step(); });
    typing.start(1);
    return app.exec();
}
