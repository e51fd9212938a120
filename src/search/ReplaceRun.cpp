#include "search/ReplaceRun.h"

#include "history/ClipboardPanels.h"
#include "history/UndoHistory.h"
#include "platform/TextCompare.h"
#include "search/FindCount.h"

#include <limits>

namespace search {

namespace {

constexpr int kUntouched = std::numeric_limits<int>::max();

constexpr qint16 kMaxCount = 32767;

} // namespace

const QString ReplaceRun::kEndMessage = QStringLiteral("文書の検索と置換が終わりました。");

QString ReplaceRun::countMessage(int count) {
    return kEndMessage + QString::number(count) + QStringLiteral("個置き換えました。");
}

ReplaceRun::ReplaceRun(CommandContext& ctx, ReplaceState& state, ReplaceDialogPort& dialog)
    : m_ctx(ctx), m_state(state), m_dialog(dialog) {}

QString ReplaceRun::onLoad() {
    m_state.FirstClickDone = 0;
    return m_ctx.text.selText();
}

bool ReplaceRun::onFindFieldClicked() {
    if (m_state.FirstClickDone) return false;
    m_state.FirstClickDone = -1;
    return true;
}

void ReplaceRun::end(bool counted) {
    if (counted) {
        m_ctx.services.prompts.message(countMessage(m_replaced), MsgButtons::OK,
                                       MsgIcon::Information);
    } else {
        m_ctx.services.prompts.message(kEndMessage, MsgButtons::OK, MsgIcon::Information);
    }
}

void ReplaceRun::record() {
    if (!m_running) {
        m_ctx.history.record(m_ctx.text);
        return;
    }
    m_ctx.history.recordEdited(m_ctx.text, m_sameHead, m_sameTail);
    m_sameHead = m_sameTail = kUntouched;
}

bool ReplaceRun::step(bool& replaced) {
    AppState& state = m_ctx.state;
    TextBox& text = m_ctx.text;
    replaced = false;
    record();
    state.FindText = m_dialog.findText();
    state.ReplaceText = m_dialog.replaceText();
    // The selection is compared as text whatever the case setting says: a selection made by
    // hand in another case is still replaced.
    const QStringView selected = QStringView(text.text()).mid(text.selStart(), text.selLength());
    if (textcmp::equal(selected, state.FindText)) {
        text.setSelText(state.ReplaceText);
        replaced = true;
    }
    if (m_dialog.fromTop()) {
        state.SearchStart = 1;
        m_dialog.setFromTop(false);
    } else {
        state.SearchStart = text.selStart() + 1;
    }
    state.FoundAt = searchText(text.text(), state.SearchStart, state.FindText, m_dialog.exact());
    const bool found = state.FoundAt >= 1;
    if (found) {
        text.setSelection(state.FoundAt - 1, int(state.FindText.size()));
    }
    // A run moves the focus once, at its end: moving it per step changes nothing but costs
    // a window activation each time.
    if (!m_running) m_dialog.focusDocument();
    state.FindText.clear();
    return found;
}

void ReplaceRun::replaceOne() {
    if (m_running) return;
    // An empty search string would "find" the empty selection: nothing changes, not even
    // the history.
    if (m_dialog.findText().isEmpty()) {
        end(false);
        return;
    }
    bool replaced = false;
    if (!step(replaced)) end(false);
}

void ReplaceRun::replaceAll() {
    if (m_running) return;
    const bool empty = m_dialog.findText().isEmpty();
    if (!empty) m_ctx.history.record(m_ctx.text);
    if (m_dialog.fromTop()) {
        if (!empty) replaceAllAtOnce();
        end(false);
    } else if (empty) {
        m_replaced = 0;
        end(true);
    } else {
        m_running = true;
        m_stopRequested = false;
        m_replaced = 0;
        m_sameHead = m_sameTail = kUntouched;
        TextBox& text = m_ctx.text;
        const QMetaObject::Connection tracking = QObject::connect(
            &text, &TextBox::textReplaced, [this, &text](int pos, int, const QString& inserted) {
                m_sameHead = std::min(m_sameHead, pos);
                m_sameTail = std::min(m_sameTail, text.length() - pos - int(inserted.size()));
            });
        m_ctx.services.pointer.setBusy(true);
        {
            TextBoxBatch batch(m_ctx.text);
            int lastFound = 0;
            for (;;) {
                bool replaced = false;
                const bool found = step(replaced);
                if (replaced && m_replaced < kMaxCount) ++m_replaced;
                // A step that neither replaced nor moved on would repeat itself for ever.
                if (!found || m_stopRequested || (!replaced && m_ctx.state.FoundAt <= lastFound))
                    break;
                lastFound = m_ctx.state.FoundAt;
                m_ctx.services.pump.doEvents();
                if (m_stopRequested) break;
            }
        }
        QObject::disconnect(tracking);
        m_dialog.focusDocument();
        m_ctx.services.pointer.setBusy(false);
        m_running = false;
        end(true);
    }
    m_dialog.unload();
}

// Left to right, never rescanning inserted text; the caret goes to the top as for any new text.
void ReplaceRun::replaceAllAtOnce() {
    TextBox& text = m_ctx.text;
    const QString find = m_dialog.findText();
    const QString replacement = m_dialog.replaceText();
    if (m_dialog.exact())
        text.setText(QString(text.text()).replace(find, replacement, Qt::CaseSensitive));
    else
        text.setText(textcmp::replaceAll(text.text(), find, replacement));
}

void ReplaceRun::onCancelClicked() {
    m_stopRequested = true;
    m_dialog.unload();
}

QString ReplaceRun::clipboardText() const {
    QString clip;
    return m_ctx.services.clipboard.text(clip) ? clip : QString();
}

void ReplaceRun::onUnload() {
    clippanels::refreshClipboardPanel(m_ctx.state, m_ctx.services.clipboard, m_ctx.window,
                                      clippanels::kLongAfterCopy);
}

} // namespace search
