#pragma once

#include "command/CommandContext.h"

#include <QString>
#include <QStringList>
#include <QStringView>

// The save dialog's filters. The first two keep the document's encoding; the last two save it
// in another one.
inline const QStringList kSaveFilters{QStringLiteral("textﾌｧｲﾙ (*.txt)|*.txt"),
                                      QStringLiteral("htmlﾌｧｲﾙ (*.htm)|*.htm"),
                                      QStringLiteral("textﾌｧｲﾙ UTF-8で保存 (*.txt)|*.txt"),
                                      QStringLiteral("textﾌｧｲﾙ Shift_JISで保存 (*.txt)|*.txt")};
inline constexpr int kHtmlFilter = 2;
inline constexpr int kUtf8Filter = 3;
inline constexpr int kShiftJisFilter = 4;

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

// Writes `text` (the text box's text: the unmappable question selects in it) to path in the
// document's format; clears Dirty on success, reports the failure otherwise. Characters
// Shift_JIS cannot hold are confirmed first (the writer may save as UTF-8 instead); a cancel
// writes nothing. True when written.
bool writeDocumentFile(CommandContext& ctx, const QString& path, const QString& text);
// Saves `text` to the current document; asks for a name when it is untitled or is the
// backup of a lost session. True when written.
bool saveText(CommandContext& ctx, const QString& text);
// Asks for a name (never the backup file's) and saves `text` there, in the encoding the
// chosen filter names. False when cancelled, refused or the write failed.
bool saveTextAs(CommandContext& ctx, const QString& text);
