#pragma once

#include <QString>
#include <QStringView>

#include <algorithm>
#include <vector>

// Ruby (furigana) and emphasis notation as the places a writer sends a text to read it. Every
// notation here lives inside one line, so a text is parsed line by line (CR LF lines, like the
// document) and positions are UTF-16 offsets from the start of the line.
namespace notation {

enum class Target { None, Aozora, Narou, Kakuyomu, Pixiv };
inline constexpr int kTargetCount = 5;

// The writer-facing name of a target ("なし", "青空文庫", ...) and the settings value.
QString targetName(Target target);
QString targetKey(Target target);
Target targetFromKey(const QString& key);

// A range [start, end) of a line.
struct Range {
    int start = 0;
    int end = 0;
    int size() const { return end - start; }
    bool operator==(const Range&) const = default;
};

struct Span {
    enum class Kind { Ruby, Emphasis };
    Kind kind = Kind::Ruby;
    Range whole;   // the notation with its marks
    Range base;    // the text the reading or the dots sit on
    Range reading; // empty for emphasis
    int bar = -1;  // the bar that opened the base, if one did
};

struct Problem {
    enum class Kind { BaseTooLong, ReadingTooLong, Unclosed, BarWithoutBracket };
    Kind kind;
    Range at;
};
QString problemText(Problem::Kind kind);

// A character of the notation written as text: Aozora's ※［＃始め二重山括弧…］ (`at` is the ※,
// which the plain text keeps) or a bar before a bracket (`at` is the bracket). `mark` is
// what the parse hid to write it.
struct Literal {
    int at = 0;
    QChar ch;
    Range mark;
};

struct LineParse {
    std::vector<Span> spans;       // in order of their bases
    std::vector<Range> hidden;     // marks and readings: sorted, disjoint, not in the plain text
    std::vector<Problem> problems;
    std::vector<Literal> literals;
    void clear();
};

// Parses one line (no CR LF inside) into `out` (cleared first).
void parseLine(Target target, QStringView line, LineParse& out);

// The line without what the parse hides.
QString plainText(QStringView line, const std::vector<Range>& hidden);

// Characters as the counts see them: a surrogate pair and a character with its combining marks
// (and variation selectors) are one character.
bool isCombining(char32_t c);
int characterCount(QStringView text);

// Calls f(start, end) for every run of the line the parse does not hide.
template <typename F>
void forEachVisible(int lineLength, const std::vector<Range>& hidden, F&& f) {
    int at = 0;
    for (const Range& h : hidden) {
        if (h.start > at) f(at, h.start);
        at = std::max(at, h.end);
    }
    if (at < lineLength) f(at, lineLength);
}

// Calls f(line, start, end) for every CR LF line of `text` (line numbers from 0).
template <typename F>
void forEachLine(QStringView text, F&& f) {
    int line = 0;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i + 1 < n; ++i) {
        if (text[i] == u'\r' && text[i + 1] == u'\n') {
            f(line++, int(start), int(i));
            start = i + 2;
            ++i;
        }
    }
    f(line, int(start), int(n));
}

} // namespace notation
