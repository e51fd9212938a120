#include "history/RecordUndo.h"
#include "proofread/ProofreadDialog.h"
#include "shell/frmMain.h"
#include "style/Form8.h"

// The style conversion dialog: one instance, shown without blocking, owned by this window.
void frmMain::registerStyle() {
    setCommand(QStringLiteral("mnuDesumasu"), [this](int) {
        // A dialog unloaded during its run lingers hidden until the run returns; it does not
        // count as open.
        if (!m_form8 || m_form8->isUnloaded()) m_form8 = new Form8(context(), this);
        m_form8->show();
        m_form8->raise();
        m_form8->activateWindow();
        RecordUndo(context().state, m_text);
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

void frmMain::unloadStyle() {
    if (m_form8 && !m_form8->isUnloaded()) m_form8->logic().stopAndUnload();
}
