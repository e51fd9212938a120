#include "platform/ui/TextView.h"
#include "search/ui/FindDialog.h"
#include "search/ui/ReplaceDialog.h"
#include "search/ui/JumpDialog.h"
#include "shell/ui/MainWindow.h"

namespace {

template <typename Dialog> void bringUp(Dialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

// Find, count, replace and jump: one dialog of each kind, shown without blocking and owned by
// this window. A dialog that has been unloaded but not yet deleted does not count as open.
void MainWindow::registerSearch() {
    const auto openFind = [this] {
        if (!m_findDialog || m_findDialog->isUnloaded()) m_findDialog = new FindDialog(context(), m_view, this);
        bringUp(m_findDialog.data());
        m_findDialog->focusWord();
    };
    setCommand(QStringLiteral("mnuSearch"), [openFind](int) { openFind(); });
    setCommand(QStringLiteral("mnuitti"), [this, openFind](int) {
        openFind();
        m_findDialog->setCountMode();
    });
    setCommand(QStringLiteral("mnuReplace"), [this](int) {
        if (!m_replaceDialog || m_replaceDialog->isUnloaded())
            m_replaceDialog = new ReplaceDialog(context(), m_replaceState, m_view, this);
        bringUp(m_replaceDialog.data());
        m_replaceDialog->pasteClipboard();
    });
    setCommand(QStringLiteral("mnuSentou"), [this](int) { search::jumpToTop(context()); });
    setCommand(QStringLiteral("mnuEnd"), [this](int) { search::jumpToEnd(context()); });
    setCommand(QStringLiteral("mnufly"), [this](int) {
        context().services.pointer.setBusy(true);
        if (!m_jumpDialog || m_jumpDialog->isUnloaded()) m_jumpDialog = new JumpDialog(context(), this);
        bringUp(m_jumpDialog.data());
        context().services.pointer.setBusy(false);
    });
}

// The main window is closing: a replace-all run stops at its next step.
void MainWindow::unloadSearch() {
    if (m_replaceDialog && !m_replaceDialog->isUnloaded()) m_replaceDialog->logic().onCancelClicked();
}
