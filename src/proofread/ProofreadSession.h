#pragma once

#include "command/CommandContext.h"
#include "proofread/Proofreader.h"

#include <QString>
#include <memory>
#include <vector>

// What the 校正 window asks of its form. The form implements it; tests script it.
namespace proofread {

class ProofreadWindowPort {
public:
    virtual ~ProofreadWindowPort() = default;
    virtual void showFindings(const std::vector<Finding>& findings) = 0;
    // The line under the list: the count, a cancelled run, a text changed since the run.
    virtual void showStatus(const QString& status) = 0;
    // The analyser's problem, shown plainly above the list ("" hides it).
    virtual void showProblem(const QString& problem) = 0;
    // A long run's progress; total 0 hides the bar.
    virtual void showProgress(int done, int total) = 0;
};

// The 校正 window's logic: runs the checks over the document (or the selection), keeps the
// writer's choices in Pallo.ini, follows edits when asked to, and selects a finding's
// passage in the text box.
class ProofreadSession {
public:
    // The analyser is not owned; null or without a dictionary, its checks are left out.
    ProofreadSession(CommandContext& ctx, ProofreadWindowPort& window, MorphAnalyzer* analyzer);
    ~ProofreadSession();

    // Reads the choices and the writer's word list, and says whether the analyser is missing.
    // 再チェック reads the word list again, so an edited file counts from the next run.
    void load();
    const ProofreadOptions& options() const { return m_options; }
    bool live() const { return m_live; }
    bool selectionOnly() const { return m_selectionOnly; }
    bool running() const { return m_running; }

    void setCheckEnabled(Check check, bool on);
    void setMaxSentenceLength(int n);
    void setMaxCommas(int n);
    void setLive(bool on);
    void setSelectionOnly(bool on);

    // 再チェック: the whole text, or the selection when asked and there is one. The wait
    // cursor shows, and window events run now and then so that cancel() can stop it.
    void recheck();
    void cancel() { m_cancelRequested = true; }

    const std::vector<Finding>& findings() const { return m_findings; }
    // Selects the passage of a finding in the text box.
    void select(int row);

    // The text box's textReplaced.
    void textReplaced(int pos, int removed, const QString& inserted);
    // The text box's batchEnded: a command's many edits are shown once.
    void batchEnded();

    // The file of the writer's word list in the settings folder.
    QString wordListPath() const;

private:
    void refresh();
    void saveOptions() const;
    void readWordList();

    CommandContext& m_ctx;
    ProofreadWindowPort& m_window;
    MorphAnalyzer* m_analyzer;
    std::unique_ptr<Proofreader> m_reader;
    ProofreadOptions m_options;
    std::vector<Finding> m_findings;
    bool m_live = true;
    bool m_selectionOnly = false;
    bool m_running = false;
    bool m_cancelRequested = false;
    bool m_editedDuringRun = false;
    bool m_stale = false;
    bool m_refreshPending = false;
    QString m_wordList;
    bool m_wordListRead = false;
};

} // namespace proofread
