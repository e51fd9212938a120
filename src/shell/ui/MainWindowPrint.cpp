#include "documents/ui/CharCountDialog.h"
#include "documents/ui/PrintProgressDialog.h"
#include "documents/PrintDocument.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleWindow.h"

// Page setup, printing and the character count.
void MainWindow::registerPrintCommands() {
    setCommand(QStringLiteral("mnuFilePageSetup"),
               [this](int) { pageSetup(context()); });
    setCommand(QStringLiteral("mnuFilePrint"), [this](int) {
        PrintProgressDialog progress(this);
        printDocument(context(), progress);
    });
    // The count window stays open beside the text, so the writer sees the live count.
    setCommand(QStringLiteral("mnucount"), [this](int) {
        showSingleWindow(m_charCount, [this] {
            auto* count = new CharCountDialog(context(), this, m_notation);
            count->setAttribute(Qt::WA_DeleteOnClose);
            return count;
        });
    });
}
