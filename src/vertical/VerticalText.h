#pragma once

#include <QStringView>

// How each character stands in a vertical column. Orientation comes from Unicode's
// Vertical_Orientation property; the cell decisions (縦中横 and sideways runs) follow the
// composition rules for Japanese vertical text.
namespace vertical {

enum class Orientation { Upright, Rotated, TransformedUpright, TransformedRotated };
Orientation orientationOf(char32_t c);

// How the characters of one cell are set.
enum class Setting {
    Upright,     // as written (漢字, かな)
    UprightForm, // the font's vertical form, else a presentation form or moved (、。 small kana)
    TurnedForm,  // the font's vertical form, else turned 90° (「」（）ー〜…)
    Sideways,    // turned 90° clockwise (Latin letters, long runs of digits)
    Across,      // 縦中横: set across within the one cell
    Stacked,     // several characters sharing a cell (。」), each by its own setting
};

// A character that may be set across (half-width digits, ! and ?), and the class of its run.
int acrossClass(char32_t c);

// How the characters [start, end) of `line` (one cell of the manuscript grid) are set: a run
// of one or two half-width digits, or of ! and ?, goes across; a longer run goes sideways.
Setting settingOf(QStringView line, int start, int end);

// The code point at `i` of `s` (a surrogate pair read whole).
char32_t codePointAt(QStringView s, int i);

} // namespace vertical
