#pragma once

#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QStringView>
#include <QTextLayout>
#include <QTextOption>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QPaintDevice;

// One document line laid out in rows of one extent each. The view asks it for rows and
// positions only: a vertical direction lays its rows out right to left and answers the same
// questions. Coordinates are relative to the line's origin, the corner of its first row.
class LaidOutLine {
public:
    virtual ~LaidOutLine() = default;
    virtual int rowCount() const = 0;
    // The row holding `column` (0 .. length); a column on a wrap point begins the next row.
    virtual int rowOf(int column) const = 0;
    virtual int rowStart(int row) const = 0;
    // The caret rectangle before `column`.
    virtual QRectF caretRect(int column) const = 0;
    // The column nearest to `point`.
    virtual int columnAt(QPointF point) const = 0;
    // Draws rows [firstRow, lastRow) at `origin` with `ranges` highlighted, and the caret
    // before `caretColumn` unless it is negative.
    virtual void draw(QPainter& p, QPointF origin, const QList<QTextLayout::FormatRange>& ranges,
                      int caretColumn, int firstRow, int lastRow) const = 0;
    // Where the glyph at `column` stands, for marks drawn over the text.
    virtual QRectF glyphRect(int column) const = 0;
    // The widest row, for a view that does not wrap.
    virtual qreal naturalWidth() const = 0;
};

// Lays lines out for a font and a width (the extent of a row across the text). Every row has
// the same height, so a row number is a place on screen without laying anything out.
class LineLayouter {
public:
    // Columns [from, to) of a long line, as shown.
    using TextSource = std::function<QString(int from, int to)>;

    virtual ~LineLayouter() = default;
    virtual void configure(const QFont& font, const QTextOption& option, qreal width,
                           const QPaintDevice* device) = 0;
    // A whole line. `preedit` is shown at `preeditColumn` and takes columns of its own there.
    virtual std::unique_ptr<LaidOutLine> layout(const QString& text, int preeditColumn = -1,
                                                const QString& preedit = {}) const = 0;
    // A long line whose rows begin at `starts` (as TextViewMeasure gives them): only the rows
    // asked about or drawn are laid out, a piece at a time.
    virtual std::unique_ptr<LaidOutLine> layoutLong(std::vector<int> starts, int length,
                                                    TextSource text) const = 0;
    virtual qreal rowExtent() const = 0;
};

// Rows left to right, top to bottom, broken as QTextLayout breaks them.
class HorizontalLayouter final : public LineLayouter {
public:
    void configure(const QFont& font, const QTextOption& option, qreal width,
                   const QPaintDevice* device) override;
    std::unique_ptr<LaidOutLine> layout(const QString& text, int preeditColumn = -1,
                                        const QString& preedit = {}) const override;
    std::unique_ptr<LaidOutLine> layoutLong(std::vector<int> starts, int length,
                                            TextSource text) const override;
    qreal rowExtent() const override { return m_rowHeight; }

private:
    QFont m_font;
    QTextOption m_option;
    qreal m_width = 0;
    qreal m_rowHeight = 1;
    qreal m_ascent = 0;
};
