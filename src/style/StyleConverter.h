#pragma once

#include "command/CommandContext.h"
#include "style/EndingTables.h"

#include <QString>

namespace style {

class EndingConfirmation;

// What the conversion run asks of its dialog (StyleConversionDialog). The form implements it; tests script it.
class StyleDialogPort {
public:
    virtual ~StyleDialogPort() = default;
    // Option1 as it is selected right now; the options may change during a run and every mark
    // follows the one selected when it is reached.
    virtual bool plainToPolite() const = 0;
    // The report box (Text1): emptied once per run, then only ever appended to.
    virtual void clearReport() = 0;
    virtual void appendReport(const QString& piece) = 0;
    virtual void setReportCaption(const QString& caption) = 0; // Label1
    virtual void setConvertEnabled(bool enabled) = 0;          // Command1
    virtual void setCloseCaption(const QString& caption) = 0;  // Command2
    // Shows the confirmation of a found ending (EndingConfirmationDialog) modally; returns once it has closed.
    // The confirmation's onLoad, one of its answers and its onUnload run in between.
    virtual void showConfirmation(EndingConfirmation& confirmation) = 0;
    // Unloads the dialog. Called from onCancelClicked; the dialog may be inside a run's event
    // pump at that moment, so it must not destroy the converter before the run has returned.
    virtual void unload() = 0;
};

// The style conversion dialog's logic: one run walks the document from full stop to full stop,
// then from comma to comma, and rewrites the endings through the rule tables. Everything goes
// through the text box's selection, so the view shows each step and a caret moved by the
// writer during the run moves the walk.
class StyleConverter {
public:
    StyleConverter(CommandContext& ctx, StyleDialogPort& dialog);

    void onLoad();
    // 変換(&C): one whole run.
    void onConvertClicked();
    // キャンセル / 閉じる: asks a running run to stop, or unloads the dialog.
    void onCancelClicked();

    // The main window is going away: a running run stops at its next check; the dialog unloads.
    void stopAndUnload();

    // Appends a line to the report, after a CR LF (the confirmation dialog writes its lines
    // here too).
    void appendReportLine(const QString& line);
    const QString& report() const { return m_report; }

    bool plainToPolite() const { return m_dialog.plainToPolite(); }
    StyleDirection direction() const;
    bool stopRequested() const { return m_stopRequested; }
    bool markHandled() const { return m_markHandled; }
    qint16 ConvertedCount() const { return m_convertedCount; }
    bool running() const { return m_running; }

    // Label1 during a run and the closing message.
    static QString countCaption(int count);
    static QString finishedMessage(int count);
    // A conversion line without its leading CR LF.
    static QString conversionLine(int line, const QString& oldEnding, const QString& replacement);

private:
    // Returns false when the run has ended for a stop request.
    bool fullStopPass();
    bool commaPass();
    // SearchStart and FoundAt for the next mark of `mark`; false when there is none.
    bool findNextMark(QStringView mark);
    // The found-ending check of one row: selects the characters and asks the writer on a hit.
    void checkFoundEnding(const FoundEndingCheck& check);
    void confirmFoundEnding();
    // One table step; false when the table could not be tried for want of characters.
    bool applyTable(const EndingTable& table);
    bool stopNow();
    void appendReport(const QString& piece);

    CommandContext& m_ctx;
    StyleDialogPort& m_dialog;
    QString m_report;
    bool m_stopRequested = true;
    bool m_markHandled = false;
    qint16 m_convertedCount = 0;
    bool m_running = false;
};

} // namespace style
