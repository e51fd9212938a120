#pragma once

#include "history/Checkpoint.h"

#include <QString>
#include <QtGlobal>
#include <functional>

class TextBox;

// The document's checkpoint history: the undo slots (the newest checkpoint in slot 1), the
// redo slots, the limit, and whether the text has moved on since the newest checkpoint. Every
// checkpoint, Undo, Redo and restore from the viewer goes through it; nothing else writes the
// slots.
//
// One rule keeps every change within reach, whatever made it (typing, a command, a dialog's
// run): a recording never stores the text slot 1 holds already, and Undo and Redo first record
// the text when it has moved on from slot 1. A command records the text before its change, so
// one Undo after it gives that text back and one Redo its result.
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
    void setMaxUndo(qint16 max);

    // The text may have changed since the newest checkpoint (set by every change event).
    bool undoPending() const { return m_undoPending; }
    void setUndoPending(bool pending);
    // Called whenever canUndo() or canRedo() may have changed; kept cheap enough for every
    // keystroke, as the toolbar's buttons follow it.
    void setOnStateChange(std::function<void()> listener) { m_onStateChange = std::move(listener); }

    // The base of a fresh history: slot 1 holds `text` with the caret at `position`.
    void startFrom(int position, const QString& text);
    // The same for a text kept already (the text as loaded), sharing it and its packing.
    void startFrom(int position, const KeptText& text);
    // Makes room and records the text box in slot 1; when slot 1 holds its text already, only
    // the caret is taken. A second checkpoint of an unchanged text would stand in slot 2, where
    // Undo would find the current text and stop for good.
    void record(const TextBox& text);
    // record() for a caller that knows the first `sameHead` and last `sameTail` code units of
    // the text are those of slot 1: the checkpoint then costs what changed, not the text's length.
    void recordEdited(const TextBox& text, int sameHead, int sameTail);
    // A history given whole: its undo slots and count, its redo slots and count.
    void setSlots(CheckpointList undo, int undoCount, CheckpointList redo, int redoCount);
    // New, Open and a recent file: one empty undo slot.
    void reset();
    // Start-up: no redo slots, no undo slots in use.
    void clear();

    // Whether Undo and Redo would take a step now, pending changes counted; the menus and the
    // toolbar offer them by these.
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
    void store(Checkpoint taken);
    void snapshot(const TextBox& text, const Checkpoint* alsoNear = nullptr);
    void changed() const;

    CheckpointList m_undo;
    int m_undoCount = 1;
    CheckpointList m_redo;
    int m_redoCount = 1;
    qint16 m_maxUndo = 0;
    bool m_undoPending = false;
    std::function<void()> m_onStateChange;
};
