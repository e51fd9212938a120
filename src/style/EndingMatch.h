#pragma once

#include "style/EndingTables.h"

#include <QStringView>
#include <optional>
#include <string_view>

// Matching of the rule tables against a document text. Positions follow the engine's
// conventions: the mark position is 1-based, the returned window start 0-based (ready for
// SelStart). Lengths and positions count UTF-16 code units. All comparisons are exact, code unit
// for code unit: katakana, half-width forms or a different case never match a rule.
namespace style {

struct EndingMatch {
    std::u16string_view tableName;
    int row;         // 1-based row of the rule within its table
    int windowStart; // 0-based index of the ending's first code unit: markPosition - n - 1
    std::u16string_view ending;
    std::u16string_view replacement;

    friend bool operator==(const EndingMatch&, const EndingMatch&) = default;
};

// Tries the chain of `direction` and `mark` on the code units right before the mark at the
// 1-based `markPosition` of `text`; the first equal row of the first table that has one wins.
// A table whose window would begin before the text (or reach past its end) is skipped. The
// found-ending checks are not part of this: the caller runs them first, because an ending
// already in the target style must not reach the tables at all.
std::optional<EndingMatch> matchEnding(QStringView text, int markPosition, StyleDirection direction,
                                       EndingMark mark);

// The same for one table; what the engine needs when it steps through a chain itself.
std::optional<EndingMatch> matchTable(QStringView text, int markPosition, const EndingTable& table);

// True when the `check.length` code units right before the mark at the 1-based `markPosition`
// equal one of `check.endings`; false when that many do not precede the mark.
bool isFoundEnding(QStringView text, int markPosition, const FoundEndingCheck& check);

} // namespace style
