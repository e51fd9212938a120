#include "documents/DroppedFiles.h"

#include "command/CommandContext.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "history/UndoHistory.h"

QString onlyFirstFileNotice(const QString& first) {
    return QStringLiteral("開くことができるファイルは一つだけです。\n%1 を開きます。").arg(first);
}

bool openDroppedFiles(CommandContext& ctx, const QStringList& paths) {
    if (paths.isEmpty()) return false;
    switch (askToSave(ctx, saveTextAs)) {
    case SavePromptResult::Cancelled:
    case SavePromptResult::NotSaved: // the writer asked to keep the changes
        return false;
    default:
        break;
    }
    if (paths.size() > 1)
        ctx.services.prompts.message(onlyFirstFileNotice(paths.first()), MsgButtons::OK,
                                     MsgIcon::Information);
    loadAcceptedFile(ctx, paths.first(), false);
    ctx.history.reset();
    return true;
}
