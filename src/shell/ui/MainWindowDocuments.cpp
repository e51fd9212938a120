#include "shell/ui/MainWindow.h"

#include "documents/FileCommands.h"
#include "documents/ui/OpenFileDialog.h"
#include "documents/RecentFiles.h"

// The file commands: New, Open, Insert file, Save, Save As and the recent files.
void MainWindow::registerDocumentCommands() {
    setCommand(QStringLiteral("mnuFileNew"), [this](int) { newDocument(context()); });
    setCommand(QStringLiteral("mnuFileOpen"), [this](int) { openDocument(context()); });
    setCommand(QStringLiteral("mnugousei"), [this](int) { insertFile(context()); });
    setCommand(QStringLiteral("mnuFileSave"), [this](int) { saveDocument(context()); });
    setCommand(QStringLiteral("mnuFileSaveAs"), [this](int) { saveDocumentAs(context()); });
    setCommand(QStringLiteral("mnuRecentFile"),
               [this](int index) { openRecentFile(context(), index); });
}

// The program's own open dialog; accepting a file runs the loading step before it closes.
void MainWindow::showOpenDialog(bool insertMode) {
    OpenFileDialog dialog(
        context(), insertMode,
        [this, insertMode](const QString& path) { loadAcceptedFile(context(), path, insertMode); },
        this);
    dialog.exec();
}
