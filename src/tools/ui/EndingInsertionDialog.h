#pragma once

#include "command/CommandContext.h"
#include "tools/EndingInsertion.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// 語尾変換: the sentence-ending insertion dialog, shown without blocking beside the main
// window; the run lives in EndingInserter.
class EndingInsertionDialog : public QDialog, public ending::EndingDialogPort {
    Q_OBJECT
public:
    explicit EndingInsertionDialog(CommandContext& ctx, QWidget* parent = nullptr);

    ending::EndingInserter& logic() { return m_logic; }
    void focusWord();

    QString word() const override;
    bool questionMarksToo() const override;
    bool exclamationMarksToo() const override;
    void unload() override;

private:
    QLineEdit* m_text1 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    ending::EndingInserter m_logic;
};
