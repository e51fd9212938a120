// The toolbar's 拡大 and 縮小 on the large document: the command must return at once; the
// wrapped layout and the status panel catch up in idle time.
#include "BenchSupport.h"
#include "PaintWatcher.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include <QElapsedTimer>
#include <memory>

namespace {

struct LargeWindow {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    std::unique_ptr<MainWindow> w;
    LargeWindow() {
        w = std::make_unique<MainWindow>(state, fake.services, programDir.path());
        w->load(QString());
        w->setFontName(QStringLiteral("MotoyaLCedar"));
        w->setFontSize(12);
        w->text().setText(largeDocument());
        w->text().setSelection(1000, 0);
        PaintWatcher watcher;
        w->textView()->viewport()->installEventFilter(&watcher);
        w->show();
        while (!watcher.painted)
            QApplication::processEvents();
        w->textView()->viewport()->removeEventFilter(&watcher);
    }
};

// One step up or down per iteration (alternating, so the size stays near 12 points), timed
// from the click to the command's return; the repaint that follows runs untimed.
void BM_SizeStepOnLargeDocument(benchmark::State& state) {
    LargeWindow large;
    bool up = true;
    for (auto _ : state) {
        large.w->onToolButtonClicked(up ? QStringLiteral("拡大") : QStringLiteral("縮小"));
        state.PauseTiming();
        up = !up;
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SizeStepOnLargeDocument)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The click and the first repaint at the new size together.
void BM_SizeStepToRepaint(benchmark::State& state) {
    LargeWindow large;
    bool up = true;
    for (auto _ : state) {
        PaintWatcher watcher;
        large.w->textView()->viewport()->installEventFilter(&watcher);
        large.w->onToolButtonClicked(up ? QStringLiteral("拡大") : QStringLiteral("縮小"));
        while (!watcher.painted)
            QApplication::processEvents();
        large.w->textView()->viewport()->removeEventFilter(&watcher);
        up = !up;
    }
}
BENCHMARK(BM_SizeStepToRepaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN();
