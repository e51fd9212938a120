#include "shell/frmMain.h"

// Undo, Redo and back to the loaded text.
void frmMain::registerHistoryCommands() {}
