#pragma once

#include "state/DocumentFormat.h"

struct CommandContext;

// How the save prompt ended.
enum class SavePromptResult {
    Unchanged, // the document had no changes: nothing was asked
    Declined,  // No: go on without saving
    Cancelled, // Cancel: the command is abandoned
    Saved,     // Yes, and the text was written
    NotSaved,  // Yes, but the save was cancelled, refused or failed
};

// The document is a text recovered from the backup of a lost session. It has no other copy
// (the backup goes at shutdown and is overwritten at the next tick), so whatever would drop it
// asks first, although it counts as unchanged.
bool isRecoveredText(const CommandContext& ctx);

// The question before a command replaces a changed (or recovered) document:
// "<path>の内容が変更されています。 保存しますか？" with Yes, No and Cancel. Yes calls `save` with
// the text.
using SaveFunction = bool (*)(CommandContext&, const QString& text);
SavePromptResult askToSave(CommandContext& ctx, SaveFunction save);

// New, Open, Insert file, Save and Save As.
void newDocument(CommandContext& ctx);
void openDocument(CommandContext& ctx);
void insertFile(CommandContext& ctx);
void saveDocument(CommandContext& ctx);
void saveDocumentAs(CommandContext& ctx);

// Runs when the open dialog accepts the file at `path`. Open mode replaces the
// document, insert mode appends the file on a new line. The dialog closes itself afterwards.
void loadAcceptedFile(CommandContext& ctx, const QString& path, bool insertMode);
