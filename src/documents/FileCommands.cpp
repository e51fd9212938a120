#include "documents/FileCommands.h"

#include "command/CommandContext.h"
#include "documents/DocumentFile.h"
#include "documents/RecentFiles.h"
#include "documents/SaveCommands.h"
#include "history/RecordUndo.h"
#include "state/DocumentTitle.h"

bool isRecoveredText(const CommandContext& ctx) {
    const QString title = ctx.window.title();
    return !doctitle::isUntitled(title) &&
           isBackupFile(doctitle::currentPath(title), ctx.programDir);
}

SavePromptResult askToSave(CommandContext& ctx, bool (*save)(CommandContext&)) {
    if (!ctx.state.Dirty && !isRecoveredText(ctx)) return SavePromptResult::Unchanged;
    const MsgAnswer answer =
        ctx.services.prompts.message(doctitle::currentPath(ctx.window.title()) +
                                         QStringLiteral("の内容が変更されています。保存しますか？"),
                                     MsgButtons::YesNoCancel);
    switch (answer) {
    case MsgAnswer::Yes:
        ctx.state.SaveText = ctx.text.text();
        return save(ctx) ? SavePromptResult::Saved : SavePromptResult::NotSaved;
    case MsgAnswer::No:
        return SavePromptResult::Declined;
    default:
        return SavePromptResult::Cancelled;
    }
}

void newDocument(CommandContext& ctx) {
    // Yes saves under a new name and ends the command: the text stays for another look.
    const SavePromptResult prompt = askToSave(ctx, SaveDocumentAs);
    if (prompt != SavePromptResult::Unchanged && prompt != SavePromptResult::Declined) return;
    ctx.text.setText(QString());
    setDocumentFormat(ctx, DocumentFormat());
    ctx.state.LoadedText.clear();
    ctx.window.setTitle(doctitle::kUntitled);
    ctx.state.Dirty = false;
    ctx.window.refreshStatus();
    resetHistory(ctx.state);
}

void openDocument(CommandContext& ctx) {
    switch (askToSave(ctx, SaveDocumentAs)) {
    case SavePromptResult::Cancelled:
    case SavePromptResult::NotSaved: // the writer asked to keep the changes
        return;
    default:
        break;
    }
    ctx.window.showOpenDialog(false);
    resetHistory(ctx.state);
}

void insertFile(CommandContext& ctx) {
    // One Undo after the insert returns to the text just before it, typing included.
    recordWriterEdits(ctx.state, ctx.text);
    ctx.window.showOpenDialog(true);
}

void saveDocument(CommandContext& ctx) {
    ctx.state.SaveText = ctx.text.text();
    SaveDocument(ctx);
}

void saveDocumentAs(CommandContext& ctx) {
    ctx.state.SaveText = ctx.text.text();
    SaveDocumentAs(ctx);
}

void LoadAcceptedFile(CommandContext& ctx, bool insertMode) {
    ctx.services.pointer.setBusy(true);
    QString loaded;
    DocumentFormat format;
    if (!ReadDocumentFile(ctx.state.WorkPath, loaded, format)) {
        ctx.services.pointer.setBusy(false);
        ctx.services.prompts.message(
            QStringLiteral("エラーが発生しました。ファイルが大きすぎるようです。"));
        return;
    }
    if (insertMode) {
        ctx.text.setSelStart(ctx.text.length());
        ctx.text.setSelText(QStringLiteral("\r\n") + loaded);
    } else {
        ctx.text.setText(loaded);
        setDocumentFormat(ctx, format);
        ctx.window.setTitle(doctitle::forPath(ctx.state.WorkPath));
    }
    PushRecentFile(ctx, ctx.state.WorkPath);
    ctx.services.pointer.setBusy(false);

    ctx.state.LoadedText = ctx.text.text();
    RecordUndo(ctx.state, ctx.text);
    // An insert makes the text differ from the file named in the title: it is a change like
    // any other.
    ctx.state.Dirty = insertMode;
}

void setDocumentFormat(CommandContext& ctx, const DocumentFormat& format) {
    ctx.state.Format = format;
    ctx.window.setFormatText(formatName(format));
}
