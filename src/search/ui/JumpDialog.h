#pragma once

#include "command/CommandContext.h"
#include "search/JumpCommands.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// ジャンプ: the jump dialog, shown without blocking and owned by the main window.
class JumpDialog : public QDialog, public search::JumpDialogPort {
    Q_OBJECT
public:
    explicit JumpDialog(CommandContext& ctx, QWidget* parent = nullptr);

    search::Jump& logic() { return m_logic; }
    bool isUnloaded() const { return m_unloaded; }

    // JumpDialogPort
    QString target() const override;
    void unload() override;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* m_label1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLabel* m_label2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    bool m_unloaded = false;
    search::Jump m_logic;
};
