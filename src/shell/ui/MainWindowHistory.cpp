#include "history/ClipboardCommands.h"
#include "history/ui/HistoryViewerDialog.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "shell/ui/MainWindow.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

// Undo and Redo, the clipboard commands, the two history viewers, and the states the 編集
// menu and the popup take when they open. Popup twins and toolbar buttons run the same.
void MainWindow::registerHistoryCommands() {
    setCommand(QStringLiteral("mnuEditUndo"), [this](int) { undo(m_ctx); });
    setCommand(QStringLiteral("mnuEditRedo"), [this](int) { redo(m_ctx); });
    setCommand(QStringLiteral("mnuYarinaoi"), [this](int) { redoAll(m_ctx); });

    const std::pair<const char16_t*, void (*)(CommandContext&)> commands[] = {
        {u"mnuEditCut", cutSelection},       {u"mnuEditCopy", copySelection},
        {u"mnuEditPaste", pasteClipboard},   {u"mnuSakujo", deleteSelection},
        {u"mnuEditCut2", cutToSecondClipboard},     {u"mnuEditCopy2", copyToSecondClipboard},
        {u"mnuEditPaste2", pasteSecondClipboard}, {u"mnuallcopy", copyAllText},
        {u"mnuAllSelect", selectAllText},
    };
    for (const auto& command : commands) {
        const auto run = command.second;
        setCommand(QString::fromUtf16(command.first), [this, run](int) { run(m_ctx); });
    }
    setCommand(QStringLiteral("popCB"), [this](int index) { pasteClipboardHistoryEntry(m_ctx, index); });

    const auto showViewer = [this](HistoryViewer::Mode mode) {
        HistoryViewerDialog dialog(m_ctx, mode, this);
        dialog.exec();
    };
    setCommand(QStringLiteral("mnuUndoRireki"),
               [showViewer](int) { showViewer(HistoryViewer::Mode::Undo); });
    setCommand(QStringLiteral("mnuCBrireki"),
               [showViewer](int) { showViewer(HistoryViewer::Mode::Clipboard); });

    QMenu* edit = action(QStringLiteral("mnuEdit"))->menu();
    connect(edit, &QMenu::aboutToShow, this, [this] { prepareEditMenu(m_ctx); });
    // A disabled item takes its shortcut with it: Ctrl+V must work once the clipboard holds
    // text again, and Paste itself does nothing on an empty clipboard.
    connect(edit, &QMenu::aboutToHide, this,
            [this] { setItemEnabled(QStringLiteral("mnuEditPaste"), true); });
    connect(m_popEdit, &QMenu::aboutToShow, this, [this] { preparePopupMenu(m_ctx); });

    // The toolbar is always in view: its Undo and Redo follow the history as it changes, by
    // the rule the menus apply when they open.
    QAction* undoButton = nullptr;
    QAction* redoButton = nullptr;
    for (QAction* a : m_toolBar->actions()) {
        if (a->data() == QStringLiteral("元に戻す")) undoButton = a;
        if (a->data() == QStringLiteral("やり直し")) redoButton = a;
    }
    m_history.setOnStateChange([this, undoButton, redoButton] {
        if (undoButton) undoButton->setEnabled(m_history.canUndo());
        if (redoButton) redoButton->setEnabled(m_history.canRedo());
    });
}

void MainWindow::setItemEnabled(const QString& item, bool enabled) {
    if (QAction* a = action(item)) a->setEnabled(enabled);
}

void MainWindow::setItemVisible(const QString& item, bool visible) {
    if (QAction* a = action(item)) a->setVisible(visible);
}
