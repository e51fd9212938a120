#pragma once

#include "platform/Services.h"
#include "platform/TextBox.h"
#include "shell/MainWindowPort.h"
#include "state/AppState.h"

// What the save procedures work on.
struct DocumentContext {
    AppState& state;
    TextBox& text;
    Services& services;
    MainWindowPort& window;
};

// The save dialog's filters.
inline const QStringList kSaveFilters{QStringLiteral("textﾌｧｲﾙ (*.txt)|*.txt"),
                                      QStringLiteral("htmlﾌｧｲﾙ (*.htm)|*.htm")};

// Writes SaveText to path; clears Dirty on success, reports the failure otherwise.
bool WriteDocumentFile(DocumentContext& ctx, const QString& path);
// Saves SaveText to the current document (asks for a name when it is untitled).
bool SaveDocument(DocumentContext& ctx);
// Asks for a name and saves SaveText there. False when cancelled or the write failed.
bool SaveDocumentAs(DocumentContext& ctx);
