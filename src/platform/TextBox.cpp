#include "platform/TextBox.h"

#include <algorithm>
#include <vector>

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

    QString text;
    int selStart = 0;
    int selLength = 0;
    // Positions of the CR of every CR LF pair, ascending. Kept up to date edit by edit.
    std::vector<int> breaks;
    CrLfLayout crLfLayout;
    LineLayout* layout = nullptr;
    int batchDepth = 0;

    bool isBreakAt(int i) const {
        return i >= 0 && i + 1 < text.size() && text.at(i) == u'\r' && text.at(i + 1) == u'\n';
    }

    // `removed` code units at `pos` became `inserted` code units; `text` already holds the
    // result. Only pairs whose CR lies in [pos - 1, pos + removed) can have changed: the one
    // just before the edit may have been split or formed, those inside were removed.
    void updateBreaks(int pos, int removed, int inserted) {
        const auto first = std::lower_bound(breaks.begin(), breaks.end(), pos - 1);
        const auto last = std::lower_bound(first, breaks.end(), pos + removed);
        const int delta = inserted - removed;
        if (delta != 0)
            for (auto it = last; it != breaks.end(); ++it)
                *it += delta;

        std::vector<int> found;
        const int scanEnd = std::min<int>(pos + inserted, text.size() - 1);
        for (int i = std::max(0, pos - 1); i < scanEnd; ++i)
            if (isBreakAt(i)) found.push_back(i);

        const auto keep = std::min(found.size(), size_t(last - first));
        std::copy(found.begin(), found.begin() + keep, first);
        if (keep < size_t(last - first))
            breaks.erase(first + keep, last);
        else
            breaks.insert(last, found.begin() + keep, found.end());
    }

    void rebuildBreaks() {
        breaks.clear();
        const QChar* data = text.constData();
        const int n = text.size();
        for (int i = 0; i + 1 < n; ++i)
            if (data[i] == u'\r' && data[i + 1] == u'\n') breaks.push_back(i++);
    }
};

TextBox::TextBox(QObject* parent) : QObject(parent), d(std::make_unique<Impl>(*this)) {
    d->layout = &d->crLfLayout;
}

TextBox::~TextBox() = default;

const QString& TextBox::text() const {
    return d->text;
}

int TextBox::length() const {
    return d->text.size();
}

// Assigning the text the box already holds is not a change: no change event, no delta. The
// caret still goes to the start, as for any assignment.
void TextBox::setText(const QString& text) {
    if (text == d->text) {
        setSelection(0, 0);
        return;
    }
    // Only the differing middle is reported, so that views and the line index redo as little
    // as possible (restoring a checkpoint usually differs from the current text in one spot).
    const int oldLen = d->text.size();
    const int newLen = text.size();
    const QChar* a = d->text.constData();
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
    d->text = text;
    if (removed > oldLen / 2 || inserted > newLen / 2)
        d->rebuildBreaks();
    else
        d->updateBreaks(prefix, removed, inserted);
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
    return d->text.mid(d->selStart, d->selLength);
}

void TextBox::setSelText(const QString& text) {
    replace(d->selStart, d->selLength, text);
}

void TextBox::setSelection(int start, int length) {
    start = std::clamp(start, 0, int(d->text.size()));
    length = std::clamp(length, 0, int(d->text.size()) - start);
    if (start == d->selStart && length == d->selLength) return;
    d->selStart = start;
    d->selLength = length;
    emit selectionChanged();
}

// The caret ends after the inserted text with nothing selected, whether or not the text
// changed. Replacing text by an equal text is no change: the events stay silent.
void TextBox::replace(int pos, int removed, const QString& inserted) {
    const int len = d->text.size();
    pos = std::clamp(pos, 0, len);
    removed = std::clamp(removed, 0, len - pos);

    const QChar* old = d->text.constData() + pos;
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
    d->text.replace(cutPos, cutRemoved, piece);
    d->updateBreaks(cutPos, cutRemoved, cutInserted);
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
    return d->layout->lineFromChar(std::clamp(pos, 0, int(d->text.size())));
}

// A position right after a CR LF starts the next line; the position between CR and LF still
// belongs to the line the CR ends.
int TextBox::hardLineFromChar(int pos) const {
    return int(std::lower_bound(d->breaks.begin(), d->breaks.end(), pos - 1) - d->breaks.begin());
}

int TextBox::hardLineCount() const {
    return int(d->breaks.size()) + 1;
}

int TextBox::hardLineStart(int line) const {
    line = std::min(line, int(d->breaks.size()));
    return line <= 0 ? 0 : d->breaks[line - 1] + 2;
}

int TextBox::hardLineEnd(int line) const {
    line = std::max(line, 0);
    return line < int(d->breaks.size()) ? d->breaks[line] : length();
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
