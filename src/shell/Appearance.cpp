#include "shell/Appearance.h"

#include "history/UndoHistory.h"

#include <cmath>

void chooseFont(CommandContext& ctx) {
    ctx.history.record(ctx.text);
    TextAppearance& w = ctx.window;
    // Underline and strike-through are not preset: OK applies the dialog's own state of them.
    FontChoice font;
    font.name = w.fontName();
    font.size = w.fontSize();
    font.bold = w.fontStyle(FontStyle::Bold);
    font.italic = w.fontStyle(FontStyle::Italic);
    if (!ctx.services.dialogs.chooseFont(font)) return;
    w.setFontName(font.name);
    w.setFontSize(font.size);
    w.setFontStyle(FontStyle::Bold, font.bold);
    w.setFontStyle(FontStyle::Italic, font.italic);
    w.setFontStyle(FontStyle::StrikeOut, font.strikeOut);
    w.setFontStyle(FontStyle::Underline, font.underline);
}

static void stepSize(CommandContext& ctx, int step) {
    const double n = std::nearbyint(ctx.window.fontSize());
    // Selecting the whole text for the change would make a large document the X11 primary
    // selection; the caret alone goes where that selection would have left it.
    if (ctx.text.selLength() == 0) ctx.text.setSelStart(0);
    if (step < 0 && n == 1) return;
    ctx.window.setFontSize(n + step);
}

void shrinkFont(CommandContext& ctx) {
    stepSize(ctx, -1);
}

void growFont(CommandContext& ctx) {
    stepSize(ctx, +1);
}

bool toggleFontStyle(CommandContext& ctx, FontStyle style) {
    const bool on = !ctx.window.fontStyle(style);
    ctx.window.setFontStyle(style, on);
    return on;
}

void chooseBackColor(CommandContext& ctx) {
    qint32 color = ctx.window.backColor();
    if (ctx.services.dialogs.chooseColor(color)) ctx.window.setBackColor(color);
}

void chooseForeColor(CommandContext& ctx) {
    qint32 color = ctx.window.foreColor();
    if (ctx.services.dialogs.chooseColor(color)) ctx.window.setForeColor(color);
}

int ime::itemOf(int mode) {
    for (int i = 0; i < 6; ++i)
        if (kModes[i] == mode) return i;
    return -1;
}
