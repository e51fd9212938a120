#include "tools/Form4.h"

#include "platform/QtObjectNames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

Form4::Form4(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("Form4"));
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

    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.Command1_Click(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_logic.Command2_Click(); });
    connect(m_text1, &QLineEdit::returnPressed, this, [this] { m_logic.Command1_Click(); });
}

void Form4::focusWord() {
    m_text1->setFocus();
}

QString Form4::word() const {
    return m_text1->text();
}

bool Form4::questionMarksToo() const {
    return m_check1->isChecked();
}

bool Form4::exclamationMarksToo() const {
    return m_check2->isChecked();
}

void Form4::unload() {
    close();
}
