#include "history/Checkpoint.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {

// Piece sizes in code units. A piece list of a 1 MB text then holds a few hundred pointers,
// and an edit costs the copy of one or two pieces: together a few kilobytes per checkpoint.
constexpr int kPieceSize = 2048;
// Edits leave short pieces behind; pieces shorter than this are merged into new ones.
constexpr int kMinPieceSize = 512;
// Longer texts get longer pieces, so that a checkpoint's list stays short: copying and
// releasing the list is what each checkpoint of a long run of small edits costs.
constexpr int kMaxPieces = 512;

int pieceSizeFor(int length) {
    return std::max(kPieceSize, length / kMaxPieces);
}

Checkpoint::SpanReader wholeString(const QString& text) {
    return [&text](int from, int to) { return QStringView(text).mid(from, to - from); };
}

} // namespace

// Builds the pieces of `text`, reusing every piece of `base` that lies wholly in the part of
// the text that did not change (the common beginning and the common end).
std::shared_ptr<const Checkpoint::Pieces> Checkpoint::build(int length, const SpanReader& span,
                                                            const Pieces* base, int sameHead,
                                                            int sameTail) {
    auto out = std::make_shared<Pieces>();
    out->length = length;
    const int newLen = length;
    const auto differs = [&span](const QString& piece, int at) {
        const QStringView s = span(at, at + int(piece.size()));
        return std::memcmp(piece.constData(), s.data(), size_t(s.size()) * sizeof(char16_t)) != 0;
    };

    // Pieces of the base reused at the start: [0, headCount) cover text [0, headEnd).
    size_t headCount = 0;
    int headEnd = 0;
    // Pieces reused at the end: [tailFirst, size) cover text [tailStart, newLen).
    size_t tailFirst = base ? base->list.size() : 0;
    int tailStart = newLen;

    if (base) {
        const auto& list = base->list;
        while (headCount < list.size()) {
            const QString& p = list[headCount]->text;
            const int n = int(p.size());
            if (headEnd + n > newLen || (headEnd + n > sameHead && differs(p, headEnd)))
                break;
            headEnd += n;
            ++headCount;
        }
        while (tailFirst > headCount) {
            const QString& p = list[tailFirst - 1]->text;
            const int n = int(p.size());
            if (tailStart - n < headEnd ||
                (newLen - (tailStart - n) > sameTail && differs(p, tailStart - n)))
                break;
            tailStart -= n;
            --tailFirst;
        }
        // Short neighbours are rebuilt together with the changed middle, so that repeated
        // edits at one spot do not splinter the text into ever smaller pieces.
        while (headCount > 0 && list[headCount - 1]->text.size() < kMinPieceSize) {
            --headCount;
            headEnd -= int(list[headCount]->text.size());
        }
        while (tailFirst < list.size() && list[tailFirst]->text.size() < kMinPieceSize) {
            tailStart += int(list[tailFirst]->text.size());
            ++tailFirst;
        }
        if (tailStart - headEnd < kMinPieceSize) {
            if (headCount > 0) {
                --headCount;
                headEnd -= int(list[headCount]->text.size());
            } else if (tailFirst < list.size()) {
                tailStart += int(list[tailFirst]->text.size());
                ++tailFirst;
            }
        }
        out->list.reserve(headCount + (list.size() - tailFirst) + 2 +
                          size_t(tailStart - headEnd) / size_t(pieceSizeFor(newLen)));
        out->list.insert(out->list.end(), list.begin(), list.begin() + long(headCount));
    }

    // The middle in pieces of equal size, none longer than the text's piece size.
    const int middle = tailStart - headEnd;
    if (middle > 0) {
        const int pieceSize = pieceSizeFor(newLen);
        const int count = (middle + pieceSize - 1) / pieceSize;
        int at = headEnd;
        for (int i = 0; i < count; ++i) {
            const int end = headEnd + int(qint64(middle) * (i + 1) / count);
            out->list.emplace_back(new Piece(span(at, end).toString()));
            at = end;
        }
    }
    if (base)
        out->list.insert(out->list.end(), base->list.begin() + long(tailFirst), base->list.end());
    return out;
}

Checkpoint Checkpoint::take(int position, const QString& text,
                            std::initializer_list<const Checkpoint*> near) {
    Checkpoint c;
    c.m_position = position;
    // An unchanged text shares the pieces outright. Neighbours that hold the same pieces (as
    // slots 1 and 2 do right after a recording) are compared once. Otherwise the first
    // neighbour is the base of the new pieces.
    const Pieces* compared[8] = {};
    size_t count = 0;
    for (const Checkpoint* n : near) {
        if (!n || n->isEmpty()) continue;
        const Pieces* p = n->m_pieces.get();
        if (std::find(compared, compared + count, p) != compared + count) continue;
        if (count < std::size(compared)) compared[count++] = p;
        if (n->textEquals(text)) {
            c.m_pieces = n->m_pieces;
            return c;
        }
    }
    const Pieces* base = compared[0];
    c.m_pieces = build(int(text.size()), wholeString(text), base);
    return c;
}

Checkpoint Checkpoint::takeKept(int position, const KeptText& text, int length) {
    if (length < KeptText::kPackFrom) return take(position, text.text());
    auto pieces = std::make_shared<Pieces>();
    pieces->whole = std::make_shared<KeptText>(text);
    pieces->length = length;
    Checkpoint c;
    c.m_position = position;
    c.m_pieces = std::move(pieces);
    return c;
}

Checkpoint Checkpoint::takeEdited(int position, const QString& text, const Checkpoint& base,
                                  int sameHead, int sameTail) {
    if (base.isEmpty()) return take(position, text);
    return takeEdited(position, int(text.size()), wholeString(text), base, sameHead, sameTail);
}

Checkpoint Checkpoint::takeEdited(int position, int length, const SpanReader& span,
                                  const Checkpoint& base, int sameHead, int sameTail) {
    if (base.isEmpty()) {
        const QStringView all = span(0, length);
        return take(position, all.toString());
    }
    Checkpoint c;
    c.m_position = position;
    const int shortest = std::min(length, base.textLength());
    sameHead = std::clamp(sameHead, 0, shortest);
    sameTail = std::clamp(sameTail, 0, shortest - sameHead);
    if (length == base.textLength() && sameHead + sameTail == shortest)
        c.m_pieces = base.m_pieces;
    else
        c.m_pieces = build(length, span, base.m_pieces.get(), sameHead, sameTail);
    return c;
}

QString Checkpoint::text() const {
    if (!m_pieces) return {};
    if (m_pieces->whole) return m_pieces->whole->text();
    QString out;
    out.reserve(m_pieces->length);
    for (const PiecePtr& p : m_pieces->list)
        out.append(p->text);
    return out;
}

int Checkpoint::textLength() const {
    return m_pieces ? m_pieces->length : 0;
}

bool Checkpoint::textEquals(QStringView other) const {
    if (textLength() != other.size()) return false;
    if (!m_pieces) return true;
    if (m_pieces->whole)
        return m_pieces->whole->mayEqual(other) && m_pieces->whole->text() == other;
    qsizetype at = 0;
    for (const PiecePtr& p : m_pieces->list) {
        const qsizetype n = p->text.size();
        if (std::memcmp(p->text.constData(), other.data() + at, size_t(n) * sizeof(QChar)) != 0)
            return false;
        at += n;
    }
    return true;
}

QString Checkpoint::positionField(int position) {
    return QStringLiteral("%1").arg(position, 5, 10, QLatin1Char('0'));
}

QString Checkpoint::toString() const {
    if (!m_pieces) return {};
    return positionField(m_position) + text();
}

qsizetype Checkpoint::pieceCount() const {
    if (m_pieces && m_pieces->whole) return 1;
    return m_pieces ? qsizetype(m_pieces->list.size()) : 0;
}

qsizetype Checkpoint::piecesSharedWith(const Checkpoint& other) const {
    if (!m_pieces || !other.m_pieces) return 0;
    std::vector<const Piece*> theirs;
    theirs.reserve(other.m_pieces->list.size());
    for (const PiecePtr& p : other.m_pieces->list)
        theirs.push_back(p.data());
    std::sort(theirs.begin(), theirs.end());
    qsizetype shared = 0;
    for (const PiecePtr& p : m_pieces->list)
        shared += std::binary_search(theirs.begin(), theirs.end(), p.data()) ? 1 : 0;
    return shared;
}

void CheckpointList::shiftUp(int last) {
    if (last < 2) return;
    last = std::min(last, size());
    std::move_backward(m_slots.begin(), m_slots.begin() + (last - 1), m_slots.begin() + last);
    m_slots[0] = m_slots[1];
}

void CheckpointList::shiftDown(int first, int last) {
    last = std::min(last, size());
    if (first < 1 || first >= last) return;
    std::move(m_slots.begin() + first, m_slots.begin() + last, m_slots.begin() + (first - 1));
    m_slots[size_t(last - 1)] = m_slots[size_t(last - 2)];
}
