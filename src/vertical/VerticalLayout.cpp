#include "vertical/VerticalLayout.h"

#include "command/Settings.h"
#include "platform/TextBox.h"

#include <QStringList>
#include <algorithm>

namespace vertical {

namespace {

const QString kFormKey = QStringLiteral("tateform");
const QString kFreeKey = QStringLiteral("tatefree");
const QString kPrintKey = QStringLiteral("tateprint");
const QString kFormNames[] = {QStringLiteral("genkou"), QStringLiteral("bunko"),
                              QStringLiteral("free")};

} // namespace

VerticalSettings loadVerticalSettings(const QString& iniPath) {
    VerticalSettings s;
    const auto read = [&](const QString& key) {
        return readSetting(settings::kSection, key, iniPath);
    };
    const QString form = read(kFormKey);
    for (int i = 0; i < 3; ++i)
        if (form == kFormNames[i]) s.kind = PageForm::Kind(i);
    // "30x12": characters per column by columns per page.
    const QStringList free = read(kFreeKey).split(u'x');
    if (free.size() == 2) {
        bool okChars = false, okColumns = false;
        const int chars = free[0].toInt(&okChars), columns = free[1].toInt(&okColumns);
        if (okChars && okColumns && chars >= 1 && chars <= kFreeLimit && columns >= 1 &&
            columns <= kFreeLimit)
            s.freeChars = chars, s.freeColumns = columns;
    }
    s.printVertical = read(kPrintKey) == u"1";
    return s;
}

void saveVerticalSettings(const QString& iniPath, const VerticalSettings& s) {
    writeSetting(settings::kSection, kFormKey, iniPath, kFormNames[int(s.kind)]);
    writeSetting(settings::kSection, kFreeKey, iniPath,
                 QStringLiteral("%1x%2").arg(s.freeChars).arg(s.freeColumns));
    writeSetting(settings::kSection, kPrintKey, iniPath,
                 s.printVertical ? QStringLiteral("1") : QStringLiteral("0"));
}

PageForm pageForm(const VerticalSettings& s, const manuscript::GridOptions& grid) {
    switch (s.kind) {
    case PageForm::Kind::Manuscript:
        return {s.kind, grid.columns, grid.rows};
    case PageForm::Kind::Bunko:
        return {s.kind, kBunkoChars, kBunkoColumns};
    case PageForm::Kind::Free:
        break;
    }
    return {s.kind, std::clamp(s.freeChars, 1, kFreeLimit), std::clamp(s.freeColumns, 1, kFreeLimit)};
}

void VerticalLayout::setOptions(notation::Target target, const manuscript::GridOptions& cells,
                                const PageForm& form) {
    if (target == m_target && cells == m_cellOptions && form == m_form) return;
    m_target = target;
    m_cellOptions = cells;
    m_form = form;
    m_before.assign(1, 0);
}

void VerticalLayout::invalidateFrom(int pos) {
    const int line = m_box.hardLineFromChar(std::clamp(pos, 0, m_box.length()));
    if (int(m_before.size()) > line + 1) m_before.resize(line + 1);
}

bool VerticalLayout::complete() const {
    return int(m_before.size()) > m_box.hardLineCount();
}

// The cells of a line and where its columns start. The manuscript form breaks exactly as the
// count does; the book forms also keep an opening bracket off the end of a column.
void VerticalLayout::lineColumns(int line, std::vector<int>& starts) {
    const int start = m_box.hardLineStart(line);
    // Read where it lies: the text after an edit may still be behind its hole.
    const QStringView text = m_box.view(start, m_box.hardLineEnd(line));
    notation::parseLine(m_target, text, m_parse);
    manuscript::cellsOf(text, m_parse.hidden, m_cellOptions, m_cells);
    manuscript::columnStarts(m_cells, m_form.charsPerColumn,
                             m_form.kind != PageForm::Kind::Manuscript, starts);
}

void VerticalLayout::countLinesThrough(int line) {
    static thread_local std::vector<int> starts;
    const int last = std::min(line, m_box.hardLineCount() - 1);
    while (int(m_before.size()) - 1 <= last) {
        lineColumns(int(m_before.size()) - 1, starts);
        m_before.push_back(m_before.back() + int(starts.size()));
    }
}

int VerticalLayout::pageOf(int pos) {
    pos = std::clamp(pos, 0, m_box.length());
    const int line = m_box.hardLineFromChar(pos);
    countLinesThrough(line);
    std::vector<int> starts;
    lineColumns(line, starts);
    const int offset = pos - m_box.hardLineStart(line);
    int column = 0;
    for (int k = 1; k < int(starts.size()); ++k)
        if (m_cells[starts[k]].start <= offset) column = k;
    return (m_before[line] + column) / std::max(1, m_form.columnsPerPage);
}

bool VerticalLayout::hasPage(int index) {
    if (index < 0) return false;
    const int first = index * std::max(1, m_form.columnsPerPage);
    while (m_before.back() <= first && !complete()) countLinesThrough(int(m_before.size()) - 1);
    return m_before.back() > first;
}

int VerticalLayout::pageCount() {
    countLinesThrough(m_box.hardLineCount() - 1);
    const int perPage = std::max(1, m_form.columnsPerPage);
    return std::max(1, (m_before.back() + perPage - 1) / perPage);
}

Page VerticalLayout::page(int index) {
    Page page;
    page.index = index;
    if (!hasPage(index)) return page;
    const int perPage = std::max(1, m_form.columnsPerPage);
    const int first = index * perPage;
    // The line holding the page's first column.
    int line = int(std::upper_bound(m_before.begin(), m_before.end(), first) - m_before.begin()) - 1;
    int skip = first - m_before[line];
    std::vector<int> starts;
    const int lines = m_box.hardLineCount();
    for (; line < lines && int(page.columns.size()) < perPage; ++line, skip = 0) {
        lineColumns(line, starts);
        const int lineStart = m_box.hardLineStart(line);
        const QStringView text = m_box.view(lineStart, m_box.hardLineEnd(line));
        for (int k = skip; k < int(starts.size()) && int(page.columns.size()) < perPage; ++k) {
            Column column;
            const int from = starts[k];
            const int to = k + 1 < int(starts.size()) ? starts[k + 1] : int(m_cells.size());
            for (int c = from; c < to; ++c) {
                const manuscript::Cell& cell = m_cells[c];
                column.cells.push_back({lineStart + cell.start, lineStart + cell.end,
                                        settingOf(text, cell.start, cell.end), false});
            }
            column.start = from < to ? lineStart + m_cells[from].start : lineStart + int(text.size());
            column.end = from < to ? lineStart + m_cells[to - 1].end : column.start;
            if (from == 0) column.start = lineStart;
            for (const notation::Span& span : m_parse.spans) {
                int firstCell = -1, lastCell = -1;
                for (int c = from; c < to; ++c) {
                    if (m_cells[c].start < span.base.end && m_cells[c].end > span.base.start) {
                        if (firstCell < 0) firstCell = c - from;
                        lastCell = c - from;
                    }
                }
                if (firstCell < 0) continue;
                if (span.kind == notation::Span::Kind::Emphasis) {
                    for (int c = firstCell; c <= lastCell; ++c) column.cells[c].emphasis = true;
                } else if (firstCell > 0 || from == 0 || m_cells[from - 1].end <= span.base.start) {
                    // A base broken over two columns carries its reading in the first.
                    column.ruby.push_back({firstCell, lastCell,
                                           text.mid(span.reading.start, span.reading.size())
                                               .toString()});
                }
            }
            page.columns.push_back(std::move(column));
        }
    }
    return page;
}

std::pair<int, int> VerticalLayout::cellOf(const Page& page, int pos) {
    for (int c = 0; c < int(page.columns.size()); ++c) {
        const Column& column = page.columns[c];
        const bool last = c + 1 == int(page.columns.size());
        const bool nextStartsHere = !last && page.columns[c + 1].start == pos;
        if (pos < column.start || pos > column.end || (pos == column.end && nextStartsHere))
            continue;
        for (int i = int(column.cells.size()) - 1; i >= 0; --i)
            if (column.cells[i].start <= pos && pos < column.cells[i].end) return {c, i};
        int i = 0;
        while (i < int(column.cells.size()) && column.cells[i].end <= pos) ++i;
        return {c, i};
    }
    return {-1, -1};
}

QRectF PageGeometry::cellRect(int side, int column, int row) const {
    const double pageLeft = pages == 2 && side == 0 ? pageWidth() : 0;
    const double right = pageLeft + pageWidth() - margin() - column * pitch();
    return {right - pitch(), margin() + row * cell, cell, cell};
}

QRectF PageGeometry::besideRect(int side, int column, int row) const {
    const QRectF c = cellRect(side, column, row);
    return {c.right(), c.top(), pitch() - cell, cell};
}

double PageGeometry::cellToFit(const PageForm& form, int pages, double width, double height) {
    const PageGeometry unit{form, 1, pages};
    return std::max(0.0, std::min(width / unit.viewWidth(), height / unit.pageHeight()));
}

} // namespace vertical
