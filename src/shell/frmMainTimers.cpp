#include "shell/frmMain.h"

// The backup timer, the alarm timer and the alarm dialog's command.
void frmMain::registerTimers() {}

void frmMain::Timer1_Timer() {}

void frmMain::Timer2_Timer() {}
