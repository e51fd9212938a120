#pragma once

#include "command/CommandContext.h"
#include "documents/PrintLayout.h"

class PrintJob;

// What a print run asks of its progress window (PrintProgressDialog). The form implements it; tests script
// it.
class PrintProgressPort {
public:
    virtual ~PrintProgressPort() = default;
    // Shows the window in front, blocking every other window of the program until it closes,
    // with an empty bar.
    virtual void showProgress() = 0;
    virtual void setBar(const QString& bar) = 0;
    virtual void closeProgress() = 0;
    // キャンセル was pressed during this run.
    virtual bool cancelRequested() const = 0;
};

enum class PrintOutcome { Printed, Cancelled, Failed, NotStarted };

// ﾍﾟｰｼﾞ設定(&U)...: the printer setup dialog; its choices stay with the printer.
void pageSetup(CommandContext& ctx);

// 印刷(&P)...: the print dialog, then the run. While a run is going a second request does
// nothing (NotStarted).
PrintOutcome printDocument(CommandContext& ctx, PrintProgressPort& progress);

// Prints the whole text on `job`: the path at the top of every page, the body from line 4 and
// the page number and the date at the bottom. Each run measures its own layout and keeps its
// own position. A failure closes the progress window, discards the job and says "Error"; a
// cancel discards the job silently.
PrintOutcome printToJob(CommandContext& ctx, PrintJob& job, PrintProgressPort& progress);

// Where PDF output is proposed: beside the document, or in the home folder when it is
// untitled.
QString proposedPdfPath(const QString& title, const QString& homeFolder);
