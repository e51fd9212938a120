#include "platform/ui/TextView.h"

#include "platform/TextViewKeys.h"
#include "platform/TextViewText.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDateTime>
#include <QDrag>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QTextCharFormat>

#include <algorithm>
#include <cmath>

namespace {

// The exact model text of a copy, so that lone CR and LF survive a copy inside the program.
const QString ModelTextMime = QStringLiteral("application/x-pallo-text");

constexpr int kMargin = 4;      // as a plain text edit's document margin
constexpr int kMeasureMs = 8;   // idle measuring per turn of the event loop
constexpr int kKeepAround = 16; // lines kept laid out beyond the screen
constexpr qreal kNoWrapWidth = 1e7;
// Code units behind an edit of a long line laid out at once (a millisecond or two); the rest of
// the line follows in idle time.
constexpr int kReflowNow = 4096;
constexpr int kReflowPerTurn = 16384;
constexpr int kIdleAfterEditMs = 50;

QString modelTextOf(const QMimeData* source) {
    if (source->hasFormat(ModelTextMime)) {
        const QByteArray raw = source->data(ModelTextMime);
        return QString(reinterpret_cast<const QChar*>(raw.constData()),
                       raw.size() / qsizetype(sizeof(char16_t)));
    }
    return source->hasText() ? TextViewText::fromForeignClipboard(source->text()) : QString();
}

bool carriesText(const QMimeData* source) {
    return source->hasFormat(ModelTextMime) || source->hasText();
}

} // namespace

TextView::TextView(TextBox& model, QWidget* parent)
    : QAbstractScrollArea(parent), m_model(model), m_layout(*this),
      m_layouter(std::make_unique<HorizontalLayouter>()) {
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    viewport()->setBackgroundRole(QPalette::Base);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &TextView::measureSome);
    connect(&m_model, &TextBox::textReplaced, this, &TextView::onReplaced);
    connect(&m_model, &TextBox::selectionChanged, this, &TextView::onSelectionChanged);
    connect(&m_model, &TextBox::batchEnded, this, [this] {
        updateScrollBar();
        scrollToPosition(m_caret);
        if (!layoutComplete()) m_idle.start(0);
        viewport()->update();
    });
    m_caret = m_model.selStart() + m_model.selLength();
    m_anchor = m_model.selStart();
    configureLayout();
    m_model.setLineLayout(&m_layout);
}

TextView::~TextView() {
    if (m_model.lineLayout() == &m_layout) m_model.setLineLayout(nullptr);
}

void TextView::setReadOnly(bool readOnly) {
    m_readOnly = readOnly;
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
    viewport()->update();
}

void TextView::setWordWrap(bool wrap) {
    if (wrap == m_wrap) return;
    m_wrap = wrap;
    setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    configureLayout();
}

void TextView::setShowMarks(bool show) {
    if (show == m_showMarks) return;
    m_showMarks = show;
    viewport()->update();
}

// ---- Layout -------------------------------------------------------------------------------

void TextView::configureLayout() {
    QTextOption option;
    option.setWrapMode(m_wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    const qreal width = wraps() ? std::max(1, m_textWidth - 2 * kMargin) : kNoWrapWidth;
    m_layouter->configure(font(), option, width, viewport());
    m_measure.configure(font(), option, width, viewport());
    m_cache.clear();
    m_long.clear();
    m_longPending.clear();
    m_counts.reset(m_model.hardLineCount());
    m_xOffset = 0;
    if (wraps()) measureLater(0);
    updateScrollBar();
    viewport()->update();
}

bool TextView::layoutComplete() const {
    // Unwrapped (or never shown, without a width) every line is one row.
    return !wraps() || (m_counts.unknownCount() == 0 && m_longPending.empty());
}

QString TextView::lineText(int line) const {
    return TextViewText::toShown(
        m_model.view(m_model.hardLineStart(line), m_model.hardLineEnd(line)));
}

bool TextView::isLong(int line) const {
    return wraps() && m_model.hardLineEnd(line) - m_model.hardLineStart(line) > kLongLine;
}

// A long line met for the first time gets its first rows at once and the rest in idle time, as
// the rows behind an edit do: a line of a million characters takes half a second to lay out.
const std::vector<int>& TextView::longStarts(int line) {
    auto it = m_long.find(line);
    if (it == m_long.end()) {
        it = m_long.emplace(line, std::vector<int>{0}).first;
        m_longPending[line] = 0;
        continueLongLine(line, kReflowPerTurn);
        if (!m_longPending.empty()) measureLater(0);
    }
    return it->second;
}

// The caret's line shows the preedit (except a long one, over which it is drawn); it is laid
// out anew whenever the preedit changes.
const LaidOutLine& TextView::laidOut(int line) {
    auto it = m_cache.find(line);
    if (it != m_cache.end()) return *it->second;
    std::unique_ptr<LaidOutLine> laid;
    if (isLong(line)) {
        const int length = m_model.hardLineEnd(line) - m_model.hardLineStart(line);
        laid = m_layouter->layoutLong(longStarts(line), length, [this, line](int from, int to) {
            const int start = m_model.hardLineStart(line);
            return TextViewText::toShown(m_model.view(start + from, start + to));
        });
    } else {
        const bool withPreedit = !m_preedit.isEmpty() && line == m_model.hardLineFromChar(m_caret);
        laid = m_layouter->layout(lineText(line),
                                  withPreedit ? columnOf(m_caret, line) : -1,
                                  withPreedit ? m_preedit : QString());
        if (!withPreedit && wraps()) m_counts.setCount(line, laid->rowCount());
    }
    return *m_cache.emplace(line, std::move(laid)).first->second;
}

// A key typed into a long line lays out the rows around it, not the whole line. Japanese fills
// every row, so one more character can move every break to the line's end: what lies more than
// kReflowNow behind the edit keeps its rows for now and is marked pending. An edit before a
// pending column lays out at least up to it, so that a line never has two.
void TextView::editLongLine(int line, int at, int removed, int added) {
    const int start = m_model.hardLineStart(line);
    std::vector<int>& starts = m_long[line];
    auto pending = m_longPending.find(line);
    int limit = kReflowNow;
    if (pending != m_longPending.end()) {
        if (at < pending->second) {
            pending->second += added - removed;
            limit = std::max(limit, pending->second - (at + added) + 1);
        } else {
            limit = INT_MAX;
        }
    }
    int met = -1;
    const int resume = updateWrapStarts(m_measure, m_model.view(start, m_model.hardLineEnd(line)),
                                        starts, at, removed, added, limit, &met);
    if (resume >= 0)
        m_longPending[line] = resume;
    else if (pending != m_longPending.end() && met >= pending->second)
        m_longPending.erase(pending);
    // The rows shown count until the pending ones are laid out; exact questions wait for them.
    m_counts.setCount(line, int(starts.size()));
}

bool TextView::continueLongLine(int line, int limit) {
    const auto pending = m_longPending.find(line);
    if (pending == m_longPending.end()) return true;
    const int start = m_model.hardLineStart(line);
    const int length = m_model.hardLineEnd(line) - start;
    std::vector<int>& starts = m_long[line];
    int resume = -1;
    if (pending->second < length)
        resume = updateWrapStarts(m_measure, m_model.view(start, start + length), starts,
                                  pending->second, 1, 1, limit);
    m_counts.setCount(line, int(starts.size()));
    m_cache.erase(line);
    viewport()->update();
    if (resume >= 0) {
        pending->second = resume;
        return false;
    }
    m_longPending.erase(pending);
    return true;
}

// The rows a line shows (for a long line with pending rows, the rows it shows for now).
int TextView::rowsOfLine(int line) {
    if (!wraps()) return 1;
    int n = m_counts.count(line);
    if (n == TextViewLineCounts::Unknown) {
        n = isLong(line) ? int(longStarts(line).size()) : m_measure.lines(lineText(line));
        m_counts.setCount(line, std::max(1, n));
    }
    return std::max(1, n);
}

// Makes the counts of lines [0, lineEnd) exact.
void TextView::ensureCounted(int lineEnd) {
    if (!wraps()) return;
    lineEnd = std::min(lineEnd, m_counts.size());
    while (!m_longPending.empty() && m_longPending.begin()->first < lineEnd)
        continueLongLine(m_longPending.begin()->first, INT_MAX);
    for (int line = m_counts.firstUnknown(0); line < lineEnd;
         line = m_counts.firstUnknown(line + 1))
        rowsOfLine(line);
}

// Rows are left to measure: idle time measures them and announces when they are all known.
void TextView::measureLater(int delayMs) {
    m_announced = false;
    m_idle.start(delayMs);
}

void TextView::measureSome() {
    // Lines edited during a batch may change again at once; the batch's end resumes this.
    if (m_model.inBatch() || !wraps()) return;
    QElapsedTimer clock;
    clock.start();
    // Long lines an edit left pending go on a slice at a time.
    while (!m_longPending.empty() && clock.elapsed() < kMeasureMs)
        continueLongLine(m_longPending.begin()->first, kReflowPerTurn);
    for (int line = m_counts.firstUnknown(0); line < m_counts.size() && clock.elapsed() < kMeasureMs;
         line = m_counts.firstUnknown(line + 1)) {
        rowsOfLine(line);
        if (clock.elapsed() >= kMeasureMs) break;
    }
    updateScrollBar();
    if (!layoutComplete()) {
        m_idle.start(0);
    } else if (!m_announced) {
        m_announced = true;
        emit layoutCompleted();
    }
}

int TextView::columnOf(int pos, int line) const {
    return std::clamp(pos, m_model.hardLineStart(line), m_model.hardLineEnd(line)) -
           m_model.hardLineStart(line);
}

int TextView::rowCount() {
    if (!wraps()) return m_model.hardLineCount();
    ensureCounted(m_counts.size());
    return std::max(1, m_counts.total());
}

int TextView::rowOf(int pos) {
    pos = std::clamp(pos, 0, m_model.length());
    const int line = m_model.hardLineFromChar(pos);
    if (!wraps()) return line;
    ensureCounted(line);
    return m_counts.linesBefore(line) + rowInLine(line, columnOf(pos, line));
}

// The row of `column` in `line`, as the text alone lays it out (a preedit shown in the line
// does not count).
int TextView::rowInLine(int line, int column) {
    if (rowsOfLine(line) == 1) return 0;
    std::vector<int> measured;
    const std::vector<int>* starts = &measured;
    if (isLong(line)) {
        if (const auto p = m_longPending.find(line); p != m_longPending.end() && column >= p->second)
            continueLongLine(line, INT_MAX);
        starts = &longStarts(line);
    } else if (m_preedit.isEmpty() || line != m_model.hardLineFromChar(m_caret))
        return laidOut(line).rowOf(column);
    else
        m_measure.lines(lineText(line), &measured);
    return std::max(0, int(std::upper_bound(starts->begin(), starts->end(), column) -
                           starts->begin()) - 1);
}

int TextView::WrappedLayout::lineCount() {
    return m_view.rowCount();
}

int TextView::WrappedLayout::lineFromChar(int pos) {
    return m_view.rowOf(pos);
}

// ---- Scrolling ----------------------------------------------------------------------------

int TextView::pageRows() const {
    return std::max(1, int(viewport()->height() / std::max<qreal>(1, m_layouter->rowExtent())));
}

int TextView::topRow() const {
    return m_counts.estimatedBefore(m_topLine, 1) + m_topRowInLine;
}

void TextView::setTop(int line, int row) {
    const int lines = m_model.hardLineCount();
    m_topLine = std::clamp(line, 0, lines - 1);
    m_topRowInLine = std::clamp(row, 0, rowsOfLine(m_topLine) - 1);
    updateScrollBar();
    viewport()->update();
}

void TextView::updateScrollBar() {
    if (m_model.inBatch()) return;
    m_topLine = std::clamp(m_topLine, 0, m_model.hardLineCount() - 1);
    const int page = pageRows();
    const int top = topRow();
    QScrollBar* bar = verticalScrollBar();
    m_settingBar = true;
    bar->setPageStep(page);
    bar->setSingleStep(1);
    bar->setRange(0, std::max({0, m_counts.estimatedTotal(1) - page, top}));
    bar->setValue(top);
    if (!m_wrap) {
        qreal widest = 0;
        for (const auto& [line, laid] : m_cache)
            widest = std::max(widest, laid->naturalWidth());
        QScrollBar* across = horizontalScrollBar();
        across->setPageStep(viewport()->width());
        across->setSingleStep(16);
        across->setRange(0, std::max(0, int(std::ceil(widest)) + 2 * kMargin - viewport()->width()));
        m_xOffset = across->value();
    }
    m_settingBar = false;
}

void TextView::scrollContentsBy(int, int) {
    if (m_settingBar) return;
    m_xOffset = horizontalScrollBar()->value();
    const int value = verticalScrollBar()->value();
    if (value != topRow()) {
        const auto [line, first] = m_counts.blockAtLine(value, 1);
        m_topLine = line;
        m_topRowInLine = std::clamp(value - first, 0, rowsOfLine(line) - 1);
    }
    viewport()->update();
}

int TextView::topPosition() {
    const int start = m_model.hardLineStart(m_topLine);
    if (m_topRowInLine == 0) return start;
    if (isLong(m_topLine)) return start + longStarts(m_topLine)[m_topRowInLine];
    std::vector<int> starts;
    m_measure.lines(lineText(m_topLine), &starts);
    return start + starts[std::min<size_t>(m_topRowInLine, starts.size() - 1)];
}

// Moves (line, row) `rows` rows up, as far as the first row of the text.
void TextView::rowsUp(int& line, int& row, int rows) {
    while (rows > row && line > 0) {
        rows -= row + 1;
        row = rowsOfLine(--line) - 1;
    }
    row = std::max(0, row - std::max(0, rows));
}

void TextView::scrollToTop(int modelPos) {
    modelPos = std::clamp(modelPos, 0, m_model.length());
    int line = m_model.hardLineFromChar(modelPos);
    int row = rowInLine(line, columnOf(modelPos, line));
    // As far as the end of the text allows: the last row stays at the bottom.
    int below = rowsOfLine(line) - row;
    for (int l = line + 1; below < pageRows() && l < m_model.hardLineCount(); ++l)
        below += rowsOfLine(l);
    rowsUp(line, row, pageRows() - below);
    setTop(line, row);
}

// Where the line's first row stands on the viewport, counted from the top line; lines far off
// screen are not looked for (the answer is then only far above or below).
QPointF TextView::lineOrigin(int line) {
    const qreal h = m_layouter->rowExtent();
    const qreal limit = 4.0 * viewport()->height() + h;
    qreal y = -m_topRowInLine * h;
    const int caretLine = m_preedit.isEmpty() ? -1 : m_model.hardLineFromChar(m_caret);
    auto rowsShown = [&](int l) { return l == caretLine ? laidOut(l).rowCount() : rowsOfLine(l); };
    if (line >= m_topLine) {
        for (int l = m_topLine; l < line && y < limit; ++l)
            y += rowsShown(l) * h;
    } else {
        for (int l = m_topLine - 1; l >= line && y > -limit; --l)
            y -= rowsShown(l) * h;
    }
    return QPointF(kMargin - m_xOffset, y);
}

QRectF TextView::caretRectAt(int pos) {
    pos = std::clamp(pos, 0, m_model.length());
    const int line = m_model.hardLineFromChar(pos);
    int column = columnOf(pos, line);
    if (pos == m_caret && !m_preedit.isEmpty() && !isLong(line)) column += m_preeditCursor;
    return laidOut(line).caretRect(column).translated(lineOrigin(line));
}

QRect TextView::cursorRect() {
    return caretRectAt(m_caret).toAlignedRect();
}

int TextView::positionAt(QPointF point) {
    const qreal h = m_layouter->rowExtent();
    const int lines = m_model.hardLineCount();
    int line = m_topLine;
    qreal y = -m_topRowInLine * h;
    while (y > point.y() && line > 0)
        y -= laidOut(--line).rowCount() * h;
    while (line + 1 < lines && y + laidOut(line).rowCount() * h <= point.y()) {
        y += laidOut(line).rowCount() * h;
        ++line;
    }
    const int column = laidOut(line).columnAt(point - QPointF(kMargin - m_xOffset, y));
    const int start = m_model.hardLineStart(line);
    return start + std::clamp(column, 0, m_model.hardLineEnd(line) - start);
}

void TextView::scrollToPosition(int pos) {
    if (m_model.inBatch()) return;
    const QRectF r = caretRectAt(pos);
    int line = m_model.hardLineFromChar(pos);
    int row = rowInLine(line, columnOf(pos, line));
    if (r.top() < 0) {
        setTop(line, row);
    } else if (r.bottom() > viewport()->height()) {
        // The caret's row becomes the last whole row on screen.
        rowsUp(line, row, pageRows() - 1);
        setTop(line, row);
    }
    if (!m_wrap && (r.left() < kMargin || r.right() > viewport()->width() - kMargin)) {
        // Unwrapped, the caret's column is brought to the middle of the width.
        const int x = int(r.left()) + m_xOffset;
        QScrollBar* across = horizontalScrollBar();
        across->setMaximum(std::max(across->maximum(), x));
        across->setValue(std::max(0, x - viewport()->width() / 2));
    }
}

// ---- Model -> view ------------------------------------------------------------------------

void TextView::onReplaced(int pos, int removed, const QString& inserted) {
    const int added = int(inserted.size());
    int start = pos;
    int newEnd = pos + added;
    // A CR before the edit or an LF after it may have joined or left a pair.
    if (start > 0 && m_model.at(start - 1) == u'\r') --start;
    if (newEnd < m_model.length() && m_model.at(newEnd) == u'\n') ++newEnd;
    const int lines = m_model.hardLineCount();
    const int first = m_model.hardLineFromChar(start);
    const int last = std::max(first, m_model.hardLineFromChar(newEnd));
    const int newSpan = last - first + 1;
    const int oldSpan = std::clamp(newSpan - (lines - m_counts.size()), 0, m_counts.size() - first);
    const int lineStart = m_model.hardLineStart(first);
    const int lineEnd = m_model.hardLineEnd(first);

    if (newSpan == 1 && oldSpan == 1 && m_long.count(first) && pos >= lineStart &&
        pos + added <= lineEnd && lineEnd - lineStart > kLongLine) {
        editLongLine(first, pos - lineStart, removed, added);
    } else if (first == 0 && oldSpan == m_counts.size()) {
        m_counts.reset(lines);
        m_long.clear();
        m_longPending.clear();
    } else {
        m_counts.replace(first, oldSpan, newSpan);
        // Lines after the edit keep what is known of them under their new numbers.
        const auto renumber = [&](auto& byLine) {
            std::remove_reference_t<decltype(byLine)> kept;
            for (auto& [line, value] : byLine) {
                if (line < first)
                    kept.emplace(line, std::move(value));
                else if (line >= first + oldSpan)
                    kept.emplace(line + newSpan - oldSpan, std::move(value));
            }
            byLine.swap(kept);
        };
        renumber(m_long);
        renumber(m_longPending);
    }
    if (m_counts.size() != lines) {
        m_counts.reset(lines);
        m_long.clear();
        m_longPending.clear();
    }
    if (oldSpan == newSpan)
        m_cache.erase(m_cache.lower_bound(first), m_cache.upper_bound(last));
    else
        m_cache.erase(m_cache.lower_bound(first), m_cache.end());

    // The text on screen stays where it is unless the edit took its top line away.
    if (m_topLine >= first + oldSpan)
        m_topLine += newSpan - oldSpan;
    else if (m_topLine >= first && oldSpan != newSpan) {
        m_topLine = first;
        m_topRowInLine = 0;
    }
    m_topLine = std::clamp(m_topLine, 0, lines - 1);

    if (wraps()) {
        // A typed key measures its own line now, so the scroll bar does not wait for idle time.
        if (newSpan == 1 && !m_model.inBatch()) rowsOfLine(first);
        if (!layoutComplete()) {
            // While the writer types, the keys are drawn first and idle work waits for a pause.
            measureLater(kIdleAfterEditMs);
        }
    }
    m_topRowInLine = std::min(m_topRowInLine, rowsOfLine(m_topLine) - 1);
    updateScrollBar();
    viewport()->update();
}

void TextView::onSelectionChanged() {
    if (!m_pushing) {
        m_anchor = m_model.selStart();
        m_caret = m_model.selStart() + m_model.selLength();
        if (!m_preedit.isEmpty()) m_cache.clear();
        m_goalX = -1;
        scrollToPosition(m_caret);
    }
    restartBlink();
    viewport()->update();
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

void TextView::pushSelection() {
    m_pushing = true;
    m_model.setSelection(std::min(m_anchor, m_caret), std::abs(m_caret - m_anchor));
    m_pushing = false;
}

// ---- Painting -----------------------------------------------------------------------------

void TextView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QPalette& pal = palette();
    p.fillRect(viewport()->rect(), pal.brush(QPalette::Base));
    p.setPen(pal.color(QPalette::Text));
    const qreal h = m_layouter->rowExtent();
    const int lines = m_model.hardLineCount();
    const int selFrom = std::min(m_anchor, m_caret);
    const int selTo = std::max(m_anchor, m_caret);
    const int caretLine = m_model.hardLineFromChar(m_caret);
    const bool caretVisible = hasFocus() && m_caretShown && !m_readOnly && isEnabled();
    QColor faint = pal.color(QPalette::Text);
    faint.setAlpha(70);

    int line = m_topLine;
    qreal y = -m_topRowInLine * h;
    for (; line < lines && y < viewport()->height(); ++line) {
        const LaidOutLine& laid = laidOut(line);
        const int start = m_model.hardLineStart(line);
        const int end = m_model.hardLineEnd(line);
        const bool preeditHere = line == caretLine && !m_preedit.isEmpty();
        const bool preeditInside = preeditHere && !isLong(line);
        QList<QTextLayout::FormatRange> ranges;
        if (selFrom < selTo && selFrom <= end && selTo > start) {
            QTextLayout::FormatRange r;
            r.start = std::max(selFrom, start) - start;
            // A selected line break shows as one selected cell after the line.
            r.length = std::min(selTo, end + (selTo > end ? 1 : 0)) - start - r.start;
            if (preeditInside && r.start >= m_caret - start) r.start += int(m_preedit.size());
            r.format.setBackground(pal.brush(QPalette::Highlight));
            r.format.setForeground(pal.brush(QPalette::HighlightedText));
            ranges.append(r);
        }
        int caretColumn = -1;
        if (line == caretLine) {
            caretColumn = m_caret - start;
            if (preeditInside) {
                // The input method's own formats mark the segment being converted.
                QTextLayout::FormatRange r;
                r.start = caretColumn;
                r.length = int(m_preedit.size());
                r.format.setFontUnderline(true);
                ranges.append(r);
                for (QTextLayout::FormatRange f : m_preeditFormats) {
                    f.start += caretColumn;
                    ranges.append(f);
                }
                caretColumn += m_preeditCursor;
            }
            if (!caretVisible) caretColumn = -1;
        }
        const QPointF origin(kMargin - m_xOffset, y);
        const int firstRow = int(std::floor(-y / h));
        const int lastRow = int(std::ceil((viewport()->height() - y) / h));
        laid.draw(p, origin, ranges, caretColumn, firstRow, lastRow);
        if (preeditHere && !preeditInside) {
            // Over a long line the preedit is drawn in a box of its own at the caret.
            const QRectF c = laid.caretRect(m_caret - start).translated(origin);
            QFont f = font();
            f.setUnderline(true);
            p.save();
            p.setFont(f);
            const QRectF box(c.left(), c.top(), QFontMetricsF(f).horizontalAdvance(m_preedit) + 2,
                             c.height());
            p.fillRect(box, pal.brush(QPalette::Base));
            p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, m_preedit);
            p.restore();
        }
        if (m_showMarks) {
            p.save();
            p.setPen(faint);
            const int from = start + laid.rowStart(std::max(0, firstRow));
            const int to = lastRow < laid.rowCount() ? start + laid.rowStart(lastRow) : end;
            const QString text = m_model.mid(from, to);
            for (int i = 0; i < text.size(); ++i) {
                const QChar c = text[i];
                if (c != u'\u3000' && c != u'\t') continue;
                int column = from - start + i;
                if (preeditInside && column >= m_caret - start) column += int(m_preedit.size());
                const QRectF g = laid.glyphRect(column).translated(origin);
                if (c == u'\u3000') {
                    p.drawRect(g.adjusted(g.width() * 0.15, g.height() * 0.25, -g.width() * 0.15,
                                          -g.height() * 0.2));
                } else {
                    const qreal mid = g.center().y();
                    p.drawLine(QPointF(g.left() + 2, mid), QPointF(g.left() + 10, mid));
                    p.drawLine(QPointF(g.left() + 7, mid - 3), QPointF(g.left() + 10, mid));
                }
            }
            if (line + 1 < lines && to == end) {
                const QRectF c = laid.caretRect(end - start + (preeditInside ? int(m_preedit.size()) : 0))
                                     .translated(origin);
                const qreal x = c.left() + 3;
                const qreal mid = c.center().y();
                p.drawLine(QPointF(x + 6, c.top() + c.height() * 0.3), QPointF(x + 6, mid));
                p.drawLine(QPointF(x + 6, mid), QPointF(x, mid));
                p.drawLine(QPointF(x, mid), QPointF(x + 3, mid - 3));
            }
            p.restore();
        }
        y += laid.rowCount() * h;
    }
    // Lines scrolled away are laid out again when they come back.
    m_cache.erase(m_cache.begin(), m_cache.lower_bound(m_topLine - kKeepAround));
    m_cache.erase(m_cache.upper_bound(line + kKeepAround), m_cache.end());
    if (!m_wrap) updateScrollBar();
}

void TextView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    // Lines wrap at the viewport's width once there is one, and again only when it changes.
    if (viewport()->width() != m_textWidth) {
        m_textWidth = viewport()->width();
        configureLayout();
    } else {
        updateScrollBar();
    }
}

void TextView::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (e->type() == QEvent::FontChange) configureLayout();
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::EnabledChange)
        viewport()->update();
}

void TextView::restartBlink() {
    m_caretShown = true;
    const int flash = QGuiApplication::styleHints()->cursorFlashTime();
    if (flash > 0 && hasFocus())
        m_blink.start(flash / 2, this);
    else
        m_blink.stop();
}

void TextView::updateCaret() {
    viewport()->update(caretRectAt(m_caret).toAlignedRect().adjusted(-2, -2, 2, 2));
}

void TextView::timerEvent(QTimerEvent* e) {
    if (e->timerId() != m_blink.timerId()) {
        QAbstractScrollArea::timerEvent(e);
        return;
    }
    m_caretShown = !m_caretShown;
    updateCaret();
}

// ---- Editing ------------------------------------------------------------------------------

void TextView::setCaret(int pos, bool extend) {
    m_caret = std::clamp(pos, 0, m_model.length());
    if (!extend) m_anchor = m_caret;
    pushSelection();
    scrollToPosition(m_caret);
    restartBlink();
    viewport()->update();
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
}

void TextView::insertText(const QString& text) {
    if (m_readOnly) return;
    const int from = std::min(m_anchor, m_caret);
    const int length = std::abs(m_caret - m_anchor);
    if (length == 0 && text.isEmpty()) return;
    m_model.replace(from, length, text);
    scrollToPosition(m_caret);
}

// The caret never stands between the CR and the LF of a line break, nor inside a surrogate
// pair: both are one step.
int TextView::stepLeft(int pos) const {
    if (pos <= 0) return 0;
    if (pos >= 2 && m_model.at(pos - 1) == u'\n' && m_model.at(pos - 2) == u'\r') return pos - 2;
    if (pos >= 2 && m_model.at(pos - 1).isLowSurrogate() && m_model.at(pos - 2).isHighSurrogate())
        return pos - 2;
    return pos - 1;
}

int TextView::stepRight(int pos) const {
    const int len = m_model.length();
    if (pos >= len) return len;
    if (pos + 1 < len && m_model.at(pos) == u'\r' && m_model.at(pos + 1) == u'\n') return pos + 2;
    if (pos + 1 < len && m_model.at(pos).isHighSurrogate() && m_model.at(pos + 1).isLowSurrogate())
        return pos + 2;
    return pos + 1;
}

// Word boundaries inside the caret's line; at a line's edge a word step crosses the break.
int TextView::wordStep(int pos, bool forward) const {
    const int line = m_model.hardLineFromChar(pos);
    const int start = m_model.hardLineStart(line);
    const int end = m_model.hardLineEnd(line);
    if (forward ? pos >= end : pos <= start) return forward ? stepRight(pos) : stepLeft(pos);
    const QString text = m_model.mid(start, end);
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    words.setPosition(columnOf(pos, line));
    for (;;) {
        const qsizetype next = forward ? words.toNextBoundary() : words.toPreviousBoundary();
        if (next < 0) return forward ? end : start;
        // Stop at the start of a word going back, at its end or the next word going on.
        const bool stop = forward ? (words.boundaryReasons() & QTextBoundaryFinder::StartOfItem) ||
                                        next == text.size()
                                  : (words.boundaryReasons() & QTextBoundaryFinder::StartOfItem) ||
                                        next == 0;
        if (stop) return start + int(next);
    }
}

void TextView::erase(bool forward, bool word) {
    if (m_readOnly) return;
    if (m_anchor != m_caret) return insertText(QString());
    const int other = word ? wordStep(m_caret, forward)
                           : (forward ? stepRight(m_caret) : stepLeft(m_caret));
    const int from = std::min(other, m_caret);
    const int to = std::max(other, m_caret);
    if (from < to) m_model.replace(from, to - from, QString());
    scrollToPosition(m_caret);
}

// `rows` rows up (negative) or down from `pos`, keeping the x the caret first had.
int TextView::verticalStep(int pos, int rows) {
    int line = m_model.hardLineFromChar(pos);
    const int column = columnOf(pos, line);
    int row = laidOut(line).rowOf(column) + rows;
    if (m_goalX < 0) m_goalX = laidOut(line).caretRect(column).left();
    const int lines = m_model.hardLineCount();
    while (row < 0 && line > 0)
        row += rowsOfLine(--line);
    while (row >= rowsOfLine(line) && line + 1 < lines)
        row -= rowsOfLine(line++);
    if (row < 0) return 0;
    const LaidOutLine& laid = laidOut(line);
    if (row >= laid.rowCount()) return m_model.length();
    const QRectF rowRect = laid.caretRect(laid.rowStart(row));
    const int c = laid.columnAt(QPointF(m_goalX, rowRect.center().y()));
    const int start = m_model.hardLineStart(line);
    return start + std::clamp(c, 0, m_model.hardLineEnd(line) - start);
}

bool TextView::event(QEvent* e) {
    if (TextViewKeys::leaveToMenus(e)) return true;
    if (e->type() == QEvent::ShortcutOverride) {
        // Typing and the editing keys belong to the text, not to shortcuts without Ctrl or Alt.
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((!ke->text().isEmpty() && ke->text().at(0).isPrint()) || ke->key() == Qt::Key_Delete || ke->key() == Qt::Key_Backspace ||
            ke->key() == Qt::Key_Home || ke->key() == Qt::Key_End ||
            (ke->key() >= Qt::Key_Left && ke->key() <= Qt::Key_PageDown) ||
            ke->matches(QKeySequence::Paste) || ke->matches(QKeySequence::Cut)) {
            e->accept();
            return true;
        }
    }
    if (e->type() == QEvent::KeyPress) {
        // Tab is a character here, not a step to the next control.
        auto* ke = static_cast<QKeyEvent*>(e);
        if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) &&
            !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            keyPressEvent(ke);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TextView::keyPressEvent(QKeyEvent* e) {
    emit keyDown(TextViewKeys::classicKeyCode(e), TextViewKeys::keyShift(e));
    e->accept();
    if (e->matches(QKeySequence::Paste)) {
        if (!m_readOnly) emit pasteRequested(false);
        return;
    }
    if (e->matches(QKeySequence::Copy)) return copy();
    if (e->matches(QKeySequence::Cut)) return cut();
    if (e->matches(QKeySequence::SelectAll) || e->matches(QKeySequence::DeleteEndOfLine) ||
        e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo))
        return;
    const bool shift = e->modifiers() & Qt::ShiftModifier;
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    auto rowEdge = [this](bool atEnd) {
        const int line = m_model.hardLineFromChar(m_caret);
        const int start = m_model.hardLineStart(line);
        const int length = m_model.hardLineEnd(line) - start;
        const LaidOutLine& laid = laidOut(line);
        const int row = laid.rowOf(columnOf(m_caret, line));
        if (!atEnd) return start + laid.rowStart(row);
        if (row + 1 >= laid.rowCount()) return start + length;
        // A row that wrapped at a blank ends before the blank, as in every text edit.
        const int next = start + laid.rowStart(row + 1);
        return m_model.at(next - 1).isSpace() ? next - 1 : next;
    };
    switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right: {
        // Without Shift a selection collapses to its side instead of moving.
        const bool right = e->key() == Qt::Key_Right;
        const int to = ctrl                             ? wordStep(m_caret, right)
                       : m_anchor != m_caret && !shift ? (right ? std::max(m_anchor, m_caret)
                                                                : std::min(m_anchor, m_caret))
                       : right                          ? stepRight(m_caret)
                                                        : stepLeft(m_caret);
        setCaret(to, shift);
        break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        const bool up = e->key() == Qt::Key_Up || e->key() == Qt::Key_PageUp;
        const bool page = e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown;
        const int rows = page ? std::max(1, pageRows() - 1) : 1;
        if (page) {
            const int value = std::max(0, topRow() + (up ? -rows : rows));
            const auto [line, first] = m_counts.blockAtLine(value, 1);
            setTop(line, value - first);
        }
        const int to = verticalStep(m_caret, up ? -rows : rows);
        const qreal goal = m_goalX;
        setCaret(to, shift);
        m_goalX = goal;
        break;
    }
    case Qt::Key_Home:
        setCaret(ctrl ? 0 : rowEdge(false), shift);
        break;
    case Qt::Key_End:
        setCaret(ctrl ? m_model.length() : rowEdge(true), shift);
        break;
    case Qt::Key_Backspace:
        erase(false, ctrl);
        break;
    case Qt::Key_Delete:
        erase(true, ctrl);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A line break typed with Shift is the same CR LF as a plain Enter.
        insertText(kCrLf);
        break;
    case Qt::Key_Tab:
        if (!ctrl) insertText(QStringLiteral("\t"));
        break;
    case Qt::Key_Backtab:
        break;
    default:
        const QString text = TextViewText::sanitize(e->text());
        if (!text.isEmpty() && !ctrl && (text.at(0).isPrint() || text.at(0).isSurrogate())) {
            insertText(text);
        } else {
            e->ignore();
            return;
        }
    }
    if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down && e->key() != Qt::Key_PageUp &&
        e->key() != Qt::Key_PageDown)
        m_goalX = -1;
    if (shift && m_anchor != m_caret) setPrimarySelection();
}

void TextView::keyReleaseEvent(QKeyEvent* e) {
    QAbstractScrollArea::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) emit keyUp(TextViewKeys::classicKeyCode(e), TextViewKeys::keyShift(e));
}

// A commit is one edit of the model, replacing the selection (or the range the input method
// names around the caret); the preedit is shown at the caret and never reaches the model.
void TextView::inputMethodEvent(QInputMethodEvent* e) {
    if (m_readOnly || !testAttribute(Qt::WA_InputMethodEnabled)) {
        e->ignore();
        return;
    }
    m_cache.erase(m_model.hardLineFromChar(m_caret));
    m_preedit.clear();
    if (!e->commitString().isEmpty() || e->replacementLength() > 0) {
        int from = std::min(m_anchor, m_caret);
        int to = std::max(m_anchor, m_caret);
        if (from == to && (e->replacementStart() != 0 || e->replacementLength() > 0)) {
            from = std::clamp(m_caret + e->replacementStart(), 0, m_model.length());
            to = std::clamp(from + e->replacementLength(), from, m_model.length());
        }
        m_model.replace(from, to - from, TextViewText::sanitize(e->commitString()));
    }
    m_preedit = e->preeditString();
    m_preeditCursor = int(m_preedit.size());
    m_preeditFormats.clear();
    for (const QInputMethodEvent::Attribute& a : e->attributes()) {
        if (a.type == QInputMethodEvent::Cursor) {
            m_preeditCursor = std::clamp(a.start, 0, int(m_preedit.size()));
        } else if (a.type == QInputMethodEvent::TextFormat) {
            const QTextCharFormat format = a.value.value<QTextFormat>().toCharFormat();
            if (format.isValid() && a.length > 0)
                m_preeditFormats.append({a.start, a.length, format});
        }
    }
    m_cache.erase(m_model.hardLineFromChar(m_caret));
    scrollToPosition(m_caret);
    viewport()->update();
    QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle);
    e->accept();
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const {
    auto& self = const_cast<TextView&>(*this);
    const int line = m_model.hardLineFromChar(m_caret);
    // The caret's line, or a stretch of it around the caret when the line is long: the input
    // method asks on every caret move.
    constexpr int kAround = 1024;
    int start = std::max(m_model.hardLineStart(line), m_caret - kAround);
    int end = std::min(m_model.hardLineEnd(line), m_caret + kAround);
    if (start > m_model.hardLineStart(line) && m_model.at(start).isLowSurrogate()) ++start;
    if (end < m_model.hardLineEnd(line) && m_model.at(end).isLowSurrogate()) ++end;
    switch (query) {
    case Qt::ImEnabled:
        // The IME items switch input methods off through WA_InputMethodEnabled.
        return testAttribute(Qt::WA_InputMethodEnabled) && !m_readOnly && isEnabled();
    case Qt::ImCursorRectangle:
        return self.caretRectAt(m_caret).toAlignedRect().translated(viewport()->pos());
    case Qt::ImAnchorRectangle:
        return self.caretRectAt(m_anchor).toAlignedRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return std::min(m_caret, end) - start;
    case Qt::ImAnchorPosition:
        return std::clamp(m_anchor, start, end) - start;
    case Qt::ImAbsolutePosition:
        return m_caret;
    case Qt::ImSurroundingText:
        return m_model.mid(start, end);
    case Qt::ImCurrentSelection:
        return selectedText();
    case Qt::ImTextBeforeCursor:
        return m_model.mid(start, m_caret);
    case Qt::ImTextAfterCursor:
        return m_model.mid(m_caret, end);
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImReadOnly:
        return m_readOnly;
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

// ---- Clipboard and drag and drop -----------------------------------------------------------

QString TextView::selectedText() const {
    return m_model.mid(std::min(m_anchor, m_caret), std::max(m_anchor, m_caret));
}

QMimeData* TextView::selectionMimeData() const {
    const QString text = selectedText();
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(ModelTextMime, QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                            text.size() * qsizetype(sizeof(char16_t))));
    return data;
}

void TextView::copy() {
    if (m_anchor == m_caret) return;
    QGuiApplication::clipboard()->setMimeData(selectionMimeData());
}

void TextView::cut() {
    if (m_readOnly || m_anchor == m_caret) return;
    copy();
    insertText(QString());
}

void TextView::setPrimarySelection() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (m_anchor != m_caret && clipboard->supportsSelection())
        clipboard->setMimeData(selectionMimeData(), QClipboard::Selection);
}

void TextView::insertFromMimeData(const QMimeData* source) {
    if (m_readOnly || !carriesText(source)) return;
    insertText(modelTextOf(source));
}

void TextView::dragEnterEvent(QDragEnterEvent* e) {
    if (!m_readOnly && carriesText(e->mimeData())) e->acceptProposedAction();
}

void TextView::dragMoveEvent(QDragMoveEvent* e) {
    if (!m_readOnly && carriesText(e->mimeData())) e->acceptProposedAction();
}

void TextView::dropEvent(QDropEvent* e) {
    if (m_readOnly || !carriesText(e->mimeData())) return;
    int at = positionAt(e->position());
    const QString text = modelTextOf(e->mimeData());
    if (e->source() == this && e->dropAction() == Qt::MoveAction) {
        const int from = std::min(m_anchor, m_caret);
        const int to = std::max(m_anchor, m_caret);
        if (at >= from && at <= to) return;
        m_model.replace(from, to - from, QString());
        if (at > to) at -= to - from;
        e->setDropAction(Qt::CopyAction); // the source is already gone
    }
    m_model.replace(at, 0, text);
    m_anchor = at;
    m_caret = at + int(text.size());
    pushSelection();
    e->acceptProposedAction();
    setFocus(Qt::MouseFocusReason);
}

// ---- Mouse and focus ----------------------------------------------------------------------

void TextView::mousePressEvent(QMouseEvent* e) {
    const QPointF at = e->position();
    m_pressed |= e->button();
    if (e->button() == Qt::LeftButton) {
        const int pos = positionAt(at);
        const qint64 now = QDateTime::currentMSecsSinceEpoch();
        const bool again =
            now - m_lastClick < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
            (at - m_lastClickAt).manhattanLength() < QApplication::startDragDistance();
        m_clickCount = again ? m_clickCount + 1 : 1;
        m_lastClick = now;
        m_lastClickAt = at;
        m_selectingLines = false;
        m_wordAnchorFrom = -1;
        if (m_clickCount >= 3) {
            // A third click takes the whole line with its break.
            const int line = m_model.hardLineFromChar(pos);
            m_anchor = m_model.hardLineStart(line);
            m_selectingLines = true;
            setCaret(line + 1 < m_model.hardLineCount() ? m_model.hardLineStart(line + 1)
                                                        : m_model.length(),
                     true);
        } else {
            const int from = std::min(m_anchor, m_caret);
            const int to = std::max(m_anchor, m_caret);
            if (!(e->modifiers() & Qt::ShiftModifier) && from < to && pos >= from && pos < to)
                m_dragFrom = pos; // a press in the selection may start dragging it
            else
                setCaret(pos, e->modifiers() & Qt::ShiftModifier);
        }
    }
    emit mouseDown(TextViewKeys::buttonCode(e->button()), TextViewKeys::shiftMask(e->modifiers()),
                   viewport()->mapTo(this, at.toPoint()));
}

void TextView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return mousePressEvent(e);
    m_pressed |= e->button();
    m_clickCount = 2;
    m_lastClick = QDateTime::currentMSecsSinceEpoch();
    m_lastClickAt = e->position();
    m_dragFrom = -1;
    const int pos = positionAt(e->position());
    const int line = m_model.hardLineFromChar(pos);
    const int start = m_model.hardLineStart(line);
    const QString text = m_model.mid(start, m_model.hardLineEnd(line));
    QTextBoundaryFinder words(QTextBoundaryFinder::Word, text);
    const int column = std::min(pos - start, int(text.size()));
    words.setPosition(column);
    int from = words.isAtBoundary() ? column : int(words.toPreviousBoundary());
    words.setPosition(column);
    int to = int(words.toNextBoundary());
    if (to < 0) to = int(text.size());
    if (from < 0) from = 0;
    m_anchor = start + from;
    m_wordAnchorFrom = start + from;
    m_wordAnchorTo = start + to;
    setCaret(start + to, true);
    emit mouseDown(TextViewKeys::buttonCode(e->button()), TextViewKeys::shiftMask(e->modifiers()),
                   viewport()->mapTo(this, e->position().toPoint()));
}

void TextView::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) {
        if (m_dragFrom >= 0) {
            if ((e->position() - m_lastClickAt).manhattanLength() >=
                QApplication::startDragDistance()) {
                m_dragFrom = -1;
                auto* drag = new QDrag(this);
                drag->setMimeData(selectionMimeData());
                drag->exec(m_readOnly ? Qt::CopyAction : Qt::CopyAction | Qt::MoveAction);
            }
        } else {
            const int pos = positionAt(e->position());
            if (m_selectingLines) {
                const int line = m_model.hardLineFromChar(pos);
                setCaret(pos >= m_anchor && line + 1 < m_model.hardLineCount()
                             ? m_model.hardLineStart(line + 1)
                             : (pos >= m_anchor ? m_model.length() : m_model.hardLineStart(line)),
                         true);
            } else if (m_wordAnchorFrom >= 0) {
                // Dragging after a double click keeps the word it took.
                const bool before = pos < m_wordAnchorFrom;
                m_anchor = before ? m_wordAnchorTo : m_wordAnchorFrom;
                setCaret(before ? pos : std::max(pos, m_wordAnchorTo), true);
            } else {
                setCaret(pos, true);
            }
        }
    }
    emit mouseMove(TextViewKeys::buttonMask(e->buttons()), TextViewKeys::shiftMask(e->modifiers()),
                   viewport()->mapTo(this, e->position().toPoint()));
}

void TextView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        if (m_dragFrom >= 0) setCaret(m_dragFrom, false);
        m_dragFrom = -1;
        setPrimarySelection();
    } else if (e->button() == Qt::MiddleButton && !m_readOnly) {
        setCaret(positionAt(e->position()), false);
        emit pasteRequested(true);
    }
    if (m_pressed & e->button()) {
        m_pressed &= ~e->button();
        emit clicked();
    }
}

void TextView::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    restartBlink();
    viewport()->update();
    if (e->reason() == Qt::PopupFocusReason) return;
    const bool returning = m_focusInOtherWindow;
    m_focusInOtherWindow = false;
    if (returning && TextViewKeys::towardAnotherWindow(e->reason())) return;
    emit gotFocus();
}

void TextView::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    m_blink.stop();
    m_pressed = Qt::NoButton;
    viewport()->update();
    const QWidget* next = QApplication::focusWidget();
    if (TextViewKeys::towardAnotherWindow(e->reason()) || (next && next->window() != window())) {
        m_focusInOtherWindow = true;
        return;
    }
    emit lostFocus();
}

// ---- Accessibility ------------------------------------------------------------------------

namespace {

// Assistive technology reads the text a line at a time: nothing here builds the whole text.
class TextViewAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit TextViewAccessible(TextView* view)
        : QAccessibleWidget(view, QAccessible::EditableText) {}

    void* interface_cast(QAccessible::InterfaceType t) override {
        if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (t == QAccessible::EditableTextInterface)
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.editable = !view()->isReadOnly();
        s.multiLine = true;
        s.readOnly = view()->isReadOnly();
        return s;
    }

    void selection(int index, int* start, int* end) const override {
        const TextBox& m = box();
        *start = *end = 0;
        if (index == 0 && m.selLength() > 0) {
            *start = m.selStart();
            *end = m.selStart() + m.selLength();
        }
    }
    int selectionCount() const override { return box().selLength() > 0 ? 1 : 0; }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override { box().setSelStart(cursorPosition()); }
    void setSelection(int, int start, int end) override {
        box().setSelection(std::min(start, end), std::abs(end - start));
    }
    int cursorPosition() const override { return box().selStart() + box().selLength(); }
    void setCursorPosition(int position) override { box().setSelStart(position); }
    QString text(int start, int end) const override { return box().mid(start, end); }
    int characterCount() const override { return box().length(); }
    QRect characterRect(int offset) const override {
        const QRect r = view()->caretRectAt(offset).toAlignedRect();
        return QRect(view()->viewport()->mapToGlobal(r.topLeft()), r.size());
    }
    int offsetAtPoint(const QPoint& point) const override {
        return view()->positionAt(view()->viewport()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int) override { view()->scrollToPosition(startIndex); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = offset;
        return {};
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* startOffset,
                         int* endOffset) const override {
        if (type != QAccessible::LineBoundary && type != QAccessible::ParagraphBoundary)
            return QAccessibleTextInterface::textAtOffset(offset, type, startOffset, endOffset);
        const TextBox& m = box();
        const int line = m.hardLineFromChar(std::clamp(offset, 0, m.length()));
        *startOffset = m.hardLineStart(line);
        *endOffset = m.hardLineEnd(line);
        return m.mid(*startOffset, *endOffset);
    }

    void deleteText(int startOffset, int endOffset) override {
        if (!view()->isReadOnly()) box().replace(startOffset, endOffset - startOffset, {});
    }
    void insertText(int offset, const QString& text) override {
        if (!view()->isReadOnly()) box().replace(offset, 0, text);
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        if (!view()->isReadOnly()) box().replace(startOffset, endOffset - startOffset, text);
    }

private:
    TextView* view() const { return static_cast<TextView*>(widget()); }
    TextBox& box() const { return view()->model(); }
};

QAccessibleInterface* accessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TextView") && object && object->isWidgetType())
        return new TextViewAccessible(static_cast<TextView*>(object));
    return nullptr;
}

const bool factoryInstalled = [] {
    QAccessible::installFactory(accessibleFactory);
    return true;
}();

} // namespace
