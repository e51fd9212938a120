#include "proofread/EndingStyle.h"

#include "proofread/SentenceSplitter.h"
#include "style/EndingMatch.h"

#include <algorithm>

namespace proofread {

namespace {

using style::EndingMark;
using style::StyleDirection;

bool isFinalParticle(QChar c) {
    static constexpr char16_t particles[] = u"かねよなわぞさの";
    return std::u16string_view(particles).find(c.unicode()) != std::u16string_view::npos;
}

// The ending of `body` as a full stop after it would be judged by the converter: the length
// of the matched ending, or 0.
int matchedLength(QStringView body, StyleDirection tablesOf, StyleDirection foundOf) {
    const int mark = int(body.size()) + 1;
    if (const auto m = style::matchEnding(body, mark, tablesOf, EndingMark::FullStop))
        return int(m->ending.size());
    for (const auto& check : style::foundEndingChecks(foundOf))
        if (style::isFoundEnding(body, mark, check)) return check.length;
    return 0;
}

// Polite endings the converter's tables spell only as part of longer words.
int extraPoliteLength(QStringView body) {
    for (const QStringView e : {QStringView(u"ましょう"), QStringView(u"ません")})
        if (body.endsWith(e)) return int(e.size());
    return 0;
}

} // namespace

StyledEnding classifyEnding(QStringView sentence) {
    int end = int(sentence.size());
    while (end > 0 && (isSentenceEndMark(sentence[end - 1]) || isBlank(sentence[end - 1])))
        --end;
    if (end == 0) return {};
    const QChar last = sentence[end - 1];
    if (last == u'」' || last == u'』' || last == u'）' || last == u')') return {};
    // Up to two final particles may follow the ending ("ですよね", "のかな").
    for (const auto& [style, tables, found] :
         {std::tuple{SentenceStyle::Polite, StyleDirection::PoliteToPlain,
                     StyleDirection::PlainToPolite},
          std::tuple{SentenceStyle::Plain, StyleDirection::PlainToPolite,
                     StyleDirection::PoliteToPlain}}) {
        for (int stripped = 0; stripped <= 2 && stripped < end; ++stripped) {
            if (stripped > 0 && !isFinalParticle(sentence[end - stripped])) break;
            const QStringView body = sentence.first(end - stripped);
            int n = matchedLength(body, tables, found);
            if (n == 0 && style == SentenceStyle::Polite) n = extraPoliteLength(body);
            if (n > 0) return {style, int(body.size()) - n};
        }
    }
    return {};
}

} // namespace proofread
