#include "history/UndoHistory.h"
#include "proofread/ui/ProofreadDialog.h"
#include "shell/ui/MainWindow.h"
#include "style/ui/StyleConversionDialog.h"

// The style conversion dialog: one instance, shown without blocking, owned by this window.
void MainWindow::registerStyle() {
    setCommand(QStringLiteral("mnuDesumasu"), [this](int) {
        // A dialog unloaded during its run lingers hidden until the run returns; it does not
        // count as open.
        if (!m_styleConversionDialog || m_styleConversionDialog->isUnloaded()) m_styleConversionDialog = new StyleConversionDialog(context(), this);
        m_styleConversionDialog->show();
        m_styleConversionDialog->raise();
        m_styleConversionDialog->activateWindow();
        context().history.record(m_text);
    });
    // 校正: one window per main window, kept (hidden when closed) with its list and choices.
    setCommand(QStringLiteral("mnuKousei"), [this](int) {
        auto* dialog = findChild<ProofreadDialog*>(QString(), Qt::FindDirectChildrenOnly);
        if (!dialog) {
            dialog = new ProofreadDialog(context(), this);
            dialog->placeBeside(*this);
        }
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        dialog->session().recheck();
    });
}

void MainWindow::unloadStyle() {
    if (m_styleConversionDialog && !m_styleConversionDialog->isUnloaded()) m_styleConversionDialog->logic().stopAndUnload();
}
