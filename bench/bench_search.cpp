// Find, count, replace and jump on the 10 MB, 200,000-line document in the shown main window,
// the view attached and its wrapped layout complete. "abc" occurs once on every line.
#include "history/UndoHistory.h"
#include "platform/ui/QtServices.h"
#include "platform/ui/TextView.h"
#include "search/ui/FindDialog.h"
#include "search/ui/ReplaceDialog.h"
#include "search/ui/JumpDialog.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "PaintWatcher.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

struct SearchWindow : BenchWindow {
    PaintWatcher viewPaints;

    SearchWindow() : BenchWindow(true) {
        openDocument(largeFile().path);
        w->logic().refreshPositionPanel();
        QCoreApplication::processEvents();
        w->textView()->viewport()->installEventFilter(&viewPaints);
    }
    ~SearchWindow() { w->textView()->viewport()->removeEventFilter(&viewPaints); }
    template <typename Dialog> Dialog* open(const char* command) {
        w->runCommand(QString::fromLatin1(command));
        return w->findChild<Dialog*>();
    }
    static void click(QWidget* dialog, const char* button) {
        dialog->findChild<QPushButton*>(QLatin1String(button))->click();
    }
};

void BM_CountTwoHundredThousand(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        SearchWindow sw;
        sw.fake.clipboard.content = QStringLiteral("abc");
        FindDialog* f = sw.open<FindDialog>("mnuitti");
        f->findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
        st.ResumeTiming();
        SearchWindow::click(f, "Command1");
        st.PauseTiming();
        st.SetLabel(sw.fake.prompts.texts().value(0).toStdString());
        st.ResumeTiming();
    }
}
BENCHMARK(BM_CountTwoHundredThousand)->Unit(benchmark::kMillisecond)->Iterations(1);

ReplaceDialog* openReplace(SearchWindow& sw, bool fromTop,
                           const QString& replacement = QStringLiteral("xyz")) {
    sw.w->history().setMaxUndo(100);
    sw.fake.clipboard.content = QStringLiteral("abc");
    ReplaceDialog* f = sw.open<ReplaceDialog>("mnuReplace");
    f->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(replacement);
    f->findChild<QCheckBox*>(QStringLiteral("Check1"))->setChecked(fromTop);
    sw.w->text().setSelStart(0);
    return f;
}

void BM_ReplaceAllAtOnce(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        SearchWindow sw;
        ReplaceDialog* f = openReplace(sw, true);
        st.ResumeTiming();
        SearchWindow::click(f, "Command2");
        st.PauseTiming();
        st.counters["abc_left"] = sw.w->text().text().count(QStringLiteral("abc"));
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAllAtOnce)->Unit(benchmark::kMillisecond)->Iterations(1);

// One checkpoint per step, history limit 100, the window repainting while it runs.
void BM_ReplaceAllStepByStep(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        SearchWindow sw;
        ReplaceDialog* f = openReplace(sw, false);
        st.ResumeTiming();
        SearchWindow::click(f, "Command2");
        st.PauseTiming();
        st.SetLabel(sw.fake.prompts.texts().value(0).toStdString());
        st.counters["view_paints"] = sw.viewPaints.paints;
        st.counters["undo_slots"] = sw.w->history().undoCount();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAllStepByStep)->Unit(benchmark::kMillisecond)->Iterations(1);

// A longer replacement moves everything behind each occurrence unless the text is edited in
// place.
void BM_ReplaceAllStepByStepLonger(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        SearchWindow sw;
        ReplaceDialog* f = openReplace(sw, false, QStringLiteral("ＸＹＺ漢字"));
        st.ResumeTiming();
        SearchWindow::click(f, "Command2");
        st.PauseTiming();
        st.SetLabel(sw.fake.prompts.texts().value(0).toStdString());
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAllStepByStepLonger)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_JumpDialogOpensAndJumpsToTheLastLine(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        SearchWindow sw;
        QElapsedTimer clock;
        st.ResumeTiming();
        clock.start();
        JumpDialog* f = sw.open<JumpDialog>("mnufly");
        QCoreApplication::processEvents();
        const qint64 opened = clock.nsecsElapsed();
        f->findChild<QComboBox*>(QStringLiteral("Combo1"))->setEditText(QStringLiteral("199999"));
        clock.restart();
        SearchWindow::click(f, "Command1");
        QCoreApplication::processEvents();
        const qint64 jumped = clock.nsecsElapsed();
        st.PauseTiming();
        st.counters["open_ms"] = opened / 1e6;
        st.counters["jump_ms"] = jumped / 1e6;
        st.counters["caret_line"] = sw.w->text().lineFromChar(-1);
        st.ResumeTiming();
    }
}
BENCHMARK(BM_JumpDialogOpensAndJumpsToTheLastLine)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
