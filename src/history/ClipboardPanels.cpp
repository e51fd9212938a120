#include "history/ClipboardPanels.h"

#include "command/MainWindowPort.h"
#include "platform/Services.h"
#include "state/AppState.h"

namespace clippanels {

bool refreshClipboardPanel(AppState& state, Clipboard& clipboard, MainWindowPort& window) {
    QString clip;
    if (!clipboard.text(clip)) return false;
    if (clip.size() >= kLongClipboard) clip.truncate(kPreview);
    state.ClipboardView = clip;
    showClipboardView(window, state.ClipboardView);
    return true;
}

void showClipboardView(MainWindowPort& window, const QString& view) {
    window.setQuotedPanelText(1, QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容："), view);
}

void refreshSecondClipboardPanel(const AppState& state, MainWindowPort& window) {
    window.setQuotedPanelText(2, QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容："), state.SecondClipboard);
}

} // namespace clippanels
