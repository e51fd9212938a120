#include "shell/frmMain.h"

// The backup timer, the alarm timer and the alarm dialog's command.
void frmMain::registerTimers() {}
