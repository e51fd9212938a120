#include "documents/DocumentPlaces.h"

#include "command/CommandContext.h"
#include "documents/FileCommands.h"

#include <algorithm>

namespace {

int withinText(const QString& text, int pos) {
    pos = std::clamp(pos, 0, int(text.size()));
    if (pos > 0 && pos < text.size() &&
        ((text[pos - 1] == u'\r' && text[pos] == u'\n') || text[pos].isLowSurrogate()))
        --pos;
    return pos;
}

} // namespace

DocumentPlace currentPlace(const CommandContext& ctx) {
    return {ctx.text.selStart(), ctx.window.topPosition()};
}

void goToPlace(CommandContext& ctx, const DocumentPlace& place) {
    const QString& text = ctx.text.text();
    ctx.text.setSelStart(withinText(text, place.caret));
    // After the caret, which scrolls itself into view.
    ctx.window.scrollToTop(withinText(text, place.top));
}

void rememberPlace(CommandContext& ctx) {
    if (ctx.document.isUntitled() || isRecoveredText(ctx)) return;
    ctx.document.setPlaceOf(ctx.document.path(), currentPlace(ctx));
}

void restorePlace(CommandContext& ctx) {
    if (const auto place = ctx.document.placeOf(ctx.document.path())) goToPlace(ctx, *place);
}
