#pragma once

#include <QString>

struct AppState;
struct CommandContext;

// The history push: `text` becomes the newest entry (slot 1) of the clipboard history. A text
// equal to an entry already held shares that entry's storage, so the history costs memory in
// proportion to its distinct texts.
void pushClipHistory(AppState& state, const QString& text);

// Text arriving from the other programs of this platform ends its lines in a lone LF: a text
// with LF and no CR gets CR LF breaks; any other text stays as it is.
QString pastedText(const QString& text);

// The commands of the 編集 menu, the popup and the toolbar.
void cutSelection(CommandContext& ctx);
void copySelection(CommandContext& ctx);
void pasteClipboard(CommandContext& ctx);
void deleteSelection(CommandContext& ctx);
void cutToSecondClipboard(CommandContext& ctx);
void copyToSecondClipboard(CommandContext& ctx);
void pasteSecondClipboard(CommandContext& ctx);
void copyAllText(CommandContext& ctx);
void selectAllText(CommandContext& ctx);
// A middle click in the text pastes the primary selection by 貼り付け's rules.
void pastePrimarySelection(CommandContext& ctx);
// popCB(index): pastes an older entry of the clipboard history.
void pasteClipboardHistoryEntry(CommandContext& ctx, int index);

// The menus as they open: the 編集 menu and the popup "編集".
void prepareEditMenu(CommandContext& ctx);
void preparePopupMenu(CommandContext& ctx);
