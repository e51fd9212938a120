#include "shell/ui/AlarmDialog.h"

#include "platform/ui/QtObjectNames.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QComboBox* numberList(const QStringList& entries, const char* name, QWidget* parent) {
    auto* combo = named(new QComboBox(parent), name);
    combo->setEditable(false);
    combo->addItems(entries);
    combo->setMaxVisibleItems(12);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 24);
    return combo;
}

} // namespace

AlarmDialog::AlarmDialog(CommandContext& ctx, QWidget* parent) : QDialog(parent), m_setup(ctx) {
    setObjectName(QStringLiteral("AlarmDialog"));
    setWindowTitle(QStringLiteral("タイマー設定"));
    setModal(true);

    m_option1 = named(new QRadioButton(QStringLiteral("何時何分に知らせる"), this), "Option1");
    m_option2 = named(new QRadioButton(QStringLiteral("何分後に知らせる"), this), "Option2");
    m_combo1 = numberList(AlarmSetup::hourList(), "Combo1", this);
    m_label1 = named(new QLabel(this), "Label1");
    m_combo2 = numberList(AlarmSetup::minuteList(), "Combo2", this);
    m_label2 = named(new QLabel(this), "Label2");
    m_command1 = named(new QPushButton(QStringLiteral("OK(&O)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    m_command1->setDefault(true);

    auto* time = new QHBoxLayout;
    time->addWidget(m_combo1);
    time->addWidget(m_label1);
    time->addSpacing(8);
    time->addWidget(m_combo2);
    time->addWidget(m_label2);
    time->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_option1);
    layout->addWidget(m_option2);
    layout->addSpacing(4);
    layout->addLayout(time);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setContentsMargins(14, 12, 14, 12);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    refresh();

    connect(m_option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) onAtTimeChosen();
    });
    connect(m_option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on) onAfterMinutesChosen();
    });
    connect(m_combo1, &QComboBox::currentIndexChanged, this, &AlarmDialog::onHourChosen);
    connect(m_combo2, &QComboBox::currentIndexChanged, this, &AlarmDialog::onMinuteChosen);
    connect(m_command1, &QPushButton::clicked, this, &AlarmDialog::onOkClicked);
    connect(m_command2, &QPushButton::clicked, this, &AlarmDialog::onCancelClicked);
}

void AlarmDialog::onAtTimeChosen() {
    m_setup.onAtTimeChosen();
    refresh();
}

void AlarmDialog::onAfterMinutesChosen() {
    m_setup.onAfterMinutesChosen();
    refresh();
}

void AlarmDialog::onHourChosen(int index) {
    m_setup.onHourChosen(index);
}

void AlarmDialog::onMinuteChosen(int index) {
    m_setup.onMinuteChosen(index);
}

void AlarmDialog::onOkClicked() {
    m_setup.onOkClicked();
    accept();
}

void AlarmDialog::onCancelClicked() {
    reject();
}

void AlarmDialog::refresh() {
    const QSignalBlocker b1(m_option1), b2(m_option2), b3(m_combo1), b4(m_combo2);
    m_option1->setChecked(m_setup.timeOfDay());
    m_option2->setChecked(!m_setup.timeOfDay());
    m_combo1->setCurrentIndex(m_setup.hourIndex());
    m_combo2->setCurrentIndex(m_setup.minuteIndex());
    m_combo1->setEnabled(m_setup.hourEnabled());
    m_label1->setEnabled(m_setup.hourEnabled());
    m_label1->setText(m_setup.hourCaption());
    m_label2->setText(m_setup.minuteCaption());
}
