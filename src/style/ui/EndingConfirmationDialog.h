#pragma once

#include "style/EndingConfirmation.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The confirmation of a found ending: shows the last words before a full stop and lets the
// writer type a new ending (変換) or leave it (無視). Modal over the conversion dialog; the
// answer is carried out by EndingConfirmation.
class EndingConfirmationDialog : public QDialog {
    Q_OBJECT
public:
    EndingConfirmationDialog(style::EndingConfirmation& logic, QWidget* parent = nullptr);
    // A dialog that went away without ending (its owner hidden under it) still unloads, so
    // the run waiting for it goes on.
    ~EndingConfirmationDialog() override;

public slots:
    // Every way the dialog ends (the buttons, the close box, Esc) passes here once.
    void done(int result) override;

private:
    void onNewEndingEdited();
    void onConvertClicked();
    void onIgnoreClicked();

    style::EndingConfirmation& m_logic;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_label5 = nullptr;
    QLabel* m_label6 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    bool m_unloaded = false;
};
