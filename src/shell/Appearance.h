#pragma once

#include "command/CommandContext.h"

// How Text1 looks: the font dialog, one-point size steps, the four style switches and the two
// colours. The font and colours are stored at shutdown; the styles last for this run.

// フォントの設定: a checkpoint, then the font dialog preset with name, size, bold and italic.
// OK applies name, size, bold, italic, strike-through and underline; cancel changes nothing.
void chooseFont(CommandContext& ctx);

// 大きさ－１ / 大きさ＋１ (and the toolbar's 縮小 / 拡大): the nearest whole size, half to even,
// one point less (never below 1) or more. A selection stays; without one the caret goes to the
// start of the text.
void shrinkFont(CommandContext& ctx);
void growFont(CommandContext& ctx);

// 太字, 斜字体, 下線, 取り消し: switches the style over and returns whether it is now on, which
// is the check mark of its menu item.
bool toggleFontStyle(CommandContext& ctx, FontStyle style);

// 背景 / 文字列: the colour dialog preset with the current colour; cancel changes nothing.
void chooseBackColor(CommandContext& ctx);
void chooseForeColor(CommandContext& ctx);

// The IME items of the menu and the popup, in menu order, and the mode each sets.
namespace ime {
constexpr int kDirectInput = 3;
constexpr int kHiragana = 4;
constexpr int kModes[6] = {kHiragana, kDirectInput, 5, 6, 7, 8};
// The item of a set (0..5) that stands for a mode, or -1.
int itemOf(int mode);
} // namespace ime
