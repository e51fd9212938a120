#include "platform/TextStore.h"

#include <algorithm>
#include <cstring>

namespace {

void moveUnits(QChar* to, const QChar* from, int n) {
    if (n > 0) std::memmove(to, from, size_t(n) * sizeof(QChar));
}

} // namespace

// Moving the hole writes through data(), which copies the buffer first only when a flat()
// result handed out earlier is still held somewhere.
void TextStore::moveGap(int pos) {
    if (pos == m_gapStart) return;
    const int gap = gapSize();
    if (gap == 0) {
        m_gapStart = m_gapEnd = pos;
        return;
    }
    QChar* d = m_buf.data();
    if (pos < m_gapStart)
        moveUnits(d + pos + gap, d + pos, m_gapStart - pos);
    else
        moveUnits(d + m_gapStart, d + m_gapEnd, pos - m_gapStart);
    m_gapStart = pos;
    m_gapEnd = pos + gap;
}

QStringView TextStore::view(int from, int to) {
    const int len = length();
    from = std::clamp(from, 0, len);
    to = std::clamp(to, from, len);
    if (m_gapStart > from && m_gapStart < to && gapSize() > 0)
        moveGap(m_gapStart - from <= to - m_gapStart ? from : to);
    const int offset = from < m_gapStart ? 0 : gapSize();
    return QStringView(m_buf).mid(from + offset, to - from);
}

QString TextStore::mid(int from, int to) const {
    const int len = length();
    from = std::clamp(from, 0, len);
    to = std::clamp(to, from, len);
    if (to <= m_gapStart) return m_buf.mid(from, to - from);
    if (from >= m_gapStart) return m_buf.mid(from + gapSize(), to - from);
    QString out;
    out.reserve(to - from);
    out.append(QStringView(m_buf).mid(from, m_gapStart - from));
    out.append(QStringView(m_buf).mid(m_gapEnd, to - m_gapStart));
    return out;
}

const QString& TextStore::flat() {
    if (gapSize() > 0) {
        const int len = length();
        moveGap(len);
        // Shrinking keeps the allocation, so the hole costs nothing to open again.
        m_buf.resize(len);
        m_gapStart = m_gapEnd = len;
    }
    return m_buf;
}

void TextStore::replace(int pos, int removed, QStringView inserted) {
    const int len = length();
    const int ins = int(inserted.size());

    // Breaks whose CR lies in [pos - 1, pos + removed) may be split, joined or removed; those
    // after keep their distance from the end.
    moveLineGap(pos - 1);
    while (!m_after.empty() && len - m_after.back() < pos + removed)
        m_after.pop_back();

    moveGap(pos);
    m_gapEnd += removed;
    if (gapSize() < ins) {
        const int tail = int(m_buf.size()) - m_gapEnd;
        const int newGap = ins + std::max(1024, len / 16);
        const int size = len - removed + newGap;
        m_buf.resize(size); // a realloc: the pages usually move without being copied
        QChar* d = m_buf.data();
        moveUnits(d + size - tail, d + m_gapEnd, tail);
        m_gapEnd = size - tail;
    }
    QChar* d = m_buf.data();
    std::copy(inserted.begin(), inserted.end(), d + m_gapStart);
    m_gapStart += ins;

    const int newLen = len - removed + ins;
    const int scanEnd = std::min(pos + ins, newLen - 1);
    for (int i = std::max(0, pos - 1); i < scanEnd; ++i)
        if (isBreakAt(i)) m_before.push_back(i);
}

void TextStore::assign(const QString& text) {
    m_buf = text;
    m_gapStart = m_gapEnd = int(text.size());
    m_before.clear();
    m_after.clear();
    const QChar* data = text.constData();
    const int n = int(text.size());
    for (int i = 0; i + 1 < n; ++i)
        if (data[i] == u'\r' && data[i + 1] == u'\n') m_before.push_back(i++);
}

bool TextStore::isBreakAt(int i) const {
    return i >= 0 && i + 1 < length() && at(i) == u'\r' && at(i + 1) == u'\n';
}

int TextStore::breakAt(int i) const {
    const int before = int(m_before.size());
    return i < before ? m_before[i] : length() - m_after[m_after.size() - 1 - (i - before)];
}

int TextStore::breaksBefore(int pos) const {
    const auto inBefore = std::lower_bound(m_before.begin(), m_before.end(), pos);
    if (inBefore != m_before.end()) return int(inBefore - m_before.begin());
    // Break positions below pos are distances above length() - pos, at the back of m_after.
    const auto firstBelow = std::upper_bound(m_after.begin(), m_after.end(), length() - pos);
    return int(m_before.size() + (m_after.end() - firstBelow));
}

void TextStore::moveLineGap(int pos) {
    const int len = length();
    while (!m_before.empty() && m_before.back() >= pos) {
        m_after.push_back(len - m_before.back());
        m_before.pop_back();
    }
    while (!m_after.empty() && len - m_after.back() < pos) {
        m_before.push_back(len - m_after.back());
        m_after.pop_back();
    }
}
