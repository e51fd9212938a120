#pragma once

#include "notation/ManuscriptGrid.h"
#include "notation/Notation.h"
#include "vertical/VerticalText.h"

#include <QRectF>
#include <QString>
#include <vector>

class TextBox;

// Pages of vertical columns over the document, laid out a page at a time. The columns break
// where the manuscript count breaks its lines (manuscript::columnStarts), so the preview, the
// printout and the count agree.
namespace vertical {

// A page form: characters per column and columns per page.
struct PageForm {
    enum class Kind { Manuscript, Bunko, Free };
    Kind kind = Kind::Manuscript;
    int charsPerColumn = 20;
    int columnsPerPage = 20;
    bool spread() const { return kind == Kind::Bunko; } // two pages side by side
    bool gridDrawn() const { return kind == Kind::Manuscript; }
    bool operator==(const PageForm&) const = default;
};

inline constexpr int kBunkoChars = 39;
inline constexpr int kBunkoColumns = 16;
inline constexpr int kFreeLimit = 200;

// What the writer chose in the preview, kept in section "data" of Pallo.ini.
struct VerticalSettings {
    PageForm::Kind kind = PageForm::Kind::Manuscript;
    int freeChars = 30;
    int freeColumns = 12;
    bool printVertical = false; // 印刷 prints this layout instead of the horizontal one
    bool operator==(const VerticalSettings&) const = default;
};
VerticalSettings loadVerticalSettings(const QString& iniPath);
void saveVerticalSettings(const QString& iniPath, const VerticalSettings& settings);

// The form a choice stands for; the manuscript form takes the count's grid, so both count the
// same lines and pages.
PageForm pageForm(const VerticalSettings& settings, const manuscript::GridOptions& grid);

struct PlacedCell {
    int start = 0; // document positions of the characters in the cell
    int end = 0;
    Setting setting = Setting::Upright;
    bool emphasis = false; // 傍点 beside it
};

struct RubyText {
    int firstCell = 0; // cells of the column the reading stands beside
    int lastCell = 0;
    QString reading;
};

struct Column {
    int start = 0; // document range of the column
    int end = 0;
    std::vector<PlacedCell> cells; // beyond charsPerColumn: hanging below the last cell
    std::vector<RubyText> ruby;
};

struct Page {
    int index = 0;
    std::vector<Column> columns; // the first is the rightmost
};

class VerticalLayout {
public:
    explicit VerticalLayout(const TextBox& box) : m_box(box) {}

    void setOptions(notation::Target target, const manuscript::GridOptions& cells,
                    const PageForm& form);
    const PageForm& form() const { return m_form; }

    // After an edit at `pos`: the lines from the one holding `pos` are laid out again when
    // next asked for; those before keep their columns.
    void invalidateFrom(int pos);

    // The page holding document position `pos`.
    int pageOf(int pos);
    // Whether page `index` has any column; lays out no further than needed to tell.
    bool hasPage(int index);
    // The pages of the whole text (lays out every line not yet counted).
    int pageCount();
    bool complete() const;
    Page page(int index);
    // The column and cell of the page that hold `pos`, or {-1, -1}.
    static std::pair<int, int> cellOf(const Page& page, int pos);

private:
    void countLinesThrough(int line);
    void lineColumns(int line, std::vector<int>& starts);

    const TextBox& m_box;
    notation::Target m_target = notation::Target::None;
    manuscript::GridOptions m_cellOptions;
    PageForm m_form;
    // Columns before each counted line: m_before[l] for l in [0, counted lines].
    std::vector<int> m_before{0};
    notation::LineParse m_parse;
    std::vector<manuscript::Cell> m_cells;
};

// Where the cells of a page form stand, in units of the page, for a cell of `cell` units: the
// columns run right to left with room for ruby to the right of each, the rows top to bottom,
// and a hanging cell has room below the last row.
struct PageGeometry {
    PageForm form;
    double cell = 10;
    int pages = 1; // 2: a spread, the earlier page on the right
    double pitch() const { return cell * 1.5; }
    double margin() const { return cell * 1.5; }
    double pageWidth() const { return 2 * margin() + form.columnsPerPage * pitch(); }
    double pageHeight() const { return 2 * margin() + form.charsPerColumn * cell; }
    // Both pages of a spread side by side; one page otherwise.
    double viewWidth() const { return pageWidth() * pages; }
    // `side` 0 is the page on the right (the earlier of a spread).
    QRectF cellRect(int side, int column, int row) const;
    // The room for ruby and 傍点 to the right of a cell.
    QRectF besideRect(int side, int column, int row) const;
    // The largest cell with which the view fits `width` × `height`.
    static double cellToFit(const PageForm& form, int pages, double width, double height);
};

} // namespace vertical
