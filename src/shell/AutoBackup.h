#pragma once

#include "command/CommandContext.h"

#include <QString>

// The automatic backup: every BackupTicks ticks of Timer1 the whole text goes to
// PalloBackup.txt in the program's folder, which start-up shows as the document when the
// previous run ended without its shutdown.
class AutoBackup {
public:
    // One tick of Timer1. Never asks anything and leaves the title, Dirty and the selection
    // alone; a failed write reports "Error" and keeps BackupCountdown at 0 so the next tick
    // tries again.
    void onBackupTimer(CommandContext& ctx);

    // True while the "Error" of a failed backup is on screen.
    bool reportingFailure() const { return m_reportingFailure; }

private:
    bool m_reportingFailure = false;
};
