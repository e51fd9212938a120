#include "history/UndoHistory.h"
#include "MainFixture.h"

#include "command/Settings.h"
#include "platform/Cp932Codec.h"
#include "shell/ui/OptionsDialog.h"
#include "shell/Options.h"
#include "support/FakeWindow.h"
#include "support/FindChild.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

namespace {

QString iniOf(const FakeEditor& e) {
    QFile f(settings::iniPath(e.dir.path()));
    return f.open(QIODevice::ReadOnly) ? cp932::decode(f.readAll()) : QString();
}

// ---------------------------------------------------------------- OK

struct OkCase {
    const char* name;
    bool backupOn;
    const char16_t* interval;
    const char16_t* undo;
    const char* checks;      // Check1..Check4
    const char16_t* message; // empty: accepted
    int ticks, countdown;    // before: 2 and 4
    int timer1;              // Timer1's interval afterwards; it was running
    int maxUndo;             // before: 7
    // The keys written before the four check boxes, in order; the check boxes follow them.
    const char16_t* stored;
};

const OkCase kOkCases[] = {
    {"ListEntries", true, u"3", u"100", "1010", u"", 6, 4, 30000, 100, u"timer=3|maxundo=100"},
    {"HalfMinute", true, u"0.5", u"設定しない", "0101", u"", 1, 1, 30000, 10000,
     u"timer=0.5|maxundo=設定しない"},
    {"HalfTickToEvenDown", true, u"1.25", u"10", "1111", u"", 2, 2, 30000, 10,
     u"timer=1.25|maxundo=10"},
    {"HalfTickToEvenUp", true, u"0.75", u"1000", "0000", u"", 2, 2, 30000, 1000,
     u"timer=0.75|maxundo=1000"},
    {"LeadingNumber", true, u" 5分", u"", "1010", u"", 10, 4, 30000, 7, u"timer= 5分|maxundo="},
    {"Longest", true, u"127.5", u"10", "1010", u"", 255, 4, 30000, 10, u"timer=127.5|maxundo=10"},
    {"TypedCount", true, u"1", u"50", "1010", u"", 2, 2, 30000, 7, u"timer=1|maxundo=50"},
    {"BackupOff", false, u"abc", u"100", "1010", u"", 2, 4, 0, 100, u"maxundo=100"},
    {"ZeroTicks", true, u"0.25", u"100", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
    {"NoNumber", true, u"abc", u"100", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
    {"TooLong", true, u"128", u"100", "1010", u"Error", 2, 4, 30000, 7, nullptr},
    {"Negative", true, u"-5", u"100", "1010", u"Error", 2, 4, 30000, 7, nullptr},
    {"UndoTooLarge", true, u"1", u"50000", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
    {"UndoNotNumber", true, u"1", u"abc", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
    {"UndoNegative", false, u"1", u"-5", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
    {"UndoNotWhole", true, u"1", u"2.5", "1010", u"不正な値です。", 2, 4, 30000, 7, nullptr},
};

class OptionsOk : public ::testing::TestWithParam<OkCase> {};

TEST_P(OptionsOk, AppliesAndStoresOrRefuses) {
    const OkCase& c = GetParam();
    FakeEditor e;
    e.history.setMaxUndo(7);
    e.state.BackupCountdown = 4;
    OptionsSetup setup(e.ctx);
    if (c.backupOn)
        setup.onBackupOnChosen();
    else
        setup.onBackupOffChosen();
    setup.intervalText = QString::fromUtf16(c.interval);
    setup.undoText = QString::fromUtf16(c.undo);
    for (int i = 0; i < 4; ++i)
        setup.checks[i] = c.checks[i] == '1';

    const QString message = QString::fromUtf16(c.message);
    EXPECT_EQ(setup.onOkClicked(), message.isEmpty());
    EXPECT_EQ(e.fake.prompts.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    EXPECT_EQ(e.state.BackupTicks, c.ticks);
    EXPECT_EQ(e.state.BackupCountdown, c.countdown);
    EXPECT_EQ(e.window.intervals[1], c.timer1);
    EXPECT_EQ(e.history.maxUndo(), c.maxUndo);
    QString stored;
    if (c.stored)
        stored = QStringLiteral("[data]|%1|auto=%2|font=%3|color=%4|ime=%5|")
                     .arg(QString::fromUtf16(c.stored))
                     .arg(c.checks[0])
                     .arg(c.checks[1])
                     .arg(c.checks[2])
                     .arg(c.checks[3])
                     .replace(u'|', QStringLiteral("\r\n"));
    EXPECT_EQ(iniOf(e), stored);
}

INSTANTIATE_TEST_SUITE_P(Table, OptionsOk, ::testing::ValuesIn(kOkCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A stopped backup starts again with its first tick a whole interval away; a running one keeps
// its rhythm.
TEST(OptionsBackup, StoppedTimerStartsAgain) {
    FakeEditor e;
    e.window.intervals[1] = 0;
    OptionsSetup setup(e.ctx);
    setup.intervalText = QStringLiteral("3");
    ASSERT_TRUE(setup.onOkClicked());
    EXPECT_EQ(e.window.intervals[1], 30000);
}

// ---------------------------------------------------------------- load

// What each stored check-box value shows: what the next start-up does with it.
struct CheckCase {
    int box; // 0 auto, 1 font, 2 color, 3 ime
    const char* value;
    bool checked;
};

const CheckCase kCheckCases[] = {
    {0, nullptr, false}, {0, "1", true},  {0, "0", false},     {0, "abc", false}, {0, "2", false},
    {1, nullptr, true},  {1, "1", true},  {1, "0", false},     {1, "abc", true},  {1, "2", false},
    {2, nullptr, true},  {2, "0", false}, {3, nullptr, false}, {3, "0", false},   {3, "1", true},
    {3, "abc", false},   {3, "2", true},
};

TEST(OptionsLoad, CheckBoxesShowWhatTheNextStartDoes) {
    const char* keys[4] = {"auto", "font", "color", "ime"};
    for (const CheckCase& c : kCheckCases) {
        FakeEditor e;
        if (c.value) {
            QFile f(settings::iniPath(e.dir.path()));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("[data]\r\n") + keys[c.box] + "=" + c.value + "\r\n");
        }
        OptionsSetup setup(e.ctx);
        EXPECT_EQ(setup.checks[c.box], c.checked) << keys[c.box] << "=" << (c.value ? c.value : "");
    }
}

// The limit start-up takes from maxundo: a stored number wins, anything unreadable keeps 100.
TEST(OptionsLoad, UndoLimitAtStartUp) {
    const std::pair<const char16_t*, int> rows[] = {
        {u"", 100},  {u"abc", 100}, {u"70000", 100}, {u"設定しない", 10000},
        {u"50", 50}, {u"0", 0},     {u" 10 ", 10},
    };
    for (const auto& [value, limit] : rows)
        EXPECT_EQ(startupchoice::maxUndo(QString::fromUtf16(value)), limit)
            << QString::fromUtf16(value).toStdString();
}

// ---------------------------------------------------------------- the form

TEST_F(MainFixture, OptionsFormForwardsAndStaysOpenOnAnError) {
    writeIni("[data]\r\ntimer=3\r\nfont=0\r\n");
    MainWindow& w = start();
    OptionsDialog form(w.context(), &w);
    auto* combo1 = child<QComboBox>(&form, "Combo1");
    auto* combo2 = child<QComboBox>(&form, "Combo2");
    EXPECT_EQ(combo1->currentText(), QStringLiteral("3"));
    EXPECT_EQ(combo2->currentText(), QString());
    EXPECT_TRUE(child<QRadioButton>(&form, "Option2")->isChecked());
    EXPECT_FALSE(child<QCheckBox>(&form, "Check2")->isChecked());

    child<QRadioButton>(&form, "Option1")->setChecked(true);
    EXPECT_FALSE(combo1->isEnabled());
    EXPECT_FALSE(child<QLabel>(&form, "Label2")->isEnabled());
    child<QRadioButton>(&form, "Option2")->setChecked(true);
    EXPECT_TRUE(combo1->isEnabled());

    form.show();
    combo1->setEditText(QStringLiteral("0"));
    child<QPushButton>(&form, "Command1")->click();
    EXPECT_EQ(fake.prompts.texts(), QStringList{QStringLiteral("不正な値です。")});
    EXPECT_TRUE(form.isVisible());

    combo1->setCurrentIndex(0);
    combo2->setCurrentIndex(2);
    child<QCheckBox>(&form, "Check2")->setChecked(true);
    child<QPushButton>(&form, "Command1")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(state.BackupTicks, 1);
    EXPECT_EQ(w.history().maxUndo(), 100);
    EXPECT_EQ(readSetting(settings::kSection, QStringLiteral("font"), iniPath()), "1");
}

} // namespace
