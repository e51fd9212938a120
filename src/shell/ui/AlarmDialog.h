#pragma once

#include "command/CommandContext.h"
#include "shell/AlarmClock.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// タイマー設定: sets the alarm, either for a time of day or for a number of minutes from now.
// Opened modally by mnutmr; the choices live in AlarmSetup.
class AlarmDialog : public QDialog {
    Q_OBJECT
public:
    explicit AlarmDialog(CommandContext& ctx, QWidget* parent = nullptr);

    AlarmSetup& setup() { return m_setup; }

private:
    void onAtTimeChosen();
    void onAfterMinutesChosen();
    void onHourChosen(int index);
    void onMinuteChosen(int index);
    void onOkClicked();
    void onCancelClicked();
    // Shows the setup's state in the controls.
    void refresh();

    AlarmSetup m_setup;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QComboBox* m_combo2 = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};
