#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QStringView>

namespace search {

// The search primitive: the 1-based position of the first occurrence of `find` in `text` at or
// after the 1-based `start`, 0 when there is none. `exact` compares code unit for code unit;
// otherwise the text comparison ignores case, width and kana type. An empty word occurs
// nowhere: finding "" again at once is how a replace run would never end.
int searchText(QStringView text, int start, QStringView find, bool exact);
// The same search in the text box, reading the text from `start` on as it lies: a run that
// edits and searches in turn does not have the whole text put together at every step.
int searchText(const TextBox& box, int start, QStringView find, bool exact);

// What the find and count dialog (FindDialog) shows. The form implements it; tests script it.
class FindDialogPort {
public:
    virtual ~FindDialogPort() = default;
    virtual bool countMode() const = 0; // the caption is the count caption
    virtual QString word() const = 0;   // Combo1's text
    virtual bool fromTop() const = 0;   // Check2
    virtual void setFromTop(bool checked) = 0;
    virtual bool exact() const = 0;                            // Check1
    virtual void setSearchCaption(const QString& caption) = 0; // Command1
    virtual void setSearchEnabled(bool enabled) = 0;
    virtual void focusDocument() = 0;
    virtual void unload() = 0;
};

// The find and count dialog's logic.
class FindCount {
public:
    FindCount(CommandContext& ctx, FindDialogPort& dialog);

    // onLoad: the saved word (the one list item) and the clipboard text (the field).
    QString savedWord() const;
    QString clipboardText() const;
    void onFindClicked();
    void onCancelClicked();
    void onUnload();

    static const QString kFindCaption;    // the dialog in find mode
    static const QString kCountCaption;   // the dialog in count mode
    static const QString kSearchButton;   // Command1 before a find
    static const QString kFindNextButton; // Command1 after a successful find
    static const QString kCountButton;    // Command1 in count mode
    static const QString kEndMessage;     // no further occurrence
    static QString countMessage(const QString& word, int count);

private:
    void find();
    void count();

    CommandContext& m_ctx;
    FindDialogPort& m_dialog;
};

} // namespace search
