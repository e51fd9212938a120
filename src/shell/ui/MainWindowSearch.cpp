#include "platform/ui/TextView.h"
#include "search/ui/FindDialog.h"
#include "search/ui/ReplaceDialog.h"
#include "search/ui/JumpDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleWindow.h"

// Find, count, replace and jump: one dialog of each kind, owned by this window.
void MainWindow::registerSearch() {
    const auto openFind = [this] {
        showSingleWindow(m_findDialog, [this] { return new FindDialog(context(), m_view, this); })
            ->focusWord();
    };
    setCommand(QStringLiteral("mnuSearch"), [openFind](int) { openFind(); });
    setCommand(QStringLiteral("mnuitti"), [this, openFind](int) {
        openFind();
        m_findDialog->setCountMode();
    });
    setCommand(QStringLiteral("mnuReplace"), [this](int) {
        showSingleWindow(m_replaceDialog, [this] {
            return new ReplaceDialog(context(), m_replaceState, m_view, this);
        })->pasteClipboard();
    });
    setCommand(QStringLiteral("mnuSentou"), [this](int) { search::jumpToTop(context()); });
    setCommand(QStringLiteral("mnuEnd"), [this](int) { search::jumpToEnd(context()); });
    setCommand(QStringLiteral("mnufly"), [this](int) {
        context().services.pointer.setBusy(true);
        showSingleWindow(m_jumpDialog, [this] { return new JumpDialog(context(), this); });
        context().services.pointer.setBusy(false);
    });
}

// The main window is closing: a replace-all run stops at its next step.
void MainWindow::unloadSearch() {
    if (m_replaceDialog && !m_replaceDialog->isUnloaded()) m_replaceDialog->logic().onCancelClicked();
}
