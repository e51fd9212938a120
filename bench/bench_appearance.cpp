// The toolbar's 拡大 and 縮小 on the large document: the command must return at once; the
// wrapped layout and the status panel catch up in idle time.
#include "BenchSupport.h"
#include "PaintWatcher.h"
#include "platform/TextView.h"
#include "shell/frmMain.h"
#include "support/FakeServices.h"

#include <QElapsedTimer>
#include <memory>

namespace {

struct LargeWindow {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    std::unique_ptr<frmMain> w;
    LargeWindow() {
        w = std::make_unique<frmMain>(state, fake.services, programDir.path());
        w->Form_Load(QString());
        w->setFontName(QStringLiteral("MotoyaLCedar"));
        w->setFontSize(12);
        w->text().setText(largeDocument());
        w->text().setSelection(1000, 0);
        PaintWatcher watcher;
        w->Text1()->viewport()->installEventFilter(&watcher);
        w->show();
        while (!watcher.painted)
            QApplication::processEvents();
        w->Text1()->viewport()->removeEventFilter(&watcher);
    }
};

// One step up or down per iteration (alternating, so the size stays near 12 points), timed
// from the click to the command's return; the repaint that follows runs untimed.
void BM_SizeStepOnLargeDocument(benchmark::State& state) {
    LargeWindow large;
    bool up = true;
    for (auto _ : state) {
        large.w->tbToolBar_ButtonClick(up ? QStringLiteral("拡大") : QStringLiteral("縮小"));
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
        large.w->Text1()->viewport()->installEventFilter(&watcher);
        large.w->tbToolBar_ButtonClick(up ? QStringLiteral("拡大") : QStringLiteral("縮小"));
        while (!watcher.painted)
            QApplication::processEvents();
        large.w->Text1()->viewport()->removeEventFilter(&watcher);
        up = !up;
    }
}
BENCHMARK(BM_SizeStepToRepaint)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN();
