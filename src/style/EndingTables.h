#pragma once

#include <span>
#include <string_view>

// The whole knowledge of the writing-style converter: fixed endings that stand right before a
// full stop or a comma, each with the text that replaces it. Nothing here parses Japanese; a
// rule only ever looks at a fixed number of code units in front of the mark.
//
// Table names: the letter gives direction and mark (D = plain to polite before "。",
// K = plain to polite before "、", S = polite to plain before "。", J = polite to plain before
// "、"), the digit the window length. Rows are listed in the order they are tried; within one
// table every ending is distinct, so at most one row can match a window.
namespace style {

enum class StyleDirection {
    PlainToPolite, // だ・である調 → です・ます調
    PoliteToPlain, // です・ます調 → だ・である調
};

// The pass a mark belongs to. The engine finds marks with the locale-aware search, so a
// half-width "｡" or "､" is matched with the chain of its pass like "。" or "、".
enum class EndingMark {
    FullStop, // "。"
    Comma,    // "、"
};

struct EndingRule {
    std::u16string_view ending;
    // May be longer, shorter or equal to the ending. Equal ("unchanged") rules exist to shield
    // a longer word from a shorter table further down the chain; they still count as a match.
    std::u16string_view replacement;
};

struct EndingTable {
    std::u16string_view name;
    int windowLength; // every ending of the table has exactly this many code units
    std::span<const EndingRule> rules;
};

namespace detail {

// clang-format off
inline constexpr EndingRule D5Rows[] = {
    {u"であろうか", u"でしょうか"},
    {u"いなかった", u"いませんでした"},
    {u"いるからだ", u"いますから"},
    {u"しれないが", u"しれませんが"},
    {u"かねないが", u"かねませんが"},
    {u"落ち込んだ", u"落ち込みました"},
};
inline constexpr EndingRule D4Rows[] = {
    {u"であった", u"でした"},
    {u"もあった", u"もありました"},
    {u"であろう", u"でしょう"},
    {u"しれない", u"しれません"},
    {u"だろうか", u"でしょうか"},
    {u"ならない", u"なりません"},
    {u"してみた", u"してみました"},
    {u"なかった", u"なかったのです"},
    {u"しまった", u"しまいました"},
    {u"もあろう", u"もあるでしょう"},
    {u"強まった", u"強まりました"},
};
inline constexpr EndingRule D3Rows[] = {
    {u"いった", u"いきました"},
    {u"なった", u"なりました"},
    {u"される", u"されます"},
    {u"された", u"されました"},
    {u"できる", u"できます"},
    {u"られる", u"られます"},
    // The polite past of "できた" is "できました"; "られました" belongs to another verb form
    // and would leave broken Japanese.
    {u"できた", u"できました"},
    {u"しよう", u"しましょう"},
    {u"だった", u"でした"},
    {u"である", u"です"},
    {u"だろう", u"でしょう"},
    {u"ものだ", u"ものです"},
    {u"ないか", u"ないでしょうか"},
    {u"あった", u"ありました"},
    {u"あるが", u"ありますが"},
    {u"作った", u"作りました"},
    {u"かった", u"かったです"},
    {u"こよう", u"きます"},
    {u"語った", u"語りました"},
    {u"結んだ", u"結びました"},
};
inline constexpr EndingRule D2Rows[] = {
    {u"いた", u"きました"},
    {u"いる", u"います"},
    {u"ない", u"ないのです"},
    {u"した", u"しました"},
    {u"なる", u"なります"},
    {u"ある", u"あります"},
    {u"する", u"します"},
    {u"きた", u"きました"},
    {u"れる", u"れます"},
    {u"れた", u"れました"},
    {u"せよ", u"しましょう"},
    {u"しろ", u"しましょう"},
    {u"みる", u"みます"},
    {u"みた", u"みました"},
    {u"える", u"えます"},
    {u"えた", u"えました"},
    {u"じる", u"じます"},
    {u"じた", u"じました"},
    {u"べる", u"べます"},
    {u"げる", u"げます"},
    {u"よう", u"ます"},
    {u"くる", u"きます"},
    // Counted things stay as they are: without these rows D1 would take the "つ" of "1つ" for
    // a verb ending. ASCII and full-width digits both occur in writing.
    {u"1つ", u"1つ"},
    {u"2つ", u"2つ"},
    {u"3つ", u"3つ"},
    {u"１つ", u"１つ"},
    {u"２つ", u"２つ"},
    {u"３つ", u"３つ"},
    {u"一つ", u"一つ"},
    {u"二つ", u"二つ"},
    {u"三つ", u"三つ"},
};
inline constexpr EndingRule D1Rows[] = {
    {u"う", u"います"},
    {u"く", u"きます"},
    {u"す", u"します"},
    {u"つ", u"ちます"},
    {u"ぬ", u"にます"},
    {u"ふ", u"ひます"},
    {u"む", u"みます"},
    {u"ゆ", u"います"},
    {u"る", u"ります"},
    {u"ぐ", u"ぎます"},
    {u"ず", u"じます"},
    {u"づ", u"ぢます"},
    {u"ぶ", u"びます"},
    {u"ぷ", u"ぴます"},
    {u"だ", u"です"},
    {u"か", u"でしょうか"},
    {u"い", u"いのです"},
    {u"た", u"ました"},
};
inline constexpr EndingRule K4Rows[] = {
    {u"だろうが", u"でしょうが"},
    {u"あったが", u"ありましたが"},
    {u"であろう", u"でしょう"},
};
inline constexpr EndingRule K3Rows[] = {
    {u"いるが", u"いますが"},
    {u"あるが", u"ありますが"},
    {u"ないが", u"ありませんが"},
    {u"れるが", u"れますが"},
    {u"あるし", u"ありますし"},
    {u"思うが", u"思いますが"},
};
inline constexpr EndingRule K2Rows[] = {
    {u"だが", u"ですが"},
};
inline constexpr EndingRule S8Rows[] = {
    {u"ありませんでした", u"なかった"},
};
inline constexpr EndingRule S7Rows[] = {
    {u"ないでしょうか", u"ないか"},
    {u"いませんでした", u"いなかった"},
    {u"なかったのです", u"なかった"},
    {u"もあるでしょう", u"もあろう"},
    {u"いけませんよね", u"いけないだろう"},
    {u"落ち込みました", u"落ち込んだ"},
};
inline constexpr EndingRule S6Rows[] = {
    {u"もありました", u"もあった"},
    {u"しまいました", u"しまった"},
    {u"してください", u"せよ"},
    {u"させましょう", u"させよ"},
    {u"しれませんが", u"しれないが"},
    {u"ありませんが", u"ないが"},
    {u"ございました", u"ございました"},
    {u"強まりました", u"強まった"},
};
inline constexpr EndingRule S5Rows[] = {
    {u"でしょうか", u"であろうか"},
    {u"できますか", u"できるか"},
    {u"しれません", u"しれない"},
    {u"なりません", u"ならない"},
    {u"いきました", u"いった"},
    {u"なりました", u"なった"},
    {u"されました", u"された"},
    // The plain past of "られました" is "られた"; "できた" belongs to another verb form and
    // would leave broken Japanese.
    {u"られました", u"られた"},
    {u"しましょう", u"しよう"},
    {u"ありました", u"あった"},
    {u"ありますが", u"あるが"},
    {u"ないのです", u"ない"},
    {u"ありません", u"ない"},
    {u"作りました", u"作った"},
    {u"られますか", u"られるか"},
    {u"いたします", u"する"},
    {u"でしたから", u"だったからだ"},
    {u"いますから", u"いるからだ"},
    {u"れませんが", u"れないが"},
    {u"できません", u"できない"},
    {u"出来ません", u"出来ない"},
    {u"ございます", u"ございます"},
    {u"思うのです", u"思う"},
    {u"いますよね", u"いるだろう"},
    {u"語りました", u"語った"},
    {u"結びました", u"結んだ"},
};
inline constexpr EndingRule S4Rows[] = {
    {u"でしょう", u"であろう"},
    {u"されます", u"される"},
    {u"できます", u"できる"},
    {u"られます", u"られる"},
    {u"ものです", u"ものだ"},
    {u"きました", u"いた"},
    {u"いました", u"いた"},
    {u"しました", u"した"},
    {u"なります", u"なる"},
    {u"あります", u"ある"},
    {u"れました", u"れた"},
    {u"えました", u"えた"},
    {u"いのです", u"い"},
    {u"ています", u"ている"},
    {u"もいます", u"もいる"},
    {u"がいます", u"がいる"},
    {u"をします", u"をする"},
    {u"ください", u"ください"},
    {u"しなさい", u"せよ"},
    {u"かねます", u"かねる"},
    {u"でいます", u"でいる"},
    {u"ですよね", u"だろう"},
};
inline constexpr EndingRule S3Rows[] = {
    {u"でした", u"だった"},
    {u"ません", u"ない"},
    {u"れます", u"れる"},
    {u"みます", u"みる"},
    {u"えます", u"える"},
    {u"います", u"う"},
    {u"きます", u"く"},
    {u"します", u"する"},
    {u"ちます", u"つ"},
    {u"にます", u"ぬ"},
    {u"ひます", u"ふ"},
    {u"ります", u"る"},
    {u"ぎます", u"ぐ"},
    {u"じます", u"じた"},
    {u"ぢます", u"づ"},
    {u"びます", u"ぶ"},
    {u"ぴます", u"ぷ"},
    {u"ました", u"た"},
    {u"べます", u"べる"},
    {u"げます", u"げる"},
    {u"下さい", u"下さい"},
    {u"でしょ", u"だろう"},
};
inline constexpr EndingRule S2Rows[] = {
    {u"です", u"である"},
};
inline constexpr EndingRule J6Rows[] = {
    {u"しれませんが", u"しれないが"},
    {u"ありましたが", u"あったが"},
};
inline constexpr EndingRule J5Rows[] = {
    {u"ありますが", u"あるが"},
    {u"でしょうが", u"だろうが"},
    {u"ありますし", u"あるし"},
    {u"思いますが", u"思うが"},
};
inline constexpr EndingRule J4Rows[] = {
    {u"いますが", u"いるが"},
    {u"れますが", u"れるが"},
};
inline constexpr EndingRule J3Rows[] = {
    {u"ですが", u"だが"},
};
// clang-format on

} // namespace detail

inline constexpr EndingTable D5{u"D5", 5, detail::D5Rows};
inline constexpr EndingTable D4{u"D4", 4, detail::D4Rows};
inline constexpr EndingTable D3{u"D3", 3, detail::D3Rows};
inline constexpr EndingTable D2{u"D2", 2, detail::D2Rows};
inline constexpr EndingTable D1{u"D1", 1, detail::D1Rows};
inline constexpr EndingTable K4{u"K4", 4, detail::K4Rows};
inline constexpr EndingTable K3{u"K3", 3, detail::K3Rows};
inline constexpr EndingTable K2{u"K2", 2, detail::K2Rows};
inline constexpr EndingTable S8{u"S8", 8, detail::S8Rows};
inline constexpr EndingTable S7{u"S7", 7, detail::S7Rows};
inline constexpr EndingTable S6{u"S6", 6, detail::S6Rows};
inline constexpr EndingTable S5{u"S5", 5, detail::S5Rows};
inline constexpr EndingTable S4{u"S4", 4, detail::S4Rows};
inline constexpr EndingTable S3{u"S3", 3, detail::S3Rows};
inline constexpr EndingTable S2{u"S2", 2, detail::S2Rows};
inline constexpr EndingTable J6{u"J6", 6, detail::J6Rows};
inline constexpr EndingTable J5{u"J5", 5, detail::J5Rows};
inline constexpr EndingTable J4{u"J4", 4, detail::J4Rows};
inline constexpr EndingTable J3{u"J3", 3, detail::J3Rows};

// The tables tried for one direction and mark, longest window first, so a longer ending always
// wins over a shorter one.
std::span<const EndingTable* const> endingChain(StyleDirection direction, EndingMark mark);

// One row of the found-ending checks: the `length` code units right before a full stop that,
// when equal to one of `endings`, show the ending is already in the target style. Such a mark
// goes to the user for confirmation and no table is tried for it.
struct FoundEndingCheck {
    int length;
    std::span<const std::u16string_view> endings;
};

// The found-ending rows of a direction, in the order they are run (full stop only; commas have
// none).
std::span<const FoundEndingCheck> foundEndingChecks(StyleDirection direction);

} // namespace style
