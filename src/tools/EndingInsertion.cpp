#include "tools/EndingInsertion.h"

#include "command/CommandContext.h"
#include "history/UndoHistory.h"
#include "platform/TextCompare.h"

#include <algorithm>

namespace ending {

namespace {

constexpr QChar kFullStop = u'。';
constexpr QChar kQuestion = u'？';
constexpr QChar kExclamation = u'！';
constexpr int kMaxCount = 32767;

} // namespace

QString insertBefore(QStringView text, QChar mark, QStringView word, int& count,
                     qsizetype& lastEnd) {
    const char16_t folded = textcmp::fold(mark.unicode());
    lastEnd = -1;
    QString out;
    qsizetype copied = 0;
    for (qsizetype i = 0, n = text.size(); i < n; ++i) {
        if (textcmp::fold(text[i].unicode()) != folded) continue;
        if (out.isNull()) out.reserve(text.size() + text.size() / 8);
        out.append(text.sliced(copied, i - copied));
        out.append(word);
        copied = i;
        ++count;
        lastEnd = out.size() + 1;
    }
    if (out.isNull()) return text.toString();
    out.append(text.sliced(copied));
    return out;
}

EndingInserter::EndingInserter(CommandContext& ctx, EndingDialogPort& dialog)
    : m_ctx(ctx), m_dialog(dialog) {}

QString EndingInserter::finishedMessage(int count) {
    return QStringLiteral("文書の検索と置換が終わりました。%1個変換しました。").arg(count);
}

qsizetype EndingInserter::insertBeforeMarks(QString& text, QChar mark) {
    const QString word = m_dialog.word();
    m_ctx.state.FindText = QString(mark);
    m_ctx.state.ReplaceText = word + mark;
    int found = 0;
    qsizetype lastEnd = -1;
    text = insertBefore(text, mark, word, found, lastEnd);
    m_insertCount = qint16(std::min(kMaxCount, m_insertCount + found));
    return lastEnd;
}

// The passes run one after another over the text as the previous one left it, so a word
// holding a later pass's mark gets its insertion too; the document is written once.
void EndingInserter::onConvertClicked() {
    TextBox& box = m_ctx.text;
    m_ctx.history.record(box);
    box.setSelStart(0);
    m_insertCount = 0;
    QString text = box.text();
    insertBeforeMarks(text, kFullStop);
    qsizetype caret = 0;
    if (m_dialog.questionMarksToo()) caret = std::max<qsizetype>(0, insertBeforeMarks(text, kQuestion));
    if (m_dialog.exclamationMarksToo()) caret = std::max<qsizetype>(0, insertBeforeMarks(text, kExclamation));
    box.setText(text);
    box.setSelStart(int(caret));
    m_ctx.services.prompts.message(finishedMessage(m_insertCount), MsgButtons::OK,
                                   MsgIcon::Information);
    m_ctx.state.FindText.clear();
    m_dialog.unload();
}

void EndingInserter::onCancelClicked() {
    m_dialog.unload();
}

} // namespace ending
