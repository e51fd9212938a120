#include "shell/AlarmClock.h"
#include "shell/AutoBackup.h"
#include "shell/Form11.h"
#include "shell/frmMain.h"

#include <QTimer>

namespace {

// What the two timers remember between ticks. A child of the window, so it lives exactly as
// long as the window and its timers do.
class TimerState : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    AutoBackup backup;
    AlarmClock alarm;
};

TimerState* timerState(const frmMain* window) {
    return window->findChild<TimerState*>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace

// The backup timer, the alarm timer and the alarm dialog's command.
void frmMain::registerTimers() {
    new TimerState(this);
    connect(m_timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    connect(m_timer2, &QTimer::timeout, this, &frmMain::Timer2_Timer);
    setCommand(QStringLiteral("mnutmr"), [this](int) {
        Form11 dialog(context(), this);
        dialog.exec();
    });
}

void frmMain::Timer1_Timer() {
    timerState(this)->backup.Timer1_Timer(context());
}

void frmMain::Timer2_Timer() {
    timerState(this)->alarm.Timer2_Timer(context());
}

#include "frmMainTimers.moc"
