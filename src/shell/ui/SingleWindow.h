#pragma once

#include <QPointer>
#include <QWidget>

// One window of a kind per main window, shown without blocking: made on first use, made anew
// once the old one has been unloaded (a dialog unloaded during its own run lingers hidden
// until the run returns; it does not count as open), and brought to the front every time.
template <typename Window, typename Make>
Window* showSingleWindow(QPointer<Window>& slot, Make make) {
    bool gone = !slot;
    if constexpr (requires(Window& w) { w.isUnloaded(); })
        gone = gone || slot->isUnloaded();
    if (gone) slot = make();
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot.data();
}
