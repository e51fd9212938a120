#include "tools/CharConversions.h"

#include "command/CommandContext.h"
#include "history/UndoHistory.h"

#include <array>
#include <memory>

namespace charconv {

namespace {

// U+FF61..U+FF9F in order, as the full-width characters they stand for; the sound marks are
// the spacing ones, which Shift_JIS holds (the combining ones it does not).
constexpr char16_t kHalfKana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチ"
    u"ツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(std::size(kHalfKana) - 1 == 0xFF9F - 0xFF61 + 1);
constexpr char16_t kHalfFirst = 0xFF61;
constexpr char16_t kHalfVoiced = 0xFF9E; // ﾞ
constexpr char16_t kHalfSemi = 0xFF9F;   // ﾟ
constexpr char16_t kVu = u'ヴ';
constexpr char16_t kU = u'ウ';

// Kana whose voiced form follows them directly (ガ = カ + 1); the ハ row also has its
// semi-voiced form at + 2. ワ and ヲ have voiced forms outside Shift_JIS, so they are not here.
constexpr std::u16string_view kVoiceable = u"カキクケコサシスセソタチツテトハヒフヘホ";
constexpr std::u16string_view kSemiVoiceable = u"ハヒフヘホ";

bool in(std::u16string_view set, char16_t c) {
    return set.find(c) != std::u16string_view::npos;
}

// A table over the whole BMP, built once; 0 where a character has no rule.
using Table = std::array<char16_t, 0x10000>;

template <typename Fill> const Table& buildOnce(std::unique_ptr<Table>& slot, Fill fill) {
    if (!slot) {
        slot = std::make_unique<Table>();
        slot->fill(0);
        fill(*slot);
    }
    return *slot;
}

// Upper and lower case pairs that both exist in Shift_JIS: Latin, full-width Latin, Greek,
// Cyrillic and the Roman numerals one to ten. Nothing else changes case (Å, ß and the like
// have no pair there).
struct CaseRange {
    char16_t upper;
    char16_t lower;
    int count;
};
constexpr CaseRange kCaseRanges[] = {
    {u'A', u'a', 26}, {u'Ａ', u'ａ', 26}, {u'Α', u'α', 17}, {u'Σ', u'σ', 7},
    {u'А', u'а', 32}, {u'Ё', u'ё', 1},    {u'Ⅰ', u'ⅰ', 10},
};

const Table& caseTable(bool upper) {
    static std::unique_ptr<Table> tables[2];
    return buildOnce(tables[upper], [upper](Table& t) {
        for (const CaseRange& r : kCaseRanges)
            for (int i = 0; i < r.count; ++i) {
                const char16_t from = char16_t((upper ? r.lower : r.upper) + i);
                t[from] = char16_t((upper ? r.upper : r.lower) + i);
            }
    });
}

QString mapEach(QStringView text, const Table& table) {
    QString out(text.size(), Qt::Uninitialized);
    char16_t* dst = reinterpret_cast<char16_t*>(out.data());
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        const char16_t m = table[c];
        *dst++ = m ? m : c;
    }
    return out;
}

// Full-width kana and punctuation to the half-width character and, for a voiced kana, its
// sound mark.
struct HalfForm {
    char16_t base = 0;
    char16_t mark = 0;
};
constexpr char16_t kKanaBlock = 0x3000;
using NarrowTable = std::array<HalfForm, 0x100>;

const NarrowTable& narrowKana() {
    static const NarrowTable table = [] {
        NarrowTable t{};
        for (char16_t i = 0; kHalfKana[i]; ++i)
            t[kHalfKana[i] - kKanaBlock].base = char16_t(kHalfFirst + i);
        for (char16_t c : kVoiceable)
            t[c + 1 - kKanaBlock] = {t[c - kKanaBlock].base, kHalfVoiced};
        for (char16_t c : kSemiVoiceable)
            t[c + 2 - kKanaBlock] = {t[c - kKanaBlock].base, kHalfSemi};
        t[kVu - kKanaBlock] = {t[kU - kKanaBlock].base, kHalfVoiced};
        return t;
    }();
    return table;
}

} // namespace

QString toLower(QStringView text) {
    return mapEach(text, caseTable(false));
}

QString toUpper(QStringView text) {
    return mapEach(text, caseTable(true));
}

QString toHiragana(QStringView text) {
    static std::unique_ptr<Table> slot;
    return mapEach(text, buildOnce(slot, [](Table& t) {
                       for (char16_t c = u'ァ'; c <= u'ン'; ++c)
                           t[c] = char16_t(c - 0x60);
                       t[u'ヽ'] = u'ゝ';
                       t[u'ヾ'] = u'ゞ';
                   }));
}

QString toKatakana(QStringView text) {
    static std::unique_ptr<Table> slot;
    return mapEach(text, buildOnce(slot, [](Table& t) {
                       for (char16_t c = u'ぁ'; c <= u'ん'; ++c)
                           t[c] = char16_t(c + 0x60);
                       t[u'ゝ'] = u'ヽ';
                       t[u'ゞ'] = u'ヾ';
                   }));
}

QString toNarrow(QStringView text) {
    const NarrowTable& kana = narrowKana();
    QString out(text.size() * 2, Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* dst = begin;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c >= 0xFF01 && c <= 0xFF5E) {
            *dst++ = char16_t(c - 0xFEE0);
        } else if (c == 0x3000) {
            *dst++ = u' ';
        } else if (c >= kKanaBlock && c < kKanaBlock + 0x100 && kana[c - kKanaBlock].base) {
            const HalfForm& h = kana[c - kKanaBlock];
            *dst++ = h.base;
            if (h.mark) *dst++ = h.mark;
        } else {
            *dst++ = c;
        }
    }
    out.truncate(dst - begin);
    return out;
}

QString toWide(QStringView text) {
    QString out(text.size(), Qt::Uninitialized);
    char16_t* const begin = reinterpret_cast<char16_t*>(out.data());
    char16_t* dst = begin;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c > 0x20 && c < 0x7F) {
            *dst++ = char16_t(c + 0xFEE0);
        } else if (c == 0x20) {
            *dst++ = 0x3000;
        } else if (c >= kHalfFirst && c <= kHalfSemi) {
            const char16_t full = kHalfKana[c - kHalfFirst];
            const char16_t next = i + 1 < n ? text[i + 1].unicode() : 0;
            char16_t composed = 0;
            if (next == kHalfVoiced && in(kVoiceable, full)) composed = char16_t(full + 1);
            if (next == kHalfVoiced && full == kU) composed = kVu;
            if (next == kHalfSemi && in(kSemiVoiceable, full)) composed = char16_t(full + 2);
            *dst++ = composed ? composed : full;
            if (composed) ++i;
        } else {
            *dst++ = c;
        }
    }
    out.truncate(dst - begin);
    return out;
}

QString convert(Conversion conversion, QStringView text) {
    switch (conversion) {
    case Conversion::Lower:
        return toLower(text);
    case Conversion::Upper:
        return toUpper(text);
    case Conversion::Hiragana:
        return toHiragana(text);
    case Conversion::Katakana:
        return toKatakana(text);
    case Conversion::Narrow:
        return toNarrow(text);
    case Conversion::Wide:
        return toWide(text);
    }
    return text.toString();
}

void convertDocument(CommandContext& ctx, Conversion conversion) {
    ctx.history.record(ctx.text);
    ctx.text.setText(convert(conversion, ctx.text.text()));
}

} // namespace charconv
