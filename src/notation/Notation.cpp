#include "notation/Notation.h"

#include <unicode/uchar.h>

namespace notation {

namespace {

char32_t codePointAt(QStringView s, int i) {
    const QChar c = s[i];
    if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, s[i + 1]);
    return c.unicode();
}

// The start of the code point that ends just before `end`.
int previousStart(QStringView s, int end) {
    if (end >= 2 && s[end - 1].isLowSurrogate() && s[end - 2].isHighSurrogate()) return end - 2;
    return end - 1;
}

bool isIdeograph(char32_t c) {
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x3FFFF);
}

bool isBar(QChar c) { return c == u'|' || c == u'｜'; }

// Readings the round brackets take on the web-novel site: kana, the middle dot, the long
// vowel mark, the ellipsis and blanks.
bool isKanaReading(QStringView s) {
    for (QChar q : s) {
        const char16_t c = q.unicode();
        const bool kana = (c >= 0x3041 && c <= 0x3096) || (c >= 0x309B && c <= 0x309F) ||
                          (c >= 0x30A1 && c <= 0x30FF);
        if (!kana && c != u'…' && c != u' ' && c != u'\u3000') return false;
    }
    return true;
}

// Aozora's classes of a bar-less base; 0 is no class (the base stops there).
int aozoraClass(char32_t c) {
    if (isIdeograph(c)) return 1;
    switch (c) {
    case U'々': case U'仝': case U'〆': case U'〇': case U'ヶ': case U'※':
        return 1;
    default:
        break;
    }
    if (c >= 0x3041 && c <= 0x309F) return 2;
    if ((c >= 0x30A1 && c <= 0x30FF && c != U'・') || (c >= 0x31F0 && c <= 0x31FF)) return 3;
    if ((c >= 0xFF10 && c <= 0xFF19) || (c >= 0xFF21 && c <= 0xFF3A) ||
        (c >= 0xFF41 && c <= 0xFF5A))
        return 4;
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return 5;
    return 0;
}

int narouClass(char32_t c) { return isIdeograph(c) ? 1 : 0; }

int kakuyomuClass(char32_t c) {
    return isIdeograph(c) || c == U'々' || c == U'〆' || c == U'〇' || c == U'ヶ' ? 1 : 0;
}

// The next `what` at or after a position, for positions that only grow: a line full of
// openers without closers is scanned once, not once per opener.
struct NextOf {
    QStringView line;
    QStringView what;
    int found = -2; // not looked for yet
    int from = 0;
    int operator()(int at) {
        if (found == -1 && at >= from) return -1;
        if (found < at) {
            from = at;
            found = at > line.size() ? -1 : int(line.indexOf(what, at));
        }
        return found;
    }
};

// Whether any of `r` shows: a base of notes only is no text to put a reading or dots on.
// Walks back from the end, so a long line of spans costs each span only what it covers.
bool shows(Range r, const std::vector<Range>& hidden) {
    int pos = r.end; // [pos, r.end) is hidden
    for (std::size_t k = hidden.size(); k-- > 0;) {
        const Range& h = hidden[k];
        if (h.start >= pos) continue;
        if (h.end < pos) return true;
        pos = h.start;
        if (pos <= r.start) return false;
    }
    return pos > r.start;
}

struct Builder {
    QStringView line;
    LineParse& out;

    void hide(int start, int end) {
        if (start >= end) return;
        if (!out.hidden.empty() && out.hidden.back().end >= start) {
            out.hidden.back().end = std::max(out.hidden.back().end, end);
            return;
        }
        out.hidden.push_back({start, end});
    }
    void problem(Problem::Kind kind, int start, int end) {
        out.problems.push_back({kind, {start, end}});
    }
    int indexOf(QStringView what, int from) const {
        return from > line.size() ? -1 : int(line.indexOf(what, from));
    }
    // The run of one class ending at `end`, not reaching below `floor`. Combining marks go with
    // their character; `unit` may widen a step over a whole note (Aozora's ※［＃…］).
    template <typename Class, typename Unit>
    int runStart(int end, int floor, Class classOf, Unit unit) const {
        int kind = 0;
        int at = end;
        while (at > floor) {
            int prev = unit(at);
            char32_t c;
            if (prev >= 0) {
                c = U'※';
            } else {
                prev = previousStart(line, at);
                c = codePointAt(line, prev);
                if (isCombining(c)) {
                    at = prev;
                    continue;
                }
            }
            const int k = classOf(c);
            if (k == 0 || (kind != 0 && k != kind)) break;
            kind = k;
            at = prev;
        }
        // A combining mark with no character of the class before it is not part of the base.
        while (at < end && isCombining(codePointAt(line, at)))
            at += QChar::requiresSurrogates(codePointAt(line, at)) ? 2 : 1;
        return at;
    }
    void ruby(Range base, Range reading, int bar, int closeEnd) {
        if (bar >= 0) hide(bar, bar + 1);
        hide(reading.start - 1, closeEnd);
        out.spans.push_back({Span::Kind::Ruby, {bar >= 0 ? bar : base.start, closeEnd}, base,
                             reading, bar});
    }
};

constexpr auto noUnit = [](int) { return -1; };

// The two web-novel sites share one scheme: a bar or a run of kanji, a bracket, limits.
struct SiteRules {
    int (*classOf)(char32_t);
    int maxBase;
    int maxReading;
    bool roundBrackets;
    bool doubleEmphasis;
};

void parseSite(const SiteRules& rules, Builder& b) {
    const QStringView line = b.line;
    const int n = int(line.size());
    int pendingBar = -1;
    int floor = 0;
    NextOf nextDouble{line, u"》》"}, nextAngle{line, u"》"}, nextRound{line, u")"},
        nextWide{line, u"）"};
    for (int i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (isBar(c)) {
            if (pendingBar >= 0) b.problem(Problem::Kind::BarWithoutBracket, pendingBar, pendingBar + 1);
            pendingBar = i;
            continue;
        }
        const bool round = rules.roundBrackets && (c == u'(' || c == u'（');
        if (c != u'《' && !round) continue;
        if (i > 0 && isBar(line[i - 1])) {
            // A bar right before the bracket writes the bracket as text.
            b.hide(i - 1, i);
            b.out.literals.push_back({i, c, {i - 1, i}});
            pendingBar = -1;
            floor = i + 1;
            continue;
        }
        if (rules.doubleEmphasis && i + 1 < n && line[i + 1] == u'《') {
            const int close = nextDouble(i + 2);
            if (close > i + 2) {
                b.hide(i, i + 2);
                b.hide(close, close + 2);
                b.out.spans.push_back(
                    {Span::Kind::Emphasis, {i, close + 2}, {i + 2, close}, {close, close}, -1});
                floor = close + 2;
                i = close + 1;
                continue;
            }
        }
        const int close = c == u'《' ? nextAngle(i + 1) : c == u'(' ? nextRound(i + 1) : nextWide(i + 1);
        if (close < 0) {
            if (c == u'《') b.problem(Problem::Kind::Unclosed, i, n);
            continue;
        }
        const Range reading{i + 1, close};
        if (reading.size() == 0) continue;
        if (round && !isKanaReading(line.sliced(reading.start, reading.size()))) continue;
        Range base;
        if (pendingBar >= 0)
            base = {pendingBar + 1, i};
        else
            base = {b.runStart(i, floor, rules.classOf, noUnit), i};
        if (base.size() == 0 || !shows(base, b.out.hidden)) continue;
        const int bar = pendingBar;
        pendingBar = -1;
        if (characterCount(line.sliced(base.start, base.size())) > rules.maxBase) {
            b.problem(Problem::Kind::BaseTooLong, base.start, base.end);
            continue;
        }
        if (characterCount(line.sliced(reading.start, reading.size())) > rules.maxReading) {
            b.problem(Problem::Kind::ReadingTooLong, reading.start, reading.end);
            continue;
        }
        b.ruby(base, reading, bar, close + 1);
        floor = close + 1;
        i = close;
    }
    if (pendingBar >= 0) b.problem(Problem::Kind::BarWithoutBracket, pendingBar, pendingBar + 1);
}

// The text of "X" in a note 「X」に…傍点 (a note that names its text), or empty.
QStringView namedEmphasis(QStringView note) {
    if (!note.startsWith(u'「') || !note.endsWith(u"傍点")) return {};
    const qsizetype close = note.lastIndexOf(u"」");
    if (close <= 1) return {};
    return note.sliced(1, close - 1);
}

// The last `target` in the plain text of line[0, end): its range in the line.
Range lastInPlain(QStringView line, const std::vector<Range>& hidden, int end, QStringView target) {
    QString plain;
    std::vector<int> at;
    forEachVisible(end, hidden, [&](int s, int e) {
        for (int i = s; i < std::min(e, end); ++i) {
            plain.append(line[i]);
            at.push_back(i);
        }
    });
    const qsizetype found = plain.lastIndexOf(target);
    if (found < 0 || target.isEmpty()) return {-1, -1};
    return {at[found], at[found + target.size() - 1] + 1};
}

void parseAozora(Builder& b) {
    const QStringView line = b.line;
    const int n = int(line.size());
    int pendingBar = -1;
    int floor = 0;
    int emphasisFrom = -1, emphasisNote = -1;
    std::vector<Range> gaiji;
    NextOf nextAngle{line, u"》"}, nextNoteEnd{line, u"］"};
    const auto unit = [&](int at) {
        if (at == 0 || line[at - 1] != u'］' || gaiji.empty() || gaiji.back().end != at) return -1;
        return gaiji.back().start;
    };
    for (int i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c == u'｜') {
            if (pendingBar >= 0) b.problem(Problem::Kind::BarWithoutBracket, pendingBar, pendingBar + 1);
            pendingBar = i;
        } else if (c == u'《') {
            const int close = nextAngle(i + 1);
            if (close < 0) {
                b.problem(Problem::Kind::Unclosed, i, n);
                continue;
            }
            if (close == i + 1) { // 《》 is text
                i = close;
                continue;
            }
            Range base;
            if (pendingBar >= 0)
                base = {pendingBar + 1, i};
            else
                base = {b.runStart(i, floor, aozoraClass, unit), i};
            if (base.size() == 0 || !shows(base, b.out.hidden)) continue;
            b.ruby(base, {i + 1, close}, pendingBar, close + 1);
            pendingBar = -1;
            floor = close + 1;
            i = close;
        } else if (c == u'［' && i + 1 < n && line[i + 1] == u'＃') {
            const int close = nextNoteEnd(i + 2);
            if (close < 0) continue;
            const QStringView note = line.sliced(i + 2, close - i - 2);
            b.hide(i, close + 1);
            if (i > 0 && line[i - 1] == u'※') {
                gaiji.push_back({i - 1, close + 1});
                if (note.startsWith(u"始め二重山括弧")) b.out.literals.push_back({i - 1, u'《', {i, close + 1}});
                if (note.startsWith(u"終わり二重山括弧")) b.out.literals.push_back({i - 1, u'》', {i, close + 1}});
                if (note.startsWith(u"縦線")) b.out.literals.push_back({i - 1, u'｜', {i, close + 1}});
            } else if (const QStringView named = namedEmphasis(note); !named.isEmpty()) {
                const Range base = lastInPlain(line, b.out.hidden, i, named);
                if (base.start >= 0)
                    b.out.spans.push_back(
                        {Span::Kind::Emphasis, {i, close + 1}, base, {close, close}, -1});
            } else if (note.endsWith(u"傍点終わり")) {
                if (emphasisFrom >= 0 && shows({emphasisFrom, i}, b.out.hidden))
                    b.out.spans.push_back({Span::Kind::Emphasis, {emphasisNote, close + 1},
                                           {emphasisFrom, i}, {close, close}, -1});
                emphasisFrom = -1;
            } else if (note.endsWith(u"傍点")) {
                emphasisFrom = close + 1;
                emphasisNote = i;
            }
            i = close;
        }
    }
    // A range left open runs to the end of its line: the line is the paragraph.
    if (emphasisFrom >= 0 && shows({emphasisFrom, n}, b.out.hidden))
        b.out.spans.push_back(
            {Span::Kind::Emphasis, {emphasisNote, n}, {emphasisFrom, n}, {n, n}, -1});
    if (pendingBar >= 0) b.problem(Problem::Kind::BarWithoutBracket, pendingBar, pendingBar + 1);
    std::stable_sort(b.out.spans.begin(), b.out.spans.end(),
                     [](const Span& x, const Span& y) { return x.base.start < y.base.start; });
}

void parsePixiv(Builder& b) {
    const QStringView line = b.line;
    const auto trimmed = [&](int s, int e) {
        while (s < e && line[s].isSpace()) ++s;
        while (e > s && line[e - 1].isSpace()) --e;
        return Range{s, e};
    };
    NextOf nextClose{line, u"]]"}, nextGt{line, u">"};
    for (int i = b.indexOf(u"[[rb:", 0); i >= 0; i = b.indexOf(u"[[rb:", i)) {
        const int close = nextClose(i + 5);
        if (close < 0) {
            b.problem(Problem::Kind::Unclosed, i, int(line.size()));
            return;
        }
        const int gt = nextGt(i + 5);
        const Range base = gt >= 0 && gt < close ? trimmed(i + 5, gt) : Range{};
        const Range reading = gt >= 0 && gt < close ? trimmed(gt + 1, close) : Range{};
        if (base.size() == 0 || reading.size() == 0) {
            i += 5;
            continue;
        }
        b.hide(i, base.start);
        b.hide(base.end, close + 2);
        b.out.spans.push_back({Span::Kind::Ruby, {i, close + 2}, base, reading, -1});
        i = close + 2;
    }
}

} // namespace

QString targetName(Target target) {
    switch (target) {
    case Target::Aozora: return QStringLiteral("青空文庫");
    case Target::Narou: return QStringLiteral("小説家になろう");
    case Target::Kakuyomu: return QStringLiteral("カクヨム");
    case Target::Pixiv: return QStringLiteral("pixiv");
    case Target::None: break;
    }
    return QStringLiteral("なし");
}

QString targetKey(Target target) {
    switch (target) {
    case Target::Aozora: return QStringLiteral("aozora");
    case Target::Narou: return QStringLiteral("narou");
    case Target::Kakuyomu: return QStringLiteral("kakuyomu");
    case Target::Pixiv: return QStringLiteral("pixiv");
    case Target::None: break;
    }
    return QStringLiteral("none");
}

Target targetFromKey(const QString& key) {
    for (int i = 0; i < kTargetCount; ++i)
        if (targetKey(Target(i)) == key) return Target(i);
    return Target::None;
}

QString problemText(Problem::Kind kind) {
    switch (kind) {
    case Problem::Kind::BaseTooLong: return QStringLiteral("親文字が長すぎます");
    case Problem::Kind::ReadingTooLong: return QStringLiteral("ルビが長すぎます");
    case Problem::Kind::Unclosed: return QStringLiteral("閉じていません");
    case Problem::Kind::BarWithoutBracket: return QStringLiteral("縦線の後にルビがありません");
    }
    return {};
}

void LineParse::clear() {
    spans.clear();
    hidden.clear();
    problems.clear();
    literals.clear();
}

void parseLine(Target target, QStringView line, LineParse& out) {
    out.clear();
    Builder b{line, out};
    switch (target) {
    case Target::Aozora:
        parseAozora(b);
        break;
    case Target::Narou:
        parseSite({narouClass, 10, 10, true, false}, b);
        break;
    case Target::Kakuyomu:
        parseSite({kakuyomuClass, 20, 50, false, true}, b);
        break;
    case Target::Pixiv:
        parsePixiv(b);
        break;
    case Target::None:
        break;
    }
}

QString plainText(QStringView line, const std::vector<Range>& hidden) {
    QString out;
    forEachVisible(int(line.size()), hidden,
                   [&](int s, int e) { out.append(line.sliced(s, e - s)); });
    return out;
}

bool isCombining(char32_t c) {
    if (c < 0x300) return false;
    if ((c >= 0xFE00 && c <= 0xFE0F) || (c >= 0xE0100 && c <= 0xE01EF)) return true;
    if (c >= 0x3400 && c <= 0x9FFF) return false;
    const int type = u_charType(UChar32(c));
    return type == U_NON_SPACING_MARK || type == U_ENCLOSING_MARK ||
           type == U_COMBINING_SPACING_MARK;
}

int characterCount(QStringView text) {
    int n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()) continue;
        if (c.unicode() < 0x300) {
            ++n;
            continue;
        }
        if (!isCombining(codePointAt(text, int(i)))) ++n;
    }
    return n;
}

} // namespace notation
