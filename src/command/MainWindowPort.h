#pragma once

#include "command/DocumentDisplay.h"
#include "command/MenuItems.h"
#include "command/StatusPanels.h"
#include "command/TextAppearance.h"
#include "command/WindowGeometry.h"

// What the logic of the main window asks of the window itself. The form implements it; the
// logic never touches a widget. Code that needs only one side of it takes that interface.
class MainWindowPort : public DocumentDisplay,
                       public StatusPanels,
                       public TextAppearance,
                       public WindowGeometry,
                       public MenuItems {
public:
    ~MainWindowPort() override = default;

    // The open dialog, shown modally; accepting a file runs the loading step itself.
    virtual void showOpenDialog(bool insertMode) = 0;

    // Timer1 (backup) and Timer2 (alarm): interval in milliseconds, 0 = stopped.
    virtual int timerInterval(int timer) const = 0;
    virtual void setTimerInterval(int timer, int milliseconds) = 0;

    // While a long tool run lets events through, the window takes no input: no typing, no
    // menu, toolbar or popup command.
    virtual void setInputBlocked(bool blocked) = 0;
};
