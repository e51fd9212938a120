#include "platform/TextViewMeasure.h"

#include "platform/TextViewText.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>
#include <limits>

void TextViewMeasure::configure(const QFont& font, const QTextOption& option, qreal lineWidth,
                                const QPaintDevice* device) {
    m_font = device ? QFont(font, device) : font;
    m_option = option;
    m_lineWidth = lineWidth;
    m_metrics.emplace(m_font);
    m_bounds.assign(0x10000, std::numeric_limits<float>::quiet_NaN());
    // Spacing and case changes alter widths in ways a per-character bound does not follow.
    m_boundsUsable = m_font.letterSpacing() == 0 && m_font.wordSpacing() == 0 &&
                     m_font.capitalization() == QFont::MixedCase && m_font.stretch() == 0;
    m_layout.setFont(m_font);
    m_layout.setTextOption(m_option);
    m_layout.setCacheEnabled(false);
}

// A generous upper bound of what one character can add to a line. Characters whose width
// depends on their neighbours in ways a bound cannot capture (complex scripts, controls,
// surrogates, characters drawn by a fallback font) give up.
float TextViewMeasure::charBound(char16_t c) {
    float& bound = m_bounds[c];
    if (!std::isnan(bound)) return bound;
    const QChar ch(c);
    bound = -1;
    if (c == u'\t') {
        const qreal tab = m_option.tabStopDistance() > 0 ? m_option.tabStopDistance() : 80;
        bound = float(tab + 1);
        return bound;
    }
    if (ch.isSurrogate()) return bound;
    switch (ch.category()) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
        return bound;
    default:
        break;
    }
    switch (ch.script()) {
    case QChar::Script_Common:
    case QChar::Script_Inherited:
    case QChar::Script_Latin:
    case QChar::Script_Greek:
    case QChar::Script_Cyrillic:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        break;
    default:
        return bound;
    }
    if (!m_metrics->inFont(ch)) return bound;
    bound = float(m_metrics->horizontalAdvance(ch) * 1.125 + 1.0);
    return bound;
}

bool TextViewMeasure::fitsOnOneLine(QStringView text) {
    if (!m_boundsUsable) return false;
    double width = 0;
    for (const QChar c : text) {
        const float b = charBound(c.unicode());
        if (b < 0) return false;
        width += b;
        if (width > m_lineWidth) return false;
    }
    return true;
}

int TextViewMeasure::lines(const QString& text, std::vector<int>* lineStarts) {
    if (fitsOnOneLine(text)) {
        if (lineStarts) lineStarts->push_back(0);
        return 1;
    }
    return layoutLines(text, lineStarts);
}

// The same steps as QPlainTextDocumentLayout::layoutBlock.
int TextViewMeasure::layoutLines(const QString& text, std::vector<int>* lineStarts) {
    m_layout.setText(text);
    m_layout.beginLayout();
    int lines = 0;
    for (;;) {
        QTextLine line = m_layout.createLine();
        if (!line.isValid()) break;
        line.setLeadingIncluded(true);
        line.setLineWidth(m_lineWidth);
        if (lineStarts) lineStarts->push_back(line.textStart());
        ++lines;
    }
    m_layout.endLayout();
    m_layout.clearLayout();
    if (lines == 0 && lineStarts) lineStarts->push_back(0);
    return std::max(1, lines);
}

// Where a line ends is decided by the text up to the end of the unit that would not fit (a
// word, a character with the punctuation that cannot be parted from it) and the character or
// two after it that its break depends on. So the lines up to the one holding `column` come out
// the same when the text is cut a little after the break opportunity that follows `column`.
// A walk that asks for the line of each position in turn then never lays out the rest of a
// long paragraph.
int TextViewMeasure::startsUpTo(const QString& text, int column, std::vector<int>& lineStarts) {
    constexpr int kLookahead = 2;
    column = std::clamp(column, 0, int(text.size()));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    finder.setPosition(column);
    const qsizetype next = finder.toNextBoundary();
    const qsizetype cut = next < 0 ? text.size() : std::min(text.size(), next + kLookahead);
    if (cut >= text.size()) {
        lines(text, &lineStarts);
        return int(text.size());
    }
    lines(text.left(cut), &lineStarts);
    return column;
}

bool TextViewMeasure::pieceStarts(const QString& text, int column, bool wholeRest,
                                  std::vector<int>& starts) {
    constexpr int kLookahead = 2;
    if (!wholeRest) {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
        finder.setPosition(std::clamp(column, 0, int(text.size())));
        const qsizetype next = finder.toNextBoundary();
        if (next < 0 || next + kLookahead > text.size()) return false;
    }
    std::vector<int> all;
    lines(text, &all);
    for (const int start : all) {
        if (!wholeRest && start > column) break;
        starts.push_back(start);
    }
    return true;
}

int updateWrapStarts(TextViewMeasure& measure, QStringView line, std::vector<int>& starts, int at,
                     int removed, int added, int limit, int* metAt) {
    constexpr int Step = 512;
    constexpr int Lookahead = 256;
    const int length = int(line.size());
    const int delta = added - removed;
    // The edit may also let the first word of its wrapped line move up to the line before.
    const auto holding = std::upper_bound(starts.begin(), starts.end(), at);
    const auto from = holding - starts.begin() >= 2 ? holding - 2 : starts.begin();
    std::vector<int> old(std::lower_bound(from, starts.end(), at + removed), starts.end());
    for (int& s : old)
        s += delta;
    starts.erase(from + 1, starts.end());
    if (starts.empty()) starts.push_back(0);

    const int editEnd = at + added;
    int cur = starts.back();
    int step = Step;
    for (;;) {
        const int until = std::min(length, std::max(cur, editEnd) + step);
        const int pieceEnd = std::min(length, until + Lookahead);
        const bool wholeRest = pieceEnd == length;
        std::vector<int> piece;
        if (!measure.pieceStarts(TextViewText::toShown(line.mid(cur, pieceEnd - cur)),
                                 until - cur, wholeRest, piece)) {
            step *= 4; // no break opportunity close behind: a longer piece
            continue;
        }
        for (size_t i = 1; i < piece.size(); ++i) {
            const int s = cur + piece[i];
            if (s >= editEnd) {
                const auto met = std::lower_bound(old.begin(), old.end(), s);
                if (met != old.end() && *met == s) {
                    starts.insert(starts.end(), met, old.end());
                    if (metAt) *metAt = s;
                    return -1;
                }
            }
            starts.push_back(s);
        }
        if (wholeRest) {
            if (metAt) *metAt = length;
            return -1;
        }
        if (starts.back() == cur) {
            step *= 4; // one wrapped line longer than the piece
            continue;
        }
        cur = starts.back();
        // Far from the edit the pieces grow: a long run of rows is laid out in fewer of them.
        step = std::min(step * 2, 32 * Step);
        if (cur - editEnd > limit) {
            // The rest keeps its old rows for now, moved with the edit.
            starts.insert(starts.end(), std::upper_bound(old.begin(), old.end(), cur), old.end());
            return cur;
        }
    }
}
