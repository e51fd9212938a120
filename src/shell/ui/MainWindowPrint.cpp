#include "documents/ui/CharCountDialog.h"
#include "documents/ui/PrintProgressDialog.h"
#include "documents/PrintDocument.h"
#include "shell/ui/MainWindow.h"

// Page setup, printing and the character count.
void MainWindow::registerPrintCommands() {
    setCommand(QStringLiteral("mnuFilePageSetup"),
               [this](int) { pageSetup(context()); });
    setCommand(QStringLiteral("mnuFilePrint"), [this](int) {
        PrintProgressDialog progress(this);
        printDocument(context(), progress);
    });
    setCommand(QStringLiteral("mnucount"), [this](int) {
        CharCountDialog dialog(context(), this);
        dialog.exec();
    });
}
