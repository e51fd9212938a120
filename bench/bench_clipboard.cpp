// The second-clipboard panel with a 10 MB second clipboard, the Undo viewer over 100
// checkpoints of a 10 MB document, and the memory of a long clipboard history.
#include "history/ClipboardCommands.h"
#include "history/ui/HistoryViewerDialog.h"
#include "history/UndoHistory.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"
#include "support/FakeWindow.h"

#include "BenchSupport.h"
#include "BenchWindow.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <malloc.h>

namespace {

double heapMegabytes() {
    return double(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

struct Window : BenchWindow {
    explicit Window(const QString& path = {}) { openDocument(path); }
};

// A key release with a 10 MB second clipboard: the panel refresh it runs.
void BM_KeyReleaseWith10MBSecondClipboard(benchmark::State& st) {
    Window win;
    win.state.SecondClipboard = largeDocument();
    for (auto _ : st)
        win.w->logic().onTextKeyUp(65, 0);
}
BENCHMARK(BM_KeyReleaseWith10MBSecondClipboard)->Unit(benchmark::kMillisecond)->Iterations(50);

// Cut2 of the whole 10 MB document; the panel's part of it is counted apart.
void BM_Cut2Of10MB(benchmark::State& st) {
    Window win(largeFile().path);
    win.w->history().setMaxUndo(10);
    double panel = 0;
    for (auto _ : st) {
        st.PauseTiming();
        win.w->text().setText(largeDocument() + QString::number(st.iterations()));
        win.w->text().setSelection(0, win.w->text().length());
        st.ResumeTiming();
        win.w->runCommand(QStringLiteral("mnuEditCut2"));
        st.PauseTiming();
        QElapsedTimer t;
        t.start();
        win.w->logic().refreshSecondClipboardPanel();
        panel += t.nsecsElapsed() / 1e6;
        st.ResumeTiming();
    }
    st.counters["panel_ms"] = panel / double(st.iterations());
}
BENCHMARK(BM_Cut2Of10MB)->Unit(benchmark::kMillisecond)->Iterations(3);

// The Undo viewer over 100 checkpoints of the 10 MB, 200,000-line document: opening it,
// showing another entry (with its line count), restoring one.
void BM_UndoViewerOn10MB(benchmark::State& st) {
    Window win(largeFile().path);
    win.w->history().setMaxUndo(100);
    for (int i = 0; i < 100; ++i) {
        win.w->text().setSelStart(win.w->text().length() / 2 + i * 50);
        win.w->text().setSelText(QStringLiteral("追記"));
        win.w->history().record(win.w->text());
    }
    double show = 0, restore = 0;
    for (auto _ : st) {
        QElapsedTimer t;
        t.start();
        auto form =
            std::make_unique<HistoryViewerDialog>(win.w->context(), HistoryViewer::Mode::Undo, win.w.get());
        form->show();
        QCoreApplication::processEvents();
        st.SetIterationTime(t.nsecsElapsed() / 1e9);
        auto* list = form->findChild<QListWidget*>(QStringLiteral("List1"));
        t.start();
        for (int row = 1; row <= 10; ++row) {
            list->setCurrentRow(row * 9);
            QCoreApplication::processEvents();
        }
        show += t.nsecsElapsed() / 1e7;
        win.fake.prompts.answers.enqueue(MsgAnswer::Yes);
        t.start();
        form->logic().onEntryDoubleClicked(list->currentRow());
        QCoreApplication::processEvents();
        restore += t.nsecsElapsed() / 1e6;
    }
    st.counters["show_entry_ms"] = show / double(st.iterations());
    st.counters["restore_ms"] = restore / double(st.iterations());
    st.counters["lines"] = win.state.LineTotal;
}
BENCHMARK(BM_UndoViewerOn10MB)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// 10,000 copies of 1 MB texts, ten distinct ones: the history's heap.
void BM_ClipHistoryOf10000Copies(benchmark::State& st) {
    for (auto _ : st) {
        FakeEditor e;
        e.state.ClipHistoryCount = 2;
        QString texts[10];
        for (int i = 0; i < 10; ++i)
            texts[i] = QString(500'000, QChar(u'あ' + i));
        const double before = heapMegabytes();
        for (int i = 0; i < 10000; ++i) {
            e.text.setText(texts[i % 10]);
            e.text.setSelection(0, e.text.length());
            copySelection(e.ctx);
        }
        e.text.setText(QString());
        st.counters["history_MB"] = heapMegabytes() - before;
        st.counters["entries"] = e.state.ClipHistoryCount - 1;
    }
}
BENCHMARK(BM_ClipHistoryOf10000Copies)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
