// Start-up with a large document on the command line, and typing in it.
#include "documents/DocumentSession.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include "BenchSupport.h"
#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// In the program's order: the window shows first, the document is read after its first paint.
// The time is the time until the document is shown and laid out; window_ms until the first paint.
void BM_StartupToFirstPaint(benchmark::State& st) {
    const QString path = largeFile().path;
    st.counters["bytes"] = QFileInfo(path).size();
    double window = 0;
    for (auto _ : st) {
        QTemporaryDir programDir;
        FakeServiceSet fake;
        AppState state;
        QElapsedTimer t;
        t.start();
        MainWindow w(state, fake.services, programDir.path());
        w.loadWindow();
        PaintWatcher spy;
        w.textView()->viewport()->installEventFilter(&spy);
        w.show();
        while (!spy.painted)
            QCoreApplication::processEvents();
        window += t.nsecsElapsed() / 1e6;
        w.loadDocument(path);
        spy.painted = false;
        while (!spy.painted || !w.layoutComplete())
            QCoreApplication::processEvents();
        st.SetIterationTime(t.nsecsElapsed() / 1e9);
        st.PauseTiming();
        w.textView()->viewport()->removeEventFilter(&spy);
        w.document().setDirty(false);
        w.close();
        st.ResumeTiming();
    }
    st.counters["window_ms"] = window / double(st.iterations());
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TypeOneCharacter(benchmark::State& st) {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    MainWindow w(state, fake.services, programDir.path());
    w.load(largeFile().path);
    QElapsedTimer layout;
    layout.start();
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    while (!w.layoutComplete())
        QCoreApplication::processEvents();
    st.counters["layout_ms"] = layout.elapsed();
    w.textView()->setFocus();
    w.text().setSelStart(w.text().length() / 2);
    for (auto _ : st) {
        // Key press (the change event), key release (refreshPositionPanel and the panels); the Backspace
        // keeps the line as it was, so every iteration types into the same line.
        QTest::keyClick(w.textView(), Qt::Key_A);
        QTest::keyClick(w.textView(), Qt::Key_Backspace);
    }
    st.counters["per_key_ms"] = benchmark::Counter(
        2 * st.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    st.counters["lines"] = state.LineTotal;
    w.document().setDirty(false);
    w.close();
}
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMillisecond)->Iterations(500);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
