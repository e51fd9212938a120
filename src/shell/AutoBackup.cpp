#include "shell/AutoBackup.h"

#include "documents/DocumentFile.h"

#include <QScopeGuard>

namespace {

const QString kError = QStringLiteral("Error");

} // namespace

void AutoBackup::Timer1_Timer(CommandContext& ctx) {
    AppState& state = ctx.state;
    if (state.BackupCountdown == 0) {
        state.WorkPath = backupFilePath(ctx.programDir);
        // Characters the file format cannot hold become "?" without a question: nobody is
        // there to answer one, and the backup only has to bring the text back.
        if (!writeDocumentBytes(state.WorkPath, ctx.text.text())) {
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
