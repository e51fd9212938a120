#pragma once

#include "documents/PrintDocument.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// 印刷中…: the progress window of a print run. While it is shown no other window of the
// program takes input, so nothing can start a second run or change the document under the
// first; timers go on ticking.
class PrintProgressDialog : public QDialog, public PrintProgressPort {
    Q_OBJECT
public:
    explicit PrintProgressDialog(QWidget* parent = nullptr);

    QLineEdit* Text1() const { return m_text1; }
    QPushButton* Command1() const { return m_command1; }

    // PrintProgressPort
    void showProgress() override;
    void setBar(const QString& bar) override;
    void closeProgress() override;
    bool cancelRequested() const override { return m_cancelled; }

    void onCancelClicked();

public slots:
    // The close box and Esc cancel like the button.
    void reject() override { onCancelClicked(); }

private:
    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    bool m_cancelled = false;
};
