#pragma once

#include <QString>

struct CommandContext;

// The three newest document paths at the end of the file menu (mnuRecentFile(0..2)).
inline constexpr int kRecentFileCount = 3;

// Puts path at index 0; the entry at index 2 falls off. Duplicates are kept.
void PushRecentFile(CommandContext& ctx, const QString& path);
// Opens the file of item `index` after the save prompt. The list's order does not change.
void openRecentFile(CommandContext& ctx, int index);
