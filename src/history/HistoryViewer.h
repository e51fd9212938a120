#pragma once

#include "command/CommandContext.h"

#include <QString>

// What the viewer's logic asks of its dialog (HistoryViewerDialog); the form implements it.
class HistoryViewerPort {
public:
    virtual ~HistoryViewerPort() = default;
    virtual void setCaption(const QString& caption) = 0;
    // Label1 to Label6.
    virtual void setLabelText(int label, const QString& text) = 0;
    virtual void addItem(const QString& item) = 0;
    virtual int itemCount() const = 0;
    // Selects a list item; the form then runs onEntryClicked.
    virtual void selectItem(int index) = 0;
    virtual void closeDialog() = 0;
};

// The browser of both histories: the undo checkpoints, or the clipboard history. Text1 is the
// dialog's own text box, a TextBox like the main window's, so a restore or a copy-back hands
// on every line break exactly as shown.
class HistoryViewer {
public:
    enum class Mode { Undo, Clipboard };

    HistoryViewer(CommandContext& ctx, TextBox& text1, HistoryViewerPort& port, Mode mode);

    Mode mode() const { return m_mode; }
    void onLoad();
    void onEntryClicked(int index);
    void onEntryDoubleClicked(int index);
    // Counts the lines and characters of Text1 into LineTotal and CharTotal and shows them.
    void refreshCounts();
    void onUnload();

private:
    void restore();
    void copyBack();

    CommandContext& m_ctx;
    TextBox& m_text1;
    HistoryViewerPort& m_port;
    Mode m_mode;
};
