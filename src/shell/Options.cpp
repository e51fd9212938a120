#include "shell/Options.h"
#include "history/UndoHistory.h"

#include "command/NumberText.h"
#include "command/Settings.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kBackupTimer = 1;
constexpr int kTickMs = 30000;
constexpr double kMaxTicks = 255;
constexpr double kMaxUndoTyped = 32767;

const QString kError = QStringLiteral("Error");
const QString kInvalid = QStringLiteral("不正な値です。");

const QString kCheckKeys[4] = {settings::key::Auto, settings::key::Font, settings::key::Color,
                               settings::key::Ime};

} // namespace

// ---------------------------------------------------------------- start-up rules

namespace startupchoice {

bool opensLastFile(const QString& value) {
    const auto v = numtext::toDouble(value);
    return v && *v == 1;
}

bool appliesStored(const QString& value) {
    const auto v = numtext::toDouble(value);
    return !v || *v == 1;
}

bool startsWithIme(const QString& value) {
    const auto v = numtext::toDouble(value);
    return v && *v != 0;
}

qint16 maxUndo(const QString& value) {
    if (value == settings::kNoUndoLimit) return kUnlimitedUndo;
    return numtext::toInt16(value).value_or(kDefaultMaxUndo);
}

} // namespace startupchoice

// ---------------------------------------------------------------- the dialog

OptionsSetup::OptionsSetup(CommandContext& ctx) : m_ctx(ctx) {
    const QString ini = settings::iniPath(ctx.programDir);
    const auto read = [&](const QString& key) {
        return readSetting(settings::kSection, key, ini);
    };
    checks[0] = startupchoice::opensLastFile(read(settings::key::Auto));
    checks[1] = startupchoice::appliesStored(read(settings::key::Font));
    checks[2] = startupchoice::appliesStored(read(settings::key::Color));
    checks[3] = startupchoice::startsWithIme(read(settings::key::Ime));
    intervalText = read(settings::key::Timer);
    undoText = read(settings::key::MaxUndo);
}

QStringList OptionsSetup::intervalList() {
    return {QStringLiteral("0.5"), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("5"),
            QStringLiteral("10")};
}

QStringList OptionsSetup::undoList() {
    return {settings::kNoUndoLimit, QStringLiteral("1000"), QStringLiteral("100"),
            QStringLiteral("10")};
}

double OptionsSetup::intervalTicks(const QString& text) {
    // Leading blanks, a sign, digits and one decimal point, as far as they go.
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    QString number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) number += text[i++];
    bool point = false, digits = false;
    for (; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9')
            digits = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
        number += c;
    }
    if (!digits) return 0;
    const double minutes = QLocale::c().toDouble(number);
    return std::nearbyint(minutes * 2);
}

bool OptionsSetup::undoTextAcceptable() const {
    if (undoText.isEmpty() || undoList().contains(undoText)) return true;
    // Anything else comes back at the next start-up as the limit itself: a count the history
    // can hold, never a value that silently switches Undo off.
    const auto v = numtext::toDouble(undoText);
    return v && *v == std::floor(*v) && *v >= 0 && *v <= kMaxUndoTyped;
}

void OptionsSetup::write(const QString& key, const QString& value) {
    writeSetting(settings::kSection, key, settings::iniPath(m_ctx.programDir), value);
}

bool OptionsSetup::onOkClicked() {
    AppState& state = m_ctx.state;
    double ticks = 0;
    if (m_backupOn) {
        ticks = intervalTicks(intervalText);
        if (!(ticks >= 0 && ticks <= kMaxTicks)) {
            m_ctx.services.prompts.message(kError);
            return false;
        }
        if (ticks == 0) {
            m_ctx.services.prompts.message(kInvalid);
            return false;
        }
    }
    if (!undoTextAcceptable()) {
        m_ctx.services.prompts.message(kInvalid);
        return false;
    }

    if (!m_backupOn) {
        m_ctx.window.setTimerInterval(kBackupTimer, 0);
    } else {
        // A running timer keeps its rhythm; restarting it would push the next tick back.
        if (m_ctx.window.timerInterval(kBackupTimer) != kTickMs)
            m_ctx.window.setTimerInterval(kBackupTimer, kTickMs);
        state.BackupTicks = static_cast<quint8>(ticks);
        // A shorter interval takes effect at once, not after the old countdown has run out.
        state.BackupCountdown = std::min(state.BackupCountdown, state.BackupTicks);
        write(settings::key::Timer, intervalText);
    }
    write(settings::key::MaxUndo, undoText);
    for (int i = 0; i < 4; ++i)
        write(kCheckKeys[i], checks[i] ? QStringLiteral("1") : QStringLiteral("0"));

    // A typed count waits for the next start-up; a list entry applies at once.
    if (undoText == settings::kNoUndoLimit)
        m_ctx.history.setMaxUndo(startupchoice::kUnlimitedUndo);
    else if (undoList().contains(undoText))
        m_ctx.history.setMaxUndo(static_cast<qint16>(undoText.toInt()));
    return true;
}
