#include "history/UndoHistory.h"

#include "platform/TextBox.h"

// Slot 1 takes a checkpoint of the text box. The checkpoints the new one most likely resembles
// are offered as its base, so it holds only what differs from them.
void UndoHistory::snapshot(const TextBox& text, const Checkpoint* alsoNear) {
    const Checkpoint* second = m_undo.size() >= 2 ? &m_undo[2] : nullptr;
    // A caret beyond the five-digit field is recorded too: only the field grows.
    m_undo[1] = Checkpoint::take(text.selStart(), text.text(), {&m_undo[1], alsoNear, second});
}

void UndoHistory::takeSnapshot(const TextBox& text) {
    snapshot(text);
}

void UndoHistory::startFrom(int position, const QString& text) {
    if (m_undo.size() < m_undoCount) m_undo.resize(m_undoCount);
    m_undo[1] = Checkpoint::take(position, text);
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

void UndoHistory::record(const TextBox& text) {
    makeRoom();
    snapshot(text);
    m_writerEditPending = false;
}

void UndoHistory::recordEdited(const TextBox& text, int sameHead, int sameTail) {
    const Checkpoint base = m_undo[1];
    makeRoom();
    // Read where it lies: a replace run records a checkpoint at every step.
    m_undo[1] = Checkpoint::takeEdited(
        text.selStart(), text.length(), [&text](int from, int to) { return text.view(from, to); },
        base, sameHead, sameTail);
    // The checkpoint holds the writer's typing let through during the run as well.
    m_writerEditPending = false;
}

void UndoHistory::recordWriterEdits(const TextBox& text) {
    if (!m_writerEditPending) return;
    record(text);
    m_undoPending = false;
}

void UndoHistory::recordUnlessRecorded(const TextBox& text) {
    const Checkpoint& newest = m_undo[1];
    if (!newest.isEmpty() && newest.textEquals(text.text())) {
        m_undoPending = false;
        m_writerEditPending = false;
        return;
    }
    record(text);
    m_undoPending = false;
}

void UndoHistory::setSlots(CheckpointList undo, int undoCount, CheckpointList redo,
                           int redoCount) {
    m_undo = std::move(undo);
    m_undoCount = undoCount;
    m_redo = std::move(redo);
    m_redoCount = redoCount;
}

void UndoHistory::reset() {
    m_undo = CheckpointList();
    m_undoCount = 1;
    m_redoCount = 1;
}

void UndoHistory::clear() {
    m_undoCount = 1;
    m_redoCount = 1;
    m_redo = CheckpointList();
}

bool UndoHistory::canUndo() const {
    return m_undoCount >= 2 && m_undo.size() >= 2 && !m_undo[2].isEmpty();
}

bool UndoHistory::canRedo() const {
    return !m_redo[1].isEmpty();
}

UndoHistory::Step UndoHistory::undo(TextBox& text) {
    recordWriterEdits(text);
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
    // The restored text stands in slot 1 already: recording it again at the next focus loss
    // would make the following Undo find its own text and do nothing.
    m_undoPending = false;
    return Step::Done;
}

UndoHistory::Step UndoHistory::redo(TextBox& text) {
    recordWriterEdits(text);
    if (m_redo[1].isEmpty()) return Step::NoData;
    if (m_undoCount < 2) return Step::Nothing;
    if (m_undo[2].textEquals(text.text())) return Step::Nothing;

    m_undo.shiftUp(m_undoCount);
    m_undo[1] = m_redo[1];
    text.setText(m_undo[1].text());
    text.setSelStart(m_undo[1].position());

    m_redo.shiftDown(1, m_redo.size());
    m_redo[m_redo.size()] = Checkpoint();
    m_undoPending = false;
    return Step::Done;
}
