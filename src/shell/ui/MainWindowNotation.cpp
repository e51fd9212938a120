#include "command/Settings.h"
#include "notation/ui/NotationConvertDialog.h"
#include "notation/ui/NotationStatusWidget.h"
#include "shell/ui/MainWindow.h"

#include <QHBoxLayout>

// The live count for the chosen site in the status bar, and the notation conversion.
void MainWindow::registerNotation(QWidget* statusRow) {
    m_notation = new notation::NotationSession(m_text, this);
    m_notation->setSettings(notation::loadCountSettings(settings::iniPath(m_ctx.programDir)));
    statusRow->layout()->addWidget(new NotationStatusWidget(*m_notation, statusRow));

    setCommand(QStringLiteral("mnuRubyConvert"), [this](int) {
        NotationConvertDialog dialog(m_notation->settings().target, this);
        if (dialog.exec() != QDialog::Accepted) return;
        notation::convertDocument(m_ctx, dialog.from(), dialog.to());
    });
}
