#include "documents/SaveCommands.h"

#include "documents/DocumentFile.h"
#include "documents/RecentFiles.h"
#include "platform/Cp932Codec.h"
#include "platform/TextCompare.h"
#include "state/DocumentTitle.h"

namespace {

const QString kHtmlStart = QStringLiteral("<HTML>");
// The simple-HTML command opens a page with "<HTML>", "<HEAD>" and "</HEAD>", each on its own
// line: the body starts at this offset.
constexpr qsizetype kHtmlBodyOffset = 25;
constexpr qsizetype kProposedLength = 5;

// Removed in this order; the line-break pair before its halves.
const QString kNameNoise[] = {
    QStringLiteral(" "),  QStringLiteral("\\"), QStringLiteral("/"),    QStringLiteral(":"),
    QStringLiteral("*"),  QStringLiteral("?"),  QStringLiteral("\""),   QStringLiteral("|"),
    QStringLiteral("<"),  QStringLiteral(">"),  QStringLiteral("\r\n"), QStringLiteral("\n"),
    QStringLiteral("\r"),
};

// The file name without its directory part: everything after the last "\" or ":" (and the
// platform's own separator, which is "/" where it is not "\").
QString fileNamePart(const QString& path) {
    qsizetype cut = -1;
    for (qsizetype i = path.size() - 1; i >= 0; --i) {
        const QChar c = path[i];
        if (c == u'\\' || c == u':' || c == u'/') {
            cut = i;
            break;
        }
    }
    return path.mid(cut + 1);
}

// Asks before characters Shift_JIS cannot hold are written as "?". On a refusal the first of
// them is selected so the writer can find it.
bool confirmUnmappable(CommandContext& ctx, const cp932::EncodeReport& report) {
    if (report.unmappable == 0) return true;
    const QString& text = ctx.state.SaveText;
    const qsizetype pos = report.positions.value(0, 0);
    qsizetype len = pos < text.size() ? 1 : 0;
    if (pos + 1 < text.size() && text[pos].isHighSurrogate() && text[pos + 1].isLowSurrogate())
        len = 2;
    const int line = ctx.text.lineFromChar(int(pos));
    const QString question =
        QStringLiteral("Shift_JISで保存できない文字が") + QString::number(report.unmappable) +
        QStringLiteral("個あります。\r\n最初の文字：「") + text.mid(pos, len) +
        QStringLiteral("」（行:") + QString::number(line) +
        QStringLiteral("）\r\nこれらの文字は「?」に置き換わります。保存しますか？");
    if (ctx.services.prompts.message(question, MsgButtons::YesNo, MsgIcon::Exclamation) ==
        MsgAnswer::Yes)
        return true;
    ctx.text.setSelStart(int(pos));
    ctx.text.setSelLength(int(len));
    return false;
}

bool writeEncoded(CommandContext& ctx, const QString& path, const QByteArray& bytes) {
    if (!writeEncodedDocument(path, bytes)) {
        ctx.services.prompts.message(QStringLiteral("保存時にエラーが発生しました。"));
        return false;
    }
    ctx.state.Dirty = false;
    return true;
}

// The document's own file, or empty when it has none worth proposing or overwriting: an
// untitled document, or the backup of a lost session (which shutdown deletes).
QString ownFile(const CommandContext& ctx) {
    const QString title = ctx.window.title();
    if (doctitle::isUntitled(title)) return QString();
    const QString path = doctitle::currentPath(title);
    return isBackupFile(path, ctx.programDir) ? QString() : path;
}

QByteArray encodeSaveText(const CommandContext& ctx, cp932::EncodeReport& report) {
    return encodeDocument(ctx.state.SaveText, &report, 1);
}

} // namespace

QString cleanProposedName(QStringView name) {
    QString cleaned = name.toString();
    for (const QString& noise : kNameNoise)
        cleaned = textcmp::replaceAll(cleaned, noise, QString());
    return cleaned;
}

SaveProposal proposeSaveName(const QString& currentPath, QStringView text) {
    SaveProposal proposal;
    proposal.html = text.startsWith(kHtmlStart, Qt::CaseSensitive);
    QString name;
    if (!currentPath.isEmpty()) {
        name = fileNamePart(currentPath);
        if (proposal.html) name = textcmp::replaceAll(name, u".txt", u".htm");
    } else if (proposal.html) {
        name = text.mid(kHtmlBodyOffset, kProposedLength).toString();
    } else {
        name = text.left(kProposedLength).toString();
    }
    proposal.name = cleanProposedName(name);
    return proposal;
}

int& saveDialogFilterIndex() {
    static int index = 1;
    return index;
}

bool WriteDocumentFile(CommandContext& ctx, const QString& path) {
    cp932::EncodeReport report;
    const QByteArray bytes = encodeSaveText(ctx, report);
    if (!confirmUnmappable(ctx, report)) return false;
    return writeEncoded(ctx, path, bytes);
}

bool SaveDocument(CommandContext& ctx) {
    const QString path = ownFile(ctx);
    if (path.isEmpty()) return SaveDocumentAs(ctx);
    return WriteDocumentFile(ctx, path);
}

bool SaveDocumentAs(CommandContext& ctx) {
    const SaveProposal proposal = proposeSaveName(ownFile(ctx), ctx.state.SaveText);
    int& filter = saveDialogFilterIndex();
    if (proposal.html) filter = kHtmlFilter;
    const auto chosen = ctx.services.dialogs.saveFileName(proposal.name, kSaveFilters, filter);
    if (!chosen || chosen->isEmpty()) return false;

    // Asked before anything changes, so a refusal is a cancel.
    cp932::EncodeReport report;
    const QByteArray bytes = encodeSaveText(ctx, report);
    if (!confirmUnmappable(ctx, report)) return false;

    ctx.state.WorkPath = *chosen;
    ctx.window.setTitle(doctitle::forPath(ctx.state.WorkPath));
    // The new name is the document's and stays on the list even when the write fails, so the
    // writer can retry with Save.
    const bool written = writeEncoded(ctx, ctx.state.WorkPath, bytes);
    PushRecentFile(ctx, ctx.state.WorkPath);
    ctx.state.WorkPath.clear();
    return written;
}
