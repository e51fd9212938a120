#include "platform/TextBox.h"

#include "platform/TextStore.h"

#include <algorithm>

namespace {

// The layout used while no view is attached: one line per CR LF line.
class CrLfLayout final : public LineLayout {
public:
    explicit CrLfLayout(const TextBox& box) : m_box(box) {}
    int lineCount() override { return m_box.hardLineCount(); }
    int lineFromChar(int pos) override { return m_box.hardLineFromChar(pos); }

private:
    const TextBox& m_box;
};

} // namespace

struct TextBox::Impl {
    explicit Impl(const TextBox& box) : crLfLayout(box) {}

    TextStore store;
    int selStart = 0;
    int selLength = 0;
    CrLfLayout crLfLayout;
    LineLayout* layout = nullptr;
    int batchDepth = 0;
};

TextBox::TextBox(QObject* parent) : QObject(parent), d(std::make_unique<Impl>(*this)) {
    d->layout = &d->crLfLayout;
}

TextBox::~TextBox() = default;

const QString& TextBox::text() const {
    return d->store.flat();
}

QStringView TextBox::view(int from, int to) const {
    return d->store.view(from, to);
}

QString TextBox::mid(int from, int to) const {
    return d->store.mid(from, to);
}

QChar TextBox::at(int pos) const {
    return d->store.at(pos);
}

int TextBox::length() const {
    return d->store.length();
}

// Assigning the text the box already holds is not a change: no change event, no delta. The
// caret still goes to the start, as for any assignment.
void TextBox::setText(const QString& text) {
    const QString& current = d->store.flat();
    if (text == current) {
        setSelection(0, 0);
        return;
    }
    // Only the differing middle is reported, so that views and the line index redo as little
    // as possible (restoring a checkpoint usually differs from the current text in one spot).
    const int oldLen = int(current.size());
    const int newLen = int(text.size());
    const QChar* a = current.constData();
    const QChar* b = text.constData();
    int prefix = 0;
    const int maxPrefix = std::min(oldLen, newLen);
    while (prefix < maxPrefix && a[prefix] == b[prefix])
        ++prefix;
    int suffix = 0;
    const int maxSuffix = maxPrefix - prefix;
    while (suffix < maxSuffix && a[oldLen - 1 - suffix] == b[newLen - 1 - suffix])
        ++suffix;

    const int removed = oldLen - prefix - suffix;
    const int inserted = newLen - prefix - suffix;
    // A text mostly new is taken over as it is (shared, no copy); a small difference is edited
    // in, keeping the buffer and its hole.
    if (removed > oldLen / 2 || inserted > newLen / 2)
        d->store.assign(text);
    else
        d->store.replace(prefix, removed, QStringView(text).mid(prefix, inserted));
    const bool selectionMoved = d->selStart != 0 || d->selLength != 0;
    d->selStart = 0;
    d->selLength = 0;

    emit textReplaced(prefix, removed, text.mid(prefix, inserted));
    if (selectionMoved) emit selectionChanged();
    emit changed();
}

int TextBox::selStart() const {
    return d->selStart;
}

void TextBox::setSelStart(int pos) {
    setSelection(pos, 0);
}

int TextBox::selLength() const {
    return d->selLength;
}

void TextBox::setSelLength(int len) {
    setSelection(d->selStart, len);
}

QString TextBox::selText() const {
    return d->store.mid(d->selStart, d->selStart + d->selLength);
}

void TextBox::setSelText(const QString& text) {
    replace(d->selStart, d->selLength, text);
}

void TextBox::setSelection(int start, int length) {
    start = std::clamp(start, 0, this->length());
    length = std::clamp(length, 0, this->length() - start);
    if (start == d->selStart && length == d->selLength) return;
    d->selStart = start;
    d->selLength = length;
    emit selectionChanged();
}

// The caret ends after the inserted text with nothing selected, whether or not the text
// changed. Replacing text by an equal text is no change: the events stay silent.
void TextBox::replace(int pos, int removed, const QString& inserted) {
    const int len = length();
    pos = std::clamp(pos, 0, len);
    removed = std::clamp(removed, 0, len - pos);

    const QChar* old = d->store.view(pos, pos + removed).data();
    const QChar* ins = inserted.constData();
    int insLen = inserted.size();
    int prefix = 0;
    const int maxPrefix = std::min(removed, insLen);
    while (prefix < maxPrefix && old[prefix] == ins[prefix])
        ++prefix;
    int suffix = 0;
    while (suffix < maxPrefix - prefix && old[removed - 1 - suffix] == ins[insLen - 1 - suffix])
        ++suffix;

    const int caret = pos + insLen;
    const int cutPos = pos + prefix;
    const int cutRemoved = removed - prefix - suffix;
    const int cutInserted = insLen - prefix - suffix;
    if (cutRemoved == 0 && cutInserted == 0) {
        setSelection(caret, 0);
        return;
    }

    const QString piece = inserted.mid(prefix, cutInserted);
    d->store.replace(cutPos, cutRemoved, piece);
    const bool selectionMoved = d->selStart != caret || d->selLength != 0;
    d->selStart = caret;
    d->selLength = 0;

    emit textReplaced(cutPos, cutRemoved, piece);
    if (selectionMoved) emit selectionChanged();
    emit changed();
}

int TextBox::lineCount() {
    return std::max(1, d->layout->lineCount());
}

int TextBox::lineFromChar(int pos) {
    if (pos == -1) pos = d->selStart;
    return d->layout->lineFromChar(std::clamp(pos, 0, length()));
}

// A position right after a CR LF starts the next line; the position between CR and LF still
// belongs to the line the CR ends.
int TextBox::hardLineFromChar(int pos) const {
    return d->store.breaksBefore(pos - 1);
}

int TextBox::hardLineCount() const {
    return d->store.breakCount() + 1;
}

int TextBox::hardLineStart(int line) const {
    line = std::min(line, d->store.breakCount());
    return line <= 0 ? 0 : d->store.breakAt(line - 1) + 2;
}

int TextBox::hardLineEnd(int line) const {
    line = std::max(line, 0);
    return line < d->store.breakCount() ? d->store.breakAt(line) : length();
}

void TextBox::setLineLayout(LineLayout* layout) {
    d->layout = layout ? layout : &d->crLfLayout;
}

LineLayout* TextBox::lineLayout() const {
    return d->layout == &d->crLfLayout ? nullptr : d->layout;
}

void TextBox::beginBatch() {
    ++d->batchDepth;
}

void TextBox::endBatch() {
    if (d->batchDepth == 0) return;
    if (--d->batchDepth == 0) emit batchEnded();
}

bool TextBox::inBatch() const {
    return d->batchDepth > 0;
}
