#include "tools/ui/EndingInsertionDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EndingInsertionDialog::EndingInsertionDialog(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("EndingInsertionDialog"));
    setWindowTitle(QStringLiteral("語尾変換"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* label1 =
        named(new QLabel(QStringLiteral("語尾に挿入する文字を指定してください。"), this), "Label1");
    m_text1 = named(new QLineEdit(this), "Text1");
    auto* label2 = named(new QLabel(QStringLiteral("。"), this), "Label2");
    auto* label3 =
        named(new QLabel(
                  QStringLiteral("（例）：ニャといれると「～です。」→「～ですニャ。」となります。"),
                  this),
              "Label3");
    label3->setWordWrap(true);
    m_check1 = named(new QCheckBox(QStringLiteral("？でも変換する"), this), "Check1");
    m_check2 = named(new QCheckBox(QStringLiteral("！でも変換する"), this), "Check2");
    m_check1->setChecked(true);
    m_check2->setChecked(true);
    m_command1 = named(new QPushButton(QStringLiteral("語尾変換(&G)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    // Enter belongs to Text1 alone; no button takes it as the dialog's default.
    m_command1->setAutoDefault(false);
    m_command2->setAutoDefault(false);

    auto* word = new QHBoxLayout;
    word->addWidget(m_text1, 1);
    word->addWidget(label2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label1);
    layout->addLayout(word);
    layout->addWidget(label3);
    layout->addWidget(m_check1);
    layout->addWidget(m_check2);
    layout->addLayout(buttons);
    resize(500, 220);

    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.onConvertClicked(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });
    connect(m_text1, &QLineEdit::returnPressed, this, [this] { m_logic.onConvertClicked(); });
}

void EndingInsertionDialog::focusWord() {
    m_text1->setFocus();
}

QString EndingInsertionDialog::word() const {
    return m_text1->text();
}

bool EndingInsertionDialog::questionMarksToo() const {
    return m_check1->isChecked();
}

bool EndingInsertionDialog::exclamationMarksToo() const {
    return m_check2->isChecked();
}

void EndingInsertionDialog::unload() {
    close();
}
