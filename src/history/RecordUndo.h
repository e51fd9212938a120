#pragma once

struct AppState;
struct CommandContext;
class TextBox;

// Stores a checkpoint of Text1 (caret and whole text) in slot 1 of the undo history.
void TakeSnapshot(AppState& state, const TextBox& text);
// Makes room in the undo history and records a checkpoint of Text1 in slot 1.
void RecordUndo(AppState& state, TextBox& text);
// Records the writer's own edits of Text1 when some are pending (WriterEditPending), as a
// focus loss would, before a command replaces the whole text.
void recordWriterEdits(AppState& state, TextBox& text);
// Records Text1 unless slot 1 holds its text already. A second checkpoint of an unchanged
// text would stand in slot 2, where Undo would find the current text and stop for good.
void recordUnlessRecorded(AppState& state, TextBox& text);
// RecordUndo for a caller that knows that the first `sameHead` and the last `sameTail` code
// units of the text are those of the checkpoint in slot 1: the checkpoint then costs what
// changed, not the length of the text.
void RecordUndo(AppState& state, TextBox& text, int sameHead, int sameTail);
// The history reset of New, Open and a recent file: one empty undo slot.
void resetHistory(AppState& state);

// The commands: Undo (mnuEditUndo), Redo (mnuEditRedo), back to the loaded text (mnuYarinaoi).
void undo(CommandContext& ctx);
void redo(CommandContext& ctx);
void redoAll(CommandContext& ctx);
