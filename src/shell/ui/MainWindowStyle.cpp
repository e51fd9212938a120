#include "history/RecordUndo.h"
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
        RecordUndo(context().state, m_text);
    });
}

void MainWindow::unloadStyle() {
    if (m_styleConversionDialog && !m_styleConversionDialog->isUnloaded()) m_styleConversionDialog->logic().stopAndUnload();
}
