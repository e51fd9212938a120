#include "documents/Form15.h"
#include "documents/Form3.h"
#include "documents/PrintDocument.h"
#include "shell/frmMain.h"

// Page setup, printing and the character count.
void frmMain::registerPrintCommands() {
    setCommand(QStringLiteral("mnuFilePageSetup"),
               [this](int) { mnuFilePageSetup_Click(context()); });
    setCommand(QStringLiteral("mnuFilePrint"), [this](int) {
        Form3 progress(this);
        mnuFilePrint_Click(context(), progress);
    });
    setCommand(QStringLiteral("mnucount"), [this](int) {
        Form15 dialog(context(), this);
        dialog.exec();
    });
}
