#pragma once

#include "history/Checkpoint.h"

#include <QString>
#include <QtGlobal>

class TextBox;

// The document's checkpoint history: the undo slots (the newest checkpoint in slot 1), the
// redo slots, the limit, and whether the text has moved on since the newest checkpoint. Every
// checkpoint, Undo, Redo and restore from the viewer goes through it; nothing else writes the
// slots.
class UndoHistory {
public:
    // Read access for the viewer, the menus' enabled states and the tests. Slots count from 1;
    // undoCount() is one more than the checkpoints kept.
    const CheckpointList& undoSlots() const { return m_undo; }
    const CheckpointList& redoSlots() const { return m_redo; }
    int undoCount() const { return m_undoCount; }
    int redoCount() const { return m_redoCount; }

    // The most checkpoints kept (the options' maxundo; 0 keeps none beyond the base).
    qint16 maxUndo() const { return m_maxUndo; }
    void setMaxUndo(qint16 max) { m_maxUndo = max; }

    // The text changed since the newest checkpoint (set by every change event), and among those
    // changes some were the writer's own (typing, deleting, dropping in the text box).
    bool undoPending() const { return m_undoPending; }
    void setUndoPending(bool pending) { m_undoPending = pending; }
    bool writerEditPending() const { return m_writerEditPending; }
    void setWriterEditPending(bool pending) { m_writerEditPending = pending; }

    // Slot 1 takes the text box as it is now, without making room: the checkpoint of the text
    // the last step left, or the base of a fresh history.
    void takeSnapshot(const TextBox& text);
    // The base of a fresh history: slot 1 holds `text` with the caret at `position`.
    void startFrom(int position, const QString& text);
    // Makes room and records the text box in slot 1.
    void record(const TextBox& text);
    // record() for a caller that knows the first `sameHead` and last `sameTail` code units of
    // the text are those of slot 1: the checkpoint then costs what changed, not the text's length.
    void recordEdited(const TextBox& text, int sameHead, int sameTail);
    // Records the writer's own edits when some are pending, before a command replaces the text.
    void recordWriterEdits(const TextBox& text);
    // Records the text unless slot 1 holds it already. A second checkpoint of an unchanged text
    // would stand in slot 2, where Undo would find the current text and stop for good.
    void recordUnlessRecorded(const TextBox& text);
    // A history given whole: its undo slots and count, its redo slots and count.
    void setSlots(CheckpointList undo, int undoCount, CheckpointList redo, int redoCount);
    // New, Open and a recent file: one empty undo slot.
    void reset();
    // Start-up: no redo slots, no undo slots in use.
    void clear();

    bool canUndo() const;
    bool canRedo() const;

    enum class Step { Done, Nothing, NoData };
    // Undo: the text box goes back to the checkpoint before the newest. NoData when the history
    // holds nothing to go back to (the caller says so), Nothing when there is no step to take.
    Step undo(TextBox& text);
    // Redo: the text box takes the newest redo checkpoint back.
    Step redo(TextBox& text);

private:
    void makeRoom();
    void snapshot(const TextBox& text, const Checkpoint* alsoNear = nullptr);

    CheckpointList m_undo;
    int m_undoCount = 1;
    CheckpointList m_redo;
    int m_redoCount = 1;
    qint16 m_maxUndo = 0;
    bool m_undoPending = false;
    bool m_writerEditPending = false;
};
