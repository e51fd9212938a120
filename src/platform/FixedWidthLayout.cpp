#include "platform/FixedWidthLayout.h"

#include <algorithm>

FixedWidthLayout::FixedWidthLayout(const TextBox& box, int width)
    : m_box(box), m_width(std::max(1, width)) {}

int FixedWidthLayout::rowsFor(int length) const {
    return std::max(1, (length + m_width - 1) / m_width);
}

int FixedWidthLayout::lineLength(int line) const {
    return m_box.hardLineEnd(line) - m_box.hardLineStart(line);
}

int FixedWidthLayout::lineCount() {
    int rows = 0;
    for (int line = 0, n = m_box.hardLineCount(); line < n; ++line)
        rows += rowsFor(lineLength(line));
    return rows;
}

int FixedWidthLayout::lineFromChar(int pos) {
    const int line = m_box.hardLineFromChar(pos);
    int rows = 0;
    for (int l = 0; l < line; ++l)
        rows += rowsFor(lineLength(l));
    const int length = lineLength(line);
    const int column = std::min(pos - m_box.hardLineStart(line), length);
    return rows + std::min(column / m_width, rowsFor(length) - 1);
}
