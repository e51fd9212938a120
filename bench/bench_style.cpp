// The style conversion run over a 1 MB plain-style document of about 20,000 sentences: on the
// document model alone, and in the shown main window with the dialog and the view attached.
#include "platform/Cp932Codec.h"
#include "platform/ui/QtServices.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "style/ui/StyleConversionDialog.h"
#include "style/StyleRunSupport.h"

#include "BenchSupport.h"
#include "BenchWindow.h"
#include "PaintWatcher.h"

#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

// Plain-style prose with no ending already in the polite style: every full stop and most
// commas meet a rule, so the run replaces text at nearly every mark.
QString plainProse(qsizetype bytes, int* sentences = nullptr) {
    const QString pieces[] = {
        QStringLiteral("昨日は朝から一日中ずっと冷たい雨が降る寒い日だった。"),
        QStringLiteral("大きな傘を持って家から駅までの長い道をゆっくり歩いた。"),
        QStringLiteral("朝の電車はいつもとても混んでいるが、今日は座ることができた。"),
        QStringLiteral("鞄の中から読みかけの古い文庫本を出して静かに読む。"),
        QStringLiteral("昔の短い話だったが、思っていたよりもとても楽しかった。"),
        QStringLiteral("窓の外に見える山の上はもうすっかり冬の景色だ。"),
        QStringLiteral("外は雨だが、大事な仕事があるので今日は休めない。"),
        QStringLiteral("これからの一週間の予定を新しい手帳に細かく書いた。"),
    };
    QString text;
    qsizetype size = 0;
    int count = 0;
    for (int i = 0; size < bytes; ++i) {
        QString piece = pieces[i % 8];
        if (i % 5 == 4) piece += QStringLiteral("\r\n");
        size += cp932::encode(piece).size();
        text += piece;
        ++count;
    }
    if (sentences) *sentences = count;
    return text;
}

const QString& megabyteOfProse() {
    static const QString text = plainProse(1'000'000);
    return text;
}

void BM_ConvertOneMegabyteOnTheModel(benchmark::State& st) {
    qint64 converted = 0;
    for (auto _ : st) {
        st.PauseTiming();
        auto r = std::make_unique<style::StyleRun>(megabyteOfProse());
        st.ResumeTiming();
        r->run();
        converted = r->converter.report().count(QStringLiteral("\r\n")) - 1;
    }
    st.counters["conversions"] = double(converted);
    st.counters["chars"] = double(megabyteOfProse().size());
}
BENCHMARK(BM_ConvertOneMegabyteOnTheModel)->Unit(benchmark::kMillisecond)->Iterations(3);

// The run in the shown main window: the view follows every replacement, the report box gets
// every line, and events are let through at every mark as the program does.
struct StyleWindow : BenchWindow {
    StyleConversionDialog* dialog = nullptr;
    PaintWatcher viewPaints;

    StyleWindow() : BenchWindow(true) {
        w->load(writeFile(QStringLiteral("prose.txt"), megabyteOfProse()));
        if (qEnvironmentVariableIsSet("STYLE_BENCH_FONT"))
            w->setFontName(qEnvironmentVariable("STYLE_BENCH_FONT"));
        w->show();
        waitForLayout();
        w->runCommand(QStringLiteral("mnuDesumasu"));
        dialog = w->findChild<StyleConversionDialog*>();
        QCoreApplication::processEvents();
        w->textView()->viewport()->installEventFilter(&viewPaints);
    }
    ~StyleWindow() { w->textView()->viewport()->removeEventFilter(&viewPaints); }
};

void BM_ConvertOneMegabyteInTheWindow(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        StyleWindow sw;
        st.ResumeTiming();
        sw.dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        st.PauseTiming();
        st.counters["conversions"] = sw.dialog->logic().ConvertedCount();
        st.counters["view_paints"] = sw.viewPaints.paints;
        st.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertOneMegabyteInTheWindow)->Unit(benchmark::kMillisecond)->Iterations(1);

// キャンセル pressed half a second into a run: how long until the run has returned.
void BM_StopAnswersDuringARun(benchmark::State& st) {
    for (auto _ : st) {
        st.PauseTiming();
        StyleWindow sw;
        QElapsedTimer clock;
        qint64 pressedAt = -1;
        QTimer::singleShot(500, sw.dialog, [&] {
            pressedAt = clock.nsecsElapsed();
            sw.dialog->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
        });
        st.ResumeTiming();
        clock.start();
        sw.dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
        const qint64 returnedAt = clock.nsecsElapsed();
        st.PauseTiming();
        st.counters["pressed_at_ms"] = pressedAt / 1e6;
        st.counters["stop_latency_ms"] = (returnedAt - pressedAt) / 1e6;
        st.counters["converted_before_stop"] = sw.dialog->logic().ConvertedCount();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_StopAnswersDuringARun)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
