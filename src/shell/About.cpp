#include "shell/About.h"

#include "history/ClipboardPanels.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace about {

QString supportLabel() {
    return QStringLiteral("サポートHP\n   ") + kSupportPage;
}

QString mailLabel() {
    return QStringLiteral("メールアドレス\n   ") + kMailShown;
}

void copyAddress(CommandContext& ctx, const QString& address) {
    if (!ctx.services.clipboard.setText(address)) return;
    // The address is short; the panel shows whatever the clipboard holds, uncut.
    clippanels::refreshClipboardPanel(ctx.state, ctx.services.clipboard, ctx.window,
                                      std::numeric_limits<qsizetype>::max());
}

} // namespace about

namespace help {

QStringList candidates(const QString& programDir) {
    const QDir dir(programDir);
    return {dir.filePath(kFileName),
            QDir::cleanPath(dir.filePath(QStringLiteral("../share/pallo/") + kFileName))};
}

QString find(const QString& programDir) {
    for (const QString& path : candidates(programDir))
        if (QFileInfo(path).isFile()) return path;
    return {};
}

QString missingText(const QString& programDir) {
    QString text = QStringLiteral("<h2>ヘルプファイルが見つかりません</h2>"
                                  "<p>次の場所に %1 がありません。</p><ul>")
                       .arg(kFileName);
    for (const QString& path : candidates(programDir))
        text += QStringLiteral("<li>") + QDir::toNativeSeparators(path).toHtmlEscaped() +
                QStringLiteral("</li>");
    return text + QStringLiteral("</ul>");
}

} // namespace help
