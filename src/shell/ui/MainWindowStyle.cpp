#include "history/UndoHistory.h"
#include "proofread/ui/ProofreadDialog.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleWindow.h"
#include "style/ui/StyleConversionDialog.h"

// The style conversion dialog: one instance, shown without blocking, owned by this window.
void MainWindow::registerStyle() {
    setCommand(QStringLiteral("mnuDesumasu"), [this](int) {
        showSingleWindow(m_styleConversionDialog,
                         [this] { return new StyleConversionDialog(context(), this); });
        context().history.record(m_text);
    });
    // 校正: one window per main window, kept (hidden when closed) with its list and choices.
    setCommand(QStringLiteral("mnuKousei"), [this](int) {
        showSingleWindow(m_proofreadDialog, [this] {
            auto* dialog = new ProofreadDialog(context(), this);
            dialog->placeBeside(*this);
            return dialog;
        })->session().recheck();
    });
}

void MainWindow::unloadStyle() {
    if (m_styleConversionDialog && !m_styleConversionDialog->isUnloaded()) m_styleConversionDialog->logic().stopAndUnload();
}
