#include "documents/FileChanges.h"

#include "command/CommandContext.h"
#include "documents/DocumentFile.h"
#include "documents/DocumentPlaces.h"
#include "documents/DocumentSession.h"
#include "documents/FileCommands.h"
#include "history/UndoHistory.h"

namespace {

const QString kChangedOverEdits =
    kFileChangedQuestion +
    QStringLiteral("\r\nこの文章には保存していない変更があります。\r\n"
                   "はい：ファイルを読み込み直します（今の文章には「元に戻す」で戻れます）\r\n"
                   "いいえ：今の文章をそのまま残します");
const QString kDeleted = QStringLiteral(
    "ファイルが他のプログラムによって削除されました。\r\n"
    "文章はそのまま残っています。保存すると、ファイルがもう一度作られます。");
const QString kOverwriteQuestion =
    QStringLiteral("ファイルが他のプログラムによって変更されています。上書きしますか？\r\n"
                   "（いいえ：保存しません）");
const QString kReloadFailed =
    QStringLiteral("ファイルを読み込めませんでした。文章はそのまま残っています。");

// Reading the file anew is one more step of the history: 元に戻す brings back the text as it
// was, the writer's unsaved changes included.
void reload(CommandContext& ctx) {
    QString loaded;
    DocumentFormat format;
    if (!readDocumentFile(ctx.document.path(), loaded, format)) {
        ctx.services.prompts.message(kReloadFailed, MsgButtons::OK, MsgIcon::Exclamation);
        return;
    }
    const DocumentPlace place = currentPlace(ctx);
    ctx.history.record(ctx.text);
    ctx.text.setText(loaded);
    ctx.history.record(ctx.text);
    ctx.document.setFormat(format);
    ctx.document.setLoadedText(ctx.text.text());
    ctx.document.setDirty(false);
    followDocumentFile(ctx);
    goToPlace(ctx, place);
    ctx.window.refreshStatus();
}

} // namespace

void followDocumentFile(CommandContext& ctx) {
    ctx.document.fileWatch().follow(isRecoveredText(ctx) ? QString() : ctx.document.path());
}

void checkDocumentFile(CommandContext& ctx) {
    switch (ctx.document.fileWatch().check(ctx.document.isDirty())) {
    case FileChangeAction::Nothing:
        return;
    case FileChangeAction::AskReload:
        if (ctx.services.prompts.message(kFileChangedQuestion, MsgButtons::YesNo) ==
            MsgAnswer::Yes)
            reload(ctx);
        return;
    case FileChangeAction::AskReloadOverEdits:
        if (ctx.services.prompts.message(kChangedOverEdits, MsgButtons::YesNo,
                                         MsgIcon::Exclamation) == MsgAnswer::Yes)
            reload(ctx);
        return;
    case FileChangeAction::MarkChanged:
        // The text is now the only copy: the save question must come at the next close.
        ctx.document.setDirty(true);
        ctx.services.prompts.message(kDeleted, MsgButtons::OK, MsgIcon::Exclamation);
        return;
    }
}

bool confirmOverwrite(CommandContext& ctx) {
    if (!ctx.document.fileWatch().changedSinceKnown()) return true;
    return ctx.services.prompts.message(kOverwriteQuestion, MsgButtons::YesNo,
                                        MsgIcon::Exclamation) == MsgAnswer::Yes;
}
