#include "notation/NotationCount.h"
#include "platform/TextBox.h"
#include "support/QtPrinters.h"
#include "vertical/PageRenderer.h"
#include "vertical/VerticalLayout.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace vertical;

namespace {

// How each character or run is set in a column: the text, the cell [start, end) and the
// setting expected.
struct SettingCase {
    const char16_t* line;
    int start, end;
    Setting expected;
};

const SettingCase kSettings[] = {
    {u"漢", 0, 1, Setting::Upright},
    {u"か\u3099", 0, 2, Setting::Upright}, // a combining mark rides on its character
    {u"Ａ", 0, 1, Setting::Upright},       // full-width letters stand
    {u"、", 0, 1, Setting::UprightForm},
    {u"ぁ", 0, 1, Setting::UprightForm},
    {u"！", 0, 1, Setting::UprightForm},
    {u"「", 0, 1, Setting::TurnedForm},
    {u"）", 0, 1, Setting::TurnedForm},
    {u"ー", 0, 1, Setting::TurnedForm},
    {u"〜", 0, 1, Setting::TurnedForm},
    {u"…", 0, 1, Setting::Sideways},
    {u"Pallo", 1, 2, Setting::Sideways},
    {u"ab", 0, 2, Setting::Sideways},  // two half-width letters sharing a cell
    {u"第1話", 1, 2, Setting::Across}, // 縦中横: one or two digits
    {u"第12話", 1, 3, Setting::Across},
    {u"第12話", 2, 3, Setting::Across}, // a digit of a short run in a cell of its own
    {u"2026年", 0, 2, Setting::Sideways}, // longer runs go on their side
    {u"2026年", 3, 4, Setting::Sideways},
    {u"え!?", 1, 3, Setting::Across},
    {u"!!", 0, 2, Setting::Across},
    {u"!!!", 1, 2, Setting::Sideways},
    {u"1!", 0, 1, Setting::Across}, // digits and marks are runs of their own
    {u"。」", 0, 2, Setting::Stacked},
};

TEST(VerticalSetting, OrientationAndAcross) {
    for (const SettingCase& c : kSettings) {
        const QString line = QString::fromUtf16(c.line);
        EXPECT_EQ(settingOf(line, c.start, c.end), c.expected)
            << line.toStdString() << " [" << c.start << ", " << c.end << ")";
    }
}

// The columns of a text: the visible characters of each column, columns split by "|".
QString columnsOf(VerticalLayout& layout, const TextBox& box) {
    QStringList columns;
    for (int p = 0; layout.hasPage(p); ++p) {
        for (const Column& column : layout.page(p).columns) {
            QString cells;
            for (const PlacedCell& cell : column.cells)
                cells += box.text().mid(cell.start, cell.end - cell.start);
            columns << cells;
        }
    }
    return columns.join(u'|');
}

std::vector<std::pair<int, int>> columnsOfPage(const Page& page) {
    std::vector<std::pair<int, int>> out;
    for (const Column& c : page.columns) out.emplace_back(c.start, c.end);
    return out;
}

struct BreakCase {
    const char16_t* text;
    int length;
    PageForm::Kind kind;
    notation::Target target;
    const char16_t* columns;
};

using K = PageForm::Kind;
using T = notation::Target;
const BreakCase kBreaks[] = {
    {u"あいうえおかきくけこ", 5, K::Manuscript, T::None, u"あいうえお|かきくけこ"},
    {u"あいうえお。かきく", 5, K::Manuscript, T::None, u"あいうえお。|かきく"},
    {u"あいうえお。」かき", 5, K::Manuscript, T::None, u"あいうえ|お。」かき"},
    {u"あいう「えおか", 4, K::Manuscript, T::None, u"あいう「|えおか"},
    {u"あいう「えおか", 4, K::Free, T::None, u"あいう|「えおか"},
    {u"漢字《かんじ》です。", 3, K::Manuscript, T::Aozora, u"漢字で|す。"},
    {u"漢字《かんじ》です。", 3, K::Manuscript, T::None, u"漢字《|かんじ》|です。"},
    {u"あいうえおか\r\n\r\nき", 5, K::Manuscript, T::None, u"あいうえお|か||き"},
    {u"第12話", 2, K::Manuscript, T::None, u"第1|2話"},
};

// Where columns break: the preview breaks a manuscript page exactly where the count breaks its
// lines, so both find the same number of manuscript lines.
TEST(VerticalColumns, BreakWhereTheCountBreaks) {
    for (const BreakCase& c : kBreaks) {
        TextBox box;
        box.setText(QString::fromUtf16(c.text));
        VerticalLayout layout(box);
        manuscript::GridOptions grid;
        grid.columns = c.length;
        layout.setOptions(c.target, grid, PageForm{c.kind, c.length, 20});
        const QString expected = QString::fromUtf16(c.columns);
        EXPECT_EQ(columnsOf(layout, box), expected) << box.text().toStdString();
        if (c.kind == K::Manuscript) {
            const notation::Totals totals = notation::countText(c.target, grid, box.text());
            EXPECT_EQ(totals.manuscriptLines, expected.count(u'|') + 1) << box.text().toStdString();
        }
    }
}

// Edits keep the columns counted before the edited line; every page, and the page of every
// position, is then what a fresh layout of the edited text finds.
TEST(VerticalColumns, EditsAgreeWithAFreshLayout) {
    struct Edit {
        int pos, removed;
        const char16_t* inserted;
    };
    const Edit edits[] = {{0, 0, u"「はじめに」\r\n"}, {40, 3, u""}, {12, 0, u"ながいながい行を足すと"},
                          {25, 6, u"\r\n\r\n"}, {5, 0, u"漢字《かんじ》"}};
    QStringList lines;
    for (int i = 0; i < 30; ++i) lines << QStringLiteral("行%1、あいうえおかきくけこさしすせそ。").arg(i);
    TextBox box;
    box.setText(lines.join(QStringLiteral("\r\n")));
    VerticalLayout kept(box);
    const PageForm form{K::Free, 8, 5};
    kept.setOptions(T::Aozora, {}, form);
    (void)kept.pageCount();
    for (const Edit& e : edits) {
        box.replace(e.pos, e.removed, QString::fromUtf16(e.inserted));
        kept.invalidateFrom(e.pos);
        VerticalLayout fresh(box);
        fresh.setOptions(T::Aozora, {}, form);
        for (int pos = 0; pos <= box.length(); pos += 7)
            ASSERT_EQ(kept.pageOf(pos), fresh.pageOf(pos)) << pos;
        ASSERT_EQ(kept.pageCount(), fresh.pageCount());
        for (int p = 0; p < fresh.pageCount(); ++p)
            ASSERT_EQ(columnsOfPage(kept.page(p)), columnsOfPage(fresh.page(p)));
    }
}

// Cells stand in columns from the right edge leftwards and rows from the top down, the
// hanging cell below the last row still on the page, for any cell size and form.
TEST(VerticalGeometry, CellsRunRightToLeftTopToBottom) {
    for (const PageForm form : {PageForm{K::Manuscript, 20, 20}, PageForm{K::Bunko, 39, 16}}) {
        for (const double cell : {10.0, 23.5}) {
            for (const int pages : {1, 2}) {
                const PageGeometry g{form, cell, pages};
                const QRectF page(0, 0, g.viewWidth(), g.pageHeight());
                for (int side = 0; side < pages; ++side) {
                    const QRectF first = g.cellRect(side, 0, 0);
                    EXPECT_EQ(first.size(), QSizeF(cell, cell));
                    EXPECT_TRUE(page.contains(g.cellRect(side, form.columnsPerPage - 1,
                                                         form.charsPerColumn)));
                    EXPECT_DOUBLE_EQ(g.cellRect(side, 1, 0).left(), first.left() - g.pitch());
                    EXPECT_DOUBLE_EQ(g.cellRect(side, 0, 1).top(), first.bottom());
                    // Ruby stands right of its cell, inside the column's room.
                    EXPECT_DOUBLE_EQ(g.besideRect(side, 0, 0).left(), first.right());
                    EXPECT_LT(g.besideRect(side, 0, 0).right(), g.cellRect(side, 0, 0).left() + g.pitch() + 1e-9);
                }
                if (pages == 2)
                    EXPECT_LT(g.cellRect(1, 0, 0).left(), g.cellRect(0, form.columnsPerPage - 1, 0).left());
                const double fit = PageGeometry::cellToFit(form, pages, 800, 600);
                const PageGeometry fitted{form, fit, pages};
                EXPECT_LE(fitted.viewWidth(), 800 + 1e-6);
                EXPECT_LE(fitted.pageHeight(), 600 + 1e-6);
            }
        }
    }
}

// The ink of one character drawn alone on a page, in the cell's coordinates (0..1).
QRectF inkOf(const QString& text, double cell, const QString& family) {
    TextBox box;
    box.setText(text);
    VerticalLayout layout(box);
    const PageForm form{K::Free, 4, 2};
    layout.setOptions(T::None, {}, form);
    const PageGeometry g{form, cell, 1};
    QImage image(int(g.viewWidth()) + 1, int(g.pageHeight()) + 1, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    VerticalFont font{QFont(family)};
    PageRenderer(font).paint(p, box.text(), layout.page(0), g, 0, PaintOptions{});
    p.end();
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) ink |= QRect(x, y, 1, 1);
    const QRectF c = g.cellRect(0, 0, 0);
    return {(ink.left() - c.left()) / cell, (ink.top() - c.top()) / cell, ink.width() / cell,
            ink.height() / cell};
}

// In the font's vertical forms a full stop stands in the upper right of its cell, an opening
// bracket is turned (wider than tall, in the lower half, before the text it opens) and a long
// vowel mark runs down.
TEST(VerticalGlyphs, StopsUpperRightBracketsTurned) {
    const QString family = QStringLiteral("MotoyaLCedar");
    if (QFontInfo(QFont(family)).family() != family) GTEST_SKIP() << "no Japanese font";
    for (const double cell : {24.0, 48.0}) {
        const QRectF stop = inkOf(QStringLiteral("。"), cell, family);
        EXPECT_GT(stop.left(), 0.45) << cell;
        EXPECT_LT(stop.bottom(), 0.55) << cell;
        const QRectF comma = inkOf(QStringLiteral("、"), cell, family);
        EXPECT_GT(comma.left(), 0.45) << cell;
        EXPECT_LT(comma.bottom(), 0.55) << cell;
        const QRectF dash = inkOf(QStringLiteral("ー"), cell, family);
        EXPECT_GT(dash.height(), 2 * dash.width()) << cell;
        const QRectF bracket = inkOf(QStringLiteral("「"), cell, family);
        EXPECT_GT(bracket.top(), 0.4) << cell;
        EXPECT_GT(bracket.width(), bracket.height()) << cell;
        const QRectF kanji = inkOf(QStringLiteral("国"), cell, family);
        EXPECT_GT(kanji.left(), 0);
        EXPECT_LT(kanji.right(), 1);
        EXPECT_NEAR(kanji.center().x(), 0.5, 0.08) << cell;
        EXPECT_NEAR(kanji.center().y(), 0.5, 0.1) << cell;
    }
}

} // namespace
