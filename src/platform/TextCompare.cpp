#include "platform/TextCompare.h"

#include <QChar>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

namespace textcmp {

namespace {

using FoldTable = std::array<char16_t, 0x10000>;

// Half-width katakana block U+FF61..U+FF9F in order, as the full-width characters they
// stand for. The sound marks become the spacing marks (゛゜), not the combining ones, so a
// half-width ﾞ typed after a kana compares equal to a full-width ゛ typed the same way.
constexpr char16_t kHalfWidthKana[] = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜',
};
static_assert(std::size(kHalfWidthKana) == 0xFF9F - 0xFF61 + 1);

// Full-width signs U+FFE0..U+FFE6 (￠￡￢￣￤￥￦) and their ordinary forms.
constexpr char16_t kFullWidthSigns[] = {0x00A2, 0x00A3, 0x00AC, 0x00AF, 0x00A6, 0x00A5, 0x20A9};

char16_t foldWidth(char16_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return char16_t(c - 0xFF01 + 0x21);
    if (c == 0x3000) return u' ';
    if (c >= 0xFF61 && c <= 0xFF9F) return kHalfWidthKana[c - 0xFF61];
    if (c >= 0xFFE0 && c <= 0xFFE6) return kFullWidthSigns[c - 0xFFE0];
    return c;
}

char16_t foldCase(char16_t c) {
    const char32_t lower = QChar::toLower(char32_t(c));
    return lower <= 0xFFFF ? char16_t(lower) : c;
}

char16_t foldKana(char16_t c) {
    // ァ..ヶ sit exactly 0x60 above ぁ..ゖ; ヽヾ above ゝゞ. ヷヸヹヺ have no hiragana form and
    // ・ー are shared by both scripts, so they stay.
    if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) return char16_t(c - 0x60);
    return c;
}

const FoldTable& table() {
    static const std::unique_ptr<FoldTable> t = [] {
        auto built = std::make_unique<FoldTable>();
        for (unsigned c = 0; c < 0x10000; ++c)
            (*built)[c] = foldKana(foldCase(foldWidth(char16_t(c))));
        return built;
    }();
    return *t;
}

// A folded needle with a Horspool shift table. The shift table is indexed by the low byte of
// a folded character; colliding characters share the smallest shift, which keeps every skip
// safe. Only the characters a window comparison actually looks at are folded.
class Searcher {
public:
    explicit Searcher(QStringView find) : fold_(table().data()), needle_(find.size(), u'\0') {
        const qsizetype m = find.size();
        for (qsizetype i = 0; i < m; ++i)
            needle_[i] = fold_[find[i].unicode()];
        shift_.fill(m);
        for (qsizetype i = 0; i + 1 < m; ++i)
            shift_[needle_[i] & 0xFF] = m - 1 - i;
    }

    // Index of the first occurrence at or after `from`, or -1.
    qsizetype find(QStringView text, qsizetype from) const {
        const qsizetype m = qsizetype(needle_.size());
        const qsizetype n = text.size();
        if (m == 0) return from <= n ? from : -1;
        const char16_t* t = text.utf16();
        const char16_t* p = needle_.data();
        const char16_t last = p[m - 1];
        if (m == 1) {
            // A skip table cannot skip anything here; a plain scan keeps the loop free of the
            // dependent shift lookup.
            for (qsizetype j = from; j < n; ++j)
                if (fold_[t[j]] == last) return j;
            return -1;
        }
        for (qsizetype j = from; j <= n - m;) {
            const char16_t c = fold_[t[j + m - 1]];
            if (c == last) {
                qsizetype k = m - 2;
                while (k >= 0 && fold_[t[j + k]] == p[k])
                    --k;
                if (k < 0) return j;
            }
            j += shift_[c & 0xFF];
        }
        return -1;
    }

private:
    const char16_t* fold_;
    std::u16string needle_;
    std::array<qsizetype, 256> shift_;
};

} // namespace

char16_t fold(char16_t c) {
    return table()[c];
}

bool equal(QStringView a, QStringView b) {
    if (a.size() != b.size()) return false;
    const char16_t* f = table().data();
    const char16_t* pa = a.utf16();
    const char16_t* pb = b.utf16();
    for (qsizetype i = 0, n = a.size(); i < n; ++i)
        if (pa[i] != pb[i] && f[pa[i]] != f[pb[i]]) return false;
    return true;
}

int inStr(int start, QStringView text, QStringView find) {
    // Callers compute the start from a selection, so it is never below 1 in practice; a
    // smaller value is read as "from the top" rather than treated as an error.
    if (start < 1) start = 1;
    if (qsizetype(start) > text.size() + 1) return 0;
    if (find.isEmpty()) return start;
    if (find.size() > text.size() - (start - 1)) return 0;
    const qsizetype at = Searcher(find).find(text, start - 1);
    return at < 0 ? 0 : int(at + 1);
}

QString replaceAll(QStringView text, QStringView find, QStringView replacement, int* count) {
    // The matches are collected first so the result can be allocated at its final size: on
    // a long text, letting it grow costs more than the search itself.
    std::vector<qsizetype> matches;
    if (!find.isEmpty()) {
        const Searcher searcher(find);
        for (qsizetype at = searcher.find(text, 0); at >= 0;
             at = searcher.find(text, at + find.size()))
            matches.push_back(at);
    }
    if (count) *count = int(matches.size());
    if (matches.empty()) return text.toString();

    const qsizetype delta = replacement.size() - find.size();
    QString out(text.size() + delta * qsizetype(matches.size()), Qt::Uninitialized);
    QChar* dst = out.data();
    auto put = [&dst](QStringView part) {
        std::copy(part.begin(), part.end(), dst);
        dst += part.size();
    };
    qsizetype from = 0;
    for (qsizetype at : matches) {
        put(text.sliced(from, at - from));
        put(replacement);
        from = at + find.size();
    }
    put(text.sliced(from));
    return out;
}

} // namespace textcmp
