#include "search/ui/JumpDialog.h"

#include "platform/ui/QtObjectNames.h"
#include "platform/ui/TypedCombo.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

JumpDialog::JumpDialog(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("JumpDialog"));
    setWindowTitle(QStringLiteral("ジャンプ"));
    setModal(false);

    m_label1 = named(new QLabel(QStringLiteral("行へ飛ぶ"), this), "Label1");
    m_combo1 = makeTypedCombo(named(new QComboBox(this), "Combo1"), this);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    // Sizing to the contents would measure every line number of a long document.
    m_combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo1->setMinimumContentsLength(10);
    auto* list = new QListView(m_combo1);
    list->setUniformItemSizes(true);
    m_combo1->setView(list);
    m_label1->setBuddy(m_combo1);
    m_label2 = named(new QLabel(this), "Label2");
    m_label2->setTextFormat(Qt::PlainText);
    m_command1 = named(new QPushButton(QStringLiteral("飛ぶ(&F)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    m_command1->setAutoDefault(false);
    m_command2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label1, 0, 0);
    grid->addWidget(m_combo1, 1, 0);
    grid->addWidget(m_label2, 2, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 1, 3, 1);
    setTabOrder(m_combo1, m_command1);
    setTabOrder(m_command1, m_command2);

    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.onJumpClicked(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });

    // onLoad: the list offers 1 to the last line (made on demand), the field starts at 0.
    m_combo1->setModel(new search::JumpLines(m_logic.lineTotal(), m_combo1));
    m_combo1->setEditText(QStringLiteral("0"));
    m_label2->setText(m_logic.rangeCaption());
}

bool JumpDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_combo1 || watched == m_combo1->lineEdit()) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_logic.onJumpClicked();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

QString JumpDialog::target() const {
    return m_combo1->currentText();
}

void JumpDialog::reject() {
    m_logic.onCancelClicked();
}

void JumpDialog::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    hide();
    deleteLater();
}
