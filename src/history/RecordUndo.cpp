#include "history/RecordUndo.h"

#include "command/CommandContext.h"
#include "platform/TextBox.h"
#include "state/AppState.h"

namespace {

const QString kNoUndoData = QStringLiteral("UNDODATAがないか全く新規の状態です。");
const QString kNoRedoData = QStringLiteral("RedoDataがありません");
const QString kBackToLoadedQuestion =
    QStringLiteral("文書を最も最初の状態に戻します。よろしいですか？");
const QString kBackToLoadedTitle = QStringLiteral("初期化");

// Slot 1 takes a checkpoint of the text box. The checkpoints the new one most likely
// resembles are offered as its base, so it holds only what differs from them.
void snapshot(AppState& state, const TextBox& text, const Checkpoint* alsoNear = nullptr) {
    CheckpointList& undo = state.UndoData;
    const Checkpoint* second = undo.size() >= 2 ? &undo[2] : nullptr;
    // A caret beyond the five-digit field is recorded too: only the field grows.
    undo[1] = Checkpoint::take(text.selStart(), text.text(), {&undo[1], alsoNear, second});
}

} // namespace

void TakeSnapshot(AppState& state, const TextBox& text) {
    snapshot(state, text);
}

namespace {

void makeRoom(AppState& state) {
    CheckpointList& undo = state.UndoData;
    if (state.MaxUndo >= state.UndoCount) {
        ++state.UndoCount;
        undo.resize(state.UndoCount);
        undo.shiftUp(state.UndoCount);
        state.RedoData = CheckpointList();
        state.RedoCount = 1;
    } else {
        // Full: the oldest checkpoint stays as the history's base; the second oldest drops out.
        if (state.UndoCount >= 2) undo[state.UndoCount - 1] = Checkpoint();
        undo.shiftUp(state.UndoCount - 1);
    }
}

} // namespace

void RecordUndo(AppState& state, TextBox& text) {
    makeRoom(state);
    snapshot(state, text);
    state.WriterEditPending = false;
}

void recordWriterEdits(AppState& state, TextBox& text) {
    if (!state.WriterEditPending) return;
    RecordUndo(state, text);
    state.UndoPending = false;
}

void recordUnlessRecorded(AppState& state, TextBox& text) {
    const Checkpoint& newest = state.UndoData[1];
    if (!newest.isEmpty() && newest.textEquals(text.text())) {
        state.UndoPending = false;
        state.WriterEditPending = false;
        return;
    }
    RecordUndo(state, text);
    state.UndoPending = false;
}

void RecordUndo(AppState& state, TextBox& text, int sameHead, int sameTail) {
    const Checkpoint base = state.UndoData[1];
    makeRoom(state);
    state.UndoData[1] =
        Checkpoint::takeEdited(text.selStart(), text.text(), base, sameHead, sameTail);
    // The checkpoint holds the writer's typing let through during the run as well.
    state.WriterEditPending = false;
}

void resetHistory(AppState& state) {
    state.UndoData = CheckpointList();
    state.UndoCount = 1;
    state.RedoCount = 1;
}

void undo(CommandContext& ctx) {
    AppState& state = ctx.state;
    recordWriterEdits(state, ctx.text);
    CheckpointList& undo = state.UndoData;
    if (state.UndoCount < 2) return;
    if (undo[2].isEmpty() || undo[1].isEmpty()) {
        ctx.services.prompts.message(kNoUndoData);
        return;
    }
    const Checkpoint prev = undo[2];
    if (prev.textEquals(ctx.text.text())) return;

    CheckpointList& redo = state.RedoData;
    redo.resize(state.RedoCount);
    ++state.RedoCount;
    redo.shiftUp(state.RedoCount - 1);
    redo[1] = undo[1];

    ctx.text.setText(prev.text());
    ctx.text.setSelStart(prev.position());
    ctx.window.refreshStatus();

    undo.shiftDown(2, state.UndoCount);
    snapshot(state, ctx.text, &prev);
    // The restored text stands in slot 1 already: recording it again at the next focus loss
    // would make the following Undo find its own text and do nothing.
    state.UndoPending = false;
}

void redo(CommandContext& ctx) {
    AppState& state = ctx.state;
    recordWriterEdits(state, ctx.text);
    CheckpointList& redo = state.RedoData;
    if (redo[1].isEmpty()) {
        ctx.services.prompts.message(kNoRedoData);
        return;
    }
    if (state.UndoCount < 2) return;
    CheckpointList& undo = state.UndoData;
    if (undo[2].textEquals(ctx.text.text())) return;

    undo.shiftUp(state.UndoCount);
    undo[1] = redo[1];
    ctx.text.setText(undo[1].text());
    ctx.text.setSelStart(undo[1].position());

    redo.shiftDown(1, redo.size());
    redo[redo.size()] = Checkpoint();
    state.UndoPending = false;
}

void redoAll(CommandContext& ctx) {
    const MsgAnswer answer = ctx.services.prompts.message(kBackToLoadedQuestion, MsgButtons::YesNo,
                                                          MsgIcon::None, kBackToLoadedTitle);
    if (answer != MsgAnswer::Yes) return;
    // The loaded text replaces the writer's unrecorded typing, which must stay within reach.
    recordWriterEdits(ctx.state, ctx.text);
    ctx.text.setText(ctx.state.LoadedText);
    ctx.window.refreshStatus();
}
