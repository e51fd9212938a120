#include "style/EndingTables.h"

namespace style {

namespace {

constexpr const EndingTable* plainToPoliteFullStop[] = {&D5, &D4, &D3, &D2, &D1};
constexpr const EndingTable* plainToPoliteComma[] = {&K4, &K3, &K2};
constexpr const EndingTable* politeToPlainFullStop[] = {&S8, &S7, &S6, &S5, &S4, &S3, &S2};
constexpr const EndingTable* politeToPlainComma[] = {&J6, &J5, &J4, &J3};

constexpr std::u16string_view politeEndings[] = {u"ます", u"です"};
constexpr std::u16string_view plainDa[] = {u"だ"};
constexpr std::u16string_view plainDearu[] = {u"である"};

constexpr FoundEndingCheck plainToPoliteFound[] = {{2, politeEndings}};
// Both rows run for every full stop, the second also when the first one hit.
constexpr FoundEndingCheck politeToPlainFound[] = {{1, plainDa}, {3, plainDearu}};

} // namespace

std::span<const EndingTable* const> endingChain(StyleDirection direction, EndingMark mark) {
    if (direction == StyleDirection::PlainToPolite)
        return mark == EndingMark::FullStop
                   ? std::span<const EndingTable* const>(plainToPoliteFullStop)
                   : std::span<const EndingTable* const>(plainToPoliteComma);
    return mark == EndingMark::FullStop ? std::span<const EndingTable* const>(politeToPlainFullStop)
                                        : std::span<const EndingTable* const>(politeToPlainComma);
}

std::span<const FoundEndingCheck> foundEndingChecks(StyleDirection direction) {
    if (direction == StyleDirection::PlainToPolite) return plainToPoliteFound;
    return politeToPlainFound;
}

} // namespace style
