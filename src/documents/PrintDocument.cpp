#include "documents/PrintDocument.h"
#include "documents/DocumentSession.h"

#include "platform/PrintJob.h"
#include "state/DocumentTitle.h"

#include <QDir>

namespace {

const QString kError = QStringLiteral("Error");

// Only one run at a time: events run inside the loop, and a second run started there would
// share the printer and end the first one's document.
bool g_running = false;

struct RunningFlag {
    RunningFlag() { g_running = true; }
    ~RunningFlag() { g_running = false; }
};

// One run: its layout, its page and its position on the page.
class PrintRun {
public:
    PrintRun(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress)
        : m_ctx(ctx), m_job(job), m_progress(progress),
          m_path(ctx.document.displayName()) {}

    PrintOutcome run() {
        m_progress.showProgress();
        if (!m_job.begin()) return fail();
        m_job.setFont(m_ctx.window.fontName(), m_ctx.window.fontSize());
        m_textHeight = m_job.textHeight();
        m_layout =
            printing::pageLayout(m_textHeight, m_job.printableWidth(), m_job.printableHeight());
        if (!m_layout.holdsBody()) return fail();
        printHeaderFooter();
        const PrintOutcome body = printBody();
        if (body != PrintOutcome::Printed) return body;
        if (!m_job.end()) return fail();
        m_progress.closeProgress();
        return PrintOutcome::Printed;
    }

private:
    PrintOutcome fail() {
        m_progress.closeProgress();
        m_job.abort();
        m_ctx.services.prompts.message(kError);
        return PrintOutcome::Failed;
    }

    void printHeaderFooter() {
        m_job.drawText(m_layout.rightEdge - m_job.textWidth(m_path), m_layout.lineY(1), m_path);
        m_job.drawText(printing::kLeftMargin, m_layout.footerY(), printing::pageNumberText(m_page));
        const QString date = printing::footerDateText(m_ctx.services.clock.now());
        m_job.drawText(m_layout.rightEdge - m_job.textWidth(date), m_layout.footerY(), date);
        m_linesOnPage = 0;
    }

    // The text is taken once: a reference-counted copy that no edit can change under the loop.
    PrintOutcome printBody() {
        const QString text = m_ctx.text.text();
        printing::LineBreaker breaker(text, m_layout.rightEdge,
                                      [this](QStringView piece) { return m_job.textWidth(piece); });
        QString bar;
        int pos = 0;
        while (pos < text.size()) {
            m_ctx.services.pump.doEvents();
            if (m_progress.cancelRequested()) {
                m_job.abort();
                m_progress.closeProgress();
                return PrintOutcome::Cancelled;
            }
            // Positions follow the true text height, not the rounded grid.
            if (y() > m_layout.bodyLimit()) {
                if (!m_job.newPage()) return fail();
                ++m_page;
                printHeaderFooter();
            }
            const printing::PrintedLine line = breaker.next(pos);
            m_job.drawText(printing::kLeftMargin, y(), QStringView(text).mid(pos, line.length));
            ++m_linesOnPage;
            pos = line.next;
            const QString now = printing::progressBar(pos, text.size());
            if (now != bar) m_progress.setBar(bar = now);
        }
        return PrintOutcome::Printed;
    }

    double y() const { return m_layout.bodyTop() + m_linesOnPage * m_textHeight; }

    CommandContext& m_ctx;
    PrintJob& m_job;
    PrintProgressPort& m_progress;
    const QString m_path;
    printing::PageLayout m_layout;
    double m_textHeight = 0;
    int m_page = 1;
    int m_linesOnPage = 0;
};

} // namespace

void pageSetup(CommandContext& ctx) {
    if (g_running) return;
    ctx.services.dialogs.printerSetup(printing::kDialogTitle);
}

PrintOutcome printDocument(CommandContext& ctx, PrintProgressPort& progress) {
    if (g_running) return PrintOutcome::NotStarted;
    CommonDialogs& dialogs = ctx.services.dialogs;
    dialogs.setPrintFileProposal(proposedPdfPath(ctx.document.title(), QDir::homePath()));
    if (!dialogs.printDialog(printing::kDialogTitle)) return PrintOutcome::NotStarted;
    const std::unique_ptr<PrintJob> job = dialogs.printJob();
    if (!job) {
        ctx.services.prompts.message(kError);
        return PrintOutcome::Failed;
    }
    return printToJob(ctx, *job, progress);
}

PrintOutcome printToJob(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress) {
    if (g_running) return PrintOutcome::NotStarted;
    RunningFlag running;
    return PrintRun(ctx, job, progress).run();
}

QString proposedPdfPath(const QString& title, const QString& homeFolder) {
    if (doctitle::isUntitled(title)) return QDir(homeFolder).filePath(QStringLiteral("無題.pdf"));
    return doctitle::currentPath(title) + QStringLiteral(".pdf");
}
