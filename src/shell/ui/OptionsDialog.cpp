#include "shell/ui/OptionsDialog.h"

#include "command/Settings.h"
#include "platform/ui/QtObjectNames.h"
#include "platform/ui/TypedCombo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QComboBox* typedList(const QStringList& entries, const QString& preset, const char* name,
                     QWidget* parent) {
    auto* combo = makeTypedCombo(named(new QComboBox(parent), name));
    combo->addItems(entries);
    combo->setCurrentIndex(entries.indexOf(preset));
    combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance(QStringLiteral("設定しない")) +
                           40);
    return combo;
}

} // namespace

OptionsDialog::OptionsDialog(CommandContext& ctx, QWidget* parent) : QDialog(parent), m_setup(ctx) {
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("オプション"));
    setModal(true);

    auto* frame1 = named(new QGroupBox(QStringLiteral("自動バックアップ"), this), "Frame1");
    m_option1 = named(new QRadioButton(QStringLiteral("使用しない"), frame1), "Option1");
    m_option2 = named(new QRadioButton(QStringLiteral("使用する"), frame1), "Option2");
    m_combo1 = typedList(OptionsSetup::intervalList(), QStringLiteral("1"), "Combo1", frame1);
    m_label2 =
        named(new QLabel(QStringLiteral("分ごとに保存する（最小0.5単位）"), frame1), "Label2");
    auto* interval = new QHBoxLayout;
    interval->addSpacing(20);
    interval->addWidget(m_combo1);
    interval->addWidget(m_label2);
    interval->addStretch();
    auto* backup = new QVBoxLayout(frame1);
    backup->addWidget(m_option1);
    backup->addWidget(m_option2);
    backup->addLayout(interval);

    auto* frame2 = named(new QGroupBox(QStringLiteral("起動時の設定"), this), "Frame2");
    const char16_t* const checkCaptions[4] = {u"前回のファイルを次回起動時に自動的に開く",
                                              u"文字の設定（名前やサイズ）を次回起動時に反映する",
                                              u"色の設定を次回起動時に反映する",
                                              u"IMEの初期値はひらがな入力にする"};
    auto* startup = new QVBoxLayout(frame2);
    for (int i = 0; i < 4; ++i) {
        m_checks[i] = new QCheckBox(QString::fromUtf16(checkCaptions[i]), frame2);
        m_checks[i]->setObjectName(QStringLiteral("Check%1").arg(i + 1));
        m_checks[i]->setChecked(m_setup.checks[i]);
        startup->addWidget(m_checks[i]);
        connect(m_checks[i], &QCheckBox::toggled, this,
                [this, i](bool on) { m_setup.checks[i] = on; });
    }

    auto* frame3 = named(new QGroupBox(QStringLiteral("Undoの設定"), this), "Frame3");
    auto* label3 = named(new QLabel(QStringLiteral("Undo回数の設定"), frame3), "Label3");
    m_combo2 = typedList(OptionsSetup::undoList(), settings::kNoUndoLimit, "Combo2", frame3);
    auto* label1 = named(new QLabel(QStringLiteral("回まで"), frame3), "Label1");
    auto* undo = new QHBoxLayout(frame3);
    undo->addWidget(label3);
    undo->addWidget(m_combo2);
    undo->addWidget(label1);
    undo->addStretch();

    auto* command1 = named(new QPushButton(QStringLiteral("OK(&O)"), this), "Command1");
    auto* command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    command1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1);
    buttons->addWidget(command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addWidget(frame2);
    layout->addWidget(frame3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // The stored texts replace the preset entries as they are, an empty one included.
    m_combo1->setEditText(m_setup.intervalText);
    m_combo2->setEditText(m_setup.undoText);
    m_option2->setChecked(m_setup.backupOn());
    refreshEnabled();

    connect(m_combo1, &QComboBox::editTextChanged, this,
            [this](const QString& t) { m_setup.intervalText = t; });
    connect(m_combo2, &QComboBox::editTextChanged, this,
            [this](const QString& t) { m_setup.undoText = t; });
    connect(m_option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) onBackupOffChosen();
    });
    connect(m_option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) onBackupOnChosen();
    });
    connect(command1, &QPushButton::clicked, this, &OptionsDialog::onOkClicked);
    connect(command2, &QPushButton::clicked, this, &OptionsDialog::onCancelClicked);
}

void OptionsDialog::onBackupOffChosen() {
    m_setup.onBackupOffChosen();
    refreshEnabled();
}

void OptionsDialog::onBackupOnChosen() {
    m_setup.onBackupOnChosen();
    refreshEnabled();
}

void OptionsDialog::onOkClicked() {
    if (m_setup.onOkClicked()) accept();
}

void OptionsDialog::onCancelClicked() {
    reject();
}

void OptionsDialog::refreshEnabled() {
    m_combo1->setEnabled(m_setup.backupOn());
    m_label2->setEnabled(m_setup.backupOn());
}
