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
class Form11 : public QDialog {
    Q_OBJECT
public:
    explicit Form11(CommandContext& ctx, QWidget* parent = nullptr);

    AlarmSetup& setup() { return m_setup; }

private:
    void Option1_Click();
    void Option2_Click();
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void Command1_Click();
    void Command2_Click();
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
