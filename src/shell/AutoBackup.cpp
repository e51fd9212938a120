#include "shell/AutoBackup.h"
#include "documents/DocumentSession.h"

#include "documents/DocumentFile.h"

#include <QScopeGuard>

namespace {

const QString kError = QStringLiteral("Error");

// The backup is written as the document is, so start-up reads it back the same way. Nobody is
// there to answer the question about characters Shift_JIS cannot hold, and the backup only has
// to bring the text back: such a text goes to UTF-8 with its mark, which every character and
// every kept byte survives.
QByteArray backupBytes(DocumentFormat format, const QString& text) {
    cp932::EncodeReport report;
    const QByteArray bytes = encodeDocument(text, format, &report, 0);
    if (report.unmappable == 0) return bytes;
    format.encoding = TextEncoding::Utf8;
    format.byteOrderMark = true;
    return encodeDocument(text, format);
}

} // namespace

void AutoBackup::onBackupTimer(CommandContext& ctx) {
    AppState& state = ctx.state;
    if (state.BackupCountdown == 0) {
        if (!writeEncodedDocument(backupFilePath(ctx.programDir), backupBytes(ctx.document.format(), ctx.text.text()))) {
            // The timer keeps firing while the message box is open; a full disk would
            // otherwise stack one "Error" on top of the other every tick.
            if (m_reportingFailure) return;
            m_reportingFailure = true;
            const auto reported = qScopeGuard([this] { m_reportingFailure = false; });
            ctx.services.prompts.message(kError);
            return;
        }
        state.BackupCountdown = state.BackupTicks;
    }
    // BackupTicks 0 is taken as 1: the countdown must not wrap round to 255.
    if (state.BackupCountdown > 0) --state.BackupCountdown;
}
