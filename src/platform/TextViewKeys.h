#pragma once

#include <Qt>

class QEvent;
class QKeyEvent;

// The codes the text box's key and mouse events carry, in the classic form: virtual-key codes
// (Enter 13, Space 32, A-Z 65-90, 0-9 48-57, F1 112 ...; 0 for a key without one), shift masks
// Shift 1 | Ctrl 2 | Alt 4, buttons left 1 | right 2 | middle 4.
namespace TextViewKeys {

int shiftMask(Qt::KeyboardModifiers m);
int buttonCode(Qt::MouseButton b);
int buttonMask(Qt::MouseButtons b);
int classicKeyCode(const QKeyEvent* e);
// The shift state of a key event; a modifier key counts as held while it is down, whatever the
// platform reports for the event that presses or releases it.
int keyShift(const QKeyEvent* e);

// Ctrl and Alt combinations belong to the window's menus (Ctrl+A is Save As): a text box lets
// their shortcut override pass. True when `e` was such an override and is now ignored.
bool leaveToMenus(QEvent* e);
// The text box's focus events follow the focus among the controls of its own window: a menu,
// a dialog, a message box or another application takes none.
bool towardAnotherWindow(Qt::FocusReason reason);

} // namespace TextViewKeys
