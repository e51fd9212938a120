#pragma once

#include <QString>

struct CommandContext;

// Whole-text conversions of character class. Each maps only characters it has a rule for and
// never produces a character Shift_JIS cannot hold; everything else (surrogates, the carriers
// of undecodable file bytes, line breaks) passes through untouched.
namespace charconv {

enum class Conversion { Lower, Upper, Hiragana, Katakana, Narrow, Wide };

QString toLower(QStringView text);
QString toUpper(QStringView text);
// Katakana to hiragana; ヴヵヶ and half-width katakana stay.
QString toHiragana(QStringView text);
QString toKatakana(QStringView text);
// Full width to half width; voiced kana split into base and sound mark.
QString toNarrow(QStringView text);
// Half width to full width; a half-width base and its sound mark compose where the composed
// kana exists in Shift_JIS.
QString toWide(QStringView text);
QString convert(Conversion conversion, QStringView text);

// mnuLcase, mnuUcase, mnuHiragana, mnuKatakana, mnuNarrow, mnuWide: a checkpoint, then the
// whole text converted in one assignment, caret at the start.
void convertDocument(CommandContext& ctx, Conversion conversion);

} // namespace charconv
