#include "vertical/VerticalPrint.h"

#include "platform/PrintJob.h"
#include "platform/TextBox.h"
#include "vertical/PageRenderer.h"

#include <QPaintDevice>
#include <QPainter>

namespace vertical {

namespace {

PrintOutcome failed(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress) {
    progress.closeProgress();
    job.abort();
    ctx.services.prompts.message(QStringLiteral("Error"));
    return PrintOutcome::Failed;
}

} // namespace

PrintOutcome printVertical(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress,
                           const PrintChoice& choice) {
    if (PrintRunning::active()) return PrintOutcome::NotStarted;
    PrintRunning running;
    progress.showProgress();
    if (!job.begin()) return failed(ctx, job, progress);
    QPainter* painter = job.painter();
    if (!painter) return failed(ctx, job, progress);
    // The layout reads a copy, so that nothing done while events run can change the pages.
    TextBox text;
    text.setText(ctx.text.text());
    VerticalLayout layout(text);
    layout.setOptions(choice.target, choice.cells, choice.form);

    const double perMm = painter->device()->logicalDpiX() / 25.4;
    const double width = job.printableWidth() * perMm, height = job.printableHeight() * perMm;
    // The page number takes the room of one cell below the page.
    PageGeometry g{choice.form, 0, 1};
    g.cell = PageGeometry::cellToFit(choice.form, 1, width, height * 0.95);
    if (g.cell <= 0) return failed(ctx, job, progress);
    const double left = (width - g.viewWidth()) / 2;

    QFont font(ctx.window.fontName());
    VerticalFont vfont(font);
    PageRenderer renderer(vfont);
    PaintOptions options;
    options.textLayer = true;
    QFont numberFont(ctx.window.fontName());
    numberFont.setPixelSize(std::max(1, int(g.cell * 0.6)));
    QString bar;
    for (int index = 0; layout.hasPage(index); ++index) {
        ctx.services.pump.doEvents();
        if (progress.cancelRequested()) {
            job.abort();
            progress.closeProgress();
            return PrintOutcome::Cancelled;
        }
        if (index > 0 && !job.newPage()) return failed(ctx, job, progress);
        const Page page = layout.page(index);
        painter->save();
        painter->translate(left, 0);
        renderer.paint(*painter, text.text(), page, g, 0, options);
        painter->setFont(numberFont);
        painter->setPen(Qt::black);
        painter->drawText(QRectF(0, g.pageHeight(), g.viewWidth(), g.cell), Qt::AlignCenter,
                          printing::pageNumberText(index + 1));
        painter->restore();
        const int done = page.columns.empty() ? text.length() : page.columns.back().end;
        const QString now = printing::progressBar(done, text.length());
        if (now != bar) progress.setBar(bar = now);
    }
    if (!job.end()) return failed(ctx, job, progress);
    progress.closeProgress();
    return PrintOutcome::Printed;
}

} // namespace vertical
