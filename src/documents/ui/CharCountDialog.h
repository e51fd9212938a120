#pragma once

#include "command/CommandContext.h"
#include "notation/NotationSession.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;

// 文字カウント: counts of the document and facts about its file, gathered once on opening;
// below them, given the live notation count, the counts of the chosen site, kept up to date.
class CharCountDialog : public QDialog {
    Q_OBJECT
public:
    explicit CharCountDialog(CommandContext& ctx, QWidget* parent = nullptr,
                             notation::NotationSession* notation = nullptr);

    QGroupBox* Frame1() const { return m_frame1; }
    QLabel* Label(int number) const { return m_labels[number - 1]; }
    QPushButton* Command1() const { return m_command1; }

private:
    QGroupBox* m_frame1 = nullptr;
    QLabel* m_labels[6] = {};
    QPushButton* m_command1 = nullptr;
};
