#pragma once

#include "notation/Notation.h"

#include <vector>

// Where a line of a manuscript grid breaks. The 原稿用紙換算 count and the vertical preview use
// the very same cells and breaks, so what the writer sees is what the count counts.
namespace manuscript {

// 、。」 and the small kana never begin a column; opening brackets never end one.
bool isLineStartProhibited(char32_t c);
bool isLineEndProhibited(char32_t c);

struct GridOptions {
    int columns = 20; // cells of one manuscript line
    int rows = 20;    // lines of one page
    bool closingShares = false; // 。」 and 、」 share a cell
    bool narrowPairs = false;   // two half-width letters or digits share a cell
    bool operator==(const GridOptions&) const = default;
};

// One cell: the characters [start, end) of the line that sit in it.
struct Cell {
    int start = 0;
    int end = 0;
    bool noStart = false; // may not begin a column
    bool noEnd = false;   // may not end a column
};

// The cells of one line, skipping what `hidden` hides (sorted, disjoint ranges of the line).
void cellsOf(QStringView line, const std::vector<notation::Range>& hidden,
             const GridOptions& options, std::vector<Cell>& out);

// The index of the first cell of every column of `columnLength` cells. A prohibited cell that
// would begin a column hangs below the last cell instead (one per column); a second one is
// pushed down with the cell before it. `keepOpeners` also keeps an opening bracket off the end
// of a column (the preview's rule; the count follows the writers' rules, which have none).
void columnStarts(const std::vector<Cell>& cells, int columnLength, bool keepOpeners,
                  std::vector<int>& starts);

// How many manuscript lines a line takes (an empty line takes one).
int lineCount(const std::vector<Cell>& cells, int columnLength);

// "N枚M行": full pages and the lines over.
QString pagesText(qint64 lines, int rows);

} // namespace manuscript
