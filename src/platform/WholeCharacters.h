#pragma once

#include <QStringView>

// `n` code units of `text` from `from`, moved so that no surrogate pair is cut: a pair that the
// end would split is taken whole, a low half at the start is left out. A caption or a file name
// with half a character names nothing the writer can see or find.
inline QStringView wholeCharacters(QStringView text, qsizetype from, qsizetype n) {
    const qsizetype size = text.size();
    from = qBound(qsizetype(0), from, size);
    if (from > 0 && from < size && text[from].isLowSurrogate() && text[from - 1].isHighSurrogate())
        ++from;
    qsizetype end = qBound(from, from + qMax(n, qsizetype(0)), size);
    if (end > from && end < size && text[end - 1].isHighSurrogate() && text[end].isLowSurrogate())
        ++end;
    return text.sliced(from, end - from);
}
