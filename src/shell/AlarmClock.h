#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QStringList>

// The alarm dialog (タイマー設定) as values: which option is chosen, what the two lists show
// and select, the label captions and enabled states. The form shows these and forwards its
// events here.
class AlarmSetup {
public:
    // The dialog's load: the lists are filled and the next minute is preselected.
    explicit AlarmSetup(CommandContext& ctx);

    // Combo1: "0" to "23"; Combo2: "0" to "59". An entry's text is its number.
    static QStringList hourList();
    static QStringList minuteList();

    // Option1 (a time of day) rather than Option2 (a number of minutes from now).
    bool timeOfDay() const { return m_timeOfDay; }
    int hourIndex() const { return m_hour; }
    int minuteIndex() const { return m_minute; }
    // Combo1 and Label1 together.
    bool hourEnabled() const { return m_hourEnabled; }
    QString hourCaption() const { return m_hourCaption; }     // Label1
    QString minuteCaption() const { return m_minuteCaption; } // Label2

    // The user picked a list entry; out-of-range indexes are ignored.
    void onHourChosen(int index);
    void onMinuteChosen(int index);
    void onAtTimeChosen();
    void onAfterMinutesChosen();
    // OK: announces the alarm, then sets it (replacing any earlier one). The caller closes
    // the dialog afterwards.
    void onOkClicked();

private:
    CommandContext& m_ctx;
    bool m_timeOfDay = true;
    int m_hour = 0;
    int m_minute = 0;
    bool m_hourEnabled = true;
    QString m_hourCaption;
    QString m_minuteCaption;
};

// The alarm check that runs at every tick of Timer2 while an alarm is set.
class AlarmClock {
public:
    // Timer2 ticks every this many milliseconds while an alarm is set.
    static constexpr int kInterval = 10000;
    // AlarmHour at the start of a countdown: above every hour, so it is never taken for a
    // time of day.
    static constexpr int kCountdownStart = 24;
    static constexpr int kTicksPerMinute = 6;

    void onAlarmTimer(CommandContext& ctx);

    // True while the alarm's message is on screen.
    bool announcing() const { return m_announcing; }

private:
    bool m_announcing = false;
};
