#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QStringView>
#include <QTextLayout>
#include <QTextOption>
#include <climits>
#include <optional>
#include <vector>

class QPaintDevice;

// Counts the lines a block of text wraps into, exactly as QPlainTextDocumentLayout lays it out
// for the same font, text option and line width. Most blocks of a document are short: a block
// whose width, bounded from above character by character, fits the line is one line without
// being shaped at all. Every other block is laid out in a QTextLayout kept for reuse.
class TextViewMeasure {
public:
    void configure(const QFont& font, const QTextOption& option, qreal lineWidth,
                   const QPaintDevice* device);
    // Lines of `text`; when `lineStarts` is given, the start of each line is appended to it.
    int lines(const QString& text, std::vector<int>* lineStarts = nullptr);
    // Lines of `text` always computed with a full layout.
    int layoutLines(const QString& text, std::vector<int>* lineStarts = nullptr);
    // The starts of the lines up to the one holding `column`, laying out no more of the text
    // than they depend on; appended to `lineStarts`. Returns the column up to which the
    // starts are exact: `column`, or the length of the text when all of it was laid out.
    int startsUpTo(const QString& text, int column, std::vector<int>& lineStarts);

    // Line starts of `text`, a piece of a longer line that begins at a wrapped line start. All
    // of them when `wholeRest` (the piece runs to the line's end); otherwise the starts up to
    // `column`, which the rest of the line cannot change as long as the piece reaches a little
    // past the break opportunity after `column`. False when it does not: the piece is too short.
    bool pieceStarts(const QString& text, int column, bool wholeRest, std::vector<int>& starts);

private:
    bool fitsOnOneLine(QStringView text);
    float charBound(char16_t c);

    QFont m_font;
    QTextOption m_option;
    qreal m_lineWidth = 0;
    bool m_boundsUsable = false;
    std::optional<QFontMetricsF> m_metrics;
    std::vector<float> m_bounds; // per BMP code unit; NaN until computed, < 0 for "cannot tell"
    QTextLayout m_layout;
};

// A line longer than this is never laid out whole after an edit: its wrapped starts are
// brought up to date around the edit, and only the rows on screen are shaped.
inline constexpr int kLongLine = 2048;

// Brings the wrapped line starts of `line` (model text of one line) up to date after `removed`
// code units at `at` became `added`. Lays out from the line before the edit onwards and stops
// where a new start meets an old one behind the edit: from there on nothing changed. In text
// that fills every row (Japanese wraps anywhere) one more character can move every break to
// the line's end: past `limit` code units behind the edit the rest keeps its old starts, moved
// with the edit, and the start to go on from is returned (a later call replacing the character
// there by itself continues); -1 when the new starts met the old ones, at `*metAt`.
int updateWrapStarts(TextViewMeasure& measure, QStringView line, std::vector<int>& starts, int at,
                     int removed, int added, int limit = INT_MAX, int* metAt = nullptr);
