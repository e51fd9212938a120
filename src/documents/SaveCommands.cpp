#include "documents/SaveCommands.h"

#include "documents/DocumentFile.h"
#include "state/DocumentTitle.h"

bool WriteDocumentFile(CommandContext& ctx, const QString& path) {
    if (!writeDocumentBytes(path, ctx.state.SaveText)) {
        ctx.services.prompts.message(QStringLiteral("保存時にエラーが発生しました。"));
        return false;
    }
    ctx.state.Dirty = false;
    return true;
}

bool SaveDocument(CommandContext& ctx) {
    const QString title = ctx.window.title();
    if (doctitle::isUntitled(title)) return SaveDocumentAs(ctx);
    return WriteDocumentFile(ctx, doctitle::currentPath(title));
}

bool SaveDocumentAs(CommandContext& ctx) {
    static int filterIndex = 1;
    const auto name = ctx.services.dialogs.saveFileName(QString(), kSaveFilters, filterIndex);
    if (!name) return false;
    ctx.state.WorkPath = *name;
    const bool ok = WriteDocumentFile(ctx, *name);
    if (ok) ctx.window.setTitle(doctitle::forPath(*name));
    ctx.state.WorkPath.clear();
    return ok;
}
