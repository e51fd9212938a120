#pragma once

#include "command/CommandContext.h"
#include "shell/Options.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

// オプション: the automatic backup, the undo limit and the four start-up choices. Opened
// modally by mnuViewOptions; the choices live in OptionsSetup.
class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit OptionsDialog(CommandContext& ctx, QWidget* parent = nullptr);

    OptionsSetup& setup() { return m_setup; }

private:
    void onBackupOffChosen();
    void onBackupOnChosen();
    void onOkClicked();
    void onCancelClicked();
    void refreshEnabled();

    OptionsSetup m_setup;
    QRadioButton* m_option1 = nullptr;
    QRadioButton* m_option2 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLabel* m_label2 = nullptr;
    QCheckBox* m_checks[4] = {};
    QComboBox* m_combo2 = nullptr;
};
