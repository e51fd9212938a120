#include "style/EndingMatch.h"

#include <algorithm>

namespace style {

namespace {

// The `length` code units that end right before the mark, or nothing when they do not all lie
// inside the text.
std::optional<std::u16string_view> windowBefore(QStringView text, int markPosition, int length) {
    const qsizetype end = qsizetype(markPosition) - 1; // 0-based index of the mark
    if (length < 0 || end < length || end > text.size()) return std::nullopt;
    return std::u16string_view(text.utf16() + (end - length), std::size_t(length));
}

} // namespace

std::optional<EndingMatch> matchTable(QStringView text, int markPosition,
                                      const EndingTable& table) {
    const auto window = windowBefore(text, markPosition, table.windowLength);
    if (!window) return std::nullopt;
    const auto& rules = table.rules;
    const auto it = std::find_if(rules.begin(), rules.end(),
                                 [&](const EndingRule& rule) { return rule.ending == *window; });
    if (it == rules.end()) return std::nullopt;
    return EndingMatch{table.name, int(it - rules.begin()) + 1,
                       markPosition - table.windowLength - 1, it->ending, it->replacement};
}

std::optional<EndingMatch> matchEnding(QStringView text, int markPosition, StyleDirection direction,
                                       EndingMark mark) {
    for (const EndingTable* table : endingChain(direction, mark)) {
        if (auto match = matchTable(text, markPosition, *table)) return match;
    }
    return std::nullopt;
}

bool isFoundEnding(QStringView text, int markPosition, const FoundEndingCheck& check) {
    const auto window = windowBefore(text, markPosition, check.length);
    return window && std::ranges::find(check.endings, *window) != check.endings.end();
}

} // namespace style
