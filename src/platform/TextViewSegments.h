#pragma once

#include <QStringView>
#include <vector>

class TextBox;
class TextViewMeasure;

// Qt lays a block out whole, and again after every change to it: a key typed in a line of a
// million characters would shape the million. So the view holds a long line as several blocks
// (segments), each ending where the line wraps anyway, so that the screen shows the line as one
// block would. The model never sees the segment breaks ("cuts"); a cut stands between model
// position cut - 1 and cut and is one block break in the document:
// document position = model position - CR LF pairs before it + cuts at or before it.
class TextViewSegments {
public:
    // A line longer than this is cut into segments; one shorter than half of it is whole again.
    static constexpr int LongLength = 2048;
    // A segment grows to at most MaxSegment code units; a new cut leaves about TargetSegment.
    static constexpr int TargetSegment = 1024;
    static constexpr int MaxSegment = 2048;

    struct LongLine {
        int line = 0;
        std::vector<int> starts; // wrapped line starts from the line's start; empty: unknown
        bool dirty = true;       // its cuts have not been checked against `starts` yet
    };

    explicit TextViewSegments(const TextBox& model) : m_model(model) {}

    // Cuts, sorted, in positions of the text the document holds.
    const std::vector<int>& cuts() const { return m_cuts; }
    std::vector<int>& cuts() { return m_cuts; }
    int cutsUpTo(int pos) const;
    // Cuts whose segment is document block `block` or one before it (model and document agree).
    int cutsInBlocks(int block) const;
    bool isContinuation(int block) const;
    // The document replaced model range (from, to] by `added` units: the cuts there are gone.
    void replaceCuts(int from, int to, int added);

    LongLine* find(int line);
    LongLine& ensure(int line);
    std::vector<LongLine>& lines() { return m_long; }
    // Lines [first, first + removed) became `inserted` lines whose segments are unknown.
    void linesReplaced(int first, int removed, int inserted);
    void erase(int line);
    // The cuts of lines [first, last] went with a replaced range of the document.
    void markDirty(int first, int last);
    // Every line's wrapped starts are unknown (width or font changed).
    void forgetStarts();
    void clear();
    // Some cut may stand in a line that is no longer long.
    bool orphansPossible = false;

private:
    const TextBox& m_model;
    std::vector<int> m_cuts;
    std::vector<LongLine> m_long; // sorted by line
};

namespace segments {

// Cuts (offsets in a line of `length`) for a line wrapped at `starts`: the current cuts that are
// still wrapped line starts stay, so an edit moves as few block breaks as possible; a segment
// longer than MaxSegment gets another cut at a line start.
std::vector<int> chooseCuts(const std::vector<int>& starts, int length,
                            const std::vector<int>& current);

// Brings the wrapped line starts of `line` (model text of one line) up to date after `removed`
// code units at `at` became `added`. Lays out from the line before the edit onwards and stops
// where a new start meets an old one behind the edit: from there on nothing changed.
void updateStarts(TextViewMeasure& measure, QStringView line, std::vector<int>& starts, int at,
                  int removed, int added);

} // namespace segments
