#pragma once

#include <QString>
#include <QStringView>
#include <vector>

// The code units of the document and the positions of its CR LF line breaks.
//
// The text is a gap buffer: one QString with a hole at the place of the last edit. Writers
// edit where they stand and commands walk the text front to back, so nearly every edit lands
// at or near the hole and costs what it inserts, not what follows it. A piece table would make
// every edit cheap wherever it lands, but the text would then be scattered: search, style and
// replace runs read the text as plain spans, and the gap buffer hands them those spans without
// a copy (view()), and the whole text as one QString (flat()) by closing the hole at the end,
// again without a second copy. Memory stays the text plus a hole of about a sixteenth.
//
// The line index has a hole too, at the place of its last edit: the breaks before it are kept
// as positions, those after it as distances from the end of the text, so an edit changes
// neither and only the breaks inside the edited range are touched.
class TextStore {
public:
    int length() const { return int(m_buf.size()) - gapSize(); }
    QChar at(int pos) const { return m_buf.at(pos < m_gapStart ? pos : pos + gapSize()); }

    // Code units [from, to) as one span (both clamped to the text). Moves the hole out of the
    // range, to whichever end is nearer. The span is valid until the next edit, view or flat().
    QStringView view(int from, int to);
    // A copy of [from, to), leaving the hole where it is.
    QString mid(int from, int to) const;
    // The whole text. Moves the hole to the end and cuts it off; the next edit opens it again.
    const QString& flat();

    // `removed` units at `pos` become `inserted` (the caller has clamped both).
    void replace(int pos, int removed, QStringView inserted);
    // Takes `text` over as it is (shared, not copied) and indexes its lines anew.
    void assign(const QString& text);

    int breakCount() const { return int(m_before.size() + m_after.size()); }
    // Position of the CR of break `i` (0-based, i < breakCount()).
    int breakAt(int i) const;
    // Number of breaks whose CR lies before `pos`.
    int breaksBefore(int pos) const;

private:
    int gapSize() const { return m_gapEnd - m_gapStart; }
    void moveGap(int pos);
    void moveLineGap(int pos);
    bool isBreakAt(int i) const;

    QString m_buf;
    int m_gapStart = 0;
    int m_gapEnd = 0;
    std::vector<int> m_before; // CR positions of the breaks before the line hole, ascending
    std::vector<int> m_after;  // distances from the end of the rest, nearest the end first
};
