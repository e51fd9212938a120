#include "vertical/VerticalText.h"
#include "notation/Notation.h"

#include <unicode/uchar.h>

namespace vertical {

char32_t codePointAt(QStringView s, int i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, s[i + 1]);
    return c.unicode();
}

Orientation orientationOf(char32_t c) {
    switch (u_getIntPropertyValue(UChar32(c), UCHAR_VERTICAL_ORIENTATION)) {
    case U_VO_ROTATED:
        return Orientation::Rotated;
    case U_VO_TRANSFORMED_UPRIGHT:
        return Orientation::TransformedUpright;
    case U_VO_TRANSFORMED_ROTATED:
        return Orientation::TransformedRotated;
    default:
        return Orientation::Upright;
    }
}

int acrossClass(char32_t c) {
    if (c >= '0' && c <= '9') return 1;
    if (c == '!' || c == '?') return 2;
    return 0;
}

namespace {

Setting settingOfCharacter(char32_t c) {
    switch (orientationOf(c)) {
    case Orientation::Upright:
        return Setting::Upright;
    case Orientation::TransformedUpright:
        return Setting::UprightForm;
    case Orientation::TransformedRotated:
        return Setting::TurnedForm;
    case Orientation::Rotated:
        break;
    }
    return Setting::Sideways;
}

} // namespace

Setting settingOf(QStringView line, int start, int end) {
    const char32_t first = codePointAt(line, start);
    const int kind = acrossClass(first);
    if (kind) {
        bool whole = true;
        for (int i = start; i < end; ++i) whole = whole && acrossClass(line[i].unicode()) == kind;
        if (whole) {
            // The run these characters belong to, hidden marks aside: ruby marks are never
            // digits, so the plain line is enough to see where the run ends.
            int from = start, to = end;
            while (from > 0 && acrossClass(line[from - 1].unicode()) == kind) --from;
            while (to < line.size() && acrossClass(line[to].unicode()) == kind) ++to;
            return to - from <= 2 ? Setting::Across : Setting::Sideways;
        }
    }
    const int width = first > 0xFFFF ? 2 : 1;
    if (end - start <= width) return settingOfCharacter(first);
    // Combining marks ride on the character before them.
    bool allSideways = true, oneCharacter = true;
    for (int i = start; i < end;) {
        const char32_t c = codePointAt(line, i);
        if (i > start && !notation::isCombining(c))
            oneCharacter = false;
        allSideways = allSideways && orientationOf(c) == Orientation::Rotated;
        i += c > 0xFFFF ? 2 : 1;
    }
    if (oneCharacter) return settingOfCharacter(first);
    return allSideways ? Setting::Sideways : Setting::Stacked;
}

} // namespace vertical
