#include "vertical/PageRenderer.h"

#include <QPainter>

namespace vertical {

namespace {

// Full stops and commas: where a face has no vertical form they move to the upper right.
bool isStopOrComma(char32_t c) {
    return c == u'、' || c == u'。' || c == u'，' || c == u'．' || c == u'､' || c == u'｡';
}

double manuscriptScale(const PageForm& form) { return form.gridDrawn() ? 0.8 : 0.95; }

} // namespace

void PageRenderer::flush(QPainter& p, Batch& batch, double em) {
    if (batch.glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(m_font.raw(em, m_bare));
    run.setGlyphIndexes(batch.glyphs);
    run.setPositions(batch.positions);
    p.drawGlyphRun(QPointF(0, 0), run);
    batch.glyphs.clear();
    batch.positions.clear();
}

// One character standing upright in `box` (an em square centred in its cell).
void PageRenderer::placeCharacter(QPainter& p, char32_t c, Setting setting, const QRectF& box,
                                  double em, Batch& batch) {
    quint32 g = 0;
    QPointF shift;
    if (setting == Setting::UprightForm || setting == Setting::TurnedForm) {
        g = m_font.verticalGlyph(c);
        if (!g) g = m_font.presentationGlyph(c);
        if (!g && setting == Setting::TurnedForm) {
            const QString s = QString::fromUcs4(&c, 1);
            placeTurned(p, s, box, em, false);
            return;
        }
        if (!g && isStopOrComma(c)) shift = QPointF(em * 0.55, -em * 0.55);
    }
    if (!g) g = m_font.glyph(c);
    const double top = box.center().y() - em / 2;
    if (!g) {
        // A character the face lacks comes from a font that has it, never as a box.
        QFont f = m_font.font();
        f.setPixelSize(std::max(1, int(em)));
        p.save();
        p.setFont(f);
        p.drawText(QRectF(box.center().x() - em / 2, top, em, em), Qt::AlignCenter,
                   QString::fromUcs4(&c, 1));
        p.restore();
        return;
    }
    const double x = box.center().x() - m_font.advance(g) * em / 2;
    batch.glyphs.append(g);
    batch.positions.append(QPointF(x, top + m_font.ascent() * em) + shift);
}

// Characters set on their side (turned 90° clockwise) or across one cell (縦中横), squeezed
// to the em square when longer.
void PageRenderer::placeTurned(QPainter& p, QStringView chars, const QRectF& box, double em,
                               bool across) {
    QList<quint32> glyphs;
    QList<QPointF> positions;
    double width = 0;
    for (int i = 0; i < chars.size();) {
        const char32_t c = codePointAt(chars, i);
        i += c > 0xFFFF ? 2 : 1;
        const quint32 g = m_font.glyph(c);
        if (!g) {
            // A character the face lacks: Qt's own fallback draws the cell's text.
            p.save();
            p.translate(box.center());
            if (!across) p.rotate(90);
            QFont f = m_font.font();
            f.setPixelSize(std::max(1, int(em)));
            p.setFont(f);
            p.drawText(QRectF(-em, -em / 2, 2 * em, em), Qt::AlignCenter, chars.toString());
            p.restore();
            return;
        }
        glyphs.append(g);
        positions.append(QPointF(width, 0));
        width += m_font.advance(g) * em;
    }
    if (glyphs.isEmpty()) return;
    p.save();
    p.translate(box.center());
    if (!across) p.rotate(90);
    if (width > em) p.scale(em / width, 1);
    for (QPointF& pos : positions) pos += QPointF(-width / 2, m_font.ascent() * em - em / 2);
    QGlyphRun run;
    run.setRawFont(m_font.raw(em, m_bare));
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    p.drawGlyphRun(QPointF(0, 0), run);
    p.restore();
}

void PageRenderer::placeCell(QPainter& p, QStringView chars, Setting setting, const QRectF& box,
                             double em, Batch& batch) {
    switch (setting) {
    case Setting::Sideways:
    case Setting::Across:
        placeTurned(p, chars, box, em, setting == Setting::Across);
        return;
    case Setting::Stacked: {
        // Characters sharing a cell take equal parts of it, top to bottom.
        int count = 0;
        for (int i = 0; i < chars.size(); i += codePointAt(chars, i) > 0xFFFF ? 2 : 1) ++count;
        const double part = box.height() / std::max(1, count);
        int k = 0;
        for (int i = 0; i < chars.size(); ++k) {
            const char32_t c = codePointAt(chars, i);
            const int w = c > 0xFFFF ? 2 : 1;
            const QRectF sub(box.left(), box.top() + k * part, box.width(), part);
            placeCell(p, chars.mid(i, w), settingOf(chars, i, i + w), sub, em * 0.6, batch);
            i += w;
        }
        return;
    }
    default:
        placeCharacter(p, codePointAt(chars, 0), setting, box, em, batch);
    }
}

void PageRenderer::paint(QPainter& p, QStringView text, const Page& page, const PageGeometry& g,
                         int side, const PaintOptions& o) {
    m_bare = o.textLayer;
    const PageForm& form = g.form;
    if (form.gridDrawn()) {
        p.setPen(QPen(o.grid, std::max(1.0, g.cell / 40)));
        p.setBrush(Qt::NoBrush);
        for (int c = 0; c < form.columnsPerPage; ++c)
            for (int r = 0; r < form.charsPerColumn; ++r) p.drawRect(g.cellRect(side, c, r));
    }
    if (o.caretPos >= 0) {
        const auto [c, r] = VerticalLayout::cellOf(page, o.caretPos);
        if (c >= 0) p.fillRect(g.cellRect(side, c, r), o.caret);
    }
    const double em = g.cell * manuscriptScale(form);
    const double rubyEm = std::min(em / 2, g.pitch() - g.cell);
    p.setPen(o.ink);
    Batch batch, rubyBatch;
    for (int c = 0; c < int(page.columns.size()); ++c) {
        const Column& column = page.columns[c];
        for (int r = 0; r < int(column.cells.size()); ++r) {
            const PlacedCell& cell = column.cells[r];
            const QRectF box = g.cellRect(side, c, r);
            placeCell(p, text.mid(cell.start, cell.end - cell.start), cell.setting, box, em,
                      batch);
            if (cell.emphasis) {
                const QRectF beside = g.besideRect(side, c, r);
                const double d = rubyEm * 0.35;
                p.save();
                p.setPen(Qt::NoPen);
                p.setBrush(o.ink);
                p.drawEllipse(QPointF(beside.left() + rubyEm / 2, beside.center().y()), d / 2,
                              d / 2);
                p.restore();
            }
        }
        for (const RubyText& ruby : column.ruby) {
            const QRectF first = g.besideRect(side, c, ruby.firstCell);
            const QRectF last = g.besideRect(side, c, ruby.lastCell);
            int count = 0;
            for (int i = 0; i < ruby.reading.size(); i += codePointAt(ruby.reading, i) > 0xFFFF ? 2 : 1)
                ++count;
            double y = (first.top() + last.bottom()) / 2 - count * rubyEm / 2;
            for (int i = 0; i < ruby.reading.size(); y += rubyEm) {
                const char32_t ch = codePointAt(ruby.reading, i);
                const int w = ch > 0xFFFF ? 2 : 1;
                const QRectF box(first.left(), y, rubyEm, rubyEm);
                placeCell(p, QStringView(ruby.reading).mid(i, w),
                          settingOf(ruby.reading, i, i + w), box, rubyEm, rubyBatch);
                i += w;
            }
        }
        if (o.textLayer) drawTextLayer(p, text, column, g, side, c);
    }
    flush(p, batch, em);
    flush(p, rubyBatch, rubyEm);
}

// Each column as one line of text turned to run down the page: readers take turned lines one
// after another from right to left, which is the reading order of vertical text.
void PageRenderer::drawTextLayer(QPainter& p, QStringView text, const Column& column,
                                 const PageGeometry& g, int side, int index) {
    if (column.cells.empty()) return;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const QRectF top = g.cellRect(side, index, 0);
    // The glyphs follow each other without gaps, an em of the layer to a cell: a gap would
    // split the column into words that a reader may put in another order. A column of
    // full-width characters stands exactly on its cells; a sideways run takes less room.
    double at = 0;
    for (const PlacedCell& cell : column.cells) {
        for (int i = cell.start; i < cell.end;) {
            const char32_t c = codePointAt(text, i);
            i += c > 0xFFFF ? 2 : 1;
            const quint32 id = m_font.glyph(c);
            if (!id) continue;
            glyphs.append(id);
            positions.append(QPointF(at, 0));
            at += m_font.advance(id) * g.cell;
        }
    }
    QGlyphRun run;
    run.setRawFont(m_font.raw(g.cell, false));
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    p.save();
    p.setPen(QColor(0, 0, 0, 0));
    p.translate(top.center().x(), top.top());
    p.rotate(90);
    p.drawGlyphRun(QPointF(0, g.cell * 0.35), run);
    p.restore();
}

} // namespace vertical
