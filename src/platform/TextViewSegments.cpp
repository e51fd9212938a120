#include "platform/TextViewSegments.h"

#include "platform/TextBox.h"
#include "platform/TextViewMeasure.h"
#include "platform/TextViewText.h"

#include <algorithm>

int TextViewSegments::cutsUpTo(int pos) const {
    return int(std::upper_bound(m_cuts.begin(), m_cuts.end(), pos) - m_cuts.begin());
}

// The segment of cut i is block hardLineFromChar(cut) + i + 1, which grows with i.
int TextViewSegments::cutsInBlocks(int block) const {
    int lo = 0;
    int hi = int(m_cuts.size());
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (m_model.hardLineFromChar(m_cuts[mid]) + mid + 1 <= block)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

bool TextViewSegments::isContinuation(int block) const {
    return block > 0 && cutsInBlocks(block) > cutsInBlocks(block - 1);
}

void TextViewSegments::replaceCuts(int from, int to, int added) {
    const auto first = std::upper_bound(m_cuts.begin(), m_cuts.end(), from);
    const auto last = std::upper_bound(first, m_cuts.end(), to);
    const auto rest = m_cuts.erase(first, last);
    for (auto it = rest; it != m_cuts.end(); ++it)
        *it += added - (to - from);
}

TextViewSegments::LongLine* TextViewSegments::find(int line) {
    const auto it = std::lower_bound(m_long.begin(), m_long.end(), line,
                                     [](const LongLine& l, int n) { return l.line < n; });
    return it != m_long.end() && it->line == line ? &*it : nullptr;
}

TextViewSegments::LongLine& TextViewSegments::ensure(int line) {
    const auto it = std::lower_bound(m_long.begin(), m_long.end(), line,
                                     [](const LongLine& l, int n) { return l.line < n; });
    if (it != m_long.end() && it->line == line) return *it;
    LongLine added;
    added.line = line;
    return *m_long.insert(it, std::move(added));
}

void TextViewSegments::linesReplaced(int first, int removed, int inserted) {
    const auto from = std::lower_bound(m_long.begin(), m_long.end(), first,
                                       [](const LongLine& l, int n) { return l.line < n; });
    auto to = from;
    while (to != m_long.end() && to->line < first + removed)
        ++to;
    if (to != from) orphansPossible = true;
    const auto rest = m_long.erase(from, to);
    for (auto it = rest; it != m_long.end(); ++it)
        it->line += inserted - removed;
}

void TextViewSegments::erase(int line) {
    linesReplaced(line, 1, 1);
}

void TextViewSegments::markDirty(int first, int last) {
    for (LongLine& l : m_long)
        if (l.line >= first && l.line <= last) l.dirty = true;
}

void TextViewSegments::forgetStarts() {
    for (LongLine& l : m_long) {
        l.starts.clear();
        l.dirty = true;
    }
}

void TextViewSegments::clear() {
    m_cuts.clear();
    m_long.clear();
    orphansPossible = false;
}

namespace segments {

std::vector<int> chooseCuts(const std::vector<int>& starts, int length,
                            const std::vector<int>& current) {
    std::vector<int> out;
    if (length < TextViewSegments::LongLength / 2) return out;
    int segStart = 0;
    // Cuts the segment from segStart to segEnd down to size at wrapped line starts. A single
    // wrapped line longer than a segment (text without break opportunities) stays whole.
    const auto fill = [&](int segEnd) {
        while (segEnd - segStart > TextViewSegments::MaxSegment) {
            auto it = std::upper_bound(starts.begin(), starts.end(),
                                       segStart + TextViewSegments::TargetSegment);
            int cut = -1;
            if (it != starts.begin() && *(it - 1) > segStart)
                cut = *(it - 1);
            else if (it != starts.end())
                cut = *it;
            if (cut <= segStart || cut >= segEnd) return;
            out.push_back(cut);
            segStart = cut;
        }
    };
    for (const int cut : current) {
        if (cut <= segStart || cut >= length ||
            !std::binary_search(starts.begin(), starts.end(), cut))
            continue;
        fill(cut);
        out.push_back(cut);
        segStart = cut;
    }
    fill(length);
    return out;
}

void updateStarts(TextViewMeasure& measure, QStringView line, std::vector<int>& starts, int at,
                  int removed, int added) {
    constexpr int Step = 512;
    constexpr int Lookahead = 256;
    const int length = int(line.size());
    const int delta = added - removed;
    // The edit may also let the first word of its wrapped line move up to the line before.
    const auto holding = std::upper_bound(starts.begin(), starts.end(), at);
    const auto from = holding - starts.begin() >= 2 ? holding - 2 : starts.begin();
    std::vector<int> old(std::lower_bound(from, starts.end(), at + removed), starts.end());
    for (int& s : old)
        s += delta;
    starts.erase(from + 1, starts.end());
    if (starts.empty()) starts.push_back(0);

    const int editEnd = at + added;
    int cur = starts.back();
    int step = Step;
    for (;;) {
        const int until = std::min(length, std::max(cur, editEnd) + step);
        const int pieceEnd = std::min(length, until + Lookahead);
        const bool wholeRest = pieceEnd == length;
        std::vector<int> piece;
        if (!measure.pieceStarts(TextViewText::toDocument(line.mid(cur, pieceEnd - cur)),
                                 until - cur, wholeRest, piece)) {
            step *= 4; // no break opportunity close behind: a longer piece
            continue;
        }
        for (size_t i = 1; i < piece.size(); ++i) {
            const int s = cur + piece[i];
            if (s >= editEnd) {
                const auto met = std::lower_bound(old.begin(), old.end(), s);
                if (met != old.end() && *met == s) {
                    starts.insert(starts.end(), met, old.end());
                    return;
                }
            }
            starts.push_back(s);
        }
        if (wholeRest) return;
        if (starts.back() == cur) {
            step *= 4; // one wrapped line longer than the piece
            continue;
        }
        cur = starts.back();
        step = Step;
    }
}

} // namespace segments
