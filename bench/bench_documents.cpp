// Opening a large document through the open dialog's loading step, and saving it.
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "platform/Cp932Codec.h"
#include "platform/TextView.h"
#include "shell/frmMain.h"
#include "support/FakeServices.h"

#include "BenchSupport.h"
#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// A shown main window with an empty document.
struct ShownWindow {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    frmMain w{state, fake.services, programDir.path()};
    ShownWindow() {
        w.Form_Load(QString());
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        QCoreApplication::processEvents();
    }
    ~ShownWindow() {
        state.Dirty = false;
        w.close();
    }
};

void BM_OpenLargeFileToFirstPaint(benchmark::State& st) {
    const QString path = largeFile().path;
    st.counters["bytes"] = QFileInfo(path).size();
    ShownWindow shown;
    for (auto _ : st) {
        PaintWatcher spy;
        shown.w.Text1()->viewport()->installEventFilter(&spy);
        QElapsedTimer t;
        t.start();
        shown.state.WorkPath = path;
        LoadAcceptedFile(shown.w.context(), false);
        while (!spy.painted)
            QCoreApplication::processEvents();
        st.SetIterationTime(t.nsecsElapsed() / 1e9);

        st.PauseTiming();
        shown.w.Text1()->viewport()->removeEventFilter(&spy);
        st.counters["chars"] = shown.w.text().length();
        shown.w.text().setText(QString());
        QCoreApplication::processEvents();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLargeFileToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_SaveLargeFile(benchmark::State& st) {
    ShownWindow shown;
    shown.state.WorkPath = largeFile().path;
    LoadAcceptedFile(shown.w.context(), false);
    const QString out = shown.programDir.path() + QStringLiteral("/saved.txt");
    for (auto _ : st) {
        shown.state.SaveText = shown.w.text().text();
        if (!WriteDocumentFile(shown.w.context(), out)) st.SkipWithError("write failed");
    }
    st.counters["bytes"] = QFileInfo(out).size();
}
BENCHMARK(BM_SaveLargeFile)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
