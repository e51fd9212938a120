#pragma once

#include <QString>

// What the window shows of the document: the title bar, the recent-file items at the end of the
// file menu and the status bar's format panel. Displays only: the session is the store.
class DocumentDisplay {
public:
    virtual ~DocumentDisplay() = default;
    virtual void setTitle(const QString& title) = 0;
    // mnuRecentFile(i), 0..2: the caption alone, the item made visible, the separator mnuFileBar3
    // made visible. Items are never hidden again.
    virtual void setRecentFileCaption(int i, const QString& caption) = 0;
    virtual void setRecentFileVisible(int i) = 0;
    virtual void showRecentSeparator() = 0;
    virtual void setFormatText(const QString& text) = 0;
    // The text position shown at the top of the text box, and scrolling a position back there.
    // A display that does not scroll keeps none.
    virtual int topPosition() const { return 0; }
    virtual void scrollToTop(int position) { (void)position; }
};
