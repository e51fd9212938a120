#include "documents/RecentFiles.h"

#include "command/CommandContext.h"
#include "documents/DocumentFile.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "history/RecordUndo.h"
#include "state/DocumentTitle.h"

void PushRecentFile(CommandContext& ctx, const QString& path) {
    MainWindowPort& w = ctx.window;
    w.showRecentSeparator();
    for (int i = kRecentFileCount - 1; i > 0; --i)
        w.setRecentFileCaption(i, w.recentFileCaption(i - 1));
    w.setRecentFileCaption(0, path);
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!w.recentFileCaption(i).isEmpty()) w.setRecentFileVisible(i);
}

void openRecentFile(CommandContext& ctx, int index) {
    if (index < 0 || index >= kRecentFileCount) return;
    // Taken before the prompt: a save under a new name there moves the entries down.
    const QString path = ctx.window.recentFileCaption(index);
    switch (askToSave(ctx, SaveDocument)) {
    case SavePromptResult::Cancelled:
    case SavePromptResult::NotSaved: // loading now would lose the changes kept by Yes
        return;
    default:
        break;
    }

    QString loaded;
    DocumentFormat format;
    if (!ReadDocumentFile(path, loaded, format)) {
        ctx.services.prompts.message(
            QStringLiteral("Errorが発生しました。ファイルが存在しないようです。"));
        return;
    }
    const bool wasUntitled = doctitle::isUntitled(ctx.window.title());
    ctx.text.setText(loaded);
    setDocumentFormat(ctx, format);
    ctx.state.LoadedText = ctx.text.text();
    ctx.window.setTitle(doctitle::forPath(path));
    if (wasUntitled) {
        // The untitled text was replaced without a fresh start: the history stays and the
        // document counts as changed, as the change of the text marked it.
        ctx.state.Dirty = true;
        return;
    }
    for (int i = 0; i < kRecentFileCount; ++i)
        if (!ctx.window.recentFileCaption(i).isEmpty()) ctx.window.setRecentFileVisible(i);
    ctx.window.refreshStatus();
    resetHistory(ctx.state);
    ctx.state.Dirty = false;
}
