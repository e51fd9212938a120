#include "tools/BlankRemoval.h"

#include "command/CommandContext.h"
#include "history/UndoHistory.h"
#include "platform/TextBox.h"
#include "platform/TextCompare.h"

namespace blanks {

namespace {

const QString kCrCrLf = QStringLiteral("\r\r\n");

// The steps every procedure opens with: busy pointer, caret to the start, a checkpoint.
class Tidy {
public:
    explicit Tidy(CommandContext& ctx) : m_ctx(ctx) {
        m_ctx.services.pointer.setBusy(true);
        m_ctx.text.setSelStart(0);
        m_ctx.history.record(m_ctx.text);
    }
    ~Tidy() {
        m_ctx.text.setSelStart(0);
        m_ctx.services.pointer.setBusy(false);
    }
    Tidy(const Tidy&) = delete;
    Tidy& operator=(const Tidy&) = delete;

private:
    CommandContext& m_ctx;
};

} // namespace

QString withoutSpaces(QStringView text) {
    const char16_t space = textcmp::fold(u' ');
    QString out(text.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    for (const QChar c : text)
        if (c != u'\t' && textcmp::fold(c.unicode()) != space) *dst++ = c;
    out.truncate(dst - out.constData());
    return out;
}

QString withoutBlankLines(QStringView text) {
    // One pass of CR CR LF -> CR LF, from the left; a longer run of CRs keeps all but one.
    const QString once = textcmp::replaceAll(text, kCrCrLf, kCrLf);
    QString out(once.size(), Qt::Uninitialized);
    QChar* dst = out.data();
    const QChar* p = once.constData();
    const QChar* const end = p + once.size();
    const auto lineBreakAt = [end](const QChar* at) {
        return at + 1 < end && at[0] == u'\r' && at[1] == u'\n';
    };
    // Collapsing every pair of adjacent line breaks until none is left turns each run into a
    // single line break, so one pass does the same.
    while (p < end) {
        if (!lineBreakAt(p)) {
            *dst++ = *p++;
            continue;
        }
        *dst++ = u'\r';
        *dst++ = u'\n';
        p += 2;
        while (lineBreakAt(p))
            p += 2;
    }
    qsizetype size = dst - out.constData();
    qsizetype from = 0;
    if (size >= 2 && out[0] == u'\r' && out[1] == u'\n') from = 2;
    out.truncate(size);
    return from ? out.sliced(from) : out;
}

// Each procedure assigns the whole text once; an unchanged text raises no change event, so
// the document's changed flag stays as it was.
void removeSpaces(CommandContext& ctx) {
    Tidy tidy(ctx);
    ctx.text.setText(withoutSpaces(ctx.text.text()));
}

void removeBlankLines(CommandContext& ctx) {
    Tidy tidy(ctx);
    ctx.text.setText(withoutBlankLines(ctx.text.text()));
}

void removeSpacesAndBlankLines(CommandContext& ctx) {
    Tidy tidy(ctx);
    removeSpaces(ctx);
    removeBlankLines(ctx);
}

} // namespace blanks
