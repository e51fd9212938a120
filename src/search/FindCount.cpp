#include "search/FindCount.h"

#include "command/Settings.h"
#include "platform/TextCompare.h"

namespace search {

const QString FindCount::kFindCaption = QStringLiteral("検索");
const QString FindCount::kCountCaption = QStringLiteral("一致する文字列を数える");
const QString FindCount::kSearchButton = QStringLiteral("検索(&S)");
const QString FindCount::kFindNextButton = QStringLiteral("次を検索(&S)");
const QString FindCount::kCountButton = QStringLiteral("数える(&S)");
const QString FindCount::kEndMessage = QStringLiteral("文書の検索が終わりました。");

int searchText(QStringView text, int start, QStringView find, bool exact) {
    if (find.isEmpty()) return 0;
    if (!exact) return textcmp::inStr(start, text, find);
    if (start < 1) start = 1;
    if (qsizetype(start) > text.size()) return 0;
    const qsizetype at = text.indexOf(find, start - 1, Qt::CaseSensitive);
    return at < 0 ? 0 : int(at + 1);
}

QString FindCount::countMessage(const QString& word, int count) {
    return QStringLiteral("「") + word + QStringLiteral("」は文中に") + QString::number(count) +
           QStringLiteral("個あります。");
}

FindCount::FindCount(CommandContext& ctx, FindDialogPort& dialog) : m_ctx(ctx), m_dialog(dialog) {}

QString FindCount::savedWord() const {
    return readSetting(settings::kSection, settings::key::SearchWord,
                       settings::iniPath(m_ctx.programDir));
}

QString FindCount::clipboardText() const {
    QString clip;
    return m_ctx.services.clipboard.text(clip) ? clip : QString();
}

void FindCount::onFindClicked() {
    const bool counting = m_dialog.countMode();
    if (counting)
        m_dialog.setSearchEnabled(false);
    else
        m_dialog.setSearchCaption(kFindNextButton);
    AppState& state = m_ctx.state;
    const QString word = m_dialog.word();
    writeSetting(settings::kSection, settings::key::SearchWord, settings::iniPath(m_ctx.programDir),
                 word);
    // The live text is searched: a copy kept in the shared scratch would cost a whole-text
    // copy at the next edit of a large document.
    state.FindText = word;
    const TextBox& text = m_ctx.text;
    state.SearchStart = m_dialog.fromTop() ? 1 : text.selStart() + text.selLength() + 1;
    if (counting)
        count();
    else
        find();
}

void FindCount::find() {
    AppState& state = m_ctx.state;
    TextBox& text = m_ctx.text;
    state.FoundAt = searchText(text.text(), state.SearchStart, state.FindText, m_dialog.exact());
    if (state.FoundAt < 1) {
        m_ctx.services.prompts.message(kEndMessage, MsgButtons::OK, MsgIcon::Information);
        m_dialog.setSearchCaption(kSearchButton);
    } else {
        text.setSelection(state.FoundAt - 1, int(state.FindText.size()));
    }
    m_ctx.window.setPanelText(2, QStringLiteral("選択範囲：") +
                                     QString::number(m_dialog.word().size()) +
                                     QStringLiteral("文字"));
    m_dialog.setFromTop(false);
    m_dialog.focusDocument();
    state.FindText.clear();
}

// Occurrences may overlap: each search starts one character after the previous occurrence.
// The caret moves once, to the last one, instead of once per occurrence.
void FindCount::count() {
    AppState& state = m_ctx.state;
    TextBox& text = m_ctx.text;
    const bool exact = m_dialog.exact();
    m_ctx.services.pointer.setBusy(true);
    int n = 0;
    int last = 0;
    for (;;) {
        state.FoundAt = searchText(text.text(), state.SearchStart, state.FindText, exact);
        state.SearchStart = state.FoundAt + 1;
        if (state.FoundAt < 1) break;
        last = state.FoundAt;
        ++n;
    }
    if (last > 0) text.setSelStart(last - 1);
    m_ctx.services.prompts.message(countMessage(state.FindText, n));
    m_ctx.services.pointer.setBusy(false);
    m_dialog.unload();
}

void FindCount::onCancelClicked() {
    m_dialog.unload();
}

void FindCount::onUnload() {
    QString clip;
    if (m_ctx.services.clipboard.text(clip)) m_ctx.state.ClipboardView = clip;
}

} // namespace search
