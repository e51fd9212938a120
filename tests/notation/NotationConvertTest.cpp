#include "notation/NotationConvert.h"

#include <QStringList>
#include <gtest/gtest.h>

// Conversions between notations: the rewritten text and what could not be carried over, by
// line (from 1).
namespace {

using notation::Target;

struct Row {
    Target from, to;
    const char16_t* in;
    const char16_t* out;
    const char* losses; // "line:" of each loss
};
void PrintTo(const Row& r, std::ostream* os) { *os << QString::fromUtf16(r.in).toStdString(); }
struct Convert : testing::TestWithParam<Row> {};

TEST_P(Convert, Rewrites) {
    const Row& r = GetParam();
    const notation::Conversion c = notation::convert(QString::fromUtf16(r.in), r.from, r.to);
    EXPECT_EQ(c.text, QString::fromUtf16(r.out));
    QStringList lines;
    for (const notation::Loss& l : c.losses)
        lines << QString::number(l.line + 1);
    EXPECT_EQ(lines.join(u','), QString::fromUtf8(r.losses));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Convert,
    testing::Values(
        Row{Target::Aozora, Target::Kakuyomu,
            u"霧の｜ロンドン《ろんどん》、青空《あおぞら》\r\nこれ［＃「これ」に傍点］を",
            u"霧の｜ロンドン《ろんどん》、青空《あおぞら》\r\n《《これ》》を", ""},
        // A bar-less base the target would not find gets a bar.
        Row{Target::Aozora, Target::Narou, u"されたので《花がたみ》", u"｜されたので《花がたみ》", ""},
        Row{Target::Kakuyomu, Target::Narou, u"《《傍点》》と|《",
            u"|傍《・》|点《・》と｜《", ""},
        Row{Target::Kakuyomu, Target::Narou, u"あ\r\n｜一二三四五六七八九十一《よみ》",
            u"あ\r\n｜一二三四五六七八九十一《よみ》", "2"},
        Row{Target::Narou, Target::Aozora, u"漢字（かんじ）に《》",
            u"漢字《かんじ》に※［＃始め二重山括弧、1-1-52］※［＃終わり二重山括弧、1-1-53］", ""},
        Row{Target::Aozora, Target::Pixiv, u"［＃改ページ］\r\n漢字《かんじ》",
            u"［＃改ページ］\r\n[[rb:漢字 > かんじ]]", "1"},
        Row{Target::Pixiv, Target::Kakuyomu, u"[[rb:かな > カナ]]", u"｜かな《カナ》", ""},
        Row{Target::Kakuyomu, Target::None, u"漢字《かんじ》", u"漢字", "1"}));

} // namespace
