#include "documents/PrintLayout.h"

#include <algorithm>
#include <cmath>

namespace printing {

namespace {

// Whole millimetres, a half going to the even neighbour; kept inside a range a page can have
// so that a printer reporting nonsense cannot overflow the conversion.
int wholeMillimetres(double mm) {
    if (!std::isfinite(mm)) return 0;
    return int(std::nearbyint(std::clamp(mm, -1.0e6, 1.0e6)));
}

} // namespace

PageLayout pageLayout(double textHeight, double printableWidth, double printableHeight) {
    PageLayout layout;
    layout.lineHeight = std::max(1, wholeMillimetres(textHeight));
    const double height =
        std::isfinite(printableHeight) ? std::clamp(printableHeight, 0.0, 1.0e6) : 0.0;
    layout.linesPerPage = int(std::floor(height / layout.lineHeight));
    layout.rightEdge = wholeMillimetres(printableWidth - kLeftMargin);
    return layout;
}

QString pageNumberText(int page) {
    return QString::number(page) + QStringLiteral("頁");
}

QString footerDateText(const QDateTime& when) {
    return when.toString(QStringLiteral("yy/MM/dd H:mm"));
}

QString progressBar(qint64 done, qint64 total) {
    if (total <= 0) return QString(kBarLength, u'■');
    const qint64 steps = std::clamp<qint64>(done, 0, total) * kBarLength / total;
    return QString(int(steps), u'■');
}

LineBreaker::LineBreaker(QStringView text, int rightEdge, std::function<double(QStringView)> width)
    : m_text(text), m_rightEdge(rightEdge), m_width(std::move(width)) {}

bool LineBreaker::fits(int pos, int length) const {
    return length == 0 || m_width(m_text.mid(pos, length)) + kLeftMargin <= m_rightEdge;
}

// The longest prefix of the `available` code units at `pos` that fits, assuming that a longer
// prefix is never narrower. Starts from the last broken line's length and doubles or halves
// from there, so a line of any length is measured only around the breaking point.
int LineBreaker::longestFitting(int pos, int available) {
    int fitting = 0;
    int tooLong = available + 1;
    const int first = std::min(available, std::max(1, m_capacity));
    if (fits(pos, first)) {
        fitting = first;
        while (fitting < available) {
            const int longer = std::min(available, fitting * 2);
            if (!fits(pos, longer)) {
                tooLong = longer;
                break;
            }
            fitting = longer;
        }
        if (fitting == available) return available;
    } else {
        tooLong = first;
    }
    while (tooLong - fitting > 1) {
        const int mid = fitting + (tooLong - fitting) / 2;
        if (fits(pos, mid))
            fitting = mid;
        else
            tooLong = mid;
    }
    m_capacity = std::max(1, fitting);
    return fitting;
}

PrintedLine LineBreaker::next(int pos) {
    const int size = int(m_text.size());
    if (m_lineEnd < pos) {
        const qsizetype crlf = m_text.indexOf(QStringView(u"\r\n"), pos);
        m_lineEnd = crlf < 0 ? size : int(crlf);
    }
    const int breakLength = m_lineEnd < size ? 2 : 0;
    const int available = m_lineEnd - pos;
    if (available == 0) return {0, pos + breakLength};

    int length = longestFitting(pos, available);
    if (length < available) {
        // A character wider than the page still gets a line of its own.
        if (length == 0) length = 1;
        if (length < available && m_text[pos + length - 1].isHighSurrogate() &&
            m_text[pos + length].isLowSurrogate())
            length += length > 1 ? -1 : 1;
    }
    // A line that reaches the break ends with it: no empty line follows a forced fit.
    if (length == available) return {length, m_lineEnd + breakLength};
    return {length, pos + length};
}

} // namespace printing
