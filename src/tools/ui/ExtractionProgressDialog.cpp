#include "tools/ui/ExtractionProgressDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ExtractionProgressDialog::ExtractionProgressDialog(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("ExtractionProgressDialog"));
    setWindowTitle(QStringLiteral("作業中…"));
    setModal(false);
    m_label1 = named(new QLabel(QStringLiteral("作業中です。"), this), "Label1");
    m_command1 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command1");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label1, 0, Qt::AlignCenter);
    layout->addWidget(m_command1, 0, Qt::AlignCenter);
    layout->setContentsMargins(24, 16, 24, 16);
    setMinimumWidth(260);
    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });
}

void ExtractionProgressDialog::showWorking() {
    show();
    raise();
    activateWindow();
    // The busy pointer is for the main window; the button here stays plainly clickable.
    setCursor(Qt::ArrowCursor);
}
