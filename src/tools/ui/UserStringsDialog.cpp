#include "tools/ui/UserStringsDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

UserStringsDialog::UserStringsDialog(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Window), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("UserStringsDialog"));
    setWindowTitle(QStringLiteral("ユーザー指定文字列リスト"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto* label1 = named(new QLabel(QStringLiteral("ユーザー指定文字列リスト"), this), "Label1");
    m_list1 = named(new QListWidget(this), "List1");
    auto* label2 =
        named(new QLabel(QStringLiteral("追加する文字列（現在10個までです。）"), this), "Label2");
    m_text1 = named(new QLineEdit(this), "Text1");
    auto* command1 = named(new QPushButton(QStringLiteral("追加(&A)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("削除"), this), "Command2");
    auto* command4 = named(new QPushButton(QStringLiteral("全削除"), this), "Command4");
    auto* command3 = named(new QPushButton(QStringLiteral("登録(&T)"), this), "Command3");
    auto* command5 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command5");
    for (QPushButton* b : {command1, m_command2, command3, command4, command5})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(label1, 0, 0);
    grid->addWidget(m_list1, 1, 0, 4, 1);
    grid->addWidget(m_command2, 1, 1);
    grid->addWidget(command4, 2, 1);
    grid->addWidget(label2, 5, 0);
    grid->addWidget(m_text1, 6, 0);
    grid->addWidget(command1, 6, 1);
    grid->addWidget(command3, 7, 1);
    grid->addWidget(command5, 8, 1);
    resize(440, 360);

    connect(command1, &QPushButton::clicked, this, [this] { m_logic.onAddClicked(); });
    connect(m_command2, &QPushButton::clicked, this, [this] { m_logic.onDeleteClicked(); });
    connect(command3, &QPushButton::clicked, this, [this] { m_logic.onRegisterClicked(); });
    connect(command4, &QPushButton::clicked, this, [this] { m_logic.onDeleteAllClicked(); });
    connect(command5, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });
    connect(m_text1, &QLineEdit::returnPressed, this, [this] { m_logic.onAddClicked(); });
    connect(m_list1, &QListWidget::itemClicked, this, [this] { m_logic.onEntryClicked(); });
    m_logic.onLoad();
}

QString UserStringsDialog::inputText() const {
    return m_text1->text();
}

void UserStringsDialog::setInputText(const QString& text) {
    m_text1->setText(text);
}

void UserStringsDialog::focusInput() {
    m_text1->setFocus();
}

void UserStringsDialog::showItems(const QStringList& items) {
    m_list1->clear();
    m_list1->addItems(items);
}

int UserStringsDialog::selectedItem() const {
    const QList<QListWidgetItem*> selected = m_list1->selectedItems();
    return selected.isEmpty() ? -1 : m_list1->row(selected.first());
}

void UserStringsDialog::setDeleteEnabled(bool enabled) {
    m_command2->setEnabled(enabled);
}

void UserStringsDialog::unload() {
    close();
}
