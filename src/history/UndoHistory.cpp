#include "history/UndoHistory.h"

#include "platform/TextBox.h"

// Slot 1 takes a checkpoint of the text box. The checkpoints the new one most likely resembles
// are offered as its base, so it holds only what differs from them.
void UndoHistory::snapshot(const TextBox& text, const Checkpoint* alsoNear) {
    const Checkpoint* second = m_undo.size() >= 2 ? &m_undo[2] : nullptr;
    // A caret beyond the five-digit field is recorded too: only the field grows.
    m_undo[1] = Checkpoint::take(text.selStart(), text.text(), {&m_undo[1], alsoNear, second});
}

void UndoHistory::startFrom(int position, const QString& text) {
    KeptText kept;
    kept.set(text);
    startFrom(position, kept);
}

void UndoHistory::startFrom(int position, const KeptText& text) {
    if (m_undo.size() < m_undoCount) m_undo.resize(m_undoCount);
    m_undo[1] = Checkpoint::takeKept(position, text, int(text.size()));
    // The text the start-up loaded is the one recorded: nothing is pending.
    m_undoPending = false;
    changed();
}

void UndoHistory::makeRoom() {
    if (m_maxUndo >= m_undoCount) {
        ++m_undoCount;
        m_undo.resize(m_undoCount);
        m_undo.shiftUp(m_undoCount);
        m_redo = CheckpointList();
        m_redoCount = 1;
    } else {
        // Full: the oldest checkpoint stays as the history's base; the second oldest drops out.
        if (m_undoCount >= 2) m_undo[m_undoCount - 1] = Checkpoint();
        m_undo.shiftUp(m_undoCount - 1);
    }
}

void UndoHistory::store(Checkpoint taken) {
    m_undoPending = false;
    if (!m_undo[1].isEmpty() && taken.sharesTextWith(m_undo[1])) {
        m_undo[1] = std::move(taken);
    } else {
        makeRoom();
        m_undo[1] = std::move(taken);
    }
    changed();
}

void UndoHistory::record(const TextBox& text) {
    const Checkpoint* second = m_undo.size() >= 2 ? &m_undo[2] : nullptr;
    // An unchanged text comes back sharing slot 1's pieces: store() tells it by that alone.
    store(Checkpoint::take(text.selStart(), text.text(), {&m_undo[1], second}));
}

void UndoHistory::recordEdited(const TextBox& text, int sameHead, int sameTail) {
    // Read where it lies: a replace run records a checkpoint at every step.
    store(Checkpoint::takeEdited(
        text.selStart(), text.length(), [&text](int from, int to) { return text.view(from, to); },
        m_undo[1], sameHead, sameTail));
}

void UndoHistory::setSlots(CheckpointList undo, int undoCount, CheckpointList redo,
                           int redoCount) {
    m_undo = std::move(undo);
    m_undoCount = undoCount;
    m_redo = std::move(redo);
    m_redoCount = redoCount;
    changed();
}

void UndoHistory::reset() {
    m_undo = CheckpointList();
    m_undoCount = 1;
    m_redoCount = 1;
    changed();
}

void UndoHistory::clear() {
    m_undoCount = 1;
    m_redoCount = 1;
    m_redo = CheckpointList();
    changed();
}

void UndoHistory::setMaxUndo(qint16 max) {
    m_maxUndo = max;
    changed();
}

void UndoHistory::setUndoPending(bool pending) {
    if (pending == m_undoPending) return;
    m_undoPending = pending;
    changed();
}

void UndoHistory::changed() const {
    if (m_onStateChange) m_onStateChange();
}

bool UndoHistory::canUndo() const {
    if (m_undo[1].isEmpty()) return false;
    // A pending change is recorded first, and slot 1 then stands in slot 2. A flag rather than
    // a comparison of the texts: the toolbar asks at every keystroke.
    if (m_undoPending && (m_undoCount >= 2 || m_maxUndo >= 1)) return true;
    // After Undo reached the oldest checkpoint it stands in the last two slots.
    return m_undoCount >= 2 && m_undo.size() >= 2 && !m_undo[2].isEmpty() &&
           !m_undo[2].sharesTextWith(m_undo[1]);
}

bool UndoHistory::canRedo() const {
    // Recording a pending change below the limit discards the redo history.
    if (m_undoPending && m_maxUndo >= m_undoCount) return false;
    return !m_redo[1].isEmpty() && m_undoCount >= 2;
}

UndoHistory::Step UndoHistory::undo(TextBox& text) {
    record(text);
    if (m_undoCount < 2) return Step::Nothing;
    if (m_undo[2].isEmpty() || m_undo[1].isEmpty()) return Step::NoData;
    const Checkpoint prev = m_undo[2];
    if (prev.textEquals(text.text())) return Step::Nothing;

    m_redo.resize(m_redoCount);
    ++m_redoCount;
    m_redo.shiftUp(m_redoCount - 1);
    m_redo[1] = m_undo[1];

    text.setText(prev.text());
    text.setSelStart(prev.position());

    m_undo.shiftDown(2, m_undoCount);
    snapshot(text, &prev);
    m_undoPending = false;
    changed();
    return Step::Done;
}

UndoHistory::Step UndoHistory::redo(TextBox& text) {
    record(text);
    if (m_redo[1].isEmpty()) return Step::NoData;
    if (m_undoCount < 2) return Step::Nothing;

    m_undo.shiftUp(m_undoCount);
    m_undo[1] = m_redo[1];
    text.setText(m_undo[1].text());
    text.setSelStart(m_undo[1].position());

    m_redo.shiftDown(1, m_redo.size());
    m_redo[m_redo.size()] = Checkpoint();
    m_undoPending = false;
    changed();
    return Step::Done;
}
