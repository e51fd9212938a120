#pragma once

#include "command/CommandContext.h"

#include <QDialog>

class QLabel;

// バージョン情報: the program's name and version and two labels that copy the support page
// address or the e-mail address to the clipboard. Modeless; the main window keeps one.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(CommandContext& ctx, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSupportLabelClicked();
    void onMailLabelClicked();

    CommandContext& m_ctx;
    QLabel* m_label2 = nullptr;
    QLabel* m_label4 = nullptr;
};
