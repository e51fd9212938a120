#include "shell/ui/HelpView.h"

#include "shell/About.h"

#include <QUrl>

HelpView::HelpView(QWidget* parent) : QTextBrowser(parent) {
    setObjectName(QStringLiteral("HelpView"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Pallo ヘルプ"));
    setOpenExternalLinks(true);
    resize(720, 640);
}

void HelpView::showAt(const QString& programDir, const QString& keyword) {
    if (!m_loaded) {
        const QString path = help::find(programDir);
        if (path.isEmpty()) {
            setHtml(help::missingText(programDir));
        } else {
            setSource(QUrl::fromLocalFile(path));
            m_loaded = true;
        }
    }
    if (m_loaded) scrollToAnchor(keyword);
    show();
    raise();
    activateWindow();
}
