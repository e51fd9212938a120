#include "notation/ui/NotationConvertDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>

NotationConvertDialog::NotationConvertDialog(notation::Target from, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("NotationConvertDialog"));
    setWindowTitle(QStringLiteral("ルビ記法の変換"));
    m_from = named(new QComboBox(this), "cboFrom");
    m_to = named(new QComboBox(this), "cboTo");
    // "なし" is no source: a text without notation has nothing to convert.
    for (int i = 1; i < notation::kTargetCount; ++i)
        m_from->addItem(notation::targetName(notation::Target(i)), i);
    for (int i = 0; i < notation::kTargetCount; ++i)
        m_to->addItem(notation::targetName(notation::Target(i)), i);
    m_from->setCurrentIndex(std::max(0, m_from->findData(int(from))));
    m_to->setCurrentIndex(m_to->findData(int(from == notation::Target::Kakuyomu
                                                  ? notation::Target::Narou
                                                  : notation::Target::Kakuyomu)));

    m_ok = named(new QPushButton(QStringLiteral("変換(&C)"), this), "cmdConvert");
    m_ok->setDefault(true);
    auto* cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "cmdCancel");
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("変換元の記法 :"), m_from);
    form->addRow(QStringLiteral("変換先の記法 :"), m_to);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

notation::Target NotationConvertDialog::from() const {
    return notation::Target(m_from->currentData().toInt());
}

notation::Target NotationConvertDialog::to() const {
    return notation::Target(m_to->currentData().toInt());
}
