#include "notation/ManuscriptGrid.h"

namespace manuscript {

namespace {

constexpr char16_t kLineStartProhibited[] = u"、。，．」』）】〕〉》？！ー"
                                            u"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ";
constexpr char16_t kLineEndProhibited[] = u"「『（【〔〈《";

bool inSet(const char16_t* set, char32_t c) {
    if (c > 0xFFFF) return false;
    for (const char16_t* p = set; *p; ++p)
        if (*p == c) return true;
    return false;
}

bool isNarrowAlnum(QChar c) {
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

} // namespace

bool isLineStartProhibited(char32_t c) { return inSet(kLineStartProhibited, c); }
bool isLineEndProhibited(char32_t c) { return inSet(kLineEndProhibited, c); }

void cellsOf(QStringView line, const std::vector<notation::Range>& hidden,
             const GridOptions& options, std::vector<Cell>& out) {
    out.clear();
    // The characters the plain text keeps, as [start, end) of the line with combining marks.
    notation::forEachVisible(int(line.size()), hidden, [&](int s, int e) {
        for (int i = s; i < e;) {
            const QChar c = line[i];
            int next = i + 1;
            char32_t cp = c.unicode();
            if (c.isHighSurrogate() && next < e && line[next].isLowSurrogate()) {
                cp = QChar::surrogateToUcs4(c, line[next]);
                ++next;
            }
            while (next < e) {
                char32_t m = line[next].unicode();
                int width = 1;
                if (line[next].isHighSurrogate() && next + 1 < e) {
                    m = QChar::surrogateToUcs4(line[next], line[next + 1]);
                    width = 2;
                }
                if (!notation::isCombining(m)) break;
                next += width;
            }
            if (!out.empty()) {
                Cell& last = out.back();
                const QChar first = line[last.start];
                const bool single = last.end - last.start == 1;
                // 。」 share only when the 」 follows the stop at once (no hidden text between).
                if (options.closingShares && single && last.end == i && c == u'」' &&
                    (first == u'。' || first == u'、')) {
                    last.end = next;
                    i = next;
                    continue;
                }
                if (options.narrowPairs && single && last.end == i && next == i + 1 &&
                    isNarrowAlnum(c) && isNarrowAlnum(first)) {
                    last.end = next;
                    i = next;
                    continue;
                }
            }
            out.push_back({i, next, isLineStartProhibited(cp), isLineEndProhibited(cp)});
            i = next;
        }
    });
}

void columnStarts(const std::vector<Cell>& cells, int columnLength, bool keepOpeners,
                  std::vector<int>& starts) {
    starts.clear();
    const int n = int(cells.size());
    const int length = std::max(1, columnLength);
    int at = 0;
    starts.push_back(0);
    while (n - at > length) {
        int end = at + length;
        if (cells[end].noStart) {
            if (end + 1 >= n || !cells[end + 1].noStart) {
                ++end; // hangs below the column
            } else {
                // A second one: the cells from the last one that may begin a column go down.
                int back = end - 1;
                while (back > at && cells[back].noStart) --back;
                end = back > at ? back : end + 1;
            }
        } else if (keepOpeners && cells[end - 1].noEnd) {
            int back = end - 1;
            while (back > at && cells[back].noEnd) --back;
            if (back > at) end = back + 1;
        }
        if (end >= n) break;
        starts.push_back(end);
        at = end;
    }
}

int lineCount(const std::vector<Cell>& cells, int columnLength) {
    static thread_local std::vector<int> starts;
    columnStarts(cells, columnLength, false, starts);
    return int(starts.size());
}

QString pagesText(qint64 lines, int rows) {
    const int r = std::max(1, rows);
    return QStringLiteral("%1枚%2行").arg(lines / r).arg(lines % r);
}

} // namespace manuscript
