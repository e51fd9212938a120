#include "shell/frmMain.h"

#include "documents/FileCommands.h"
#include "documents/Form5.h"
#include "documents/RecentFiles.h"

// The file commands: New, Open, Insert file, Save, Save As and the recent files.
void frmMain::registerDocumentCommands() {
    setCommand(QStringLiteral("mnuFileNew"), [this](int) { mnuFileNew_Click(context()); });
    setCommand(QStringLiteral("mnuFileOpen"), [this](int) { mnuFileOpen_Click(context()); });
    setCommand(QStringLiteral("mnugousei"), [this](int) { mnugousei_Click(context()); });
    setCommand(QStringLiteral("mnuFileSave"), [this](int) { mnuFileSave_Click(context()); });
    setCommand(QStringLiteral("mnuFileSaveAs"), [this](int) { mnuFileSaveAs_Click(context()); });
    setCommand(QStringLiteral("mnuRecentFile"),
               [this](int index) { mnuRecentFile_Click(context(), index); });
}

// The program's own open dialog; accepting a file runs the loading step before it closes.
void frmMain::showOpenDialog(bool insertMode) {
    Form5 dialog(
        context(), insertMode, [this, insertMode] { LoadAcceptedFile(context(), insertMode); },
        this);
    dialog.exec();
}
