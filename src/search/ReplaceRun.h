#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QtGlobal>

namespace search {

// The replace dialog's variables. They live as long as the program, so closing the dialog
// keeps them; the main window owns one.
struct ReplaceState {
    qint16 FirstClickDone = 0;
};

// What the replace dialog (ReplaceDialog) shows. The form implements it; tests script it.
class ReplaceDialogPort {
public:
    virtual ~ReplaceDialogPort() = default;
    virtual QString findText() const = 0;    // Text1
    virtual QString replaceText() const = 0; // Text2
    virtual bool fromTop() const = 0;        // Check1
    virtual void setFromTop(bool checked) = 0;
    virtual bool exact() const = 0; // Check2
    virtual void focusDocument() = 0;
    // Unloads the dialog. A replace-all run lets events through, so this may come while the run
    // is on the stack: the dialog must not go before the run has returned.
    virtual void unload() = 0;
};

// The replace dialog's logic: one step replaces the selected occurrence and selects the next;
// replace-all repeats the step, or replaces everything in one operation from the top.
class ReplaceRun {
public:
    ReplaceRun(CommandContext& ctx, ReplaceState& state, ReplaceDialogPort& dialog);

    // onLoad: resets the per-load variables and returns Text1's first text.
    QString onLoad();
    // Text1's first click after loading selects the whole field: true when it should.
    bool onFindFieldClicked();
    void replaceOne();
    void replaceAll();
    void onCancelClicked();
    void onUnload();
    QString clipboardText() const;
    bool running() const { return m_running; }

    static const QString kEndMessage;
    static QString countMessage(int count);

private:
    // One replace step; false when the text holds no further occurrence. `replaced` tells
    // whether the selection was replaced.
    bool step(bool& replaced);
    void replaceAllAtOnce();
    // UndoHistory::record; during a run, told how much of the text the last checkpoint still shares.
    void record();
    void end(bool counted);

    CommandContext& m_ctx;
    ReplaceState& m_state;
    ReplaceDialogPort& m_dialog;
    bool m_running = false;
    bool m_stopRequested = false;
    // What a run reports: the occurrences it replaced. The count of occurrences found misses
    // the one already selected when the run began.
    qint16 m_replaced = 0;
    // During a run: how many code units at the start and at the end of the text no edit has
    // touched since the last checkpoint (typed edits let through by the run count too).
    int m_sameHead = 0;
    int m_sameTail = 0;
};

} // namespace search
