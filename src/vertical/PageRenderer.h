#pragma once

#include "vertical/VerticalFont.h"
#include "vertical/VerticalLayout.h"

#include <QColor>
#include <QGlyphRun>

class QPainter;

// Paints laid-out pages: the grid of a manuscript form, the characters in their vertical
// settings, ruby and 傍点 beside their bases, and the caret's cell.
namespace vertical {

struct PaintOptions {
    QColor ink = Qt::black;
    QColor grid = QColor(0xC0, 0x50, 0x40);
    QColor caret = QColor(0x30, 0x80, 0xF0, 0x60);
    int caretPos = -1; // marks the cell holding this document position
    // A PDF's drawn glyphs carry no text; an invisible layer carries it column by column, in
    // reading order, for a reader's search and copy.
    bool textLayer = false;
};

class PageRenderer {
public:
    explicit PageRenderer(VerticalFont& font) : m_font(font) {}

    // Paints `page` as side `side` of the view `g` (painter units) from the document text.
    void paint(QPainter& p, QStringView text, const Page& page, const PageGeometry& g, int side,
               const PaintOptions& options);

private:
    struct Batch {
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    void placeCharacter(QPainter& p, char32_t c, Setting setting, const QRectF& box, double em,
                        Batch& batch);
    void placeTurned(QPainter& p, QStringView chars, const QRectF& box, double em, bool across);
    void placeCell(QPainter& p, QStringView chars, Setting setting, const QRectF& box,
                   double em, Batch& batch);
    void drawTextLayer(QPainter& p, QStringView text, const Column& column,
                       const PageGeometry& g, int side, int index);
    void flush(QPainter& p, Batch& batch, double em);

    VerticalFont& m_font;
    bool m_bare = false;
};

} // namespace vertical
