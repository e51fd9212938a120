// Start-up with a large document on the command line, and typing in it.
#include "platform/Cp932Codec.h"
#include "platform/TextView.h"
#include "shell/frmMain.h"
#include "support/FakeServices.h"

#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// About 10 MB of CP932 in 200,000 CR LF lines of Japanese prose.
QString largeDocument() {
    const QString sentence =
        QStringLiteral("吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。");
    QString text;
    text.reserve(5'200'000);
    for (int i = 0; i < 200'000; ++i) {
        text += QStringView(sentence).left(20 + i % 12);
        text += QStringLiteral("abc%1").arg(i % 1000);
        if (i + 1 < 200'000) text += QStringLiteral("\r\n");
    }
    return text;
}

struct LargeFile {
    QTemporaryDir dir;
    QString path = dir.path() + QStringLiteral("/large.txt");
    LargeFile() {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(largeDocument()));
    }
};

LargeFile& largeFile() {
    static LargeFile file;
    return file;
}

void BM_StartupToFirstPaint(benchmark::State& st) {
    const QString path = largeFile().path;
    st.counters["bytes"] = QFileInfo(path).size();
    for (auto _ : st) {
        QTemporaryDir programDir;
        FakeServiceSet fake;
        AppState state;
        QElapsedTimer t;
        t.start();
        frmMain w(state, fake.services, programDir.path());
        w.Form_Load(path);
        PaintWatcher spy;
        w.Text1()->viewport()->installEventFilter(&spy);
        w.show();
        while (!spy.painted)
            QCoreApplication::processEvents();
        st.SetIterationTime(t.nsecsElapsed() / 1e9);
        st.PauseTiming();
        w.Text1()->viewport()->removeEventFilter(&spy);
        state.Dirty = false;
        w.close();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_TypeOneCharacter(benchmark::State& st) {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    frmMain w(state, fake.services, programDir.path());
    w.Form_Load(largeFile().path);
    QElapsedTimer layout;
    layout.start();
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);
    while (!w.layoutComplete())
        QCoreApplication::processEvents();
    st.counters["layout_ms"] = layout.elapsed();
    w.Text1()->setFocus();
    w.text().setSelStart(w.text().length() / 2);
    for (auto _ : st) {
        // Key press (the change event), key release (gyou and the panels); the Backspace
        // keeps the line as it was, so every iteration types into the same line.
        QTest::keyClick(w.Text1(), Qt::Key_A);
        QTest::keyClick(w.Text1(), Qt::Key_Backspace);
    }
    st.counters["per_key_ms"] = benchmark::Counter(
        2 * st.iterations(), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    st.counters["lines"] = state.LineTotal;
    state.Dirty = false;
    w.close();
}
BENCHMARK(BM_TypeOneCharacter)->Unit(benchmark::kMillisecond)->Iterations(500);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
