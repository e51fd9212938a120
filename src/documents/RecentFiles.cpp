#include "documents/RecentFiles.h"

#include "command/CommandContext.h"
#include "documents/DocumentFile.h"
#include "documents/DocumentSession.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "history/UndoHistory.h"

void openRecentFile(CommandContext& ctx, int index) {
    if (index < 0 || index >= DocumentSession::kRecentFileCount) return;
    // Taken before the prompt: a save under a new name there moves the entries down.
    const QString path = ctx.document.recentFile(index);
    switch (askToSave(ctx, saveText)) {
    case SavePromptResult::Cancelled:
    case SavePromptResult::NotSaved: // loading now would lose the changes kept by Yes
        return;
    default:
        break;
    }

    QString loaded;
    DocumentFormat format;
    if (!readDocumentFile(path, loaded, format)) {
        ctx.services.prompts.message(
            QStringLiteral("Errorが発生しました。ファイルが存在しないようです。"));
        return;
    }
    const bool wasUntitled = ctx.document.isUntitled();
    ctx.text.setText(loaded);
    ctx.document.setFormat(format);
    ctx.document.setLoadedText(ctx.text.text());
    ctx.document.setPath(path);
    if (wasUntitled) {
        // The untitled text was replaced without a fresh start: the history stays and the
        // document counts as changed, as the change of the text marked it.
        ctx.document.setDirty(true);
        return;
    }
    ctx.window.refreshStatus();
    ctx.history.reset();
    ctx.document.setDirty(false);
}
