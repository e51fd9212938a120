#include "history/RecordUndo.h"

#include "platform/TextBox.h"
#include "shell/CommandContext.h"
#include "state/AppState.h"

void TakeSnapshot(AppState&, const TextBox&) {}
void RecordUndo(AppState&, TextBox&) {}
void resetHistory(AppState& state) {
    state.UndoCount = 1;
    state.RedoCount = 1;
}
void mnuEditUndo_Click(CommandContext&) {}
void mnuEditRedo_Click(CommandContext&) {}
void mnuYarinaoi_Click(CommandContext&) {}
