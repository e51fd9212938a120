#include "shell/AlarmClock.h"
#include "shell/AutoBackup.h"
#include "shell/ui/AlarmDialog.h"
#include "shell/ui/MainWindow.h"

#include <QTimer>

// The backup timer, the alarm timer and the alarm dialog's command.
void MainWindow::registerTimers() {
    connect(m_timer1, &QTimer::timeout, this, &MainWindow::onBackupTimer);
    connect(m_timer2, &QTimer::timeout, this, &MainWindow::onAlarmTimer);
    setCommand(QStringLiteral("mnutmr"), [this](int) {
        AlarmDialog dialog(context(), this);
        dialog.exec();
    });
}

void MainWindow::onBackupTimer() {
    m_backup.onBackupTimer(context());
}

void MainWindow::onAlarmTimer() {
    m_alarm.onAlarmTimer(context());
}
