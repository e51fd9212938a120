#pragma once

#include "history/HistoryViewer.h"
#include "platform/TextBox.h"

#include <QDialog>

class QLabel;
class QListWidget;
class TextView;

// Undoデータの履歴 / クリップボードデータの履歴: the history viewer, shown modally. The mode is
// chosen by the command that opens it; the browsing lives in HistoryViewer.
class HistoryViewerDialog : public QDialog, public HistoryViewerPort {
    Q_OBJECT
public:
    HistoryViewerDialog(CommandContext& ctx, HistoryViewer::Mode mode, QWidget* parent = nullptr);
    ~HistoryViewerDialog() override;

    HistoryViewer& logic() { return m_logic; }
    TextBox& text() { return m_box; }

    // HistoryViewerPort
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    void setLabelText(int label, const QString& text) override;
    void addItem(const QString& item) override;
    int itemCount() const override;
    void selectItem(int index) override;
    void closeDialog() override { accept(); }

public slots:
    void done(int result) override;

private:
    TextBox m_box; // before the view, which reports into it
    QListWidget* m_list1 = nullptr;
    TextView* m_text1 = nullptr;
    QLabel* m_labels[6] = {};
    HistoryViewer m_logic;
};
