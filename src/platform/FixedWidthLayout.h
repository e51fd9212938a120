#pragma once

#include "platform/TextBox.h"

// Wraps every CR LF line of a TextBox after a fixed number of code units, the way a box of a
// fixed width with a monospaced font would: a line of length L takes max(1, ceil(L / width))
// rows. A position on a wrap point starts the next row, except at the end of the line.
// Counts are computed on demand from the text, so it suits tests and small documents.
class FixedWidthLayout final : public LineLayout {
public:
    FixedWidthLayout(const TextBox& box, int width);

    int lineCount() override;
    int lineFromChar(int pos) override;

    // Rows taken by a CR LF line of `length` code units.
    int rowsFor(int length) const;

private:
    int lineLength(int line) const;

    const TextBox& m_box;
    int m_width;
};
