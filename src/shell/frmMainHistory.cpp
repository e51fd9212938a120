#include "history/ClipboardCommands.h"
#include "history/Form10.h"
#include "history/RecordUndo.h"
#include "shell/frmMain.h"

#include <QAction>
#include <QMenu>

// Undo and Redo, the clipboard commands, the two history viewers, and the states the 編集
// menu and the popup take when they open. Popup twins and toolbar buttons run the same.
void frmMain::registerHistoryCommands() {
    setCommand(QStringLiteral("mnuEditUndo"), [this](int) { mnuEditUndo_Click(m_ctx); });
    setCommand(QStringLiteral("mnuEditRedo"), [this](int) { mnuEditRedo_Click(m_ctx); });
    setCommand(QStringLiteral("mnuYarinaoi"), [this](int) { mnuYarinaoi_Click(m_ctx); });

    const std::pair<const char16_t*, void (*)(CommandContext&)> commands[] = {
        {u"mnuEditCut", mnuEditCut_Click},       {u"mnuEditCopy", mnuEditCopy_Click},
        {u"mnuEditPaste", mnuEditPaste_Click},   {u"mnuSakujo", mnuSakujo_Click},
        {u"mnuEditCut2", mnuEditCut2_Click},     {u"mnuEditCopy2", mnuEditCopy2_Click},
        {u"mnuEditPaste2", mnuEditPaste2_Click}, {u"mnuallcopy", mnuallcopy_Click},
        {u"mnuAllSelect", mnuAllSelect_Click},
    };
    for (const auto& command : commands) {
        const auto run = command.second;
        setCommand(QString::fromUtf16(command.first), [this, run](int) { run(m_ctx); });
    }
    setCommand(QStringLiteral("popCB"), [this](int index) { popCB_Click(m_ctx, index); });

    const auto showViewer = [this](HistoryViewer::Mode mode) {
        Form10 dialog(m_ctx, mode, this);
        dialog.exec();
    };
    setCommand(QStringLiteral("mnuUndoRireki"),
               [showViewer](int) { showViewer(HistoryViewer::Mode::Undo); });
    setCommand(QStringLiteral("mnuCBrireki"),
               [showViewer](int) { showViewer(HistoryViewer::Mode::Clipboard); });

    QMenu* edit = action(QStringLiteral("mnuEdit"))->menu();
    connect(edit, &QMenu::aboutToShow, this, [this] { mnuEdit_Click(m_ctx); });
    // A disabled item takes its shortcut with it: Ctrl+V must work once the clipboard holds
    // text again, and Paste itself does nothing on an empty clipboard.
    connect(edit, &QMenu::aboutToHide, this,
            [this] { setItemEnabled(QStringLiteral("mnuEditPaste"), true); });
    connect(m_popEdit, &QMenu::aboutToShow, this, [this] { popEdit_Click(m_ctx); });
}

void frmMain::setItemEnabled(const QString& item, bool enabled) {
    if (QAction* a = action(item)) a->setEnabled(enabled);
}

void frmMain::setItemVisible(const QString& item, bool visible) {
    if (QAction* a = action(item)) a->setVisible(visible);
}
