#pragma once


#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

// The state several subsystems share; the undo history and the open document have owners of
// their own (UndoHistory, DocumentSession). Created once by the application and passed by reference.
// Booleans the program stores as -1/0 are plain bools here; only their meaning matters.
struct AppState {

    QString ClipboardView;
    QString SecondClipboard;

    // The figures the position panel (or the history viewer) last showed; the jump's range
    // and the selection panel read them as shown.
    int LineTotal = 0;
    int CharTotal = 0;


    // 1-based: index 0 is never used.
    QStringList ClipHistory{QString(), QString()};
    int ClipHistoryCount = 1;

    QString FindText;
    QString ReplaceText;
    int SearchStart = 0;
    int FoundAt = 0;

    // The writer's phrases (popsitei/mnusitei 0..9); the menu captions only show them.
    std::array<QString, 10> UserStrings;

    QString OldEnding;
    bool ConfirmClosed = false;

    quint8 BackupTicks = 2;
    quint8 BackupCountdown = 0;
    int AlarmHour = 0;
    int AlarmMinute = 0;


};
