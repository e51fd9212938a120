#include "documents/CharCount.h"
#include "documents/DocumentSession.h"

#include "documents/QuickViewText.h"
#include "platform/TextCompare.h"
#include "state/DocumentTitle.h"

#include <QFileInfo>

namespace charcount {

namespace {
const QString kUnknown = QStringLiteral("不明");
} // namespace

std::optional<FileFacts> fileFacts(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) return std::nullopt;
    return FileFacts{info.size(), info.lastModified()};
}

int charactersWithBlanks(QStringView text, int lines) {
    return int(text.size()) - 2 * (lines - 1);
}

// Blanks are compared as text (the full-width space goes too), then CR LF pairs go; a blank
// between CR and LF therefore lets them pair up.
int charactersWithoutBlanks(QStringView text) {
    int count = 0;
    bool afterCr = false;
    for (const QChar c : text) {
        if (textcmp::fold(c.unicode()) == u' ') continue;
        if (c == u'\n' && afterCr) {
            --count;
            afterCr = false;
            continue;
        }
        ++count;
        afterCr = c == u'\r';
    }
    return count;
}

QString sizeText(qint64 bytes) {
    if (bytes < 1000) return QString::number(bytes) + QStringLiteral("B");
    return quickview::hundredthsText(bytes / 10) + QStringLiteral("KB");
}

Report countReport(const QString& title, QStringView text, int lines,
                   const std::optional<FileFacts>& file) {
    const QString path = doctitle::currentPath(title);
    Report r;
    r.frame = path + QStringLiteral("の情報");
    r.withBlanks = QStringLiteral("スペースを含む文字数 : ") +
                   QString::number(charactersWithBlanks(text, lines));
    r.withoutBlanks = QStringLiteral("スペースを含まない文字数 : ") +
                      QString::number(charactersWithoutBlanks(text));
    r.lines = QStringLiteral("行数 : ") + QString::number(lines);
    const bool untitled = doctitle::isUntitled(title);
    r.type = QStringLiteral("ファイルの種類 : ") +
             (untitled ? QStringLiteral("txt") : path.right(3)) + QStringLiteral("ファイル");
    const bool known = !untitled && file.has_value();
    r.size = QStringLiteral("ファイルサイズ : ") + (known ? sizeText(file->bytes) : kUnknown);
    r.date = QStringLiteral("ファイル更新日 : ") +
             (known ? quickview::standardDateText(file->modified).left(8) : kUnknown);
    return r;
}

Report countReport(CommandContext& ctx) {
    const QString title = ctx.document.title();
    const std::optional<FileFacts> file =
        doctitle::isUntitled(title) ? std::nullopt : fileFacts(doctitle::currentPath(title));
    return countReport(title, ctx.text.text(), ctx.text.hardLineCount(), file);
}

} // namespace charcount
