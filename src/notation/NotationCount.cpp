#include "notation/NotationCount.h"

#include "platform/TextBox.h"

namespace notation {

namespace {

constexpr std::size_t kBlockLines = 512;

bool isBlank(QChar c) {
    return c == u' ' || c == u'\u3000' || c == u'\t' || c == u'\r' || c == u'\n';
}

} // namespace

void LineCounter::count(QStringView line, LineStats& out) {
    parseLine(m_target, line, m_parse);
    out.chars = 0;
    out.blanks = 0;
    forEachVisible(int(line.size()), m_parse.hidden, [&](int s, int e) {
        const QStringView run = line.sliced(s, e - s);
        out.chars += characterCount(run);
        for (QChar c : run)
            if (isBlank(c)) ++out.blanks;
    });
    out.ruby = out.emphasis = 0;
    for (const Span& span : m_parse.spans)
        ++(span.kind == Span::Kind::Ruby ? out.ruby : out.emphasis);
    manuscript::cellsOf(line, m_parse.hidden, m_grid, m_cells);
    out.manuscriptLines = manuscript::lineCount(m_cells, m_grid.columns);
    out.problems = m_parse.problems;
}

Totals countText(Target target, const manuscript::GridOptions& grid, QStringView text,
                 std::vector<LineProblem>* problems) {
    LiveCount live;
    live.reset(target, grid, text);
    if (problems) *problems = live.problems();
    return live.totals();
}

void LiveCount::add(const LineStats& s, int sign) {
    m_totals.withBlanks += sign * (s.chars + 1); // and the line's break
    m_totals.withoutBlanks += sign * (s.chars - s.blanks);
    m_totals.ruby += sign * s.ruby;
    m_totals.emphasis += sign * s.emphasis;
    m_totals.manuscriptLines += sign * s.manuscriptLines;
    m_totals.problems += sign * qint64(s.problems.size());
    m_totals.lines += sign;
}

void LiveCount::reset(Target target, const manuscript::GridOptions& grid, QStringView text) {
    m_target = target;
    m_grid = grid;
    m_totals = {};
    m_totals.withBlanks = -1; // the last line has no break
    m_blocks.clear();
    LineCounter counter(target, grid);
    forEachLine(text, [&](int, int start, int end) {
        if (m_blocks.empty() || m_blocks.back().size() >= kBlockLines) {
            m_blocks.emplace_back();
            m_blocks.back().reserve(kBlockLines);
        }
        m_blocks.back().emplace_back();
        counter.count(text.sliced(start, end - start), m_blocks.back().back());
        add(m_blocks.back().back(), 1);
    });
}

void LiveCount::replaceLines(int first, int oldCount, std::vector<LineStats>& fresh) {
    std::size_t b = 0;
    int offset = first;
    while (b + 1 < m_blocks.size() && offset >= int(m_blocks[b].size())) {
        offset -= int(m_blocks[b].size());
        ++b;
    }
    // Take the old lines out, block by block from the first one.
    int left = oldCount;
    for (std::size_t k = b; left > 0 && k < m_blocks.size(); ++k) {
        auto& lines = m_blocks[k];
        const int from = k == b ? offset : 0;
        const int take = std::min(left, int(lines.size()) - from);
        for (int i = from; i < from + take; ++i)
            add(lines[i], -1);
        lines.erase(lines.begin() + from, lines.begin() + from + take);
        left -= take;
    }
    auto& block = m_blocks[b];
    for (const LineStats& s : fresh)
        add(s, 1);
    block.insert(block.begin() + std::min<int>(offset, int(block.size())),
                 std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    if (block.size() > 2 * kBlockLines) {
        std::vector<LineStats> tail(std::make_move_iterator(block.begin() + kBlockLines),
                                    std::make_move_iterator(block.end()));
        block.resize(kBlockLines);
        m_blocks.insert(m_blocks.begin() + b + 1, std::move(tail));
    }
    std::erase_if(m_blocks, [](const auto& lines) { return lines.empty(); });
    if (m_blocks.empty()) m_blocks.emplace_back();
}

void LiveCount::update(const TextBox& box, int pos, int removed, int inserted) {
    (void)removed;
    const int newCount = box.hardLineCount();
    // The lines the change touched, in the new text. One character more at the end covers a
    // line break the change completed or split (a CR typed before an LF).
    const int first = box.hardLineFromChar(pos);
    const int last = box.hardLineFromChar(std::min(pos + inserted + 1, box.length()));
    const int after = newCount - 1 - last;
    const int oldLast = int(m_totals.lines) - 1 - after;
    if (oldLast < first - 1 || after < 0) {
        reset(m_target, m_grid, box.text());
        return;
    }
    LineCounter counter(m_target, m_grid);
    std::vector<LineStats> fresh(std::size_t(last - first + 1));
    for (int line = first; line <= last; ++line) {
        const int start = box.hardLineStart(line);
        // Read where it lies: the text after the edit may still be behind its hole.
        counter.count(box.view(start, box.hardLineEnd(line)), fresh[std::size_t(line - first)]);
    }
    replaceLines(first, oldLast - first + 1, fresh);
}

Totals LiveCount::totals() const {
    Totals t = m_totals;
    if (!m_blocks.empty() && !m_blocks.back().empty() && m_blocks.back().back().chars == 0)
        t.manuscriptLines -= m_blocks.back().back().manuscriptLines;
    return t;
}

std::vector<LineProblem> LiveCount::problems() const {
    std::vector<LineProblem> out;
    int line = 0;
    for (const auto& lines : m_blocks)
        for (const LineStats& s : lines) {
            for (const Problem& p : s.problems)
                out.push_back({line, p});
            ++line;
        }
    return out;
}

} // namespace notation
