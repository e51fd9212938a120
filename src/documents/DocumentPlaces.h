#pragma once

#include "documents/DocumentSession.h"

struct CommandContext;

// Where the writer is in the document now.
DocumentPlace currentPlace(const CommandContext& ctx);
// Caret and view to `place`, kept within the text and off the middle of a line break or a
// surrogate pair: the file may have changed since the place was taken.
void goToPlace(CommandContext& ctx, const DocumentPlace& place);
// The document is about to be closed or replaced: its recent entries keep where the writer was.
void rememberPlace(CommandContext& ctx);
// A file just opened: back to where the writer was when it was last closed, if it is a recent
// file with a place.
void restorePlace(CommandContext& ctx);
