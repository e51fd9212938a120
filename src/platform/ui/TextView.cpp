#include "platform/ui/TextView.h"

#include "platform/TextViewKeys.h"
#include "platform/TextViewText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace {

// The exact model text of a copy, so that lone CR and LF survive a copy inside the program.
const QString ModelTextMime = QStringLiteral("application/x-pallo-text");

// Blocks re-laid at once after an edit; an edit touching more leaves them to idle time.
constexpr int ImmediateBlocks = 8;
// Time one idle layout step may take.
constexpr int StepMilliseconds = 4;
// Below this many characters a changed span always goes through the cursor.
constexpr int kReloadChars = 100'000;

bool hasReserved(const QString& s) {
    return std::any_of(s.begin(), s.end(),
                       [](QChar c) { return TextViewText::isReserved(c.unicode()); });
}

// Model length of a piece of document text as selectedText() gives it.
int modelLength(QStringView doc) {
    return int(doc.size() + std::count(doc.begin(), doc.end(), QChar(0x2029)));
}

} // namespace

bool TextView::LayoutKey::operator==(const LayoutKey& o) const {
    return width == o.width && available == o.available && font == o.font &&
           option.wrapMode() == o.option.wrapMode() &&
           option.tabStopDistance() == o.option.tabStopDistance() &&
           option.flags() == o.option.flags() && option.alignment() == o.option.alignment();
}

TextView::TextView(TextBox& model, QWidget* parent)
    : QPlainTextEdit(parent), m_model(model), m_layout(*this), m_segments(model) {
    setUndoRedoEnabled(false);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setMouseTracking(true);

    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &TextView::layoutStep);

    QTextDocument* doc = document();
    connect(doc, &QTextDocument::contentsChange, this, &TextView::onContentsChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextView::pushSelectionToModel);
    connect(this, &QPlainTextEdit::selectionChanged, this, &TextView::pushSelectionToModel);
    connect(&m_model, &TextBox::textReplaced, this, &TextView::onModelReplaced);
    connect(&m_model, &TextBox::selectionChanged, this, &TextView::onModelSelectionChanged);
    connect(&m_model, &TextBox::batchEnded, this, [this] {
        flushPending();
        fixSegments();
        if (m_counts.unknownCount() > 0)
            scheduleLayout();
        else if (!m_announced)
            m_idle.start(); // announces completion from the event loop
    });
    m_flush.setSingleShot(true);
    m_flush.setInterval(0);
    connect(&m_flush, &QTimer::timeout, this, &TextView::flushPending);
    m_fixSegments.setSingleShot(true);
    m_fixSegments.setInterval(0);
    connect(&m_fixSegments, &QTimer::timeout, this, &TextView::fixSegments);

    m_key = currentKey();
    m_measure.configure(m_key.font, m_key.option, m_key.available, viewport());
    m_counts.reset(m_model.hardLineCount());
    if (m_model.length() > 0) m_deferred = true; // never shown yet: loaded at the first show
    m_model.setLineLayout(&m_layout);
}

TextView::~TextView() {
    if (m_model.lineLayout() == &m_layout) m_model.setLineLayout(nullptr);
}

TextBox& TextView::model() const {
    return m_model;
}

bool TextView::layoutComplete() const {
    // Without a width (never shown) the lines are the CR LF lines, which are always exact.
    if (m_textWidth <= 0) return true;
    if (m_deferred) return false;
    return m_counts.unknownCount() == 0 && m_key == currentKey();
}

// ---- Model -> document ------------------------------------------------------------------

// The wrapped line counts follow the model at once: they are measured from the model's own
// lines, so the line services stay exact while the document catches up. The document follows
// at once too, except during a batch of edits, when the changes are gathered into one span and
// applied when events next run: a command that walks the whole document then costs the view
// one update per screen refresh instead of a layout and a cursor move per step.
void TextView::onModelReplaced(int pos, int removed, const QString& inserted) {
    ++m_modelDeltas;
    if (m_deferred) return; // the whole text is loaded at the first show
    linesChanged(pos, removed, int(inserted.size()));
    if (m_expectEcho) {
        m_expectEcho = false;
        return;
    }
    const int added = int(inserted.size());
    if (m_model.inBatch()) {
        if (!m_pending.active) {
            m_pending = {true, pos, pos + removed, pos + added};
        } else {
            // The pending span is [from, newEnd) of the text before this edit and
            // [from, oldEnd) of the text the document holds; outside it both agree.
            const int end = std::max(m_pending.newEnd, pos + removed);
            m_pending.oldEnd += std::max(0, pos + removed - m_pending.newEnd);
            m_pending.from = std::min(m_pending.from, pos);
            m_pending.newEnd = end + added - removed;
        }
        m_flush.start();
        return;
    }
    applyToDocument(pos, removed, added);
    syncCursorFromModel();
}

// The model already holds the new text; the document still mirrors the old one, which
// differs from it only in model range [pos, pos + removed) becoming [pos, pos + added). The
// range is widened by a CR before it or an LF after it, so that its ends never fall inside a
// CR LF of either text; outside it both texts agree, so the CR LF pairs there map positions
// alike.
void TextView::applyToDocument(int pos, int removed, int added) {
    const int length = m_model.length();
    int start = pos;
    int newEnd = pos + added;
    int oldEnd = pos + removed;
    if (start > 0 && m_model.at(start - 1) == u'\r') --start;
    if (newEnd < length && m_model.at(newEnd) == u'\n') {
        ++newEnd;
        ++oldEnd;
    }
    QTextDocument* doc = document();
    // The cuts still stand in positions of the old text; those in (start, oldEnd] go with it.
    const int oldPairs = doc->blockCount() - 1 - int(m_segments.cuts().size());
    const int pairsAfter = m_model.hardLineCount() - 1 - m_model.hardLineFromChar(newEnd);
    const int docStart = start - m_model.hardLineFromChar(start) + m_segments.cutsUpTo(start);
    const int docEnd = oldEnd - (oldPairs - pairsAfter) + m_segments.cutsUpTo(oldEnd);
    const int docLength = doc->characterCount() - 1;

    // A whole-text tool rewrites most of a long document: loading it anew costs a fraction of
    // replacing that span through a cursor.
    const bool mostOfALongText = newEnd - start > kReloadChars && newEnd - start > length / 2;
    if ((docStart == 0 && docEnd >= docLength && start == 0 && newEnd == length) ||
        mostOfALongText) {
        if (!isVisible() && m_textWidth <= 0)
            deferLoad();
        else
            loadWholeText();
        return;
    }
    const QString piece = TextViewText::toDocument(m_model.view(start, newEnd));
    QTextCursor c(doc);
    c.setPosition(std::clamp(docStart, 0, docLength));
    c.setPosition(std::clamp(docEnd, 0, docLength), QTextCursor::KeepAnchor);
    m_applyingModel = true;
    if (piece.isEmpty())
        c.removeSelectedText();
    else
        c.insertText(piece);
    m_applyingModel = false;
    m_segments.replaceCuts(start, oldEnd, newEnd - start);
    m_segments.markDirty(m_model.hardLineFromChar(start), m_model.hardLineFromChar(newEnd));
    fixSegments();
}

void TextView::flushPending() {
    m_flush.stop();
    const bool any = m_pending.active || m_cursorPending;
    if (m_pending.active) {
        const Pending p = m_pending;
        m_pending = {};
        applyToDocument(p.from, p.oldEnd - p.from, p.newEnd - p.from);
    }
    m_cursorPending = false;
    if (any) syncCursorFromModel();
}

// A view that has never been shown has no width yet; at the first show Qt visits every block
// of its document and gives each a QTextLayout (up to a quarter second for 10 MB). Loading a
// whole new text is therefore put off until the first show (or until something needs the
// document). Until then the lines are the CR LF lines, exactly as Qt counts them without a
// width.
void TextView::deferLoad() {
    m_deferred = true;
    if (document()->characterCount() > 1) {
        m_applyingModel = true;
        document()->clear();
        m_applyingModel = false;
        m_segments.clear();
        m_counts.reset(m_model.hardLineCount());
        m_cachedBlock = -1;
    }
}

void TextView::ensureLoaded() {
    if (m_deferred) loadWholeText();
}

void TextView::loadWholeText() {
    m_deferred = false;
    QTextDocument* doc = document();
    checkLayoutKey();
    m_counts.reset(m_model.hardLineCount());
    m_segments.clear();
    // Long lines are measured first so that the text goes in already cut into segments.
    for (int line = 0, n = m_model.hardLineCount(); line < n; ++line) {
        if (m_model.hardLineEnd(line) - m_model.hardLineStart(line) <= TextViewSegments::LongLength)
            continue;
        m_counts.setCount(line, measureLine(line, nullptr));
        TextViewSegments::LongLine* l = m_segments.find(line);
        if (!l) continue;
        const int start = m_model.hardLineStart(line);
        for (const int cut : segments::chooseCuts(l->starts, m_model.hardLineEnd(line) - start, {}))
            m_segments.cuts().push_back(start + cut);
        l->dirty = false;
    }
    m_applyingModel = true;
    // QTextDocument::setPlainText rather than the widget's: the widget's also applies a char
    // format to the whole new document, which costs a tenth of the load.
    doc->setPlainText(documentText(0, m_model.length()));
    m_applyingModel = false;
    m_pending = {};
    m_cachedBlock = -1;
    scheduleLayout();
    syncCursorFromModel(true);
}

void TextView::showEvent(QShowEvent* e) {
    QPlainTextEdit::showEvent(e);
    ensureLoaded();
}

void TextView::onModelSelectionChanged() {
    if (m_pushingSelection || m_inTypedEdit) return;
    if (m_model.inBatch()) {
        m_cursorPending = true;
        m_flush.start();
        return;
    }
    syncCursorFromModel();
}

// Leaves the view's cursor alone when it already covers the model's selection, so that the
// direction of a selection made with the keyboard survives.
void TextView::syncCursorFromModel(bool force) {
    if (m_deferred) return;
    const int from = documentPosition(m_model.selStart());
    const int to = documentPosition(m_model.selStart() + m_model.selLength());
    QTextCursor c = textCursor();
    if (!force && c.selectionStart() == from && c.selectionEnd() == to) return;
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    m_settingCursor = true;
    setTextCursor(c);
    m_settingCursor = false;
}

// ---- Document -> model ------------------------------------------------------------------

// Qt may report a range wider than the edit (a whole block or document after format changes,
// the first edit after setPlainText). Only the reported range is compared with the model, and
// only what really differs goes on as the model delta and as blocks to lay out again.
void TextView::onContentsChange(int position, int /*removed*/, int added) {
    if (m_applyingModel) return;
    QTextDocument* doc = document();
    const int docLength = doc->characterCount() - 1;
    position = std::clamp(position, 0, docLength);
    const int end = std::clamp(position + added, position, docLength);

    // The model range that the reported document range replaced: what lies before `position`
    // and after `end` is unchanged, so it maps through the new document as well.
    // A block break is a CR LF pair or a cut; the cuts are those of the old text.
    const QTextBlock firstBlock = doc->findBlock(position);
    const QTextBlock lastBlock = doc->findBlock(end);
    const int cutsBefore = m_segments.cutsInBlocks(firstBlock.blockNumber());
    const int modelStart = position + firstBlock.blockNumber() - 2 * cutsBefore;
    const int blocksAfter = doc->blockCount() - 1 - lastBlock.blockNumber();
    const int oldBlocks = m_model.hardLineCount() + int(m_segments.cuts().size());
    const int cutsAfter =
        int(m_segments.cuts().size()) - m_segments.cutsInBlocks(oldBlocks - 1 - blocksAfter);
    const int suffix = (docLength - end) + blocksAfter - 2 * cutsAfter;
    const int modelEnd = std::max(modelStart, m_model.length() - suffix);

    QTextCursor c(doc);
    c.setPosition(position);
    c.setPosition(end, QTextCursor::KeepAnchor);
    const QString now = c.selectedText();
    std::vector<int> cutsAt; // where the cuts stand in `before`
    QString before = documentText(modelStart, modelEnd, &cutsAt, cutsBefore,
                                  int(m_segments.cuts().size()) - cutsAfter);
    before.replace(u'\n', QChar(0x2029));
    // Model length of before.left(n): a CR LF break is two code units, a cut none.
    const auto modelLengthOf = [&](qsizetype n) {
        const int cuts = int(std::lower_bound(cutsAt.begin(), cutsAt.end(), n) - cutsAt.begin());
        return modelLength(QStringView(before).left(n)) - 2 * cuts;
    };

    qsizetype head = 0;
    const qsizetype common = std::min(now.size(), before.size());
    while (head < common && now[head] == before[head])
        ++head;
    qsizetype tail = 0;
    while (tail < common - head && now[now.size() - 1 - tail] == before[before.size() - 1 - tail])
        ++tail;
    const QStringView middle = QStringView(now).mid(head, now.size() - head - tail);

    if (middle.isEmpty() && before.size() == head + tail) return;
    const int changeFrom = position + int(head);

    bool canonical = true;
    const QString piece = TextViewText::fromDocument(middle, &canonical);
    const int from = modelStart + modelLengthOf(head);
    const int to = modelStart + modelLengthOf(before.size() - tail);
    // Cuts whose block break the edit took away are gone; the rest follow the text.
    {
        std::vector<int>& cuts = m_segments.cuts();
        const int delta = int(piece.size()) - (to - from);
        std::vector<int> kept;
        for (size_t i = 0; i < cutsAt.size(); ++i) {
            const int cut = cuts[cutsBefore + i];
            if (cutsAt[i] < head)
                kept.push_back(cut);
            else if (cutsAt[i] >= before.size() - tail)
                kept.push_back(cut + delta);
        }
        for (auto it = cuts.begin() + cutsBefore + cutsAt.size(); it != cuts.end(); ++it)
            *it += delta;
        cuts.erase(cuts.begin() + cutsBefore, cuts.begin() + cutsBefore + cutsAt.size());
        cuts.insert(cuts.begin() + cutsBefore, kept.begin(), kept.end());
    }

    const int deltasBefore = m_modelDeltas;
    m_expectEcho = true;
    m_inTypedEdit = true;
    m_model.replace(from, to - from, piece);
    m_inTypedEdit = false;
    m_expectEcho = false;

    if (!canonical) rewriteDocument(changeFrom, changeFrom + int(middle.size()), piece);
    joinFormedBreaks(from, from + int(piece.size()));
    fixSegments();
    // A handler of the change event may have edited the model in turn; then its selection
    // is the one that counts.
    if (m_modelDeltas - deltasBefore > 1)
        syncCursorFromModel();
    else
        pushSelectionToModel();
}

// Characters the view never writes itself (a raw U+2028, a reserved character typed in) are
// replaced by their canonical form, code unit for code unit.
void TextView::rewriteDocument(int from, int to, const QString& modelText) {
    QTextCursor c(document());
    c.setPosition(from);
    c.setPosition(to, QTextCursor::KeepAnchor);
    m_applyingModel = true;
    c.insertText(TextViewText::toDocument(modelText));
    m_applyingModel = false;
}

// A typed edit that brings a lone CR and a lone LF together (deleting what stood between
// them, pasting "\r" before a lone LF) makes a CR LF in the model, which the document must
// show as a block break. [from, to) is the edit's range in the new model text.
void TextView::joinFormedBreaks(int from, int to) {
    auto formsPair = [&](int p) {
        return p > 0 && p < m_model.length() && m_model.at(p - 1) == u'\r' &&
               m_model.at(p) == u'\n';
    };
    const bool atStart = formsPair(from);
    const bool atEnd = to > from && formsPair(to);
    // Pairs before a position map one document unit per pair, except the new pair at the
    // start, which the document still holds as two characters.
    auto join = [&](int cr, int unjoinedBefore) {
        const int doc =
            cr - m_model.hardLineFromChar(cr) + m_segments.cutsUpTo(cr) + unjoinedBefore;
        QTextCursor c(document());
        c.setPosition(doc);
        c.setPosition(doc + 2, QTextCursor::KeepAnchor);
        m_applyingModel = true;
        c.insertText(QStringLiteral("\n"));
        m_applyingModel = false;
    };
    if (atEnd) join(to - 1, atStart ? 1 : 0);
    if (atStart) join(from - 1, 0);
}

void TextView::pushSelectionToModel() {
    if (m_applyingModel || m_settingCursor) return;
    const QTextCursor c = textCursor();
    const int from = modelPosition(c.selectionStart());
    const int to = modelPosition(c.selectionEnd());
    if (from == m_model.selStart() && to - from == m_model.selLength()) return;
    m_pushingSelection = true;
    m_model.setSelection(from, to - from);
    m_pushingSelection = false;
}

int TextView::modelPosition(int docPos) const {
    const int block = document()->findBlock(docPos).blockNumber();
    return docPos + block - 2 * m_segments.cutsInBlocks(block);
}

// A model position between the CR and the LF of a line break shows before the break; one at a
// cut shows at the start of the segment after it.
int TextView::documentPosition(int modelPos) const {
    const int line = m_model.hardLineFromChar(modelPos);
    const int shown = std::min(modelPos, m_model.hardLineEnd(line));
    return shown - line + m_segments.cutsUpTo(shown);
}

// Model text [from, to) as the document holds it, with a block break for each cut of index
// [firstCut, lastCut) (by default those in (from, to]); `cutsAt` receives their offsets in
// the result.
QString TextView::documentText(int from, int to, std::vector<int>* cutsAt, int firstCut,
                               int lastCut) const {
    // One span for the whole range: the pieces between the cuts are read from it.
    const int base = from;
    const QStringView text = m_model.view(from, to);
    const std::vector<int>& cuts = m_segments.cuts();
    QString out;
    out.reserve(to - from + 1);
    auto it =
        firstCut >= 0 ? cuts.begin() + firstCut : std::upper_bound(cuts.begin(), cuts.end(), from);
    const auto last =
        lastCut >= 0 ? cuts.begin() + lastCut : std::upper_bound(cuts.begin(), cuts.end(), to);
    for (; it < last; ++it) {
        out += TextViewText::toDocument(text.mid(from - base, *it - from));
        if (cutsAt) cutsAt->push_back(int(out.size()));
        out += u'\n';
        from = *it;
    }
    out += TextViewText::toDocument(text.mid(from - base, to - from));
    return out;
}

// ---- Events -------------------------------------------------------------------------------

namespace {

// Events that act on the document or the cursor as the writer sees them.
bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::InputMethodQuery:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

} // namespace

// The writer acts on what the model holds: edits of a batch still waiting for the document
// are applied first.
void TextView::catchUpBeforeInput(const QEvent* e) {
    if ((m_pending.active || m_cursorPending) && isInput(e->type())) flushPending();
}

bool TextView::viewportEvent(QEvent* e) {
    catchUpBeforeInput(e);
    return QPlainTextEdit::viewportEvent(e);
}

bool TextView::event(QEvent* e) {
    catchUpBeforeInput(e);
    if (e->type() == QEvent::ShortcutOverride) {
        // Ctrl and Alt combinations belong to the window's menus (Ctrl+A is Save As).
        auto* ke = static_cast<QKeyEvent*>(e);
        if (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
            e->ignore();
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void TextView::keyPressEvent(QKeyEvent* e) {
    emit keyDown(TextViewKeys::classicKeyCode(e), TextViewKeys::keyShift(e));
    snapAcrossCut(e);
    if (e->matches(QKeySequence::Paste)) {
        e->accept();
        if (!isReadOnly()) emit pasteRequested(false);
        return;
    }
    if (e->matches(QKeySequence::SelectAll) || e->matches(QKeySequence::DeleteEndOfLine)) {
        e->accept();
        return;
    }
    if (e->matches(QKeySequence::InsertLineSeparator)) {
        // A line break typed with Shift is the same CR LF as a plain Enter.
        QKeyEvent plain(e->type(), Qt::Key_Return, e->modifiers() & ~Qt::ShiftModifier,
                        QStringLiteral("\r"), e->isAutoRepeat(), e->count());
        QPlainTextEdit::keyPressEvent(&plain);
        e->setAccepted(plain.isAccepted());
        return;
    }
    if (hasReserved(e->text())) {
        QKeyEvent clean(e->type(), e->key(), e->modifiers(), TextViewText::sanitize(e->text()),
                        e->isAutoRepeat(), e->count());
        QPlainTextEdit::keyPressEvent(&clean);
        e->setAccepted(clean.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TextView::keyReleaseEvent(QKeyEvent* e) {
    QPlainTextEdit::keyReleaseEvent(e);
    if (!e->isAutoRepeat()) emit keyUp(TextViewKeys::classicKeyCode(e), TextViewKeys::keyShift(e));
}

void TextView::inputMethodEvent(QInputMethodEvent* e) {
    if (!hasReserved(e->commitString())) {
        QPlainTextEdit::inputMethodEvent(e);
        return;
    }
    QInputMethodEvent clean(e->preeditString(), e->attributes());
    clean.setCommitString(TextViewText::sanitize(e->commitString()), e->replacementStart(),
                          e->replacementLength());
    QPlainTextEdit::inputMethodEvent(&clean);
    e->setAccepted(clean.isAccepted());
}

void TextView::mousePressEvent(QMouseEvent* e) {
    QPlainTextEdit::mousePressEvent(e);
    e->accept();
    m_pressed |= e->button();
    emit mouseDown(TextViewKeys::buttonCode(e->button()), TextViewKeys::shiftMask(e->modifiers()),
                   viewport()->mapTo(this, e->position().toPoint()));
}

void TextView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::MiddleButton && !isReadOnly()) {
        setTextCursor(cursorForPosition(e->position().toPoint()));
        e->accept();
        emit pasteRequested(true);
    } else {
        QPlainTextEdit::mouseReleaseEvent(e);
    }
    if (m_pressed & e->button()) {
        m_pressed &= ~e->button();
        emit clicked();
    }
}

void TextView::mouseMoveEvent(QMouseEvent* e) {
    QPlainTextEdit::mouseMoveEvent(e);
    emit mouseMove(TextViewKeys::buttonMask(e->buttons()), TextViewKeys::shiftMask(e->modifiers()),
                   viewport()->mapTo(this, e->position().toPoint()));
}

// The focus events of the text box follow the focus among the controls of its own window:
// the box loses the focus only to another control there. A menu (opened with the mouse or
// with Alt), a dialog, a message box or another application takes none, and coming back from
// them is no new focus either.
namespace {
bool towardAnotherWindow(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
           reason == Qt::MenuBarFocusReason;
}
} // namespace

void TextView::focusInEvent(QFocusEvent* e) {
    QPlainTextEdit::focusInEvent(e);
    if (e->reason() == Qt::PopupFocusReason) return;
    const bool returning = m_focusInOtherWindow;
    m_focusInOtherWindow = false;
    if (returning && towardAnotherWindow(e->reason())) return;
    emit gotFocus();
}

void TextView::focusOutEvent(QFocusEvent* e) {
    QPlainTextEdit::focusOutEvent(e);
    m_pressed = Qt::NoButton;
    const QWidget* next = QApplication::focusWidget();
    if (towardAnotherWindow(e->reason()) || (next && next->window() != window())) {
        m_focusInOtherWindow = true;
        return;
    }
    emit lostFocus();
}

// QPlainTextEdit hands its layout the viewport width whenever the widget's width changes,
// and only then.
void TextView::resizeEvent(QResizeEvent* e) {
    QPlainTextEdit::resizeEvent(e);
    if (e->oldSize().width() != e->size().width()) m_textWidth = viewport()->width();
    checkLayoutKey();
}

void TextView::changeEvent(QEvent* e) {
    QPlainTextEdit::changeEvent(e);
    if (e->type() == QEvent::FontChange) checkLayoutKey();
}

QMimeData* TextView::createMimeDataFromSelection() const {
    const_cast<TextView*>(this)->ensureLoaded();
    const QTextCursor c = textCursor();
    const int from = modelPosition(c.selectionStart());
    const int to = modelPosition(c.selectionEnd());
    const QString text = m_model.mid(from, to);
    auto* data = new QMimeData;
    data->setText(text);
    data->setData(ModelTextMime, QByteArray(reinterpret_cast<const char*>(text.utf16()),
                                            text.size() * qsizetype(sizeof(char16_t))));
    return data;
}

QVariant TextView::inputMethodQuery(Qt::InputMethodQuery query) const {
    if (query == Qt::ImEnabled && !testAttribute(Qt::WA_InputMethodEnabled)) return false;
    return QPlainTextEdit::inputMethodQuery(query);
}

bool TextView::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasFormat(ModelTextMime) || source->hasText();
}

void TextView::insertFromMimeData(const QMimeData* source) {
    ensureLoaded();
    QString text;
    if (source->hasFormat(ModelTextMime)) {
        const QByteArray raw = source->data(ModelTextMime);
        text = QString(reinterpret_cast<const QChar*>(raw.constData()),
                       raw.size() / qsizetype(sizeof(char16_t)));
    } else if (source->hasText()) {
        text = TextViewText::fromForeignClipboard(source->text());
    } else {
        return;
    }
    insertPlainText(TextViewText::toDocument(text));
    ensureCursorVisible();
}

// ---- Wrapped layout -------------------------------------------------------------------------

int TextView::WrappedLayout::lineCount() {
    TextView& v = m_view;
    if (v.m_textWidth <= 0) return v.m_model.hardLineCount();
    v.ensureLoaded();
    v.checkLayoutKey();
    v.ensureCounted(v.m_counts.size());
    return std::max(1, v.m_counts.total());
}

int TextView::WrappedLayout::lineFromChar(int pos) {
    TextView& v = m_view;
    if (v.m_textWidth <= 0) return v.m_model.hardLineFromChar(pos);
    v.ensureLoaded();
    v.checkLayoutKey();
    const int block = v.m_model.hardLineFromChar(pos);
    const int column = std::min(pos, v.m_model.hardLineEnd(block)) - v.m_model.hardLineStart(block);
    v.ensureCounted(block);
    return v.m_counts.linesBefore(block) + v.lineInBlock(block, column);
}

TextView::LayoutKey TextView::currentKey() const {
    const QTextDocument* doc = document();
    LayoutKey key;
    key.width = m_textWidth;
    key.font = doc->defaultFont();
    key.option = doc->defaultTextOption();
    // The width QPlainTextDocumentLayout gives its lines.
    qreal available = key.width > 0 ? key.width : qreal(INT_MAX);
    available -= 2 * doc->documentMargin();
    if (key.option.flags() & QTextOption::AddSpaceForLineAndParagraphSeparators)
        available -= QFontMetrics(key.font).horizontalAdvance(QChar(0x21B5));
    key.available = available;
    return key;
}

void TextView::checkLayoutKey() {
    LayoutKey key = currentKey();
    if (key == m_key) return;
    m_key = std::move(key);
    m_measure.configure(m_key.font, m_key.option, m_key.available, viewport());
    m_counts.reset(m_model.hardLineCount());
    m_segments.forgetStarts();
    m_cachedBlock = -1;
    scheduleLayout();
}

void TextView::scheduleLayout() {
    if (m_counts.unknownCount() > 0) {
        m_announced = false;
        m_idle.start();
    }
}

// The model has just received `added` code units at `pos` (replacing `removed`): the lines they
// touch get new counts; how many lines went is told by the line count. Lines are the model's
// CR LF lines, the document's blocks but for the cuts of long lines.
void TextView::linesChanged(int pos, int removed, int added) {
    int start = pos;
    int newEnd = pos + added;
    // A CR before the edit or an LF after it may have joined or left a pair.
    if (start > 0 && m_model.at(start - 1) == u'\r') --start;
    if (newEnd < m_model.length() && m_model.at(newEnd) == u'\n') ++newEnd;
    const int lines = m_model.hardLineCount();
    const int first = m_model.hardLineFromChar(start);
    const int last = std::max(first, m_model.hardLineFromChar(newEnd));
    const int oldSpan =
        std::clamp(last - first + 1 - (lines - m_counts.size()), 0, m_counts.size() - first);
    m_cachedBlock = -1;
    if (first == last && oldSpan == 1 && updateLongLine(first, pos, removed, added)) return;
    m_counts.replace(first, oldSpan, last - first + 1);
    m_segments.linesReplaced(first, oldSpan, last - first + 1);
    if (m_counts.size() != lines) {
        m_counts.reset(lines);
        m_segments.lines().clear(); // their cuts go when the document is next fixed
        m_segments.orphansPossible = true;
        scheduleLayout();
        return;
    }
    // During a batch nobody waits for the counts and a line may change again at once: the
    // next question measures what it needs, idle time the rest when the batch is over.
    if (m_model.inBatch()) return;
    if (last - first >= ImmediateBlocks) {
        scheduleLayout();
        return;
    }
    for (int b = first; b <= last; ++b) {
        if (first == last) {
            m_cachedStarts.clear();
            m_counts.setCount(b, measureLine(b, &m_cachedStarts));
            m_cachedBlock = b;
            m_cachedUpTo = INT_MAX;
        } else {
            m_counts.setCount(b, measureLine(b, nullptr));
        }
    }
}

// Lays a line of the model out as QPlainTextDocumentLayout lays out its block, in a
// QTextLayout of our own: Qt keeps layouts only for the blocks on screen, and the document may
// not have caught up with the model yet.
int TextView::measureLine(int line, std::vector<int>* lineStarts) {
    if (m_key.width <= 0) {
        if (lineStarts) lineStarts->push_back(0);
        return 1;
    }
    if (!isLong(line)) return m_measure.lines(documentLine(line), lineStarts);
    TextViewSegments::LongLine* l = &m_segments.ensure(line);
    if (l->starts.empty()) {
        m_measure.layoutLines(documentLine(line), &l->starts);
        l->dirty = true;
        if (!m_fixSegments.isActive()) m_fixSegments.start();
    }
    if (lineStarts) lineStarts->insert(lineStarts->end(), l->starts.begin(), l->starts.end());
    return int(l->starts.size());
}

bool TextView::isLong(int line) {
    return m_segments.find(line) ||
           m_model.hardLineEnd(line) - m_model.hardLineStart(line) > TextViewSegments::LongLength;
}

// A key typed into a long line lays out a few wrapped lines around it, not the whole line;
// false when the line needs measuring in full.
bool TextView::updateLongLine(int line, int pos, int removed, int added) {
    TextViewSegments::LongLine* l = m_segments.find(line);
    if (!l || l->starts.empty() || m_key.width <= 0) return false;
    const int start = m_model.hardLineStart(line);
    const int length = m_model.hardLineEnd(line) - start;
    if (pos < start || pos + added > start + length) return false;
    if (length < TextViewSegments::LongLength / 2) {
        m_segments.erase(line);
        return false;
    }
    segments::updateStarts(m_measure, m_model.view(start, start + length), l->starts,
                           pos - start, removed, added);
    l->dirty = true;
    m_counts.setCount(line, int(l->starts.size()));
    return true;
}

// Model line `line` as its block shows it, without the line break.
QString TextView::documentLine(int line) const {
    const int start = m_model.hardLineStart(line);
    return TextViewText::toDocument(
        m_model.view(start, m_model.hardLineEnd(line)));
}

// Makes the counts of blocks [0, blockEnd) known.
void TextView::ensureCounted(int blockEnd) {
    blockEnd = std::min(blockEnd, m_counts.size());
    for (int b = m_counts.firstUnknown(0); b < blockEnd; b = m_counts.firstUnknown(b + 1))
        m_counts.setCount(b, measureLine(b, nullptr));
    if (m_counts.unknownCount() == 0 && !m_announced)
        m_idle.start(); // announces completion from the event loop
}

int TextView::lineInBlock(int blockNumber, int column) {
    if (m_key.width > 0 && isLong(blockNumber)) {
        const TextViewSegments::LongLine* l = m_segments.find(blockNumber);
        if (!l || l->starts.empty()) {
            m_counts.setCount(blockNumber, measureLine(blockNumber, nullptr));
            l = m_segments.find(blockNumber);
        }
        const auto it = std::upper_bound(l->starts.begin(), l->starts.end(), column);
        return std::max(0, int(it - l->starts.begin()) - 1);
    }
    if (m_cachedBlock != blockNumber || column > m_cachedUpTo) {
        m_cachedStarts.clear();
        if (m_key.width <= 0) {
            m_cachedStarts.push_back(0);
            m_cachedUpTo = INT_MAX;
        } else {
            const QString text = documentLine(blockNumber);
            const int exactTo = m_measure.startsUpTo(text, column, m_cachedStarts);
            m_cachedUpTo = exactTo >= text.size() ? INT_MAX : exactTo;
            if (m_cachedUpTo == INT_MAX &&
                m_counts.count(blockNumber) == TextViewLineCounts::Unknown)
                m_counts.setCount(blockNumber, std::max(1, int(m_cachedStarts.size())));
        }
        m_cachedBlock = blockNumber;
    }
    // A position on a wrap point begins the next line; the end of the block is on its last.
    const auto it = std::upper_bound(m_cachedStarts.begin(), m_cachedStarts.end(), column);
    return std::max(0, int(it - m_cachedStarts.begin()) - 1);
}

void TextView::layoutStep() {
    // Lines edited during a batch may change again at once; the batch's end resumes this.
    if (m_model.inBatch()) return;
    checkLayoutKey();
    QElapsedTimer timer;
    timer.start();
    for (int b = m_counts.firstUnknown(0); b < m_counts.size(); b = m_counts.firstUnknown(b + 1)) {
        m_counts.setCount(b, measureLine(b, nullptr));
        if (timer.elapsed() >= StepMilliseconds) break;
    }
    fixSegments();
    if (m_counts.unknownCount() > 0) {
        m_idle.start();
    } else if (!m_announced) {
        m_announced = true;
        emit layoutCompleted();
    }
}

// ---- Segments of long lines -----------------------------------------------------------------

// Brings the document's cuts in line with the wrapped starts of the long lines. Only where the
// document mirrors the model: during a batch its edits are still on their way.
void TextView::fixSegments() {
    m_fixSegments.stop();
    if (m_deferred || m_pending.active || m_model.inBatch()) return;
    if (m_segments.orphansPossible) removeOrphanCuts();
    // By index: a line measured while the document changes may join the list.
    std::vector<TextViewSegments::LongLine>& lines = m_segments.lines();
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].dirty) fixLineSegments(lines[i]);
}

void TextView::fixLineSegments(TextViewSegments::LongLine& l) {
    if (m_key.width <= 0) return;
    if (l.starts.empty()) m_counts.setCount(l.line, measureLine(l.line, nullptr));
    l.dirty = false;
    const int start = m_model.hardLineStart(l.line);
    const int end = m_model.hardLineEnd(l.line);
    const std::vector<int>& cuts = m_segments.cuts();
    std::vector<int> current;
    for (auto it = std::upper_bound(cuts.begin(), cuts.end(), start); it != cuts.end() && *it < end;
         ++it)
        current.push_back(*it - start);
    const std::vector<int> wanted = segments::chooseCuts(l.starts, end - start, current);
    if (wanted == current) return;
    for (const int cut : current)
        if (!std::binary_search(wanted.begin(), wanted.end(), cut))
            setCutInDocument(start + cut, false);
    for (const int cut : wanted)
        if (!std::binary_search(current.begin(), current.end(), cut))
            setCutInDocument(start + cut, true);
}

void TextView::removeOrphanCuts() {
    m_segments.orphansPossible = false;
    const std::vector<int> cuts = m_segments.cuts();
    for (const int cut : cuts) {
        const int line = m_model.hardLineFromChar(cut);
        if (!m_segments.find(line) || cut <= m_model.hardLineStart(line) ||
            cut >= m_model.hardLineEnd(line))
            setCutInDocument(cut, false);
    }
}

void TextView::setCutInDocument(int cut, bool present) {
    std::vector<int>& cuts = m_segments.cuts();
    const auto it = std::lower_bound(cuts.begin(), cuts.end(), cut);
    const int doc = documentPosition(cut);
    QTextCursor c(document());
    m_applyingModel = true;
    if (present) {
        c.setPosition(doc);
        c.insertText(QStringLiteral("\n"));
        cuts.insert(it, cut);
    } else {
        c.setPosition(doc - 1);
        c.setPosition(doc, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        cuts.erase(it);
    }
    m_applyingModel = false;
}

// The positions on both sides of a cut are one model position. Keys that move or delete across
// it act from the side that makes them do what they do elsewhere.
void TextView::snapAcrossCut(const QKeyEvent* e) {
    if (m_segments.cuts().empty()) return;
    const int key = e->key();
    const bool back = key == Qt::Key_Backspace || key == Qt::Key_Left;
    const bool forward = key == Qt::Key_Delete || key == Qt::Key_Right;
    QTextCursor c = textCursor();
    if (!(back || forward) || (c.hasSelection() && key != Qt::Key_Left && key != Qt::Key_Right))
        return;
    const QTextBlock block = c.block();
    const int pos = c.position();
    int to = pos;
    if (back && pos == block.position() && m_segments.isContinuation(block.blockNumber()))
        to = pos - 1;
    else if (forward && pos == block.position() + block.length() - 1 &&
             m_segments.isContinuation(block.blockNumber() + 1))
        to = pos + 1;
    if (to == pos) return;
    c.setPosition(to, c.hasSelection() ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    m_settingCursor = true;
    setTextCursor(c);
    m_settingCursor = false;
}

// ---- Scroll position --------------------------------------------------------------------------

// The scroll bar counts lines as the document numbers them (QTextBlock::firstLineNumber), the
// wrapped lines of a laid-out block included: both directions go through that numbering.
int TextView::topPosition() {
    ensureLoaded();
    flushPending();
    const QTextBlock block = firstVisibleBlock();
    if (!block.isValid()) return 0;
    int pos = block.position();
    const int lineInBlock = verticalScrollBar()->value() - block.firstLineNumber();
    if (const QTextLayout* layout = block.layout(); layout && lineInBlock > 0 &&
                                                    lineInBlock < layout->lineCount())
        pos += layout->lineAt(lineInBlock).textStart();
    return modelPosition(pos);
}

void TextView::scrollToTop(int modelPos) {
    ensureLoaded();
    flushPending();
    const int docPos = documentPosition(std::clamp(modelPos, 0, int(m_model.text().size())));
    const QTextBlock block = document()->findBlock(docPos);
    if (!block.isValid()) return;
    int line = block.firstLineNumber();
    if (const QTextLayout* layout = block.layout(); layout && layout->lineCount() > 0)
        line += layout->lineForTextPosition(docPos - block.position()).lineNumber();
    verticalScrollBar()->setValue(line);
}
