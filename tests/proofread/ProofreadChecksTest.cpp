#include "proofread/ProofreadTestSupport.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

// One table per check: a text and the passages the check finds in it. Where an established
// rule set defines the same check, its own published cases are rows here.
namespace {

using proofread::Check;
using proofread::ProofreadOptions;

struct CheckCase {
    const char* text;
    QStringList found;
    ProofreadOptions options = {};
    Check check = Check::StyleMix;
};

std::vector<CheckCase> rows(Check check, std::vector<CheckCase> cases) {
    for (CheckCase& c : cases)
        c.check = check;
    return cases;
}

void PrintTo(const CheckCase& c, std::ostream* os) {
    *os << c.text;
}

class Finds : public ::testing::TestWithParam<CheckCase> {};

TEST_P(Finds, ThePassagesOfItsCheck) {
    const CheckCase& c = GetParam();
    EXPECT_EQ(passagesOf(QString::fromUtf8(c.text), c.check, c.options), c.found);
}

INSTANTIATE_TEST_SUITE_P(
    DoubledParticle, Finds,
    ::testing::ValuesIn(rows(
        Check::DoubledParticle,
        {CheckCase{"私は彼は好きだ", {"は彼は"}},
         CheckCase{"材料不足で代替素材で製品を作った。", {"で代替素材で"}},
         CheckCase{"クォートで囲むことで文字列を作成できる点は、他の文字列リテラルと同じです。",
                   {"で囲むことで"}},
         CheckCase{"列車事故でバスで振り替え輸送を行った。", {"でバスで"}},
         CheckCase{"法律案は十三日の衆議院本会議で賛成多数で可決され、参議院に送付されます",
                   {"で賛成多数で"}},
         // A pair of particles counts as that pair.
         CheckCase{"文字列にはそこには問題がある。", {"にはそこには"}},
         CheckCase{"私は彼が好きだ", {}}, CheckCase{"既存のコードの利用", {}},
         CheckCase{"オブジェクトを返す関数を公開した", {}}, CheckCase{"私は彼の鼻は好きだ", {}},
         CheckCase{"これがiPhone、これがAndroidです。", {}},
         CheckCase{"これがiPhone，これがAndroidです。", {}},
         CheckCase{"ナイフで切断した後、ハンマーで破砕した。", {}},
         CheckCase{"まずは試していただいて", {}},
         CheckCase{"そのため、文字列の長さを正確に測るにはある程度の妥協が必要になります。", {}},
         CheckCase{"そんな事で言うべきではない。", {}}, CheckCase{"言うのは簡単の法則。", {}},
         CheckCase{"削除しようとすると問題が発生する", {}},
         CheckCase{"削除しようとするとエラーが発生する", {}},
         CheckCase{"台に登ったり降りたりする", {}}, CheckCase{"AとBとCを持ってきて", {}},
         CheckCase{"慣用的表現、熟語、概数、固有名詞、副詞など、漢数字を使用することが一般的な語句"
                   "では漢数字を使います。",
                   {}},
         CheckCase{"ターミナルで「test」と入力すると、画面に表示されます。", {}},
         CheckCase{"行くかどうか決める。", {}},
         // Each sentence is checked on its own.
         CheckCase{"私は行く。彼は残る。", {}}})));

INSTANTIATE_TEST_SUITE_P(
    DroppedRa, Finds,
    ::testing::ValuesIn(
        rows(Check::DroppedRa,
             {CheckCase{"お刺身を食べれない。", {"食べれ"}},
              CheckCase{"女の子が出れないんです", {"出れ"}}, CheckCase{"来れる", {"来れ"}},
              CheckCase{"女の子が来れないんです", {"来れ"}},
              CheckCase{"ここからなら海が見れる。", {"見れ"}},
              CheckCase{"すぐに寝れる。また明日これるかな。", {"寝れ", "これ"}},
              CheckCase{"お刺身を食べられない。", {}}, CheckCase{"見られる", {}},
              CheckCase{"出られる", {}}, CheckCase{"来られる", {}},
              // Verbs of their own and 五段 potentials end in れる without a dropped ら.
              CheckCase{"箱に入れる。糸が切れる。よく取れる。", {}}})));

INSTANTIATE_TEST_SUITE_P(
    RepeatedWord, Finds,
    ::testing::ValuesIn(rows(
        Check::RepeatedWord,
        {CheckCase{"これはは問題ある文章です。", {"はは"}},
         CheckCase{"これは問題あるある文章です", {"あるある"}}, CheckCase{"私のの本。", {"のの"}},
         CheckCase{"これは問題ない文章です。", {}}, CheckCase{"すもももももももものうち", {}},
         CheckCase{"111回目の問題", {}}, CheckCase{"11,11回目の問題", {}},
         CheckCase{"値は九九です。", {}}, CheckCase{"動作がカクカクしてきた。", {}},
         CheckCase{"もっともっと走れ。はいはい、そうそう。", {}},
         CheckCase{"……それは――違う！！", {}}})));

// The writer's limits: a sentence's length and its number of commas.
ProofreadOptions limits(int length, int commas = 3) {
    ProofreadOptions o;
    o.maxSentenceLength = length;
    o.maxCommas = commas;
    return o;
}

INSTANTIATE_TEST_SUITE_P(
    LongSentence, Finds,
    ::testing::ValuesIn(rows(
        Check::LongSentence,
        {CheckCase{"123456", {"123456"}, limits(5)}, CheckCase{"12345", {}, limits(5)},
         CheckCase{"あいうえお。\r\n\r\nあいうえお。\r\nあいうえおあかさたな。",
                   {"あいうえおあかさたな。"},
                   limits(10)},
         // The indent is not part of the sentence; a quotation is part of the narrator's.
         CheckCase{"　あいうえおかきくけ。", {}, limits(10)},
         CheckCase{"「はい。いいえ。」と言った。", {"「はい。いいえ。」と言った。"}, limits(10)},
         CheckCase{"短い。", {}}})));

INSTANTIATE_TEST_SUITE_P(
    ManyCommas, Finds,
    ::testing::ValuesIn(rows(
        Check::ManyCommas,
        {CheckCase{"これは、これは、これは、これは、これはだめ。",
                   {"これは、これは、これは、これは、これはだめ。"}},
         CheckCase{"テスト文章において、テスト文章において、テスト文章において、です", {}},
         CheckCase{"a、b、c、d、e、fです。", {}, limits(100, 5)},
         CheckCase{"これは、長文の例ですが、columnがちゃんと計算、されてるはずです。",
                   {"これは、長文の例ですが、columnがちゃんと計算、されてるはずです。"},
                   limits(100, 2)},
         CheckCase{"複数のセンテンスがある場合。これでも、columnが、ちゃんと計算、されているはず、"
                   "そのためのテキストです。",
                   {"これでも、columnが、ちゃんと計算、されているはず、そのためのテキストです。"}},
         // Commas between nouns list things and are not counted.
         CheckCase{"名詞、名詞、名詞、名詞、名詞の場合は例外", {}},
         CheckCase{"ビスケットの主な材料は(1)小麦粉、(2)牛乳、(3)ショートニング、(4)バター、(5)砂糖"
                   "である。",
                   {}},
         CheckCase{"これは、TaskA、TaskB、TaskC、TaskDが処理するものです。", {}},
         CheckCase{"紅ちゃんは、たたえなくなっていいって、思う？ もっと大事なものがあったら、"
                   "スパイになれなくてもいいって、思う？",
                   {}},
         // The speaker's own sentences inside a quotation count apart.
         CheckCase{"「紅ちゃんは、たたえなくなっていいって、思う？ もっと大事なものがあったら、"
                   "スパイになれなくてもいいって、思う？」",
                   {}}})));

INSTANTIATE_TEST_SUITE_P(
    StyleMix, Finds,
    ::testing::ValuesIn(rows(
        Check::StyleMix,
        {// A tie goes to です・ます.
         CheckCase{"今日はいい天気ですね。\r\n今日はいい天気である。", {"である。"}},
         CheckCase{"今日はいい天気ですね。\r\n今日はいい天気ですね。\r\n今日はいい天気ですね。\r\n"
                   "今日はいい天気である。\r\n明日はいい天気である。",
                   {"である。", "である。"}},
         CheckCase{"今日はいい天気ですね。\r\n\r\nそうですね。", {}},
         CheckCase{"昨日はいい天気であったのだが、今日は悪天候である。", {}},
         // Plain narration with one polite sentence.
         CheckCase{"私は歩いた。空は青かった。風が吹きました。", {"きました。"}},
         CheckCase{"雨が降った。行きましょう。傘がない。", {"ましょう。"}},
         // The speakers' words are not the narrator's style.
         CheckCase{"彼は笑った。「そうですね。行きます」と彼女は言った。", {}},
         CheckCase{"雨が降った。\r\n「ありがとうございます。」", {}},
         // An ending the tables do not know takes no side.
         CheckCase{"夜。静かですね。", {}}})));

INSTANTIATE_TEST_SUITE_P(
    Variants, Finds,
    ::testing::ValuesIn(
        rows(Check::Variants,
             {CheckCase{"子供と子ども。子供が来た。", {"子ども"}},
              // A tie goes to the list's first spelling, for katakana the one with ー.
              CheckCase{"全てを見た。すべてを見た。", {"全て"}},
              CheckCase{"サーバーとサーバ", {"サーバ"}},
              CheckCase{"ブラウザーを開く。ブラウザを閉じる。ブラウザが落ちる。", {"ブラウザー"}},
              // Katakana inside a longer word is that word.
              CheckCase{"サーバーとサーバント", {}},
              // One reading in kanji and in kana, found by the analyser.
              CheckCase{"雨が止んだ。雨がやんだ。雨が止む。", {"やん"}},
              CheckCase{"嬉しい。うれしい。", {"うれしい"}}, CheckCase{"子供が来た。", {}}})));

TEST(Variants, TheWritersListAddsGroups) {
    const QString list = QStringLiteral("# 動物\r\n猫/ネコ/ねこ\r\n一語だけ\r\n");
    EXPECT_EQ(passagesOf(QStringLiteral("猫とネコ。"), Check::Variants, {}, list),
              QStringList{QStringLiteral("ネコ")});
    EXPECT_EQ(passagesOf(QStringLiteral("猫とネコ。"), Check::Variants), QStringList{});
}

} // namespace
