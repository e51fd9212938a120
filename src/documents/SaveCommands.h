#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The save dialog's filters.
inline const QStringList kSaveFilters{QStringLiteral("textﾌｧｲﾙ (*.txt)|*.txt"),
                                      QStringLiteral("htmlﾌｧｲﾙ (*.htm)|*.htm")};
inline constexpr int kHtmlFilter = 2;

// What the save dialog is opened with.
struct SaveProposal {
    QString name;      // already cleaned
    bool html = false; // select the html filter
};

// The name the save dialog proposes. `currentPath` is the document's own file, empty for a
// document without one (untitled, or recovered from the backup); `text` is the text to save.
SaveProposal proposeSaveName(const QString& currentPath, QStringView text);
// Removes, compared as text, the characters a file name cannot hold and the line breaks.
QString cleanProposedName(QStringView name);

// The save dialog's filter selection (1-based). Like the dialog control it stands for, it
// keeps the choice made at its previous use.
int& saveDialogFilterIndex();

// Writes SaveText to path; clears Dirty on success, reports the failure otherwise. Characters
// Shift_JIS cannot hold are confirmed first; a refusal writes nothing. True when written.
bool WriteDocumentFile(CommandContext& ctx, const QString& path);
// Saves SaveText to the current document; asks for a name when it is untitled or is the
// backup of a lost session. True when written.
bool SaveDocument(CommandContext& ctx);
// Asks for a name and saves SaveText there. False when cancelled, refused or the write failed.
bool SaveDocumentAs(CommandContext& ctx);
