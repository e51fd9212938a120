// The document model alone on a document of the largest size writers keep: 1,300,000 lines of
// Japanese, about 63 MB as a Shift_JIS file. An edit should cost what it changes wherever it
// lands, and a run that edits and searches in turn should cost what it walks.
#include "platform/TextBox.h"
#include "search/FindCount.h"

#include <benchmark/benchmark.h>

namespace {

const QString& hugeText() {
    static const QString text = [] {
        const QString sentence = QStringLiteral(
            "吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。abc");
        QString s;
        s.reserve(1'300'000 * 26);
        for (int i = 0; i < 1'300'000; ++i) {
            s += QStringView(sentence).right(8 + i % 27);
            s += u"\r\n";
        }
        return s;
    }();
    return text;
}

// Where the key lands: 0 at the top, 1 in the middle, 2 at the end.
void BM_TypeAndUndoCharacter(benchmark::State& state) {
    TextBox box;
    box.setText(hugeText());
    const int at = int(state.range(0)) * (box.length() / 2);
    box.setSelStart(at);
    int sink = 0;
    for (auto _ : state) {
        box.replace(at, 0, QStringLiteral("あ"));
        box.replace(at, 1, QString());
        sink += box.hardLineFromChar(at) + box.hardLineCount();
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_TypeAndUndoCharacter)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

// The first edit after the whole text was asked for opens the hole again.
void BM_EditAfterWholeText(benchmark::State& state) {
    TextBox box;
    box.setText(hugeText());
    qsizetype sink = 0;
    for (auto _ : state) {
        sink += box.text().size();
        box.replace(box.length() / 2, 0, QStringLiteral("あ"));
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_EditAfterWholeText)->Unit(benchmark::kMillisecond);

// The loop of a step-by-step replace run on the first 200,000 lines: find, select, replace by
// a longer text, find again from behind it.
void BM_ReplaceRunLonger(benchmark::State& state) {
    qsizetype end = 0;
    for (int lines = 0; lines < 200'000; ++lines)
        end = hugeText().indexOf(u'\n', end) + 1;
    const QString start = hugeText().left(end);
    for (auto _ : state) {
        state.PauseTiming();
        TextBox box;
        box.setText(start);
        state.ResumeTiming();
        int replaced = 0;
        for (int found = search::searchText(box, 1, u"abc", true); found > 0;
             found = search::searchText(box, box.selStart() + 1, u"abc", true)) {
            box.setSelection(found - 1, 3);
            box.setSelText(QStringLiteral("ＸＹＺ漢字"));
            ++replaced;
        }
        state.counters["replaced"] = replaced;
    }
}
BENCHMARK(BM_ReplaceRunLonger)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same run on one QString, as the box held its text before: for comparison.
void BM_ReplaceRunLongerInOneString(benchmark::State& state) {
    qsizetype end = 0;
    for (int lines = 0; lines < 200'000; ++lines)
        end = hugeText().indexOf(u'\n', end) + 1;
    for (auto _ : state) {
        QString text = hugeText().left(end);
        int replaced = 0;
        for (qsizetype at = text.indexOf(u"abc"); at >= 0; at = text.indexOf(u"abc", at + 1)) {
            text.replace(at, 3, QStringLiteral("ＸＹＺ漢字"));
            ++replaced;
        }
        state.counters["replaced"] = replaced;
    }
}
BENCHMARK(BM_ReplaceRunLongerInOneString)->Unit(benchmark::kMillisecond)->Iterations(1);

// A whole-text command and its undo, as the model sees them: two texts assigned in turn.
void BM_WholeTextCommandAndUndo(benchmark::State& state) {
    TextBox box;
    box.setText(hugeText());
    QString converted = hugeText();
    converted.replace(u'猫', u'犬');
    for (auto _ : state) {
        box.setText(converted);
        box.setText(hugeText());
    }
    benchmark::DoNotOptimize(box.hardLineCount());
}
BENCHMARK(BM_WholeTextCommandAndUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LineLookups(benchmark::State& state) {
    TextBox box;
    box.setText(hugeText());
    box.replace(box.length() / 3, 0, QStringLiteral("\r\n"));
    int sink = 0;
    int pos = 0;
    for (auto _ : state) {
        pos = (pos + 7919 * 13) % box.length();
        const int line = box.hardLineFromChar(pos);
        sink += box.hardLineStart(line) + box.hardLineEnd(line);
    }
    benchmark::DoNotOptimize(sink);
}
BENCHMARK(BM_LineLookups);

} // namespace

BENCHMARK_MAIN();
