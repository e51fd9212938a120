#include "history/ClipboardPanels.h"

#include "command/StatusPanels.h"
#include "platform/Services.h"
#include "state/AppState.h"

namespace clippanels {

bool refreshClipboardPanel(AppState& state, Clipboard& clipboard, StatusPanels& window,
                           qsizetype longFrom) {
    QString clip;
    if (!clipboard.text(clip)) return false;
    if (clip.size() >= longFrom) clip.truncate(kPreview);
    state.ClipboardView = clip;
    window.setQuotedPanelText(1, QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容："), state.ClipboardView);
    return true;
}

void refreshSecondClipboardPanel(const AppState& state, StatusPanels& window) {
    window.setQuotedPanelText(2, QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容："), state.SecondClipboard);
}

} // namespace clippanels
