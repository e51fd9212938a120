#include "notation/NotationCount.h"

#include <QStringList>

#include <gtest/gtest.h>

// One table per notation, rows drawn from the owners' own examples: each line becomes its
// plain text, its spans (R base/reading, E base) and its problems (kind@position).
namespace {

using notation::Target;

QString describe(Target target, const QString& line) {
    notation::LineParse p;
    notation::parseLine(target, line, p);
    QStringList parts{notation::plainText(line, p.hidden)};
    for (const notation::Span& s : p.spans) {
        const QString base = line.mid(s.base.start, s.base.size());
        parts << (s.kind == notation::Span::Kind::Ruby
                      ? u'R' + base + u'/' + line.mid(s.reading.start, s.reading.size())
                      : u'E' + base);
    }
    for (const notation::Problem& pr : p.problems)
        parts << QStringLiteral("!%1@%2").arg(int(pr.kind)).arg(pr.at.start);
    return parts.join(u' ');
}

struct Row {
    const char* in;
    const char* out;
};
void PrintTo(const Row& r, std::ostream* os) { *os << r.in; }

struct ParseCase : testing::TestWithParam<Row> {};

#define NOTATION_TABLE(Name, target, ...)                                                          \
    struct Name : ParseCase {};                                                                    \
    TEST_P(Name, Reads) {                                                                          \
        EXPECT_EQ(describe(target, QString::fromUtf8(GetParam().in)),                              \
                  QString::fromUtf8(GetParam().out));                                              \
    }                                                                                              \
    INSTANTIATE_TEST_SUITE_P(Rows, Name, testing::Values(__VA_ARGS__))

// Problems: 0 base too long, 1 reading too long, 2 unclosed, 3 bar with no bracket.
NOTATION_TABLE(Aozora, Target::Aozora,
    Row{"青空文庫《あおぞらぶんこ》", "青空文庫 R青空文庫/あおぞらぶんこ"},
    Row{"霧の｜ロンドン警視庁《スコットランドヤード》",
        "霧のロンドン警視庁 Rロンドン警視庁/スコットランドヤード"},
    Row{"いかにも最｜猛者《もさ》のように", "いかにも最猛者のように R猛者/もさ"},
    Row{"〆切《しめきり》を逃れ、市ヶ谷《いちがや》から転々《てんてん》と",
        "〆切を逃れ、市ヶ谷から転々と R〆切/しめきり R市ヶ谷/いちがや R転々/てんてん"},
    // A bar-less base is the run of one class: here the hiragana before the bracket.
    Row{"研究されたので《花がたみ》", "研究されたので Rされたので/花がたみ"},
    Row{"全角ＡＢＣ《えーびーしー》とabc《えー》", "全角ＡＢＣとabc RＡＢＣ/えーびーしー Rabc/えー"},
    Row{"置いた※［＃「木＋靈」、第3水準1-86-29］子窓《れんじまど》の下",
        "置いた※子窓の下 R※［＃「木＋靈」、第3水準1-86-29］子窓/れんじまど"},
    Row{"《》と「《」", "《》と「《」 !2@4"},
    Row{"これ［＃「これ」に傍点］を、使って", "これを、使って Eこれ"},
    Row{"ねこ、ねこ［＃「ねこ」に傍点］", "ねこ、ねこ Eねこ"},
    Row{"［＃傍点］粥薬［＃傍点終わり］。", "粥薬。 E粥薬"},
    Row{"［＃改ページ］", ""},
    Row{"※［＃始め二重山括弧、1-1-52］る※［＃縦線、1-1-35］", "※る※"},
    Row{"｜漢字とかな", "｜漢字とかな !3@0"});

NOTATION_TABLE(Narou, Target::Narou,
    Row{"わたしは|山田太郎《やまだたろう》と申します。",
        "わたしは山田太郎と申します。 R山田太郎/やまだたろう"},
    Row{"楽しい小説《ライトノベル》", "楽しい小説 R小説/ライトノベル"},
    Row{"漢字（かんじ）かんじ（漢字）漢字(カン・ジ)", "漢字かんじ（漢字）漢字 R漢字/かんじ R漢字/カン・ジ"},
    Row{"漢字（漢字）｜かんじ《漢字》", "漢字（漢字）かんじ Rかんじ/漢字"},
    Row{"久々（ひさびさ）", "久々（ひさびさ）"},
    Row{"二〇一《にぜろいち》", "二〇一 R一/にぜろいち"},
    Row{"文字列|《文字列》と漢字｜（かんじ）", "文字列《文字列》と漢字（かんじ）"},
    Row{"漢字《いろはにほへとちりぬる》", "漢字《いろはにほへとちりぬる》 !1@3"},
    Row{"｜太郎山田太郎山田太郎山《た》", "｜太郎山田太郎山田太郎山《た》 !0@1"},
    Row{"《心の声》と|ルビ", "《心の声》と|ルビ !3@6"},
    Row{"漢字《かんじ", "漢字《かんじ !2@2"});

NOTATION_TABLE(Kakuyomu, Target::Kakuyomu,
    Row{"冴えない|彼女《ヒロイン》の育てかた", "冴えない彼女の育てかた R彼女/ヒロイン"},
    Row{"あいつの顔《かお》", "あいつの顔 R顔/かお"},
    Row{"佐々木《ささき》と《《傍点》》", "佐々木と傍点 R佐々木/ささき E傍点"},
    Row{"これは|《ルビにならない》", "これは《ルビにならない》"},
    Row{"｜一二三四五六七八九十一二三四五六七八九十一《よみ》",
        "｜一二三四五六七八九十一二三四五六七八九十一《よみ》 !0@1"},
    Row{"漢字《かんじ", "漢字《かんじ !2@2"});

NOTATION_TABLE(Pixiv, Target::Pixiv,
    Row{"[[rb:漢字 > かんじ]]と[[rb:ルビ>るび]]", "漢字とルビ R漢字/かんじ Rルビ/るび"},
    Row{"[[rb:漢字]]", "[[rb:漢字]]"},
    Row{"[[rb:漢字 > かんじ", "[[rb:漢字 > かんじ !2@0"});

NOTATION_TABLE(NoNotation, Target::None, Row{"｜漢字《かんじ》", "｜漢字《かんじ》"});

struct CountRow {
    Target target;
    const char16_t* text;
    notation::Totals totals; // with, without blanks, ruby, emphasis; the rest is not compared
};
void PrintTo(const CountRow& r, std::ostream* os) { *os << int(r.target); }
struct Counts : testing::TestWithParam<CountRow> {};

// Readings and marks never count; a surrogate pair or a character with its combining mark is
// one character; a line break counts once in the figure with blanks.
TEST_P(Counts, CountLikeTheSite) {
    const CountRow& r = GetParam();
    const notation::Totals t =
        notation::countText(r.target, {}, QString::fromUtf16(r.text));
    EXPECT_EQ(t.withBlanks, r.totals.withBlanks);
    EXPECT_EQ(t.withoutBlanks, r.totals.withoutBlanks);
    EXPECT_EQ(t.ruby, r.totals.ruby);
    EXPECT_EQ(t.emphasis, r.totals.emphasis);
}
INSTANTIATE_TEST_SUITE_P(
    Rows, Counts,
    testing::Values(CountRow{Target::Kakuyomu, u"｜彼女《ヒロイン》　と\r\n《《傍点》》", {7, 5, 1, 1}},
                    CountRow{Target::None, u"｜彼女《ヒロイン》", {9, 9}},
                    CountRow{Target::Narou, u"𠀋か\u3099 \t\r\n", {5, 2}},
                    CountRow{Target::Aozora, u"［＃改ページ］\r\n※［＃「木＋靈」］", {2, 1}},
                    CountRow{Target::Pixiv, u"", {0, 0}}));

} // namespace
