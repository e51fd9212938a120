#pragma once

#include "command/MainWindowPort.h"
#include "platform/Services.h"
#include "platform/TextBox.h"
#include "state/AppState.h"

#include <QString>

// What every command works on: the shared state, the document, the services that ask and
// answer, and the main window. The main window owns one; tests build one over fakes.
struct CommandContext {
    AppState& state;
    TextBox& text;
    Services& services;
    MainWindowPort& window;
    // The program's own folder: Pallo.ini and PalloBackup.txt live there.
    QString programDir;
};
