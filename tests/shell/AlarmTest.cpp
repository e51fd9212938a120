#include "MainFixture.h"

#include "shell/AlarmClock.h"
#include "shell/ui/AlarmDialog.h"
#include "support/FakeWindow.h"
#include "support/FindChild.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <functional>
#include <utility>

namespace {

QDateTime at(int day, int hour, int minute, int second = 0) {
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
}

QStringList texts(const QList<RecordedMessage>& shown) {
    QStringList list;
    for (const RecordedMessage& m : shown)
        list.append(m.text);
    return list;
}

// Runs Timer2 the way the platform does: every ten seconds of the clock while it is running.
// Returns the number of the tick that showed a message, 0 when none did within `maxTicks`.
int runAlarm(FakeEditor& e, AlarmClock& alarm, int maxTicks) {
    for (int tick = 1; tick <= maxTicks && e.window.intervals[2] != 0; ++tick) {
        e.fake.clock.current = e.fake.clock.current.addSecs(10);
        const qsizetype before = e.fake.prompts.shown.size();
        alarm.onAlarmTimer(e.ctx);
        if (e.fake.prompts.shown.size() != before) return tick;
    }
    return 0;
}

} // namespace

// ---------------------------------------------------------------- the dialog's model

TEST(AlarmSetup, Lists) {
    const QStringList hours = AlarmSetup::hourList();
    const QStringList minutes = AlarmSetup::minuteList();
    ASSERT_EQ(hours.size(), 24);
    ASSERT_EQ(minutes.size(), 60);
    for (int i = 0; i < 60; ++i) {
        if (i < 24) EXPECT_EQ(hours[i], QString::number(i));
        EXPECT_EQ(minutes[i], QString::number(i));
    }
}

struct PreselectCase {
    QTime now;
    int hour;
    int minute;
};

class AlarmPreselection : public ::testing::TestWithParam<PreselectCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const PreselectCase&, std::ostream* os) { *os << "row"; }

TEST_P(AlarmPreselection, NextMinute) {
    FakeEditor e;
    e.fake.clock.current = QDateTime(QDate(2026, 12, 8), GetParam().now);
    const AlarmSetup setup(e.ctx);
    EXPECT_EQ(setup.hourIndex(), GetParam().hour);
    EXPECT_EQ(setup.minuteIndex(), GetParam().minute);
    EXPECT_TRUE(setup.timeOfDay());
    EXPECT_TRUE(setup.hourEnabled());
    EXPECT_EQ(setup.hourCaption(), QStringLiteral("時"));
    EXPECT_EQ(setup.minuteCaption(), QStringLiteral("分"));
}

// At :59 the next minute lies in the next hour; after 23:59 it is 0:00.
INSTANTIATE_TEST_SUITE_P(Times, AlarmPreselection,
                         ::testing::Values(PreselectCase{QTime(9, 4, 59), 9, 5},
                                           PreselectCase{QTime(0, 0), 0, 1},
                                           PreselectCase{QTime(13, 58), 13, 59},
                                           PreselectCase{QTime(9, 59, 30), 10, 0},
                                           PreselectCase{QTime(23, 59), 0, 0}));

TEST(AlarmSetup, OptionsSwitchTheControls) {
    FakeEditor e;
    e.fake.clock.current = at(8, 9, 4);
    AlarmSetup setup(e.ctx);

    setup.onAfterMinutesChosen();
    EXPECT_FALSE(setup.timeOfDay());
    EXPECT_FALSE(setup.hourEnabled());
    EXPECT_EQ(setup.hourCaption(), QStringLiteral("時"));
    EXPECT_EQ(setup.minuteCaption(), QStringLiteral("分後"));
    EXPECT_EQ(setup.minuteIndex(), 0);

    e.fake.clock.current = at(8, 9, 7);
    setup.onAtTimeChosen();
    EXPECT_TRUE(setup.timeOfDay());
    EXPECT_TRUE(setup.hourEnabled());
    EXPECT_EQ(setup.hourCaption(), QStringLiteral("時間"));
    EXPECT_EQ(setup.minuteCaption(), QStringLiteral("分"));
    EXPECT_EQ(setup.minuteIndex(), 7); // the current minute this time, not the next
}

TEST(AlarmSetup, OkSetsATimeOfDay) {
    FakeEditor e;
    AlarmSetup setup(e.ctx);
    setup.onHourChosen(9);
    setup.onMinuteChosen(5);
    setup.onOkClicked();
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, QStringLiteral("9時5分に知らせます。"));
    EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(e.window.intervals[2], 10000);
    EXPECT_EQ(e.state.AlarmHour, 9);
    EXPECT_EQ(e.state.AlarmMinute, 5);
}

TEST(AlarmSetup, OkSetsACountdownReplacingTheTimeOfDay) {
    FakeEditor e;
    e.state.AlarmHour = 9;
    e.state.AlarmMinute = 5;
    e.window.intervals[2] = 10000;
    AlarmSetup setup(e.ctx);
    setup.onAfterMinutesChosen();
    setup.onMinuteChosen(5);
    setup.onOkClicked();
    EXPECT_EQ(texts(e.fake.prompts.shown), QStringList{QStringLiteral("5分後に知らせます。")});
    EXPECT_EQ(e.window.intervals[2], 10000);
    EXPECT_EQ(e.state.AlarmHour, 24);
    EXPECT_EQ(e.state.AlarmMinute, 30);
}

// ---------------------------------------------------------------- the check

TEST(AlarmClock, TimeOfDaySetLaterFiresTheNextDay) {
    FakeEditor e;
    e.fake.clock.current = at(8, 9, 10);
    AlarmSetup setup(e.ctx);
    setup.onHourChosen(9);
    setup.onMinuteChosen(5);
    setup.onOkClicked();
    e.fake.prompts.shown.clear();

    AlarmClock alarm;
    const int fired = runAlarm(e, alarm, 10000);
    // 9:10:00 to 9:05:00 the next day is 23 h 55 min: tick 8610 is the first at 9:05.
    EXPECT_EQ(fired, 8610);
    EXPECT_EQ(e.fake.clock.current, at(9, 9, 5));
    EXPECT_EQ(texts(e.fake.prompts.shown), QStringList{QStringLiteral("9時5分になりました。")});
    EXPECT_EQ(e.state.AlarmHour, 0);
    EXPECT_EQ(e.state.AlarmMinute, 0);
    EXPECT_EQ(e.window.intervals[2], 0);
}

TEST(AlarmClock, TimeOfDayFiresInsideItsMinuteOnly) {
    FakeEditor e;
    e.state.AlarmHour = 0;
    e.state.AlarmMinute = 0;
    e.window.intervals[2] = 10000;
    AlarmClock alarm;
    for (const QDateTime& t : {at(8, 23, 59, 59), at(8, 1, 0), at(8, 0, 1), at(8, 12, 0)}) {
        e.fake.clock.current = t;
        alarm.onAlarmTimer(e.ctx);
    }
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(e.window.intervals[2], 10000);
    e.fake.clock.current = at(9, 0, 0, 50);
    alarm.onAlarmTimer(e.ctx);
    EXPECT_EQ(texts(e.fake.prompts.shown), QStringList{QStringLiteral("0時0分になりました。")});
    EXPECT_EQ(e.window.intervals[2], 0);
}

class AlarmCountdown : public ::testing::TestWithParam<int> {};

TEST_P(AlarmCountdown, FiresAtTickSixTimesTheMinutes) {
    const int minutes = GetParam();
    FakeEditor e;
    // A clock standing at the time the countdown ends must not matter: AlarmHour is no hour.
    e.fake.clock.current = at(8, 0, 0);
    AlarmSetup setup(e.ctx);
    setup.onAfterMinutesChosen();
    setup.onMinuteChosen(minutes);
    setup.onOkClicked();
    e.fake.prompts.shown.clear();

    AlarmClock alarm;
    EXPECT_EQ(runAlarm(e, alarm, 1000), 6 * minutes);
    EXPECT_EQ(texts(e.fake.prompts.shown),
              QStringList{QString::number(minutes) + QStringLiteral("分たちました。")});
    EXPECT_EQ(e.window.intervals[2], 0);
}

INSTANTIATE_TEST_SUITE_P(Minutes, AlarmCountdown, ::testing::Values(1, 5, 30, 59));

TEST(AlarmClock, ZeroMinuteCountdownNeverFires) {
    FakeEditor e;
    AlarmSetup setup(e.ctx);
    setup.onAfterMinutesChosen();
    setup.onOkClicked();
    EXPECT_EQ(texts(e.fake.prompts.shown), QStringList{QStringLiteral("0分後に知らせます。")});
    e.fake.prompts.shown.clear();
    AlarmClock alarm;
    EXPECT_EQ(runAlarm(e, alarm, 20000), 0);
    EXPECT_EQ(e.window.intervals[2], 10000);
}

// Ticks keep coming while the alarm's message box is open.
class ReentrantAlarm : public ::testing::Test {
protected:
    FakeEditor e;
    ScriptedPrompts& prompts = e.fake.prompts;
    CommandContext& ctx = e.ctx;
    AlarmClock alarm;
};

TEST_F(ReentrantAlarm, TimeOfDayIsAnnouncedOnceAndClearedAfterTheMessage) {
    e.fake.clock.current = at(8, 9, 5);
    e.state.AlarmHour = 9;
    e.state.AlarmMinute = 5;
    e.window.intervals[2] = 10000;
    bool nested = false;
    prompts.whileOpen = [&] {
        if (std::exchange(nested, true)) return; // a second message is the fault itself
        // Shown before cleared.
        EXPECT_EQ(e.state.AlarmHour, 9);
        EXPECT_EQ(e.window.intervals[2], 10000);
        EXPECT_TRUE(alarm.announcing());
        for (int i = 0; i < 5; ++i) {
            e.fake.clock.current = e.fake.clock.current.addSecs(10);
            alarm.onAlarmTimer(ctx);
        }
    };
    alarm.onAlarmTimer(ctx);
    EXPECT_EQ(prompts.texts(), QStringList{QStringLiteral("9時5分になりました。")});
    EXPECT_FALSE(alarm.announcing());
    EXPECT_EQ(e.state.AlarmHour, 0);
    EXPECT_EQ(e.state.AlarmMinute, 0);
    EXPECT_EQ(e.window.intervals[2], 0);
}

// ---------------------------------------------------------------- the form

class AlarmDialogTest : public ::testing::Test {
protected:
    FakeEditor e;
    std::unique_ptr<AlarmDialog> form;
    void SetUp() override {
        e.fake.clock.current = at(8, 9, 4);
        form = std::make_unique<AlarmDialog>(e.ctx);
    }
    template <typename W> W* child(const char* name) const { return ::child<W>(form.get(), name); }
};

TEST_F(AlarmDialogTest, ControlsAndCaptions) {
    EXPECT_EQ(form->objectName(), QStringLiteral("AlarmDialog"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("タイマー設定"));
    EXPECT_EQ(child<QRadioButton>("Option1")->text(), QStringLiteral("何時何分に知らせる"));
    EXPECT_EQ(child<QRadioButton>("Option2")->text(), QStringLiteral("何分後に知らせる"));
    EXPECT_TRUE(child<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(child<QRadioButton>("Option2")->isChecked());
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("時"));
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("分"));
    EXPECT_EQ(child<QPushButton>("Command1")->text(), QStringLiteral("OK(&O)"));
    EXPECT_EQ(child<QPushButton>("Command2")->text(), QStringLiteral("キャンセル"));
    QComboBox* hours = child<QComboBox>("Combo1");
    QComboBox* minutes = child<QComboBox>("Combo2");
    EXPECT_FALSE(hours->isEditable());
    EXPECT_FALSE(minutes->isEditable());
    EXPECT_EQ(hours->count(), 24);
    EXPECT_EQ(minutes->count(), 60);
    EXPECT_EQ(hours->currentText(), QStringLiteral("9"));
    EXPECT_EQ(minutes->currentText(), QStringLiteral("5"));
}

TEST_F(AlarmDialogTest, OptionButtonsSwitchTheControls) {
    auto* hours = child<QComboBox>("Combo1");
    auto* minutes = child<QComboBox>("Combo2");
    child<QRadioButton>("Option2")->click();
    EXPECT_FALSE(hours->isEnabled());
    EXPECT_FALSE(child<QLabel>("Label1")->isEnabled());
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("分後"));
    EXPECT_EQ(minutes->currentText(), QStringLiteral("0"));

    child<QRadioButton>("Option1")->click();
    EXPECT_TRUE(hours->isEnabled());
    EXPECT_TRUE(child<QLabel>("Label1")->isEnabled());
    EXPECT_EQ(child<QLabel>("Label1")->text(), QStringLiteral("時間"));
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("分"));
    EXPECT_EQ(minutes->currentText(), QStringLiteral("4"));
}

TEST_F(AlarmDialogTest, OkAnnouncesTheChosenTimeAndCloses) {
    child<QComboBox>("Combo1")->setCurrentIndex(14);
    child<QComboBox>("Combo2")->setCurrentIndex(30);
    child<QPushButton>("Command1")->click();
    EXPECT_EQ(texts(e.fake.prompts.shown), QStringList{QStringLiteral("14時30分に知らせます。")});
    EXPECT_EQ(form->result(), QDialog::Accepted);
    EXPECT_EQ(e.window.intervals[2], 10000);
    EXPECT_EQ(e.state.AlarmHour, 14);
    EXPECT_EQ(e.state.AlarmMinute, 30);
}

TEST_F(AlarmDialogTest, CancelChangesNothing) {
    child<QRadioButton>("Option2")->click();
    child<QComboBox>("Combo2")->setCurrentIndex(3);
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(form->result(), QDialog::Rejected);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(e.window.intervals[2], 0);
    EXPECT_EQ(e.state.AlarmHour, 0);
}

// ---------------------------------------------------------------- the main window

TEST_F(MainFixture, MenuOpensTheAlarmDialogAndTimer2Ticks) {
    MainWindow& w = start();
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AlarmDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->parentWidget(), &w);
        dialog->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
        dialog->findChild<QComboBox*>(QStringLiteral("Combo2"))->setCurrentIndex(1);
        dialog->findChild<QPushButton*>(QStringLiteral("Command1"))->click();
    });
    w.runCommand(QStringLiteral("mnutmr"));
    ASSERT_TRUE(seen);
    EXPECT_EQ(texts(fake.prompts.shown), QStringList{QStringLiteral("1分後に知らせます。")});
    EXPECT_EQ(w.timerInterval(2), 10000);

    for (int tick = 1; tick < 6; ++tick)
        w.onAlarmTimer();
    EXPECT_EQ(fake.prompts.shown.size(), 1);
    w.onAlarmTimer();
    EXPECT_EQ(fake.prompts.shown.last().text, QStringLiteral("1分たちました。"));
    EXPECT_EQ(w.timerInterval(2), 0);
}

TEST_F(MainFixture, Timer2TimeoutRunsTheAlarmCheck) {
    MainWindow& w = start();
    fake.clock.current = at(8, 7, 30);
    state.AlarmHour = 7;
    state.AlarmMinute = 30;
    // A short interval lets the real timer tick; only the wiring is under test.
    w.setTimerInterval(2, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !fake.prompts.shown.isEmpty(); }, 10000));
    EXPECT_EQ(texts(fake.prompts.shown), QStringList{QStringLiteral("7時30分になりました。")});
    EXPECT_EQ(w.timerInterval(2), 0);
}
