// The vertical preview and printout on a 1 MB novel: opening at the last page, a key typed
// with the preview open, paging, and a 400-page PDF.
#include "documents/PrintDocument.h"
#include "notation/NotationSession.h"
#include "platform/ui/QtPrintJob.h"
#include "support/FakeWindow.h"
#include "vertical/VerticalPrint.h"
#include "vertical/ui/VerticalPreview.h"

#include "BenchSupport.h"

#include <QPrinter>

namespace {

// About 1 MB of UTF-16: 500,000 characters of prose in paragraphs of a few columns each.
QString novel(int chars) {
    const QString sentence = QStringLiteral(
        "「吾輩は猫である」と彼は言った。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
        "何でも薄暗いじめじめした所で第12話のニャーニャー泣いていた事だけは記憶している。");
    QString text;
    text.reserve(chars + 1000);
    while (text.size() < chars) {
        text += QStringLiteral("　") + sentence + sentence.left(text.size() % 37);
        text += QStringLiteral("\r\n");
    }
    return text;
}

struct Preview {
    FakeEditor e;
    notation::NotationSession notation{e.text};
    std::unique_ptr<VerticalPreview> window;
    explicit Preview(int chars) { e.text.setText(novel(chars)); }
    void open() {
        window = std::make_unique<VerticalPreview>(e.text, notation, e.dir.path() + "/Pallo.ini",
                                                   [] { return QStringLiteral("MotoyaLCedar"); });
        window->show();
        window->grab();
    }
};

void BM_OpenPreviewAtLastPage(benchmark::State& st) {
    Preview p(500'000);
    p.e.text.setSelStart(p.e.text.length());
    for (auto _ : st) p.open();
    st.counters["pages"] = p.window->layout().pageCount();
}
BENCHMARK(BM_OpenPreviewAtLastPage)->Unit(benchmark::kMillisecond)->Iterations(3);

// A key typed in the middle of the novel and the preview's repaint of its page.
void BM_KeyWithPreviewOpen(benchmark::State& st) {
    Preview p(500'000);
    p.e.text.setSelStart(p.e.text.length() / 2);
    if (st.range(0)) p.open();
    for (auto _ : st) {
        p.e.text.setSelText(QStringLiteral("あ"));
        if (p.window) p.window->grab();
    }
}
BENCHMARK(BM_KeyWithPreviewOpen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Paging(benchmark::State& st) {
    Preview p(500'000);
    p.e.text.setSelStart(p.e.text.length() / 2);
    p.open();
    bool forward = true;
    for (auto _ : st) {
        if (forward)
            p.window->nextPage();
        else
            p.window->previousPage();
        forward = !forward;
        p.window->grab();
    }
}
BENCHMARK(BM_Paging)->Unit(benchmark::kMillisecond);

class NoProgress : public PrintProgressPort {
public:
    void showProgress() override {}
    void setBar(const QString&) override {}
    void closeProgress() override {}
    bool cancelRequested() const override { return false; }
};

void BM_VerticalPdf400Pages(benchmark::State& st) {
    FakeEditor e;
    e.window.font = QStringLiteral("MotoyaLCedar");
    e.text.setText(novel(160'000));
    const QString out = e.dir.path() + QStringLiteral("/tate.pdf");
    vertical::PrintChoice choice;
    choice.form = {vertical::PageForm::Kind::Manuscript, 20, 20};
    int pages = 0;
    for (auto _ : st) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        QtPrintJob job(printer);
        NoProgress progress;
        if (vertical::printVertical(e.ctx, job, progress, choice) != PrintOutcome::Printed)
            st.SkipWithError("printing failed");
    }
    TextBox box;
    box.setText(e.text.text());
    vertical::VerticalLayout layout(box);
    layout.setOptions(choice.target, choice.cells, choice.form);
    pages = layout.pageCount();
    st.counters["pages"] = pages;
    st.counters["pdf_bytes"] = double(QFileInfo(out).size());
}
BENCHMARK(BM_VerticalPdf400Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

PALLO_WIDGET_BENCHMARK_MAIN();
