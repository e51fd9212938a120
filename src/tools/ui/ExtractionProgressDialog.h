#pragma once

#include "command/CommandContext.h"
#include "tools/HtmlTools.h"

#include <QDialog>

class QLabel;
class QPushButton;

// 作業中…: the working window beside a text extraction. Its button, Esc and its close box all
// ask the run to stop; the run closes the window when it returns.
class ExtractionProgressDialog : public QDialog, public html::WorkingWindowPort {
    Q_OBJECT
public:
    explicit ExtractionProgressDialog(CommandContext& ctx, QWidget* parent = nullptr);

    html::TextExtractor& logic() { return m_logic; }

    void showWorking() override;
    void closeWorking() override { hide(); }

public slots:
    void reject() override { m_logic.onCancelClicked(); }

private:
    QLabel* m_label1 = nullptr;
    QPushButton* m_command1 = nullptr;
    html::TextExtractor m_logic;
};
