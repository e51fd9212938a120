#pragma once

#include "notation/ManuscriptGrid.h"
#include "notation/Notation.h"

#include <vector>

class TextBox;

// The counts a site or a contest makes of a text: characters without the ruby readings and
// the marks, the spans, the notation problems and the 原稿用紙換算 manuscript lines, all in one
// pass over each line.
namespace notation {

struct LineStats {
    int chars = 0;  // characters the plain text keeps, blanks included
    int blanks = 0; // of which blanks (spaces, ideographic spaces, tabs, lone CR or LF)
    int ruby = 0;
    int emphasis = 0;
    int manuscriptLines = 0;
    std::vector<Problem> problems;
};

struct Totals {
    qint64 withBlanks = 0;    // line breaks included
    qint64 withoutBlanks = 0; // neither blanks nor line breaks
    qint64 ruby = 0;
    qint64 emphasis = 0;
    qint64 manuscriptLines = 0;
    qint64 problems = 0;
    qint64 lines = 0;
    bool operator==(const Totals&) const = default;
};

struct LineProblem {
    int line = 0; // from 0
    Problem problem;
};

// Counts lines with reusable buffers.
class LineCounter {
public:
    LineCounter(Target target, const manuscript::GridOptions& grid)
        : m_target(target), m_grid(grid) {}
    void count(QStringView line, LineStats& out);

private:
    Target m_target;
    manuscript::GridOptions m_grid;
    LineParse m_parse;
    std::vector<manuscript::Cell> m_cells;
};

// The whole text at once; `problems`, when given, receives every problem with its line.
Totals countText(Target target, const manuscript::GridOptions& grid, QStringView text,
                 std::vector<LineProblem>* problems = nullptr);

// The counts of a text kept up to date as it changes: a change recounts only the lines it
// touched, so a key costs the same on a short text and on a long one.
class LiveCount {
public:
    void reset(Target target, const manuscript::GridOptions& grid, QStringView text);
    // After the box's text changed: `removed` units at `pos` became `inserted` units (the
    // box's textReplaced delta).
    void update(const TextBox& box, int pos, int removed, int inserted);

    // A last line with nothing to show (the text ends with a line break) takes no manuscript
    // line: the break ends the line before it.
    Totals totals() const;
    Target target() const { return m_target; }
    const manuscript::GridOptions& grid() const { return m_grid; }
    // Every problem in line order.
    std::vector<LineProblem> problems() const;

private:
    void add(const LineStats& s, int sign);
    void replaceLines(int first, int oldCount, std::vector<LineStats>& fresh);

    Target m_target = Target::None;
    manuscript::GridOptions m_grid;
    Totals m_totals;
    // Lines in blocks, so that a line break typed into a long text moves a block, not the text.
    std::vector<std::vector<LineStats>> m_blocks;
};

} // namespace notation
