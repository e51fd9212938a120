#pragma once

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <functional>

// The printout's page grid and line breaking, in millimetres from the top left corner of the
// printable area. Both depend only on what the printer measures, never on the printer itself.
namespace printing {

inline const QString kDialogTitle = QStringLiteral("ﾍﾟｰｼﾞ設定");
inline constexpr int kLeftMargin = 10;
inline constexpr int kBarLength = 20;

// Line n of a page stands at n × lineHeight. The header stands on line 1, the body runs from
// line 4 and a new page begins once the next body line would stand below line
// linesPerPage − 4; the footer stands on line linesPerPage − 1.
struct PageLayout {
    int lineHeight = 1;
    int linesPerPage = 0;
    int rightEdge = 0;

    double lineY(int line) const { return double(line) * lineHeight; }
    double bodyTop() const { return lineY(4); }
    double bodyLimit() const { return lineY(linesPerPage - 4); }
    double footerY() const { return lineY(linesPerPage - 1); }
    // A page too short for one body line would begin new pages without end.
    bool holdsBody() const { return bodyTop() <= bodyLimit(); }
};

// `textHeight` is the printed height of one line of the font. A line height below 1 mm counts
// as 1 mm, so the page never divides by zero.
PageLayout pageLayout(double textHeight, double printableWidth, double printableHeight);

// The footer texts: "3頁" and the date and time as yy/MM/dd H:mm.
QString pageNumberText(int page);
QString footerDateText(const QDateTime& when);

// The progress bar after `done` of `total` characters: up to kBarLength "■".
QString progressBar(qint64 done, qint64 total);

// Where the printed line starting at `pos` ends: it holds `length` code units of the text and
// the next printed line starts at `next` (past a CR LF that ended it).
struct PrintedLine {
    int length = 0;
    int next = 0;
};

// Breaks lines the way they are printed: at CR LF, and before the first character whose right
// edge would cross `rightEdge`. A line holds at least one character and never splits a
// surrogate pair. `width` measures a piece of the text. The widths of growing prefixes are
// searched, not scanned, so a long line costs a few measurements of about one printed line
// each; the length of the last broken line is where the next search starts.
class LineBreaker {
public:
    LineBreaker(QStringView text, int rightEdge, std::function<double(QStringView)> width);
    PrintedLine next(int pos);

private:
    bool fits(int pos, int length) const;
    int longestFitting(int pos, int available);

    QStringView m_text;
    int m_rightEdge;
    std::function<double(QStringView)> m_width;
    int m_lineEnd = -1; // the CR of the next CR LF at or after the last position, or the end
    int m_capacity = 64;
};

} // namespace printing
