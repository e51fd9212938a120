#pragma once

#include <QString>
#include <QtGlobal>

struct AppState;
class Clipboard;
class StatusPanels;

// The two clipboard panels of the status bar.
namespace clippanels {

// From this length on the clipboard panel shows only the first kPreview characters.
inline constexpr int kLongClipboard = 32000;
inline constexpr int kPreview = 100;
// After a replace dialog closes or a history entry is copied back, only texts of more than
// 33000 characters are cut.
inline constexpr int kLongAfterCopy = 33001;

// ClipboardView from the system clipboard, written to panel 1; a text of `longFrom` characters
// or more keeps only its first kPreview. False (and nothing changed) when the clipboard cannot
// be read.
bool refreshClipboardPanel(AppState& state, Clipboard& clipboard, StatusPanels& window,
                           qsizetype longFrom = kLongClipboard);
// Panel 2 from SecondClipboard.
void refreshSecondClipboardPanel(const AppState& state, StatusPanels& window);

} // namespace clippanels
