#include "shell/frmMain.h"

// The file commands: New, Open, Insert file, Save, Save As and the recent files.
void frmMain::registerDocumentCommands() {}

void frmMain::showOpenDialog(bool /*insertMode*/) {}
