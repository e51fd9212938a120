#pragma once

#include <QString>
#include <QStringView>
#include <span>

// The command surfaces of the main window as data: the form builds its menus, popup and
// toolbar from these rows, so that names, captions, shortcuts and first states live in one
// place.
namespace menus {

enum Flags : unsigned {
    None = 0,
    Hidden = 1,
    Disabled = 2,
    Checked = 4,
    Checkable = 8,
};

struct MenuRow {
    int depth;               // 0 = a menu of the bar (or the popup's top level)
    const char16_t* name;    // object name; for an indexed group the name without "(i)"
    const char16_t* caption; // "-" is a separator
    const char* shortcut;    // portable key sequence text, or nullptr
    unsigned flags;
    int count;            // > 0: an indexed group mnuX(0) .. mnuX(count-1)
    const char16_t* twin; // the menu item whose command a popup item runs, or nullptr
};

struct ToolButton {
    const char16_t* key; // also the button's identity for the click dispatch
    const char16_t* toolTip;
    const char16_t* command; // the menu item it runs
    const char* icon;        // resource path
    bool separatorBefore;
};

std::span<const MenuRow> mainMenu();
std::span<const MenuRow> popupMenu();
std::span<const ToolButton> toolbar();
// The order in which the toolbar's click handler compares keys.
std::span<const char16_t* const> toolbarDispatchOrder();

// "mnuRecentFile(2)" for group members, the plain name otherwise.
QString itemName(const MenuRow& row, int index);

} // namespace menus
