#include "documents/PrintLayout.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct GridCase {
    double textHeight, width, height;
    int lineHeight, linesPerPage, rightEdge;
    double footerY;
    bool holdsBody;
};

class PageGrid : public testing::TestWithParam<GridCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const GridCase&, std::ostream* os) { *os << "row"; }

TEST_P(PageGrid, FollowsTheMeasuredFont) {
    const GridCase& c = GetParam();
    const printing::PageLayout l = printing::pageLayout(c.textHeight, c.width, c.height);
    EXPECT_EQ(l.lineHeight, c.lineHeight);
    EXPECT_EQ(l.linesPerPage, c.linesPerPage);
    EXPECT_EQ(l.rightEdge, c.rightEdge);
    EXPECT_DOUBLE_EQ(l.footerY(), c.footerY);
    EXPECT_EQ(l.holdsBody(), c.holdsBody);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageGrid,
    testing::Values(GridCase{4.0, 190, 280, 4, 70, 180, 276, true},
                    // Halves go to the even neighbour.
                    GridCase{4.5, 190, 280, 4, 70, 180, 276, true},
                    GridCase{5.5, 200.5, 277, 6, 46, 190, 270, true},
                    // A 1 pt font (or a printer reporting nothing) never divides by zero.
                    GridCase{0.35, 190, 280, 1, 280, 180, 279, true},
                    // Seven lines leave no room for a body line between header and footer.
                    GridCase{4.0, 190, 31, 4, 7, 180, 24, false},
                    GridCase{4.0, 190, 32, 4, 8, 180, 28, true}));

// 5 mm a code unit, 200 mm for "W"; with the right edge at 40 a line holds six units.
double fixedWidth(QStringView s) {
    double w = 0;
    for (QChar c : s)
        w += c == u'W' ? 200 : 5;
    return w;
}

struct BreakCase {
    const char16_t* text;
    QStringList lines;
};

class LineBreaks : public testing::TestWithParam<BreakCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const BreakCase&, std::ostream* os) { *os << "row"; }

TEST_P(LineBreaks, MatchThePrintedLines) {
    const QString text = QString::fromUtf16(GetParam().text);
    printing::LineBreaker breaker(text, 40, fixedWidth);
    QStringList lines;
    for (int pos = 0; pos < text.size() && lines.size() < 50;) {
        const printing::PrintedLine line = breaker.next(pos);
        lines << text.mid(pos, line.length);
        pos = line.next;
    }
    EXPECT_EQ(lines, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineBreaks,
    testing::Values(BreakCase{u"abc\r\ndef", {"abc", "def"}},
                    BreakCase{u"abcdefghijklmnopq", {"abcdef", "ghijkl", "mnopq"}},
                    BreakCase{u"abcdef\r\ng", {"abcdef", "g"}},
                    BreakCase{u"abc\r\n\r\ndef", {"abc", "", "def"}},
                    BreakCase{u"abc\r\n", {"abc"}}, BreakCase{u"\r\n", {""}},
                    BreakCase{u"a\rb\nc", {"a\rb\nc"}},
                    // Wider than the page: one character a line, no empty line after it.
                    BreakCase{u"WW\r\nab", {"W", "W", "ab"}},
                    // The pair would straddle the edge: it starts the next line instead.
                    BreakCase{u"abcde\U0001F600x", {"abcde", QString::fromUtf16(u"\U0001F600x")}},
                    BreakCase{u"W\U0001F600", {"W", QString::fromUtf16(u"\U0001F600")}}));

} // namespace
