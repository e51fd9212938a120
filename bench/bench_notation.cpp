// The notation counts on a novel with about 20,000 ruby spans per megabyte (UTF-8): a count
// from scratch, as the count window's first figures, and the live count's cost per key.
#include "notation/NotationCount.h"
#include "platform/TextBox.h"

#include "BenchSupport.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

namespace {

// About `megabytes` MB of UTF-8 in paragraphs of prose with カクヨム ruby and emphasis.
QString novel(int megabytes) {
    const QString pieces[] = {
        QStringLiteral("　彼女《かのじょ》は|古い手紙《ラブレター》を読み返した。"),
        QStringLiteral("窓《まど》の外《そと》では雨《あめ》が降りつづいている。"),
        QStringLiteral("《《そのとき》》、扉を叩く音がした。"),
        QStringLiteral("「誰《だれ》？」と訊いたが、返事はない。"),
    };
    QString text;
    const qsizetype units = qsizetype(megabytes) * 340'000;
    text.reserve(units + 1000);
    for (int i = 0; text.size() < units; ++i) {
        text += pieces[i % 4];
        if (i % 4 == 3) text += QStringLiteral("\r\n");
    }
    return text;
}

void countFromScratch(benchmark::State& st) {
    const QString text = novel(int(st.range(0)));
    notation::Totals t;
    for (auto _ : st) {
        t = notation::countText(notation::Target::Kakuyomu, {}, text);
        benchmark::DoNotOptimize(t);
    }
    st.counters["MB"] = double(text.toUtf8().size()) / 1e6;
    st.counters["ruby"] = double(t.ruby);
    st.counters["lines"] = double(t.manuscriptLines);
}
BENCHMARK(countFromScratch)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

// One key typed into the middle of a 10 MB text, then a line break (which inserts a line),
// then both taken back: the live count's share of each edit.
void liveCountPerKey(benchmark::State& st) {
    TextBox box;
    box.setText(novel(10));
    notation::LiveCount live;
    live.reset(notation::Target::Kakuyomu, {}, box.text());
    int lastPos = 0, lastRemoved = 0, lastInserted = 0;
    QObject::connect(&box, &TextBox::textReplaced, [&](int pos, int removed, const QString& ins) {
        lastPos = pos;
        lastRemoved = removed;
        lastInserted = int(ins.size());
    });
    const int at = box.length() / 2;
    const QString keys[] = {QStringLiteral("あ"), QStringLiteral("\r\n")};
    int k = 0;
    for (auto _ : st) {
        st.PauseTiming();
        const bool undo = k % 4 >= 2;
        const QString& key = keys[k % 2];
        if (undo)
            box.replace(at, int(key.size()), QString());
        else
            box.replace(at, 0, key);
        ++k;
        st.ResumeTiming();
        live.update(box, lastPos, lastRemoved, lastInserted);
    }
    st.counters["chars"] = double(live.totals().withBlanks);
}
BENCHMARK(liveCountPerKey)->Unit(benchmark::kMicrosecond);

} // namespace

PALLO_CORE_BENCHMARK_MAIN()
