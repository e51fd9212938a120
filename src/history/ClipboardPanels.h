#pragma once

#include <QString>

struct AppState;
class Clipboard;
class MainWindowPort;

// The two clipboard panels of the status bar.
namespace clippanels {

// From this length on the clipboard panel shows only the first kPreview characters.
inline constexpr int kLongClipboard = 32000;
inline constexpr int kPreview = 100;

// ClipboardView from the system clipboard, written to panel 1. False (and nothing changed)
// when the clipboard cannot be read.
bool refreshClipboardPanel(AppState& state, Clipboard& clipboard, MainWindowPort& window);
// Panel 1 from `view` as it stands.
void showClipboardView(MainWindowPort& window, const QString& view);
// Panel 2 from SecondClipboard.
void refreshSecondClipboardPanel(const AppState& state, MainWindowPort& window);

} // namespace clippanels
