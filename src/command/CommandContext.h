#pragma once

#include "command/MainWindowPort.h"
#include "platform/Services.h"
#include "platform/TextBox.h"
#include "state/AppState.h"

#include <QString>

class DocumentSession;
class UndoHistory;

// What every command works on: the shared state, the text, the services that ask and answer,
// the main window, the undo history and the open document. The main window owns one; tests build one over fakes.
struct CommandContext {
    AppState& state;
    TextBox& text;
    Services& services;
    MainWindowPort& window;
    // The program's own folder: Pallo.ini and PalloBackup.txt live there.
    QString programDir;
    UndoHistory& history;
    DocumentSession& document;
};
