#include "platform/TextCompare.h"

#include <benchmark/benchmark.h>

#include <QString>

namespace {

constexpr qsizetype kTextSize = 10'000'000; // code units

// Japanese prose with a little Latin, repeated to the wanted length.
const QString& bigText() {
    static const QString text = [] {
        const QString line =
            QStringLiteral("吾輩はねこである。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                           "Pallo で書いた原稿を、ひとまず保存しておく。\r\n");
        QString t;
        t.reserve(kTextSize);
        while (t.size() + line.size() <= kTextSize)
            t += line;
        return t;
    }();
    return text;
}

// The needle occurs once, near the end, and is searched for in another width and kana type.
void BM_InStrNeedleNearEnd(benchmark::State& state) {
    QString text = bigText();
    text.replace(text.size() - 200, 7, QStringLiteral("ｵﾜﾘﾉｼﾙｼ"));
    for (auto _ : state)
        benchmark::DoNotOptimize(textcmp::inStr(1, text, u"おわりのしるし"));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_InStrNeedleNearEnd)->Unit(benchmark::kMillisecond);

void BM_InStrSingleCharNearEnd(benchmark::State& state) {
    QString text = bigText();
    text[text.size() - 100] = u'Ｘ';
    for (auto _ : state)
        benchmark::DoNotOptimize(textcmp::inStr(1, text, u"x"));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_InStrSingleCharNearEnd)->Unit(benchmark::kMillisecond);

// For scale: Qt's own case-insensitive search, which folds case only.
void BM_QtIndexOfCaseInsensitiveNearEnd(benchmark::State& state) {
    QString text = bigText();
    text.replace(text.size() - 200, 7, QStringLiteral("ENDMARK"));
    for (auto _ : state)
        benchmark::DoNotOptimize(text.indexOf(u"endmark", 0, Qt::CaseInsensitive));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_QtIndexOfCaseInsensitiveNearEnd)->Unit(benchmark::kMillisecond);

// About 170,000 occurrences, replaced by a longer text in the other kana type.
void BM_ReplaceAllFrequent(benchmark::State& state) {
    const QString& text = bigText();
    int count = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(textcmp::replaceAll(text, u"ネコ", u"いぬ科の動物", &count));
    state.counters["replacements"] = count;
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ReplaceAllFrequent)->Unit(benchmark::kMillisecond);

// Every line break: over 300,000 occurrences of a two-character needle.
void BM_ReplaceAllLineBreaks(benchmark::State& state) {
    const QString& text = bigText();
    int count = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(textcmp::replaceAll(text, u"\r\n", u"\n", &count));
    state.counters["replacements"] = count;
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ReplaceAllLineBreaks)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllNoMatch(benchmark::State& state) {
    const QString& text = bigText();
    for (auto _ : state)
        benchmark::DoNotOptimize(textcmp::replaceAll(text, u"みつからない", u"x"));
    state.SetBytesProcessed(state.iterations() * text.size() * 2);
}
BENCHMARK(BM_ReplaceAllNoMatch)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
