#include "history/RecordUndo.h"
#include "shell/frmMain.h"

// Undo, Redo and back to the loaded text; the popup twins and toolbar buttons run the same.
void frmMain::registerHistoryCommands() {
    setCommand(QStringLiteral("mnuEditUndo"), [this](int) { mnuEditUndo_Click(m_ctx); });
    setCommand(QStringLiteral("mnuEditRedo"), [this](int) { mnuEditRedo_Click(m_ctx); });
    setCommand(QStringLiteral("mnuYarinaoi"), [this](int) { mnuYarinaoi_Click(m_ctx); });
}
