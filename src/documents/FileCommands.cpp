#include "documents/FileCommands.h"

#include "command/CommandContext.h"
#include "documents/DocumentFile.h"
#include "documents/DocumentSession.h"
#include "documents/SaveCommands.h"
#include "history/UndoHistory.h"
#include "state/DocumentTitle.h"

bool isRecoveredText(const CommandContext& ctx) {
    return !ctx.document.isUntitled() && isBackupFile(ctx.document.path(), ctx.programDir);
}

SavePromptResult askToSave(CommandContext& ctx, SaveFunction save) {
    if (!ctx.document.isDirty() && !isRecoveredText(ctx)) return SavePromptResult::Unchanged;
    const MsgAnswer answer =
        ctx.services.prompts.message(ctx.document.displayName() +
                                         QStringLiteral("の内容が変更されています。保存しますか？"),
                                     MsgButtons::YesNoCancel);
    switch (answer) {
    case MsgAnswer::Yes:
        return save(ctx, ctx.text.text()) ? SavePromptResult::Saved : SavePromptResult::NotSaved;
    case MsgAnswer::No:
        return SavePromptResult::Declined;
    default:
        return SavePromptResult::Cancelled;
    }
}

void newDocument(CommandContext& ctx) {
    // Yes saves under a new name and ends the command: the text stays for another look.
    const SavePromptResult prompt = askToSave(ctx, saveTextAs);
    if (prompt != SavePromptResult::Unchanged && prompt != SavePromptResult::Declined) return;
    ctx.text.setText(QString());
    ctx.document.setFormat(DocumentFormat());
    ctx.document.setLoadedText(QString());
    ctx.document.setUntitled();
    ctx.document.setDirty(false);
    ctx.window.refreshStatus();
    ctx.history.reset();
}

void openDocument(CommandContext& ctx) {
    switch (askToSave(ctx, saveTextAs)) {
    case SavePromptResult::Cancelled:
    case SavePromptResult::NotSaved: // the writer asked to keep the changes
        return;
    default:
        break;
    }
    ctx.window.showOpenDialog(false);
    ctx.history.reset();
}

void insertFile(CommandContext& ctx) {
    // One Undo after the insert returns to the text just before it, typing included.
    ctx.history.recordWriterEdits(ctx.text);
    ctx.window.showOpenDialog(true);
}

void saveDocument(CommandContext& ctx) {
    saveText(ctx, ctx.text.text());
}

void saveDocumentAs(CommandContext& ctx) {
    saveTextAs(ctx, ctx.text.text());
}

void loadAcceptedFile(CommandContext& ctx, const QString& path, bool insertMode) {
    ctx.services.pointer.setBusy(true);
    QString loaded;
    DocumentFormat format;
    if (!readDocumentFile(path, loaded, format)) {
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
        ctx.document.setFormat(format);
        ctx.document.setPath(path);
    }
    ctx.document.pushRecentFile(path);
    ctx.services.pointer.setBusy(false);

    ctx.document.setLoadedText(ctx.text.text());
    ctx.history.record(ctx.text);
    // An insert makes the text differ from the file named in the title: it is a change like
    // any other.
    ctx.document.setDirty(insertMode);
}
