#include "command/Settings.h"
#include "documents/ui/PrintProgressDialog.h"
#include "shell/ui/MainWindow.h"
#include "vertical/VerticalPrint.h"
#include "vertical/ui/VerticalPreview.h"

// 縦書きプレビュー, and 印刷 in vertical writing when the writer chose it in the preview.
void MainWindow::registerVertical() {
    const QString ini = settings::iniPath(m_ctx.programDir);
    const auto printVertically = [this, ini] {
        vertical::PrintChoice choice;
        choice.target = m_notation->settings().target;
        choice.cells = m_notation->settings().grid;
        choice.form = vertical::pageForm(vertical::loadVerticalSettings(ini), choice.cells);
        PrintProgressDialog progress(this);
        printDocumentWith(context(), [&](PrintJob& job) {
            return vertical::printVertical(context(), job, progress, choice);
        });
    };
    // The horizontal printout stays what 印刷 does unless the preview's choice says otherwise.
    const std::function<void(int)> horizontal = m_commands.value(QStringLiteral("mnuFilePrint"));
    setCommand(QStringLiteral("mnuFilePrint"), [ini, horizontal, printVertically](int index) {
        if (vertical::loadVerticalSettings(ini).printVertical)
            printVertically();
        else
            horizontal(index);
    });
    setCommand(QStringLiteral("mnuTate"), [this, ini, printVertically](int) {
        if (!m_verticalPreview) {
            m_verticalPreview = new VerticalPreview(m_text, *m_notation, ini,
                                                    [this] { return fontName(); }, this);
            m_verticalPreview->setAttribute(Qt::WA_DeleteOnClose);
            connect(m_verticalPreview, &VerticalPreview::printRequested, this, printVertically);
        }
        m_verticalPreview->show();
        m_verticalPreview->raise();
        m_verticalPreview->activateWindow();
    });
}
