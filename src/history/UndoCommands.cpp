#include "history/UndoCommands.h"

#include "command/CommandContext.h"
#include "documents/DocumentSession.h"
#include "history/UndoHistory.h"
#include "platform/TextBox.h"

namespace {

const QString kNoUndoData = QStringLiteral("UNDODATAがないか全く新規の状態です。");
const QString kNoRedoData = QStringLiteral("RedoDataがありません");
const QString kBackToLoadedQuestion =
    QStringLiteral("文書を最も最初の状態に戻します。よろしいですか？");
const QString kBackToLoadedTitle = QStringLiteral("初期化");

} // namespace

void undo(CommandContext& ctx) {
    switch (ctx.history.undo(ctx.text)) {
    case UndoHistory::Step::NoData:
        ctx.services.prompts.message(kNoUndoData);
        break;
    case UndoHistory::Step::Done:
        ctx.window.refreshStatus();
        break;
    case UndoHistory::Step::Nothing:
        break;
    }
}

void redo(CommandContext& ctx) {
    if (ctx.history.redo(ctx.text) == UndoHistory::Step::NoData)
        ctx.services.prompts.message(kNoRedoData);
}

void redoAll(CommandContext& ctx) {
    const MsgAnswer answer = ctx.services.prompts.message(kBackToLoadedQuestion, MsgButtons::YesNo,
                                                          MsgIcon::None, kBackToLoadedTitle);
    if (answer != MsgAnswer::Yes) return;
    // The loaded text replaces the text as it stands, which must stay within reach.
    ctx.history.record(ctx.text);
    ctx.text.setText(ctx.document.loadedText());
    ctx.window.refreshStatus();
}
