#pragma once

#include "platform/KeptText.h"

#include <QExplicitlySharedDataPointer>
#include <QSharedData>
#include <QString>
#include <QStringView>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// One checkpoint of the history: the caret position and the whole text of the document.
//
// The text is kept as a list of shared, immutable pieces. A checkpoint taken after a small
// edit shares every piece but the edited ones with the checkpoint it was built from, and a
// checkpoint of an unchanged text shares the whole list. So ten thousand checkpoints of a
// 1 MB document cost a few kilobytes each instead of a copy each, every checkpoint stays
// independent of every other (any slot can be dropped or moved), and reading one back is a
// single concatenation, however old it is.
class Checkpoint {
public:
    // An empty slot.
    Checkpoint() = default;

    // A checkpoint of `text` with the caret at `position`. `near` lists checkpoints whose texts
    // are likely to resemble `text` (the neighbours in the history): the one sharing the most
    // with it is used as the base.
    static Checkpoint take(int position, const QString& text,
                           std::initializer_list<const Checkpoint*> near = {});
    // A checkpoint of a whole document just opened, kept already (`length` code units): a long
    // one stays packed with it (no second copy while the writer works on the first) and builds
    // its pieces anew when it is a base.
    static Checkpoint takeKept(int position, const KeptText& text, int length);

    // A checkpoint of `text` made from `base`, whose first `sameHead` and last `sameTail` code
    // units are known to be those of `text`: only the rest is compared and copied, so a long
    // run of small edits pays for what it changed, not for the length of the text.
    static Checkpoint takeEdited(int position, const QString& text, const Checkpoint& base,
                                 int sameHead, int sameTail);
    // The same for a text of `length` code units read a span at a time: `span(from, to)` gives
    // units [from, to), valid until the next call. Only the spans near the edit are read, so
    // a text that is not one string need not be put together for it.
    using SpanReader = std::function<QStringView(int from, int to)>;
    static Checkpoint takeEdited(int position, int length, const SpanReader& span,
                                 const Checkpoint& base, int sameHead, int sameTail);

    // An empty string marks an empty slot; a checkpoint of an empty text is not empty.
    bool isEmpty() const { return !m_pieces; }
    int position() const { return m_position; }
    // The text part. An empty slot's text part is empty.
    QString text() const;
    int textLength() const;
    // Compares without building the text.
    bool textEquals(QStringView other) const;
    // True when both checkpoints hold the very same pieces (no text needs comparing).
    bool sharesTextWith(const Checkpoint& other) const { return m_pieces == other.m_pieces; }

    // The checkpoint string: the caret as five zero-padded digits, then the text ("00042abc").
    // A caret at 100000 or beyond takes as many digits as it needs. Empty slot: "".
    QString toString() const;
    static QString positionField(int position);

    // Number of pieces the text is held in, and how many of them `other` holds as well.
    qsizetype pieceCount() const;
    qsizetype piecesSharedWith(const Checkpoint& other) const;

private:
    struct Piece : QSharedData {
        explicit Piece(QString t) : text(std::move(t)) {}
        QString text;
    };
    using PiecePtr = QExplicitlySharedDataPointer<const Piece>;
    struct Pieces {
        std::vector<PiecePtr> list; // empty when the text is kept whole
        std::shared_ptr<const KeptText> whole;
        int length = 0;
    };

    static std::shared_ptr<const Pieces> build(int length, const SpanReader& span, const Pieces* base,
                                               int sameHead = 0, int sameTail = 0);

    std::shared_ptr<const Pieces> m_pieces;
    int m_position = 0;
};

// The history's slots, numbered from 1 as the program numbers them.
class CheckpointList {
public:
    // One empty slot.
    CheckpointList() : m_slots(1) {}

    int size() const { return int(m_slots.size()); }
    // Keeps the contents of the surviving slots; new slots are empty. At least one slot.
    void resize(int count) { m_slots.resize(size_t(std::max(count, 1))); }
    Checkpoint& operator[](int slot) { return m_slots.at(size_t(slot - 1)); }
    const Checkpoint& operator[](int slot) const { return m_slots.at(size_t(slot - 1)); }
    // Slots 2..last take slots 1..last-1; slot 1 keeps its content, so slots 1 and 2 are then
    // equal. Moves references, never text.
    void shiftUp(int last);
    // Slots first..last-1 take slots first+1..last; slot `last` keeps its content.
    void shiftDown(int first, int last);

private:
    std::vector<Checkpoint> m_slots;
};
