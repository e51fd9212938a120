#include "history/UndoHistory.h"
#include "platform/ui/TextView.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleWindow.h"
#include "tools/BlankRemoval.h"
#include "tools/CharConversions.h"
#include "tools/ui/ExtractionProgressDialog.h"
#include "tools/ui/EndingInsertionDialog.h"
#include "tools/ui/UserStringsDialog.h"
#include "tools/HtmlTools.h"
#include "tools/UserStrings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace {

// The exact phrase of a user-string item: captions set at run time keep it beside the shown
// text, in which an "&" is doubled.
QString phraseOf(const QAction* item) {
    if (!item) return {};
    return item->data().isValid() ? item->data().toString() : item->text();
}

} // namespace

// Character classes, blank removal, the HTML tools, sentence-ending insertion and the user
// strings.
void MainWindow::registerTools() {
    using charconv::Conversion;
    const std::pair<const char*, Conversion> conversions[] = {
        {"mnuLcase", Conversion::Lower},       {"mnuUcase", Conversion::Upper},
        {"mnuHiragana", Conversion::Hiragana}, {"mnuKatakana", Conversion::Katakana},
        {"mnuNarrow", Conversion::Narrow},     {"mnuWide", Conversion::Wide},
    };
    for (const auto& [name, conversion] : conversions)
        setCommand(QLatin1String(name),
                   [this, c = conversion](int) { charconv::convertDocument(m_ctx, c); });

    setCommand(QStringLiteral("mnukuuhaku"), [this](int) { blanks::removeSpaces(m_ctx); });
    setCommand(QStringLiteral("mnukuuhakugyou"), [this](int) { blanks::removeBlankLines(m_ctx); });
    setCommand(QStringLiteral("mnuryouhou"),
               [this](int) { blanks::removeSpacesAndBlankLines(m_ctx); });

    setCommand(QStringLiteral("mnuHTMLka"), [this](int) { html::makeSimpleHtml(m_ctx); });
    setCommand(QStringLiteral("mnulink"), [this](int) { html::copyLinkTargets(m_ctx); });
    setCommand(QStringLiteral("mnutxt"), [this](int) {
        if (m_extractionProgressDialog) return;
        m_extractionProgressDialog = new ExtractionProgressDialog(m_ctx, this);
        m_extractionProgressDialog->logic().extractText();
        delete m_extractionProgressDialog;
        if (m_closeAfterRun) {
            m_closeAfterRun = false;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });

    setCommand(QStringLiteral("mnuGobi"), [this](int) {
        m_ctx.history.record(m_text);
        showSingleWindow(m_endingInsertionDialog,
                         [this] { return new EndingInsertionDialog(m_ctx, this); })
            ->focusWord();
    });

    setCommand(QStringLiteral("mnuUS"), [this](int) {
        showSingleWindow(m_userStringsDialog, [this] { return new UserStringsDialog(m_ctx, this); })
            ->focusInput();
    });
    for (const char* group : {"mnusitei", "popsitei"}) {
        const QString name = QLatin1String(group);
        setCommand(name, [this, name](int i) {
            userstrings::insertUserString(
                m_ctx, phraseOf(action(name + u'(' + QString::number(i) + u')')));
        });
    }
    if (QMenu* tools = action(QStringLiteral("mnutool"))->menu())
        connect(tools, &QMenu::aboutToShow, this, [this] { userstrings::prepareToolMenu(m_ctx.state, *this); });
}

bool MainWindow::stopToolsBeforeClose() {
    if (!m_extractionProgressDialog || !m_extractionProgressDialog->logic().running()) return false;
    m_extractionProgressDialog->logic().onCancelClicked();
    m_closeAfterRun = true;
    return true;
}

void MainWindow::setInputBlocked(bool blocked) {
    m_inputBlocked = blocked;
    menuBar()->setEnabled(!blocked);
    m_toolBar->setEnabled(!blocked);
    m_view->setEnabled(!blocked);
    if (!blocked) m_view->setFocus();
}

void MainWindow::setMenuUserStringVisible(int i, bool visible) {
    if (QAction* item = action(QStringLiteral("mnusitei(%1)").arg(i))) item->setVisible(visible);
}
