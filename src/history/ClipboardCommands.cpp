#include "history/ClipboardCommands.h"
#include "documents/DocumentSession.h"

#include "command/CommandContext.h"
#include "history/ClipboardPanels.h"
#include "history/UndoHistory.h"
#include "platform/WholeCharacters.h"

#include <algorithm>

namespace {

const QString kError = QStringLiteral("Error");
// Captions of the history items show the start of their entry.
constexpr int kHistoryCaption = 20;

bool hasSelection(const CommandContext& ctx) {
    return ctx.text.selLength() > 0;
}

void refreshClipboardPanelWithTip(CommandContext& ctx) {
    if (clippanels::refreshClipboardPanel(ctx.state, ctx.services.clipboard, ctx.window))
        ctx.window.setStatusToolTip(ctx.state.ClipboardView);
}

// The system clipboard's text, when it can be read and holds some.
bool clipboardHasText(CommandContext& ctx) {
    QString clip;
    return ctx.services.clipboard.text(clip) && !clip.isEmpty();
}

// Puts the selection on the system clipboard; a clipboard that cannot take it is reported,
// and the caller must then leave the selection in place.
bool selectionToClipboard(CommandContext& ctx, const QString& selected) {
    pushClipHistory(ctx.state, selected);
    if (ctx.services.clipboard.setText(selected)) return true;
    ctx.services.prompts.message(kError);
    return false;
}

// The second clipboard shares its text with the history's newest entry.
void selectionToSecondClipboard(CommandContext& ctx) {
    pushClipHistory(ctx.state, ctx.text.selText());
    ctx.state.SecondClipboard = ctx.state.ClipHistory[1];
}

void replaceSelection(CommandContext& ctx, const QString& text) {
    ctx.text.setSelText(pastedText(text));
}

// Undo and Redo are offered whenever they would take a step, as the toolbar's buttons are:
// a saved document can still go back.
void setUndoItems(CommandContext& ctx, const QString& undo, const QString& redo) {
    ctx.window.setItemEnabled(undo, ctx.history.canUndo());
    ctx.window.setItemEnabled(redo, ctx.history.canRedo());
}

} // namespace

void pushClipHistory(AppState& state, const QString& text) {
    QStringList& history = state.ClipHistory;
    while (history.size() < std::max(state.ClipHistoryCount, 1))
        history.append(QString());
    QString entry = text;
    for (qsizetype i = 1; i < history.size(); ++i) {
        if (history[i].size() == text.size() && history[i] == text) {
            entry = history[i];
            break;
        }
    }
    history.insert(1, entry);
    ++state.ClipHistoryCount;
}

QString pastedText(const QString& text) {
    if (!text.contains(u'\n') || text.contains(u'\r')) return text;
    return QString(text).replace(u'\n', QStringLiteral("\r\n"));
}

void cutSelection(CommandContext& ctx) {
    if (hasSelection(ctx)) {
        ctx.history.record(ctx.text);
        if (selectionToClipboard(ctx, ctx.text.selText())) ctx.text.setSelText(QString());
    }
    refreshClipboardPanelWithTip(ctx);
}

void copySelection(CommandContext& ctx) {
    if (hasSelection(ctx)) selectionToClipboard(ctx, ctx.text.selText());
    refreshClipboardPanelWithTip(ctx);
}

void pasteClipboard(CommandContext& ctx) {
    QString clip;
    bool ok = ctx.services.clipboard.text(clip);
    if (ok && !clip.isEmpty()) {
        ctx.history.record(ctx.text);
        ok = ctx.services.clipboard.text(clip);
        if (ok) replaceSelection(ctx, clip);
    }
    if (!ok) {
        ctx.services.prompts.message(kError);
        return;
    }
    ctx.window.refreshStatus();
}

void pastePrimarySelection(CommandContext& ctx) {
    const QString text = ctx.services.clipboard.selectionText();
    if (text.isEmpty()) return;
    ctx.history.record(ctx.text);
    replaceSelection(ctx, text);
    ctx.window.refreshStatus();
}

void deleteSelection(CommandContext& ctx) {
    if (!hasSelection(ctx)) return;
    ctx.history.record(ctx.text);
    ctx.text.setSelText(QString());
}

void cutToSecondClipboard(CommandContext& ctx) {
    if (hasSelection(ctx)) {
        ctx.history.record(ctx.text);
        selectionToSecondClipboard(ctx);
        ctx.text.setSelText(QString());
    }
    clippanels::refreshSecondClipboardPanel(ctx.state, ctx.window);
}

void copyToSecondClipboard(CommandContext& ctx) {
    if (hasSelection(ctx)) selectionToSecondClipboard(ctx);
    clippanels::refreshSecondClipboardPanel(ctx.state, ctx.window);
}

void pasteSecondClipboard(CommandContext& ctx) {
    if (ctx.state.SecondClipboard.isEmpty()) return;
    ctx.history.record(ctx.text);
    replaceSelection(ctx, ctx.state.SecondClipboard);
}

void copyAllText(CommandContext& ctx) {
    ctx.text.setSelStart(0);
    ctx.text.setSelLength(ctx.text.length());
    // Each step is optional: a clipboard that refuses the text leaves the rest to run.
    ctx.services.clipboard.setText(ctx.text.text());
    clippanels::refreshClipboardPanel(ctx.state, ctx.services.clipboard, ctx.window);
}

void selectAllText(CommandContext& ctx) {
    ctx.text.setSelStart(0);
    ctx.text.setSelLength(ctx.text.length());
    ctx.window.setPanelText(2, QStringLiteral("選択範囲：") + QString::number(ctx.state.CharTotal) +
                                   QStringLiteral("文字"));
}

void pasteClipboardHistoryEntry(CommandContext& ctx, int index) {
    ctx.history.record(ctx.text);
    const int n = ctx.state.ClipHistoryCount;
    int slot = 0;
    if (n == 2)
        slot = 1;
    else if (n == 3)
        slot = 2;
    else if (n >= 4)
        slot = index + 2;
    if (slot < 1 || slot >= ctx.state.ClipHistory.size()) return;
    replaceSelection(ctx, ctx.state.ClipHistory[slot]);
}

void prepareEditMenu(CommandContext& ctx) {
    ctx.window.syncImeItems(false);
    setUndoItems(ctx, QStringLiteral("mnuEditUndo"), QStringLiteral("mnuEditRedo"));
    ctx.window.setItemEnabled(QStringLiteral("mnuEditPaste"), clipboardHasText(ctx));
}

void preparePopupMenu(CommandContext& ctx) {
    MenuItems& w = ctx.window;
    const AppState& s = ctx.state;
    w.syncImeItems(true);
    setUndoItems(ctx, QStringLiteral("popUndo"), QStringLiteral("popRedo"));
    if (ctx.document.isDirty()) w.setItemEnabled(QStringLiteral("popPaste2"), !s.SecondClipboard.isEmpty());
    w.setItemEnabled(QStringLiteral("popPaste"), clipboardHasText(ctx));
    for (int i = 0; i <= 9; ++i)
        w.setItemVisible(QStringLiteral("popsitei(%1)").arg(i),
                         !s.UserStrings[i].isEmpty());

    const int n = s.ClipHistoryCount;
    const auto caption = [&](int item, int slot) {
        if (slot < s.ClipHistory.size())
            w.setItemCaption(QStringLiteral("popCB(%1)").arg(item),
                             wholeCharacters(s.ClipHistory[slot], 0, kHistoryCaption).toString());
    };
    if (n < 3) {
        w.setItemEnabled(QStringLiteral("popCBrireki"), false);
        return;
    }
    w.setItemEnabled(QStringLiteral("popCBrireki"), true);
    caption(0, 2);
    if (n >= 4) w.setItemVisible(QStringLiteral("popCB(0)"), true);
    // Items 1 and 2 stand for slots 3 and 4, offered once the history holds them.
    for (int item = 1; item <= 2; ++item) {
        const bool shown = n >= item + 3;
        w.setItemVisible(QStringLiteral("popCB(%1)").arg(item), shown);
        if (shown) caption(item, item + 2);
    }
}
