#include "platform/LineLayouter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLine>

#include <algorithm>
#include <cmath>
#include <map>

namespace {

// Rows of a long line laid out together.
constexpr int kPieceRows = 32;

struct RowMetrics {
    qreal width;
    qreal height;
    qreal ascent;
};

// Lays `layout` out in rows of `m.height` whose baselines all stand `m.ascent` below the row's
// top, whatever fallback fonts a row needs; at most `maxRows` rows when it is given.
void layOutRows(QTextLayout& layout, const RowMetrics& m, int maxRows = -1) {
    layout.beginLayout();
    int row = 0;
    for (QTextLine line = layout.createLine(); line.isValid() && row != maxRows;
         line = layout.createLine(), ++row) {
        line.setLineWidth(m.width);
        line.setPosition(QPointF(0, row * m.height + m.ascent - line.ascent()));
    }
    layout.endLayout();
}

QRectF caretIn(const QTextLayout& layout, int row, int column, qreal rowHeight) {
    const QTextLine line = layout.lineAt(row);
    if (!line.isValid()) return QRectF(0, row * rowHeight, 1, rowHeight);
    return QRectF(line.cursorToX(column), row * rowHeight, 1, rowHeight);
}

QRectF glyphIn(const QTextLayout& layout, int row, int column, qreal rowHeight) {
    const QTextLine line = layout.lineAt(row);
    if (!line.isValid()) return {};
    const qreal x1 = line.cursorToX(column);
    qreal x2 = line.cursorToX(column + 1);
    if (x2 <= x1) x2 = x1 + QFontMetricsF(layout.font()).averageCharWidth();
    return QRectF(x1, row * rowHeight, x2 - x1, rowHeight);
}

class HorizontalLine final : public LaidOutLine {
public:
    HorizontalLine(const QString& text, const QFont& font, const QTextOption& option,
                   const RowMetrics& m, int preeditColumn, const QString& preedit)
        : m_layout(text, font), m_rowHeight(m.height) {
        m_layout.setTextOption(option);
        m_layout.setCacheEnabled(true);
        if (preeditColumn >= 0 && !preedit.isEmpty())
            m_layout.setPreeditArea(preeditColumn, preedit);
        layOutRows(m_layout, m);
    }

    int rowCount() const override { return std::max(1, m_layout.lineCount()); }
    int rowOf(int column) const override {
        const QTextLine line = m_layout.lineForTextPosition(column);
        if (line.isValid()) return line.lineNumber();
        return column <= 0 ? 0 : rowCount() - 1;
    }
    int rowStart(int row) const override {
        const QTextLine line = m_layout.lineAt(row);
        return line.isValid() ? line.textStart() : 0;
    }
    QRectF caretRect(int column) const override {
        return caretIn(m_layout, rowOf(column), column, m_rowHeight);
    }
    int columnAt(QPointF point) const override {
        if (m_layout.lineCount() == 0) return 0;
        const int row = std::clamp(int(std::floor(point.y() / m_rowHeight)), 0,
                                   m_layout.lineCount() - 1);
        return m_layout.lineAt(row).xToCursor(point.x());
    }
    void draw(QPainter& p, QPointF origin, const QList<QTextLayout::FormatRange>& ranges,
              int caretColumn, int, int) const override {
        m_layout.draw(&p, origin, ranges);
        if (caretColumn >= 0) m_layout.drawCursor(&p, origin, caretColumn, 1);
    }
    QRectF glyphRect(int column) const override {
        return glyphIn(m_layout, rowOf(column), column, m_rowHeight);
    }
    qreal naturalWidth() const override {
        qreal w = 0;
        for (int i = 0; i < m_layout.lineCount(); ++i)
            w = std::max(w, m_layout.lineAt(i).naturalTextWidth());
        return w;
    }

private:
    QTextLayout m_layout;
    qreal m_rowHeight;
};

// A long line: its rows are known from the measure, and each piece of kPieceRows rows gets a
// layout of its own, the first time it is needed.
class LongHorizontalLine final : public LaidOutLine {
public:
    LongHorizontalLine(std::vector<int> starts, int length, LineLayouter::TextSource text,
                       const QFont& font, const QTextOption& option, const RowMetrics& m)
        : m_starts(std::move(starts)), m_length(length), m_text(std::move(text)), m_font(font),
          m_option(option), m_metrics(m) {
        if (m_starts.empty()) m_starts.push_back(0);
    }

    int rowCount() const override { return int(m_starts.size()); }
    int rowOf(int column) const override {
        const auto it = std::upper_bound(m_starts.begin(), m_starts.end(), column);
        return std::max(0, int(it - m_starts.begin()) - 1);
    }
    int rowStart(int row) const override {
        return m_starts[std::clamp(row, 0, rowCount() - 1)];
    }
    QRectF caretRect(int column) const override { return inPiece(column, caretIn); }
    int columnAt(QPointF point) const override {
        const int row =
            std::clamp(int(std::floor(point.y() / m_metrics.height)), 0, rowCount() - 1);
        const Piece& piece = pieceOf(row);
        const QTextLine line = piece.layout.lineAt(row - piece.firstRow);
        const int base = rowStart(piece.firstRow);
        return line.isValid() ? base + line.xToCursor(point.x()) : rowStart(row);
    }
    void draw(QPainter& p, QPointF origin, const QList<QTextLayout::FormatRange>& ranges,
              int caretColumn, int firstRow, int lastRow) const override {
        firstRow = std::max(0, firstRow);
        lastRow = std::min(rowCount(), lastRow);
        for (int row = firstRow - firstRow % kPieceRows; row < lastRow; row += kPieceRows) {
            const Piece& piece = pieceOf(row);
            const int base = rowStart(piece.firstRow);
            const int end = piece.firstRow + kPieceRows < rowCount()
                                ? rowStart(piece.firstRow + kPieceRows)
                                : m_length;
            QList<QTextLayout::FormatRange> local;
            for (const QTextLayout::FormatRange& r : ranges) {
                const int from = std::max(r.start, base);
                const int to = std::min(r.start + r.length, end + 1);
                if (from >= to) continue;
                QTextLayout::FormatRange l = r;
                l.start = from - base;
                l.length = to - from;
                local.append(l);
            }
            const QPointF at = origin + QPointF(0, piece.firstRow * m_metrics.height);
            piece.layout.draw(&p, at, local);
            if (caretColumn >= base && (caretColumn < end || (caretColumn == end &&
                                                              end == m_length)))
                piece.layout.drawCursor(&p, at, caretColumn - base, 1);
        }
    }
    QRectF glyphRect(int column) const override { return inPiece(column, glyphIn); }
    qreal naturalWidth() const override { return m_metrics.width; }

private:
    struct Piece {
        int firstRow = 0;
        QTextLayout layout;
    };

    // `measure` asked of the piece that holds `column`, in the line's coordinates.
    QRectF inPiece(int column, QRectF (*measure)(const QTextLayout&, int, int, qreal)) const {
        const int row = rowOf(column);
        const Piece& piece = pieceOf(row);
        return measure(piece.layout, row - piece.firstRow, column - rowStart(piece.firstRow),
                       m_metrics.height)
            .translated(0, piece.firstRow * m_metrics.height);
    }

    const Piece& pieceOf(int row) const {
        const int first = std::clamp(row, 0, rowCount() - 1) / kPieceRows * kPieceRows;
        auto it = m_pieces.find(first);
        if (it != m_pieces.end()) return it->second;
        Piece& piece = m_pieces[first];
        piece.firstRow = first;
        const int last = std::min(rowCount(), first + kPieceRows);
        const int from = m_starts[first];
        const int to = last < rowCount() ? m_starts[last] : m_length;
        // The piece begins where a row begins and ends where one ends, so Qt breaks it as the
        // measure broke the whole line; it never gets more rows than its share, so a piece
        // cannot run into the next one.
        piece.layout.setText(m_text(from, to));
        piece.layout.setFont(m_font);
        piece.layout.setTextOption(m_option);
        piece.layout.setCacheEnabled(true);
        layOutRows(piece.layout, m_metrics, last - first);
        return piece;
    }

    std::vector<int> m_starts;
    int m_length;
    LineLayouter::TextSource m_text;
    QFont m_font;
    QTextOption m_option;
    RowMetrics m_metrics;
    mutable std::map<int, Piece> m_pieces;
};

} // namespace

void HorizontalLayouter::configure(const QFont& font, const QTextOption& option, qreal width,
                                   const QPaintDevice* device) {
    m_font = device ? QFont(font, device) : font;
    m_option = option;
    m_width = width;
    // A row is as high as the font and the fallback fonts of Japanese text need, so that rows
    // with and without kana stand at the same distance.
    QTextLayout sample(QStringLiteral("Agあ漢ｱ"), m_font);
    sample.beginLayout();
    QTextLine line = sample.createLine();
    line.setLineWidth(1e6);
    sample.endLayout();
    const QFontMetricsF metrics(m_font);
    m_ascent = std::ceil(std::max(metrics.ascent(), line.ascent()));
    const qreal descent = std::ceil(std::max(metrics.descent(), line.descent()));
    m_rowHeight = std::max<qreal>(1, m_ascent + descent);
}

std::unique_ptr<LaidOutLine> HorizontalLayouter::layout(const QString& text, int preeditColumn,
                                                        const QString& preedit) const {
    return std::make_unique<HorizontalLine>(text, m_font, m_option,
                                            RowMetrics{m_width, m_rowHeight, m_ascent},
                                            preeditColumn, preedit);
}

std::unique_ptr<LaidOutLine> HorizontalLayouter::layoutLong(std::vector<int> starts, int length,
                                                            TextSource text) const {
    return std::make_unique<LongHorizontalLine>(std::move(starts), length, std::move(text),
                                                m_font, m_option,
                                                RowMetrics{m_width, m_rowHeight, m_ascent});
}
