#include "proofread/SentenceSplitter.h"
#include "support/QtPrinters.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct SplitCase {
    const char* text;
    QStringList sentences;
};

class Splitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(Splitting, CutsWhereAReaderWould) {
    const QString text = QString::fromUtf8(GetParam().text);
    QStringList got;
    for (const auto& s : proofread::splitSentences(text, 0, int(text.size())))
        got << text.mid(s.start, s.length);
    EXPECT_EQ(got, GetParam().sentences);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, Splitting,
    ::testing::Values(SplitCase{"", {}}, SplitCase{"\r\n\r\n", {}},
                      SplitCase{"今日は晴れ。明日は雨。", {"今日は晴れ。", "明日は雨。"}},
                      SplitCase{"終わりのない文", {"終わりのない文"}},
                      SplitCase{"本当？　嘘！", {"本当？", "嘘！"}},
                      SplitCase{"えっ！？ まさか!? はい｡", {"えっ！？", "まさか!?", "はい｡"}},
                      // The speaker's full stops do not end the narrator's sentence, at any depth.
                      SplitCase{"彼は「行く。すぐ行く。」と言った。次。",
                                {"彼は「行く。すぐ行く。」と言った。", "次。"}},
                      SplitCase{"「『行け。』と言われた。」と書いた。次だ。",
                                {"「『行け。』と言われた。」と書いた。", "次だ。"}},
                      SplitCase{"「おはよう。元気？」", {"「おはよう。元気？」"}},
                      // A line break ends a sentence and a quotation left open.
                      SplitCase{"一行目\r\n二行目。", {"一行目", "二行目。"}},
                      SplitCase{"「閉じない。まだ\r\n次の行。後。",
                                {"「閉じない。まだ", "次の行。", "後。"}},
                      // A closing bracket without its opening one is text.
                      SplitCase{"」閉じだけ。次。", {"」閉じだけ。", "次。"}},
                      // A lone LF is an ordinary character, not a line break.
                      SplitCase{"a\nb", {"a\nb"}},
                      // The paragraph indent and trailing blanks are not part of the sentence.
                      SplitCase{"　字下げの文。  \r\n  次 ", {"字下げの文。", "次"}}));

TEST(Splitting, StartsAndEndsWhereAsked) {
    const QString text = QStringLiteral("一。二。三。");
    const auto spans = proofread::splitSentences(text, 2, 4);
    ASSERT_EQ(spans.size(), 1u);
    EXPECT_EQ(text.mid(spans[0].start, spans[0].length), u"二。");
}

} // namespace
