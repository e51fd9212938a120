#include "search/ui/ReplaceDialog.h"
#include "documents/DocumentSession.h"

#include "platform/ui/QtObjectNames.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

ReplaceDialog::ReplaceDialog(CommandContext& ctx, search::ReplaceState& state, QWidget* document, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_document(document), m_logic(ctx, state, *this) {
    setObjectName(QStringLiteral("ReplaceDialog"));
    setWindowTitle(QStringLiteral("置換"));
    setModal(false);

    m_label2 = named(new QLabel(QStringLiteral("検索文字列："), this), "Label2");
    m_text1 = named(new QLineEdit(this), "Text1");
    m_label3 = named(new QLabel(QStringLiteral("置換文字列："), this), "Label3");
    m_text2 = named(new QLineEdit(this), "Text2");
    // A Qt line edit cuts at 32767 characters by default: a replace-all would then replace
    // only the beginning of a longer clipboard text and still report success.
    m_text1->setMaxLength(std::numeric_limits<int>::max());
    m_text2->setMaxLength(std::numeric_limits<int>::max());
    m_label2->setBuddy(m_text1);
    m_label3->setBuddy(m_text2);
    m_check1 = named(new QCheckBox(QStringLiteral("先頭から置換"), this), "Check1");
    m_check2 = named(new QCheckBox(QStringLiteral("大文字と小文字を区別"), this), "Check2");
    m_command1 = named(new QPushButton(QStringLiteral("置換(&R)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("全て置換(&A)"), this), "Command2");
    m_command3 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command3");
    for (QPushButton* b : {m_command1, m_command2, m_command3})
        b->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_label2, 0, 0);
    grid->addWidget(m_text1, 0, 1);
    grid->addWidget(m_label3, 1, 0);
    grid->addWidget(m_text2, 1, 1);
    grid->addWidget(m_check1, 2, 1);
    grid->addWidget(m_check2, 3, 1);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addWidget(m_command3);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 4, 1);
    grid->setColumnMinimumWidth(1, 240);
    QWidget* order[] = {m_text1, m_text2, m_check1, m_check2, m_command1, m_command2, m_command3};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);

    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.replaceOne(); });
    connect(m_command2, &QPushButton::clicked, this, &ReplaceDialog::onReplaceAllClicked);
    connect(m_command3, &QPushButton::clicked, this, [this] { m_logic.onCancelClicked(); });
    m_text1->installEventFilter(this);

    m_text1->setText(m_logic.onLoad());
    m_text1->selectAll();
}

void ReplaceDialog::pasteClipboard() {
    m_text1->setFocus();
    m_text1->insert(m_logic.clipboardText());
}

void ReplaceDialog::onReplaceAllClicked() {
    m_logic.replaceAll();
    if (m_unloaded) deleteLater();
}

bool ReplaceDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_text1) return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (m_logic.onFindFieldClicked()) m_text1->selectAll();
        break;
    case QEvent::MouseButtonDblClick:
        m_text1->selectAll();
        return true;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            m_text2->setFocus();
            return true;
        }
        // The menu's shortcut for 置換 works in the field too: it pastes the clipboard.
        if (key->key() == Qt::Key_R && key->modifiers() == Qt::ControlModifier) {
            pasteClipboard();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

QString ReplaceDialog::findText() const {
    return m_text1->text();
}

QString ReplaceDialog::replaceText() const {
    return m_text2->text();
}

bool ReplaceDialog::fromTop() const {
    return m_check1->isChecked();
}

void ReplaceDialog::setFromTop(bool checked) {
    m_check1->setChecked(checked);
}

bool ReplaceDialog::exact() const {
    return m_check2->isChecked();
}

void ReplaceDialog::focusDocument() {
    if (!m_document) return;
    m_document->activateWindow();
    m_document->setFocus();
}

void ReplaceDialog::reject() {
    m_logic.onCancelClicked();
}

void ReplaceDialog::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    hide();
    m_logic.onUnload();
    if (!m_logic.running()) deleteLater();
}
