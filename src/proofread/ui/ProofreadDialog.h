#pragma once

#include "command/CommandContext.h"
#include "proofread/ProofreadSession.h"

#include <QDialog>
#include <array>
#include <memory>

class FindingsModel;
class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;

// 校正: the findings of the checks in a window that stays open beside the text. A click or the
// arrow keys on a row select its passage in the text box; Enter or a double click also goes
// to the text box. The logic lives in ProofreadSession.
class ProofreadDialog : public QDialog, public proofread::ProofreadWindowPort {
    Q_OBJECT
public:
    // `analyzerArguments` are MeCab's own (tests point it at a missing dictionary).
    explicit ProofreadDialog(CommandContext& ctx, QWidget* parent = nullptr,
                             const QString& analyzerArguments = QString());
    ~ProofreadDialog() override;

    proofread::ProofreadSession& session() { return *m_session; }
    // Puts the window to the right of the main window where the screen has room, else over
    // its right part, so that the text stays in sight.
    void placeBeside(const QWidget& mainWindow);

    // ProofreadWindowPort
    void showFindings(const std::vector<proofread::Finding>& findings) override;
    void showStatus(const QString& status) override;
    void showProblem(const QString& problem) override;
    void showProgress(int done, int total) override;

public slots:
    // The close box and Esc stop a run and hide the window; it keeps its list for next time.
    void reject() override;

private:
    void onRowChosen(int row, bool goToText);

    CommandContext& m_ctx;
    std::unique_ptr<proofread::MorphAnalyzer> m_analyzer;
    std::unique_ptr<proofread::ProofreadSession> m_session;
    FindingsModel* m_model = nullptr;
    QLabel* m_problem = nullptr;
    std::array<QCheckBox*, proofread::kCheckCount> m_checks{};
    QSpinBox* m_maxLength = nullptr;
    QSpinBox* m_maxCommas = nullptr;
    QPushButton* m_recheck = nullptr;
    QCheckBox* m_live = nullptr;
    QCheckBox* m_selectionOnly = nullptr;
    QTableView* m_list = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_cancel = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_close = nullptr;
};
