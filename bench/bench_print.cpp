// Printing the large document to PDF, and opening the character count window on it.
#include "documents/ui/CharCountDialog.h"
#include "documents/PrintDocument.h"
#include "platform/ui/QtPrintJob.h"
#include "support/FakeWindow.h"

#include "BenchSupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <algorithm>

namespace {

class CountingProgress : public PrintProgressPort {
public:
    int bars = 0;
    void showProgress() override {}
    void setBar(const QString&) override { ++bars; }
    void closeProgress() override {}
    bool cancelRequested() const override { return false; }
};

// The longest stretch without a chance to press キャンセル is reported as max_gap_ms.
void BM_PrintLargeDocumentToPdf(benchmark::State& st) {
    FakeEditor e;
    e.window.font = QStringLiteral("MotoyaLCedar");
    e.window.size = 10.5;
    e.text.setText(largeDocument());
    const QString out = e.dir.path() + QStringLiteral("/large.pdf");
    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        QtPrintJob job(printer);
        CountingProgress progress;
        QElapsedTimer gap;
        qint64 maxGap = 0;
        gap.start();
        e.fake.pump.onEvents = [&] { maxGap = std::max(maxGap, gap.restart()); };
        if (printToJob(e.ctx, job, progress) != PrintOutcome::Printed)
            st.SkipWithError("printing failed");
        st.counters["max_gap_ms"] = double(maxGap);
        st.counters["bar_steps"] = progress.bars;
    }
    st.counters["pdf_bytes"] = double(QFileInfo(out).size());
    st.counters["chars"] = e.text.length();
}
BENCHMARK(BM_PrintLargeDocumentToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_OpenCharCountOnLargeDocument(benchmark::State& st) {
    FakeEditor e;
    e.document.setPath(largeFile().path);
    e.text.setText(largeDocument());
    for (auto _ : st) {
        CharCountDialog w(e.ctx);
        benchmark::DoNotOptimize(&w);
    }
}
BENCHMARK(BM_OpenCharCountOnLargeDocument)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN();
