// The checkpoint history: memory of a long history of a 1 MB document, and Undo / Redo on a
// 10 MB document in the shown main window.
#include "history/UndoHistory.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"
#include "support/FakeWindow.h"

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

namespace {

// Japanese prose in CR LF lines, `bytes` long in CP932.
QString prose(qsizetype bytes) {
    const QString sentence =
        QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。");
    QString text;
    qsizetype size = 0;
    for (int i = 0; size < bytes; ++i) {
        const QString line = sentence.left(20 + i % 12) + QStringLiteral("abc%1\r\n").arg(i % 1000);
        text += line;
        size += cp932::encode(line).size();
    }
    return text;
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double heapMegabytes() {
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// 10000 checkpoints (the unlimited setting) of a 1 MB document, a word typed between each.
void BM_TenThousandCheckpointsOf1MB(benchmark::State& st) {
    for (auto _ : st) {
        FakeEditor e;
        e.history.setMaxUndo(10000);
        e.text.setText(prose(1'000'000));
        e.history.startFrom(1, e.text.text());
        const double heapBefore = heapMegabytes();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 10000; ++i) {
            e.text.setSelStart(int((qint64(i) * 7919) % e.text.length()));
            e.text.setSelText(QStringLiteral("語"));
            e.history.record(e.text);
        }
        st.counters["ms_per_checkpoint"] = double(t.elapsed()) / 10000;
        st.counters["history_MB"] = heapMegabytes() - heapBefore;
        st.counters["peak_rss_MB"] = peakMegabytes();
        st.counters["slots"] = e.history.undoCount();
    }
}
BENCHMARK(BM_TenThousandCheckpointsOf1MB)->Unit(benchmark::kSecond)->Iterations(1);

struct LargeWindow : BenchWindow {
    LargeWindow() {
        openDocument(largeFile().path);
        w->history().setMaxUndo(10);
    }
    void edit(int i) {
        w->text().setSelStart(w->text().length() / 2 + i * 10);
        w->text().setSelText(QStringLiteral("追記"));
        w->history().record(w->text());
    }
    // Runs a command and waits for the window's next paint.
    double timed(const char* command) {
        PaintWatcher spy;
        w->textView()->viewport()->installEventFilter(&spy);
        QElapsedTimer t;
        t.start();
        w->runCommand(QString::fromLatin1(command));
        w->textView()->viewport()->update();
        while (!spy.painted)
            QCoreApplication::processEvents();
        const double s = t.nsecsElapsed() / 1e9;
        w->textView()->viewport()->removeEventFilter(&spy);
        return s;
    }
};

// Each iteration: an edit and its checkpoint, then Undo (the time) and Redo (a counter).
void BM_UndoRedoOn10MB(benchmark::State& st) {
    LargeWindow lw;
    lw.edit(0);
    int i = 1;
    double redo = 0;
    for (auto _ : st) {
        st.PauseTiming();
        lw.edit(i++);
        st.ResumeTiming();
        st.SetIterationTime(lw.timed("mnuEditUndo"));
        st.PauseTiming();
        redo += lw.timed("mnuEditRedo");
        st.ResumeTiming();
    }
    st.counters["redo_ms"] = redo * 1000 / double(st.iterations());
    st.counters["chars"] = lw.w->text().length();
}
BENCHMARK(BM_UndoRedoOn10MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_RecordUndoOn10MB(benchmark::State& st) {
    LargeWindow lw;
    int i = 0;
    for (auto _ : st) {
        st.PauseTiming();
        lw.w->text().setSelStart(lw.w->text().length() / 2 + i++);
        lw.w->text().setSelText(QStringLiteral("字"));
        st.ResumeTiming();
        lw.w->history().record(lw.w->text());
    }
}
BENCHMARK(BM_RecordUndoOn10MB)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
