#include "style/ui/EndingConfirmationDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

QLabel* label(const QString& text, const char* name, QWidget* parent) {
    auto* l = named(new QLabel(text, parent), name);
    l->setTextFormat(Qt::PlainText);
    return l;
}

} // namespace

EndingConfirmationDialog::EndingConfirmationDialog(style::EndingConfirmation& logic, QWidget* parent)
    : QDialog(parent), m_logic(logic) {
    setObjectName(QStringLiteral("EndingConfirmationDialog"));
    setModal(true);

    m_logic.onLoad();
    setWindowTitle(m_logic.title());

    m_label1 = label(m_logic.label1(), "Label1", this);
    m_label3 = label(m_logic.label3(), "Label3", this);
    m_text1 = named(new QLineEdit(m_logic.text1(), this), "Text1");
    m_text1->setReadOnly(true);
    m_text1->setFocusPolicy(Qt::NoFocus);
    m_label5 = label(QStringLiteral("。"), "Label5", this);
    m_label2 = label(QStringLiteral("↓"), "Label2", this);
    m_label4 = label(m_logic.label3(), "Label4", this);
    m_text2 = named(new QLineEdit(this), "Text2");
    m_label6 = label(QStringLiteral("。"), "Label6", this);
    m_command2 = named(new QPushButton(QStringLiteral("無視(&I)"), this), "Command2");
    m_command1 = named(new QPushButton(QStringLiteral("変換(&C)"), this), "Command1");
    m_command1->setEnabled(m_logic.convertEnabled());
    m_command1->setDefault(true);
    m_command2->setAutoDefault(false);

    // The context stands right before the ending box, as it stands before it in the text.
    m_label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label2->setAlignment(Qt::AlignCenter);
    const int boxWidth = m_text2->fontMetrics().horizontalAdvance(QString(8, QChar(0x3042))) + 12;
    m_text1->setMinimumWidth(boxWidth);
    m_text2->setMinimumWidth(boxWidth);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label1, 0, 0, 1, 5);
    grid->setRowMinimumHeight(1, 6);
    grid->addWidget(m_label3, 2, 0);
    grid->addWidget(m_text1, 2, 1);
    grid->addWidget(m_label5, 2, 2);
    grid->addWidget(m_command2, 2, 4);
    grid->addWidget(m_label2, 3, 1);
    grid->addWidget(m_label4, 4, 0);
    grid->addWidget(m_text2, 4, 1);
    grid->addWidget(m_label6, 4, 2);
    grid->addWidget(m_command1, 4, 4);
    grid->setColumnMinimumWidth(3, 16);
    grid->setColumnStretch(1, 1);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(14, 12, 14, 12);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    m_text2->setFocus();

    connect(m_text2, &QLineEdit::textChanged, this, &EndingConfirmationDialog::onNewEndingEdited);
    connect(m_command1, &QPushButton::clicked, this, &EndingConfirmationDialog::onConvertClicked);
    connect(m_command2, &QPushButton::clicked, this, &EndingConfirmationDialog::onIgnoreClicked);
}

EndingConfirmationDialog::~EndingConfirmationDialog() {
    if (!m_unloaded) m_logic.onUnload();
}

void EndingConfirmationDialog::onNewEndingEdited() {
    m_logic.onNewEndingEdited();
    m_command1->setEnabled(m_logic.convertEnabled());
}

void EndingConfirmationDialog::onConvertClicked() {
    m_logic.onConvertClicked(m_text2->text());
    accept();
}

void EndingConfirmationDialog::onIgnoreClicked() {
    m_logic.onIgnoreClicked();
    reject();
}

void EndingConfirmationDialog::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        m_logic.onUnload();
    }
    QDialog::done(result);
}
