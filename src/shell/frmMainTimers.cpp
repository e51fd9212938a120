#include "shell/AlarmClock.h"
#include "shell/AutoBackup.h"
#include "shell/Form11.h"
#include "shell/frmMain.h"

#include <QTimer>

// The backup timer, the alarm timer and the alarm dialog's command.
void frmMain::registerTimers() {
    connect(m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    setCommand(QStringLiteral("mnutmr"), [this](int) {
        Form11 dialog(context(), this);
        dialog.exec();
    });
}

void frmMain::Timer1_Timer() {
    m_backup.Timer1_Timer(context());
}

void frmMain::Timer2_Timer() {
    m_alarm.Timer2_Timer(context());
}
