#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// How start-up reads the four start-up choices and the undo limit. The options dialog shows
// the check boxes by the same rules, so an untouched OK changes nothing about the next start.
namespace startupchoice {

// The history limit when maxundo holds no readable value: a fresh installation has Undo.
constexpr qint16 kDefaultMaxUndo = 100;
constexpr qint16 kUnlimitedUndo = 10000;

// auto: the last file opens only for the number 1.
bool opensLastFile(const QString& value);
// font, color: the stored appearance applies unless the value is a number other than 1.
bool appliesStored(const QString& value);
// ime: the designed hiragana mode unless the value is 0, missing or not a number.
bool startsWithIme(const QString& value);
qint16 maxUndo(const QString& value);

} // namespace startupchoice

// The options dialog (オプション) as values: the backup choice and interval, the four
// start-up check boxes and the undo limit. The form shows these and forwards its events.
class OptionsSetup {
public:
    // The dialog's load: lists filled, then the stored texts and flags shown.
    explicit OptionsSetup(CommandContext& ctx);

    static QStringList intervalList(); // Combo1
    static QStringList undoList();     // Combo2

    // Option2 (使用する) rather than Option1 (使用しない); Combo1 and Label2 follow it.
    bool backupOn() const { return m_backupOn; }
    void onBackupOffChosen() { m_backupOn = false; }
    void onBackupOnChosen() { m_backupOn = true; }

    // The texts of the two combo boxes, typed or picked.
    QString intervalText;
    QString undoText;
    // Check1 (auto), Check2 (font), Check3 (color), Check4 (ime).
    bool checks[4] = {};

    // OK: checks, applies and stores. False when a message was shown and the dialog stays
    // open with nothing applied or stored.
    bool onOkClicked();

    // The number of 30-second backup ticks the interval text asks for: the number at its
    // start in minutes, doubled and rounded half to even; text without a number gives 0.
    static double intervalTicks(const QString& text);

private:
    bool undoTextAcceptable() const;
    void write(const QString& key, const QString& value);

    CommandContext& m_ctx;
    bool m_backupOn = true;
};
