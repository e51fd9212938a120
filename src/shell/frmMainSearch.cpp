#include "platform/TextView.h"
#include "search/Form1.h"
#include "search/Form2.h"
#include "search/Form7.h"
#include "shell/frmMain.h"

namespace {

template <typename Dialog> void bringUp(Dialog* dialog) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

} // namespace

// Find, count, replace and jump: one dialog of each kind, shown without blocking and owned by
// this window. A dialog that has been unloaded but not yet deleted does not count as open.
void frmMain::registerSearch() {
    const auto openFind = [this] {
        if (!m_form1 || m_form1->isUnloaded()) m_form1 = new Form1(context(), m_view, this);
        bringUp(m_form1.data());
        m_form1->focusWord();
    };
    setCommand(QStringLiteral("mnuSearch"), [openFind](int) { openFind(); });
    setCommand(QStringLiteral("mnuitti"), [this, openFind](int) {
        openFind();
        m_form1->setCountMode();
    });
    setCommand(QStringLiteral("mnuReplace"), [this](int) {
        if (!m_form2 || m_form2->isUnloaded())
            m_form2 = new Form2(context(), m_replaceState, m_view, this);
        bringUp(m_form2.data());
        m_form2->pasteClipboard();
    });
    setCommand(QStringLiteral("mnuSentou"), [this](int) { search::mnuSentou_Click(context()); });
    setCommand(QStringLiteral("mnuEnd"), [this](int) { search::mnuEnd_Click(context()); });
    setCommand(QStringLiteral("mnufly"), [this](int) {
        context().services.pointer.setBusy(true);
        if (!m_form7 || m_form7->isUnloaded()) m_form7 = new Form7(context(), this);
        bringUp(m_form7.data());
        context().services.pointer.setBusy(false);
    });
}

// The main window is closing: a replace-all run stops at its next step.
void frmMain::unloadSearch() {
    if (m_form2 && !m_form2->isUnloaded()) m_form2->logic().Command3_Click();
}
