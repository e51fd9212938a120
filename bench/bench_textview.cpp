// Speed of the document model and its view on a large document: 200,000 lines of Japanese,
// about 10 MB as a Shift_JIS file.
#include "platform/ui/TextView.h"

#include "BenchSupport.h"
#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>

namespace {

constexpr int Lines = 200000;

// Mostly short lines, every tenth a paragraph long enough to wrap several times.
const QString& largeText() {
    static const QString text = [] {
        const QString kana = QStringLiteral(
            "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめ"
            "した所でニャーニャー泣いていた事だけは記憶している。吾輩はここで始めて人間というものを"
            "見た。しかもあとで聞くとそれは書生という人間中で一番獰悪な種族であったそうだ。");
        QString s;
        s.reserve(Lines * 28);
        for (int i = 0; i < Lines; ++i) {
            const int len = i % 10 == 0 ? 150 : 3 + (i * 7) % 17;
            s += QStringView(kana).mid((i * 13) % 40, std::min<int>(len, kana.size() - 40));
            if (len > kana.size() - 40) s += QStringView(kana).left(len - (kana.size() - 40));
            s += u"\r\n";
        }
        return s;
    }();
    return text;
}

QFont benchFont() {
    QFont f(QStringLiteral("MotoyaLCedar"));
    f.setPixelSize(16);
    return f;
}

struct Editor {
    TextBox box;
    std::unique_ptr<TextView> view;
    Editor() {
        view = std::make_unique<TextView>(box);
        view->setFont(benchFont());
        view->resize(800, 600);
    }
    void showAndPaint() {
        PaintWatcher watcher;
        view->viewport()->installEventFilter(&watcher);
        view->show();
        while (!watcher.painted)
            QApplication::processEvents();
        view->viewport()->removeEventFilter(&watcher);
    }
};

// A key press and release as the keyboard delivers them to the focused view.
void typeKey(QWidget* w, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(w, &release);
}

// Types "a", or erases it again, so that every key of a run meets the same line.
void typeOrErase(QWidget* w, bool back) {
    if (back)
        typeKey(w, Qt::Key_Backspace, QStringLiteral("\b"));
    else
        typeKey(w, Qt::Key_A, QStringLiteral("a"));
}

double seconds(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) * 1e-9;
}

// (a) A freshly loaded document: setText, show, first paint.
void BM_SetTextToFirstPaint(benchmark::State& state) {
    const QString& text = largeText();
    for (auto _ : state) {
        Editor editor;
        QElapsedTimer t;
        t.start();
        editor.box.setText(text);
        fprintf(stderr, "setText total %lld ms\n", t.elapsed());
        editor.showAndPaint();
        fprintf(stderr, "paint total %lld ms\n", t.elapsed());
        state.SetIterationTime(seconds(t));
    }
    state.counters["MB_utf16"] = double(text.size()) * 2 / 1e6;
}
BENCHMARK(BM_SetTextToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Assigning the text of a shown document: arg 0 restores a text that differs in one place (an
// undo checkpoint), arg 1 loads a different file of the same size.
void BM_SetTextWhileShown(benchmark::State& state) {
    Editor editor;
    editor.box.setText(largeText());
    editor.showAndPaint();
    const QString& text = largeText();
    const QString other =
        state.range(0) == 0
            ? QString(text).insert(text.size() / 2, QStringLiteral("追加"))
            : QStringLiteral("別") + text.mid(1, text.size() - 2) + QStringLiteral("末");
    bool flip = false;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        editor.box.setText(flip ? text : other);
        QApplication::processEvents();
        state.SetIterationTime(seconds(t));
        flip = !flip;
    }
}
BENCHMARK(BM_SetTextWhileShown)
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(4);

// (b) The wrapped layout of every block at the widget's width.
void BM_FullWrappedLayout(benchmark::State& state) {
    for (auto _ : state) {
        Editor editor;
        editor.box.setText(largeText());
        editor.showAndPaint();
        QElapsedTimer t;
        t.start();
        const int lines = editor.box.lineCount();
        state.SetIterationTime(seconds(t));
        state.counters["wrapped_lines"] = lines;
        state.counters["lines"] = editor.box.hardLineCount();
    }
}
BENCHMARK(BM_FullWrappedLayout)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);

// (c) One typed character after the layout is complete, with what the status bar asks next.
void BM_TypeOneCharacter(benchmark::State& state) {
    Editor editor;
    editor.box.setText(largeText());
    editor.showAndPaint();
    editor.box.lineCount();
    editor.box.setSelStart(editor.box.hardLineStart(Lines / 2) + 5);
    QApplication::processEvents();
    editor.view->setFocus();
    int sink = 0;
    bool back = false;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        typeOrErase(editor.view.get(), back);
        sink += editor.box.lineCount() + editor.box.lineFromChar() + editor.box.length();
        state.SetIterationTime(seconds(t));
        back = !back;
    }
    benchmark::DoNotOptimize(sink);
    state.counters["layout_complete"] = editor.view->layoutComplete();
}
BENCHMARK(BM_TypeOneCharacter)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A key typed at the end of one long line of prose (second argument 0) or in its middle (1),
// the screen repainted after it. At the end the cost must not grow with the line; in the middle
// every wrap behind the key moves.
void BM_TypeAtEndOfLongLine(benchmark::State& state) {
    const QString prose = QStringLiteral(
        "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。何でも薄暗いじめじめ"
        "した所でニャーニャー泣いていた事だけは記憶している。abc def ghi, ");
    QString line;
    line.reserve(state.range(0));
    while (line.size() < state.range(0))
        line += prose;
    line.truncate(state.range(0));
    Editor editor;
    editor.box.setText(line);
    editor.showAndPaint();
    editor.box.setSelStart(state.range(1) ? editor.box.length() / 2 : editor.box.length());
    while (!editor.view->layoutComplete())
        QApplication::processEvents();
    editor.view->setFocus();
    PaintWatcher watcher;
    editor.view->viewport()->installEventFilter(&watcher);
    bool back = false;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        typeOrErase(editor.view.get(), back);
        benchmark::DoNotOptimize(editor.box.lineCount() + editor.box.lineFromChar());
        watcher.painted = false;
        editor.view->viewport()->repaint();
        state.SetIterationTime(seconds(t));
        back = !back;
    }
    state.counters["paints"] = watcher.paints;
}
BENCHMARK(BM_TypeAtEndOfLongLine)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Args({20'000, 0})
    ->Args({100'000, 0})
    ->Args({1'500'000, 0})
    ->Args({100'000, 1})
    ->Args({1'500'000, 1})
    ->Iterations(20);

// A command's edit in the middle of the shown document (model -> view delta).
void BM_SelTextWithView(benchmark::State& state) {
    Editor editor;
    editor.box.setText(largeText());
    editor.showAndPaint();
    editor.box.lineCount();
    const int mid = editor.box.length() / 2;
    int sink = 0;
    for (auto _ : state) {
        QElapsedTimer t;
        t.start();
        editor.box.setSelStart(mid);
        editor.box.setSelLength(1);
        editor.box.setSelText(QStringLiteral("字"));
        sink += editor.box.lineCount() + editor.box.lineFromChar();
        state.SetIterationTime(seconds(t));
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_SelTextWithView)->UseManualTime()->Unit(benchmark::kMicrosecond);

// (d) The model alone: one character replaced in the middle, then the line questions.
void BM_ModelReplaceMiddle(benchmark::State& state) {
    TextBox box;
    box.setText(largeText());
    const int mid = box.length() / 2;
    const QString pieces[] = {QStringLiteral("x"), QStringLiteral("\r\n")};
    int i = 0;
    int sink = 0;
    for (auto _ : state) {
        // Alternately insert a character and a line break, and take them out again.
        const QString& p = pieces[(i / 2) % 2];
        if (i % 2 == 0)
            box.replace(mid, 0, p);
        else
            box.replace(mid, int(p.size()), QString());
        sink += box.lineCount() + box.lineFromChar(mid);
        ++i;
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_ModelReplaceMiddle)->Unit(benchmark::kMicrosecond);

void BM_ModelSetText(benchmark::State& state) {
    const QString other = largeText() + QStringLiteral("末尾");
    for (auto _ : state) {
        TextBox box;
        box.setText(largeText());
        box.setText(other); // differs at the end only
        benchmark::DoNotOptimize(box.hardLineCount());
    }
}
BENCHMARK(BM_ModelSetText)->Unit(benchmark::kMillisecond);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
