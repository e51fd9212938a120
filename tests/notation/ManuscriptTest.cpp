#include "notation/NotationCount.h"

#include <gtest/gtest.h>

// The manuscript rules on a grid of five cells by four lines, small enough to see each break:
// short texts and the lines and pages they take.
namespace {

struct Row {
    const char16_t* text;
    int lines;
    const char* pages;
    bool closingShares = false;
    bool narrowPairs = false;
    notation::Target target = notation::Target::None;
};
void PrintTo(const Row& r, std::ostream* os) { *os << QString::fromUtf16(r.text).toStdString(); }

struct Manuscript : testing::TestWithParam<Row> {};

TEST_P(Manuscript, TakesLines) {
    const Row& r = GetParam();
    const manuscript::GridOptions grid{5, 4, r.closingShares, r.narrowPairs};
    const notation::Totals t = notation::countText(r.target, grid, QString::fromUtf16(r.text));
    EXPECT_EQ(t.manuscriptLines, r.lines);
    EXPECT_EQ(manuscript::pagesText(t.manuscriptLines, grid.rows), QString::fromUtf8(r.pages));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Manuscript,
    testing::Values(
        Row{u"", 0, "0枚0行"},
        Row{u"あいうえお", 1, "0枚1行"},
        Row{u"あいうえおか", 2, "0枚2行"},
        // Empty lines take a line each; the break that ends the text starts none.
        Row{u"あ\r\n\r\nい\r\n", 3, "0枚3行"},
        Row{u"　あいうえお\r\n　か", 3, "0枚3行"},
        // A stop that would begin a line hangs below the last cell; a second is pushed down
        // with the character before it, unless 。」 share a cell.
        Row{u"あいうえお。", 1, "0枚1行"},
        Row{u"あいうえおかきくけこ、", 2, "0枚2行"},
        Row{u"あいうえお。」", 2, "0枚2行"},
        Row{u"あいうえお。」", 1, "0枚1行", true},
        Row{u"あいうえおっ。", 2, "0枚2行"},
        Row{u"ーーーーーーー", 2, "0枚2行"},
        Row{u"abcdefghij", 2, "0枚2行"},
        Row{u"abcdefghij", 1, "0枚1行", false, true},
        Row{u"a漢bcdefghijk", 2, "0枚2行", false, true},
        Row{u"𠀋𠀋𠀋𠀋𠀋か\u3099", 2, "0枚2行"},
        Row{u"漢字《かんじ》あいう", 1, "0枚1行", false, false, notation::Target::Aozora},
        Row{u"あ\r\nい\r\nう\r\nえ\r\nお\r\nか\r\nき\r\nく\r\nけ", 9, "2枚1行"}));

// The preview's columns break where the count's lines do, and an opening bracket moves to the
// next column when the preview asks for it.
TEST(ManuscriptColumns, StartsOfColumns) {
    const QString line = QStringLiteral("あいうえ「かきくけこ。");
    std::vector<manuscript::Cell> cells;
    manuscript::cellsOf(line, {}, {}, cells);
    std::vector<int> starts;
    manuscript::columnStarts(cells, 5, false, starts);
    EXPECT_EQ(starts, (std::vector<int>{0, 5}));
    manuscript::columnStarts(cells, 5, true, starts);
    EXPECT_EQ(starts, (std::vector<int>{0, 4, 9}));
}

} // namespace
