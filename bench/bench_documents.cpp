// Opening a large document through the open dialog's loading step, and saving it.
#include "documents/DocumentSession.h"
#include "documents/DocumentFile.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include "BenchSupport.h"
#include "PaintWatcher.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

// A shown main window with an empty document.
struct ShownWindow {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    AppState state;
    MainWindow w{state, fake.services, programDir.path()};
    ShownWindow() {
        w.load(QString());
        w.show();
        (void)QTest::qWaitForWindowExposed(&w);
        QCoreApplication::processEvents();
    }
    ~ShownWindow() {
        w.document().setDirty(false);
        w.close();
    }
};

void BM_OpenLargeFileToFirstPaint(benchmark::State& st) {
    const QString path = largeFile().path;
    st.counters["bytes"] = QFileInfo(path).size();
    ShownWindow shown;
    for (auto _ : st) {
        PaintWatcher spy;
        shown.w.textView()->viewport()->installEventFilter(&spy);
        QElapsedTimer t;
        t.start();
                loadAcceptedFile(shown.w.context(), path, false);
        while (!spy.painted)
            QCoreApplication::processEvents();
        st.SetIterationTime(t.nsecsElapsed() / 1e9);

        st.PauseTiming();
        shown.w.textView()->viewport()->removeEventFilter(&spy);
        st.counters["chars"] = shown.w.text().length();
        shown.w.text().setText(QString());
        QCoreApplication::processEvents();
        st.ResumeTiming();
    }
}
BENCHMARK(BM_OpenLargeFileToFirstPaint)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void BM_SaveLargeFile(benchmark::State& st) {
    ShownWindow shown;
        loadAcceptedFile(shown.w.context(), largeFile().path, false);
    const QString out = shown.programDir.path() + QStringLiteral("/saved.txt");
    for (auto _ : st) {
        if (!writeDocumentFile(shown.w.context(), out, shown.w.text().text())) st.SkipWithError("write failed");
    }
    st.counters["bytes"] = QFileInfo(out).size();
}
BENCHMARK(BM_SaveLargeFile)->Unit(benchmark::kMillisecond)->Iterations(5);

// Detection and decoding of the 10 MB document's bytes, as a file in each format holds them:
// 0 Shift_JIS CR LF, 1 UTF-8 CR LF, 2 UTF-8 LF, 3 Shift_JIS LF, 4 UTF-16LE with its mark.
void BM_DetectAndDecodeLargeFile(benchmark::State& st) {
    static const char* const names[] = {"Shift_JIS CRLF", "UTF-8 CRLF", "UTF-8 LF", "Shift_JIS LF",
                                        "UTF-16LE CRLF"};
    DocumentFormat format;
    switch (st.range(0)) {
    case 1:
        format = {TextEncoding::Utf8};
        break;
    case 2:
        format = {TextEncoding::Utf8, false, LineEnds::Lf};
        break;
    case 3:
        format = {TextEncoding::ShiftJis, false, LineEnds::Lf};
        break;
    case 4:
        format = {TextEncoding::Utf16LE, true};
        break;
    default:
        break;
    }
    const QByteArray bytes = encodeDocument(largeDocument(), format);
    DocumentFormat found;
    for (auto _ : st)
        benchmark::DoNotOptimize(decodeDocument(bytes, &found));
    if (!(found == format)) st.SkipWithError("format not recognised");
    st.SetLabel(names[st.range(0)]);
    st.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_DetectAndDecodeLargeFile)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN()
