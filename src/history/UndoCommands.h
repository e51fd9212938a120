#pragma once

struct CommandContext;

// The commands: Undo (mnuEditUndo), Redo (mnuEditRedo), back to the loaded text (mnuYarinaoi).
void undo(CommandContext& ctx);
void redo(CommandContext& ctx);
void redoAll(CommandContext& ctx);
