#include "search/ui/FindDialog.h"
#include "documents/DocumentSession.h"

#include "platform/ui/QtObjectNames.h"
#include "platform/ui/TypedCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace {

// A Qt line edit cuts its text at 32767 characters unless told otherwise: a longer word would
// be searched for cut short without a word said.
void acceptAnyLength(QLineEdit* edit) {
    edit->setMaxLength(std::numeric_limits<int>::max());
}

bool isEnter(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

FindDialog::FindDialog(CommandContext& ctx, QWidget* document, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_document(document), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(search::FindCount::kFindCaption);
    setModal(false);

    m_label1 = named(new QLabel(QStringLiteral("検索する文字列"), this), "Label1");
    m_combo1 = makeTypedCombo(named(new QComboBox(this), "Combo1"), this);
    m_combo1->setInsertPolicy(QComboBox::NoInsert);
    m_combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_combo1->setMinimumContentsLength(24);
    acceptAnyLength(m_combo1->lineEdit());
    m_label1->setBuddy(m_combo1);
    m_check2 = named(new QCheckBox(QStringLiteral("先頭から検索"), this), "Check2");
    m_check1 = named(new QCheckBox(QStringLiteral("大文字と小文字を区別"), this), "Check1");
    m_command1 = named(new QPushButton(search::FindCount::kSearchButton, this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    // Enter in the field presses the search button itself; no button is the default.
    m_command1->setAutoDefault(false);
    m_command2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label1, 0, 0, 1, 2);
    grid->addWidget(m_combo1, 1, 0, 1, 2);
    grid->addWidget(m_check2, 2, 0);
    grid->addWidget(m_check1, 3, 0);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);
    grid->setColumnStretch(1, 1);
    setTabOrder(m_combo1, m_check2);
    setTabOrder(m_check2, m_check1);
    setTabOrder(m_check1, m_command1);
    setTabOrder(m_command1, m_command2);

    connect(m_combo1, &QComboBox::activated, this, &FindDialog::onWordChosen);
    connect(m_command1, &QPushButton::clicked, this, &FindDialog::onFindClicked);
    connect(m_command2, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });

    // onLoad: the saved word is the list's one item; the field holds the clipboard text
    // alone (adding the item has made it current and filled the field with it).
    m_combo1->addItem(m_logic.savedWord());
    m_combo1->setEditText(m_logic.clipboardText());
}

void FindDialog::setCountMode() {
    setWindowTitle(search::FindCount::kCountCaption);
    m_command1->setText(search::FindCount::kCountButton);
}

void FindDialog::focusWord() {
    m_combo1->setFocus();
}

void FindDialog::onWordChosen() {
    m_combo1->lineEdit()->selectAll();
}

void FindDialog::onFindClicked() {
    m_logic.onFindClicked();
}

bool FindDialog::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == m_combo1 || watched == m_combo1->lineEdit()) && isEnter(event)) {
        if (m_command1->isEnabled()) onFindClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

bool FindDialog::countMode() const {
    return windowTitle() == search::FindCount::kCountCaption;
}

QString FindDialog::word() const {
    return m_combo1->currentText();
}

bool FindDialog::fromTop() const {
    return m_check2->isChecked();
}

void FindDialog::setFromTop(bool checked) {
    m_check2->setChecked(checked);
}

bool FindDialog::exact() const {
    return m_check1->isChecked();
}

void FindDialog::setSearchCaption(const QString& caption) {
    m_command1->setText(caption);
}

void FindDialog::setSearchEnabled(bool enabled) {
    m_command1->setEnabled(enabled);
}

void FindDialog::focusDocument() {
    if (!m_document) return;
    m_document->activateWindow();
    m_document->setFocus();
}

void FindDialog::reject() {
    unload();
}

void FindDialog::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    hide();
    m_logic.onUnload();
    deleteLater();
}
