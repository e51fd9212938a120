#pragma once

#include "shell/CommandContext.h"

// The save dialog's filters.
inline const QStringList kSaveFilters{QStringLiteral("textﾌｧｲﾙ (*.txt)|*.txt"),
                                      QStringLiteral("htmlﾌｧｲﾙ (*.htm)|*.htm")};

// Writes SaveText to path; clears Dirty on success, reports the failure otherwise.
bool WriteDocumentFile(CommandContext& ctx, const QString& path);
// Saves SaveText to the current document (asks for a name when it is untitled).
bool SaveDocument(CommandContext& ctx);
// Asks for a name and saves SaveText there. False when cancelled or the write failed.
bool SaveDocumentAs(CommandContext& ctx);
