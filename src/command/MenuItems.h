#pragma once

#include <QString>

// The states menus and the popup take when they open, items by object name ("popCB(1)").
class MenuItems {
public:
    virtual ~MenuItems() = default;
    virtual void setItemEnabled(const QString& item, bool enabled) = 0;
    virtual void setItemVisible(const QString& item, bool visible) = 0;
    // The caption as given: an "&" in it is a character, not the mark of an access key.
    virtual void setItemCaption(const QString& item, const QString& caption) = 0;
    // popsitei(i) and mnusitei(i), 0..10: displays of the phrases, which AppState keeps.
    virtual void setPopupUserStringCaption(int i, const QString& caption) = 0;
    virtual void setMenuUserStringCaption(int i, const QString& caption) = 0;
    virtual void setMenuUserStringVisible(int i, bool visible) = 0;
    // Runs the IME command of the 編集 menu's set (or of the popup's) that matches Text1's
    // current IME mode, so that the set's check marks show it.
    virtual void syncImeItems(bool popup) = 0;
};
