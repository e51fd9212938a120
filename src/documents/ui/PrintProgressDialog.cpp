#include "documents/ui/PrintProgressDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

PrintProgressDialog::PrintProgressDialog(QWidget* parent) : QDialog(parent, Qt::Dialog) {
    setObjectName(QStringLiteral("PrintProgressDialog"));
    setWindowTitle(QStringLiteral("印刷中…"));
    m_label1 = named(new QLabel(QStringLiteral("印刷しています…。"), this), "Label1");
    m_text1 = named(new QLineEdit(this), "Text1");
    m_text1->setReadOnly(true);
    m_text1->setFocusPolicy(Qt::NoFocus);
    m_command1 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command1");
    m_command1->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_text1);
    layout->addWidget(m_command1, 0, Qt::AlignHCenter);
    layout->setContentsMargins(16, 12, 16, 12);
    // Twenty bar characters fit in the box.
    m_text1->setMinimumWidth(m_text1->fontMetrics().horizontalAdvance(QString(20, u'■')) + 16);

    connect(m_command1, &QPushButton::clicked, this, &PrintProgressDialog::onCancelClicked);
}

void PrintProgressDialog::showProgress() {
    m_cancelled = false;
    m_text1->clear();
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    repaint();
}

void PrintProgressDialog::setBar(const QString& bar) {
    m_text1->setText(bar);
}

void PrintProgressDialog::closeProgress() {
    hide();
}

void PrintProgressDialog::onCancelClicked() {
    m_cancelled = true;
    closeProgress();
}
