#pragma once

#include "history/Checkpoint.h"
#include "state/DocumentFormat.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

// The state every command shares. Created once by the application and passed by reference.
// Booleans the program stores as -1/0 are plain bools here; only their meaning matters.
struct AppState {
    bool Dirty = false;
    QString LoadedText;
    QString SaveText;
    QString WorkPath;
    int FileNumber = 0;
    QString Scratch;
    bool CancelRequested = false;

    QString ClipboardView;
    QString SecondClipboard;
    bool UndoPending = false;

    int LineTotal = 0;
    int CaretLine = 0;
    int CaretColumn = 0;
    int CharTotal = 0;

    // The checkpoint history; slots count from 1.
    CheckpointList UndoData;
    int UndoCount = 1;
    CheckpointList RedoData;
    int RedoCount = 1;
    qint16 MaxUndo = 0;

    // 1-based: index 0 is never used.
    QStringList ClipHistory{QString(), QString()};
    int ClipHistoryCount = 1;

    QString FindText;
    QString ReplaceText;
    int SearchStart = 0;
    int FoundAt = 0;

    QString OldEnding;
    bool ConfirmClosed = false;

    quint8 BackupTicks = 2;
    quint8 BackupCountdown = 0;
    int AlarmHour = 0;
    int AlarmMinute = 0;

    QString SettingValue;

    // Edits the writer made in Text1 itself (typing, deleting, dropping) since the last
    // checkpoint. Undo, Redo and a restore from the viewer record them first, so that they
    // stay within reach of Undo and Redo.
    bool WriterEditPending = false;
    // How the document's file is written; applied only when bytes are read or written.
    DocumentFormat Format;
};
