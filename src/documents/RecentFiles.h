#pragma once

struct CommandContext;

// Opens the recent file of item `index` (mnuRecentFile(0..2)) after the save prompt. The list's order does not change.
void openRecentFile(CommandContext& ctx, int index);
