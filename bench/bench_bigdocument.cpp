// The main window on 63 MB / 1,300,000 lines of Japanese (Shift_JIS on disk) and on a line of
// 1,500,000 characters: opening to the first paint and to every wrapped row counted, then the
// keys writers press, each until the window has painted again. CPU time of the process (the
// work a key costs, whatever the machine shares) next to wall time; peak memory is the
// process's high-water mark.
#include "documents/DocumentSession.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include "BenchSupport.h"
#include "PaintWatcher.h"

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <ctime>

namespace {

struct BigFile {
    QTemporaryDir dir;
    QString path;
    BigFile(const char* name, const QString& text) : path(dir.path() + u'/' + QLatin1String(name)) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(text));
    }
};

const QString kSentence =
    QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。");

BigFile& hugeFile() {
    static BigFile file("huge.txt", [] {
        QString s;
        s.reserve(1'300'000 * 28);
        for (int i = 0; i < 1'300'000; ++i) {
            s += QStringView(kSentence).left(6 + i % 24);
            s += QStringLiteral("abc%1").arg(i % 10000);
            if (i + 1 < 1'300'000) s += u"\r\n";
        }
        return s;
    }());
    return file;
}

BigFile& longLineFile() {
    static BigFile file("long.txt", [] {
        const QString prose = kSentence + QStringLiteral("abc def ghi, ");
        return prose.repeated(1'500'000 / prose.size() + 1).left(1'500'000);
    }());
    return file;
}

double peakMegabytes() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

double cpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Window {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    MainWindow w{state, fake.services, programDir.path()};
    PaintWatcher watcher;

    explicit Window(const QString& path, benchmark::State& st) {
        QElapsedTimer t;
        t.start();
        w.loadWindow();
        w.textView()->viewport()->installEventFilter(&watcher);
        w.resize(800, 600);
        w.show();
        w.loadDocument(path);
        while (!watcher.painted)
            QCoreApplication::processEvents();
        st.counters["shown_ms"] = t.nsecsElapsed() / 1e6;
        while (!w.layoutComplete())
            QCoreApplication::processEvents();
        st.counters["all_rows_ms"] = t.nsecsElapsed() / 1e6;
        w.textView()->setFocus();
    }
    ~Window() {
        w.textView()->viewport()->removeEventFilter(&watcher);
        w.document().setDirty(false);
        w.close();
    }

    // Runs `action`, then events until the text box has painted again; CPU and wall time.
    template <typename Action> void timed(benchmark::State& st, const char* name, Action action) {
        QCoreApplication::processEvents();
        watcher.painted = false;
        QElapsedTimer wall;
        wall.start();
        const double cpu = cpuMs();
        action();
        w.textView()->viewport()->update();
        while (!watcher.painted)
            QCoreApplication::processEvents();
        st.counters[std::string(name) + "_cpu_ms"] = cpuMs() - cpu;
        st.counters[std::string(name) + "_ms"] = wall.nsecsElapsed() / 1e6;
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), k, m);
    }
};

void BM_HugeDocument(benchmark::State& st) {
    const QString path = hugeFile().path;
    for (auto _ : st) {
        Window win(path, st);
        win.timed(st, "page_down", [&] { win.key(Qt::Key_PageDown); });
        win.timed(st, "ctrl_end", [&] { win.key(Qt::Key_End, Qt::ControlModifier); });
        win.timed(st, "key_at_end", [&] { win.key(Qt::Key_A); });
        win.timed(st, "key_at_end_again", [&] { win.key(Qt::Key_A); });
        win.w.text().setSelStart(win.w.text().length() / 2);
        win.timed(st, "key_in_middle", [&] { win.key(Qt::Key_A); });
        win.timed(st, "select_all_delete", [&] {
            win.w.action(QStringLiteral("mnuAllSelect"))->trigger();
            win.key(Qt::Key_Delete);
        });
        win.timed(st, "undo_of_delete", [&] {
            win.w.action(QStringLiteral("mnuEditUndo"))->trigger();
        });
        st.counters["peak_MB"] = peakMegabytes();
    }
}
BENCHMARK(BM_HugeDocument)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LongLine(benchmark::State& st) {
    const QString path = longLineFile().path;
    for (auto _ : st) {
        Window win(path, st);
        win.timed(st, "ctrl_end", [&] { win.key(Qt::Key_End, Qt::ControlModifier); });
        win.timed(st, "key_at_end", [&] { win.key(Qt::Key_A); });
        win.timed(st, "key_at_end_again", [&] { win.key(Qt::Key_A); });
        win.w.text().setSelStart(win.w.text().length() / 2);
        win.timed(st, "key_in_middle", [&] { win.key(Qt::Key_A); });
        win.timed(st, "key_in_middle_again", [&] { win.key(Qt::Key_A); });
        win.timed(st, "backspace_in_middle", [&] { win.key(Qt::Key_Backspace); });
    }
}
BENCHMARK(BM_LongLine)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
