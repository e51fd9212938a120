#include "shell/AlarmClock.h"

#include <QScopeGuard>
#include <QTime>

namespace {

constexpr int kHours = 24;
constexpr int kMinutes = 60;
constexpr int kAlarmTimer = 2;

const QString kHourCaption = QStringLiteral("時");
const QString kHoursCaption = QStringLiteral("時間");
const QString kMinuteCaption = QStringLiteral("分");
const QString kMinutesLaterCaption = QStringLiteral("分後");

QStringList numbers(int count) {
    QStringList list;
    list.reserve(count);
    for (int i = 0; i < count; ++i)
        list.append(QString::number(i));
    return list;
}

} // namespace

// ---------------------------------------------------------------- the dialog

AlarmSetup::AlarmSetup(CommandContext& ctx)
    : m_ctx(ctx), m_hourCaption(kHourCaption), m_minuteCaption(kMinuteCaption) {
    // The next whole minute, so that OK at once sets an alarm that is still ahead. At :59 that
    // is minute 0 of the next hour (and 0:00 after 23:59), not minute 0 of this hour, which
    // would lie almost a day away.
    const QTime now = m_ctx.services.clock.now().time();
    const QTime next = QTime(now.hour(), now.minute()).addSecs(60);
    m_hour = next.hour();
    m_minute = next.minute();
}

QStringList AlarmSetup::hourList() {
    return numbers(kHours);
}

QStringList AlarmSetup::minuteList() {
    return numbers(kMinutes);
}

void AlarmSetup::onHourChosen(int index) {
    if (index >= 0 && index < kHours) m_hour = index;
}

void AlarmSetup::onMinuteChosen(int index) {
    if (index >= 0 && index < kMinutes) m_minute = index;
}

void AlarmSetup::onAtTimeChosen() {
    m_timeOfDay = true;
    m_hourEnabled = true;
    m_hourCaption = kHoursCaption;
    m_minuteCaption = kMinuteCaption;
    m_minute = m_ctx.services.clock.now().time().minute();
}

void AlarmSetup::onAfterMinutesChosen() {
    m_timeOfDay = false;
    m_hourEnabled = false;
    m_minuteCaption = kMinutesLaterCaption;
    m_minute = 0;
}

void AlarmSetup::onOkClicked() {
    AppState& state = m_ctx.state;
    const QString minute = QString::number(m_minute);
    if (m_timeOfDay) {
        m_ctx.services.prompts.message(QString::number(m_hour) + QStringLiteral("時") + minute +
                                       QStringLiteral("分に知らせます。"));
        m_ctx.window.setTimerInterval(kAlarmTimer, AlarmClock::kInterval);
        state.AlarmHour = m_hour;
        state.AlarmMinute = m_minute;
        return;
    }
    m_ctx.services.prompts.message(minute + QStringLiteral("分後に知らせます。"));
    m_ctx.window.setTimerInterval(kAlarmTimer, AlarmClock::kInterval);
    state.AlarmMinute = m_minute * AlarmClock::kTicksPerMinute;
    state.AlarmHour = AlarmClock::kCountdownStart;
}

// ---------------------------------------------------------------- the check

void AlarmClock::onAlarmTimer(CommandContext& ctx) {
    // Ticks go on while the message box is open; a time-of-day alarm would otherwise be
    // announced again every ten seconds until its minute is over.
    if (m_announcing) return;
    AppState& state = ctx.state;
    const QTime now = ctx.services.clock.now().time();
    if (now.hour() == state.AlarmHour && now.minute() == state.AlarmMinute) {
        {
            m_announcing = true;
            const auto done = qScopeGuard([this] { m_announcing = false; });
            ctx.services.prompts.message(QString::number(state.AlarmHour) + QStringLiteral("時") +
                                         QString::number(state.AlarmMinute) +
                                         QStringLiteral("分になりました。"));
        }
        state.AlarmHour = 0;
        state.AlarmMinute = 0;
        ctx.window.setTimerInterval(kAlarmTimer, 0);
        return;
    }
    if (state.AlarmHour < kCountdownStart) return;

    ++state.AlarmHour;
    if (state.AlarmHour - kCountdownStart != state.AlarmMinute) return;
    {
        m_announcing = true;
        const auto done = qScopeGuard([this] { m_announcing = false; });
        ctx.services.prompts.message(QString::number(state.AlarmMinute / kTicksPerMinute) +
                                     QStringLiteral("分たちました。"));
    }
    ctx.window.setTimerInterval(kAlarmTimer, 0);
}
