#pragma once

#include "notation/NotationSession.h"

#include <QGroupBox>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QTimer;

// The part of 文字カウント that counts the way a site or a contest does: the target, its
// counts, the manuscript count with its options and the notation problems, live while shown.
class NotationCountWidget : public QGroupBox {
    Q_OBJECT
public:
    NotationCountWidget(notation::NotationSession& session, const QString& iniPath,
                        QWidget* parent = nullptr);
    ~NotationCountWidget() override;

    QComboBox* target() const { return m_target; }
    QComboBox* grid() const { return m_grid; }
    QCheckBox* closingShares() const { return m_share; }
    QCheckBox* narrowPairs() const { return m_pair; }
    QCheckBox* statusPanel() const { return m_status; }
    QLabel* figure(int i) const { return m_figures[i]; }
    QListWidget* problems() const { return m_problems; }

private:
    void applyChoices();
    void refreshFigures();
    void refreshProblems();

    notation::NotationSession& m_session;
    // The session may go first when the main window closes with the window open.
    QPointer<notation::NotationSession> m_held;
    QString m_iniPath;
    QComboBox* m_target = nullptr;
    QComboBox* m_grid = nullptr;
    QCheckBox* m_share = nullptr;
    QCheckBox* m_pair = nullptr;
    QCheckBox* m_status = nullptr;
    QLabel* m_figures[5] = {};
    QListWidget* m_problems = nullptr;
    QTimer* m_problemsLater = nullptr;
    std::vector<notation::LineProblem> m_shown;
};
