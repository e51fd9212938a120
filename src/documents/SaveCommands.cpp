#include "documents/SaveCommands.h"
#include "documents/DocumentSession.h"

#include "documents/DocumentFile.h"
#include "documents/FileChanges.h"
#include "platform/Cp932Codec.h"
#include "platform/TextCompare.h"
#include "platform/WholeCharacters.h"

#include <optional>

namespace {

const QString kUtf8Question =
    QStringLiteral("UTF-8で保存すれば、これらの文字もそのまま残ります。UTF-8で保存しますか？\r\n"
                   "（いいえ：Shift_JISで保存し、これらの文字は「?」に置き換わります）");
const QString kBackupRefused = QStringLiteral(
    "は自動バックアップのファイルです。この名前では保存できません。別の名前を指定してください。");
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

// Before characters Shift_JIS cannot hold are written as "?", the writer may keep them by
// saving as UTF-8 instead (Yes), accept the "?" (No) or not save (Cancel: the first of them is
// selected so the writer can find it). False on Cancel.
bool confirmUnmappable(CommandContext& ctx, const QString& text,
                       const cp932::EncodeReport& report, DocumentFormat& format) {
    if (report.unmappable == 0) return true;
    const qsizetype pos = report.positions.value(0, 0);
    qsizetype len = pos < text.size() ? 1 : 0;
    if (pos + 1 < text.size() && text[pos].isHighSurrogate() && text[pos + 1].isLowSurrogate())
        len = 2;
    const int line = ctx.text.lineFromChar(int(pos));
    const QString question = QStringLiteral("Shift_JISで保存できない文字が") +
                             QString::number(report.unmappable) +
                             QStringLiteral("個あります。\r\n最初の文字：「") + text.mid(pos, len) +
                             QStringLiteral("」（行:") + QString::number(line) +
                             QStringLiteral("）\r\n") + kUtf8Question;
    switch (ctx.services.prompts.message(question, MsgButtons::YesNoCancel, MsgIcon::Exclamation)) {
    case MsgAnswer::Yes:
        format.encoding = TextEncoding::Utf8;
        format.byteOrderMark = false;
        return true;
    case MsgAnswer::No:
        return true;
    default:
        ctx.text.setSelStart(int(pos));
        ctx.text.setSelLength(int(len));
        return false;
    }
}

// The text in `format`, which the unmappable question may turn to UTF-8; nullopt when the
// writer cancelled there.
std::optional<QByteArray> encodeText(CommandContext& ctx, const QString& text,
                                     DocumentFormat& format) {
    cp932::EncodeReport report;
    QByteArray bytes = encodeDocument(text, format, &report, 1);
    const TextEncoding asked = format.encoding;
    if (!confirmUnmappable(ctx, text, report, format)) return std::nullopt;
    if (format.encoding != asked) bytes = encodeDocument(text, format);
    return bytes;
}

bool writeEncoded(CommandContext& ctx, const QString& path, const QByteArray& bytes,
                  const DocumentFormat& format) {
    if (!writeEncodedDocument(path, bytes)) {
        ctx.services.prompts.message(QStringLiteral("保存時にエラーが発生しました。"));
        return false;
    }
    ctx.document.setDirty(false);
    ctx.document.setFormat(format);
    followDocumentFile(ctx);
    return true;
}

// The document's own file, or empty when it has none worth proposing or overwriting: an
// untitled document, or the backup of a lost session (which shutdown deletes).
QString ownFile(const CommandContext& ctx) {
    const QString& path = ctx.document.path();
    return path.isEmpty() || isBackupFile(path, ctx.programDir) ? QString() : path;
}

// The format a name chosen with `filter` is written in: the document's own, or the encoding
// the filter names (without a mark), keeping the line ends.
DocumentFormat formatForFilter(DocumentFormat format, int filter) {
    if (filter == kUtf8Filter || filter == kShiftJisFilter) {
        format.encoding = filter == kUtf8Filter ? TextEncoding::Utf8 : TextEncoding::ShiftJis;
        format.byteOrderMark = false;
    }
    return format;
}

// The dialog's answer, asked again while it names the backup file: the next normal shutdown
// would delete the writer's text with it.
std::optional<QString> askSaveName(CommandContext& ctx, const QString& proposed, int& filter) {
    for (;;) {
        auto chosen = ctx.services.dialogs.saveFileName(proposed, kSaveFilters, filter);
        if (!chosen || chosen->isEmpty()) return std::nullopt;
        if (!isBackupFile(*chosen, ctx.programDir)) return chosen;
        ctx.services.prompts.message(*chosen + kBackupRefused, MsgButtons::OK,
                                     MsgIcon::Exclamation);
    }
}

} // namespace

QString cleanProposedName(QStringView name) {
    QString cleaned = name.toString();
    for (const QString& noise : kNameNoise)
        cleaned = textcmp::replaceAll(cleaned, noise, QString());
    // A byte the document could not decode is held as a lone surrogate, which no file name
    // can hold: the name written would not be the one the title shows.
    qsizetype kept = 0;
    for (qsizetype i = 0; i < cleaned.size(); ++i) {
        const bool pair = cleaned[i].isHighSurrogate() && i + 1 < cleaned.size() &&
                          cleaned[i + 1].isLowSurrogate();
        if (pair) cleaned[kept++] = cleaned[i++];
        if (pair || !cleaned[i].isSurrogate()) cleaned[kept++] = cleaned[i];
    }
    cleaned.truncate(kept);
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
        name = wholeCharacters(text, kHtmlBodyOffset, kProposedLength).toString();
    } else {
        name = wholeCharacters(text, 0, kProposedLength).toString();
    }
    proposal.name = cleanProposedName(name);
    return proposal;
}

int& saveDialogFilterIndex() {
    static int index = 1;
    return index;
}

bool writeDocumentFile(CommandContext& ctx, const QString& path, const QString& text) {
    DocumentFormat format = ctx.document.format();
    const auto bytes = encodeText(ctx, text, format);
    return bytes && writeEncoded(ctx, path, *bytes, format);
}

bool saveText(CommandContext& ctx, const QString& text) {
    const QString path = ownFile(ctx);
    if (path.isEmpty()) return saveTextAs(ctx, text);
    return confirmOverwrite(ctx) && writeDocumentFile(ctx, path, text);
}

bool saveTextAs(CommandContext& ctx, const QString& text) {
    const SaveProposal proposal = proposeSaveName(ownFile(ctx), text);
    int& filter = saveDialogFilterIndex();
    if (proposal.html) filter = kHtmlFilter;
    const auto chosen = askSaveName(ctx, proposal.name, filter);
    if (!chosen) return false;
    DocumentFormat format = formatForFilter(ctx.document.format(), filter);
    // A change of encoding is chosen for one save; the next dialog offers the document's own.
    if (filter == kUtf8Filter || filter == kShiftJisFilter) filter = 1;

    // Asked before anything changes, so a refusal is a cancel.
    const auto bytes = encodeText(ctx, text, format);
    if (!bytes) return false;

    ctx.document.setPath(*chosen);
    // The new name is the document's and stays on the list even when the write fails, so the
    // writer can retry with Save.
    const bool written = writeEncoded(ctx, *chosen, *bytes, format);
    ctx.document.pushRecentFile(*chosen);
    return written;
}
