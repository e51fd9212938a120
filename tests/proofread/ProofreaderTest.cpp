#include "proofread/ProofreadTestSupport.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using proofread::Check;
using proofread::Finding;
using proofread::Proofreader;

const QString kNovel = QStringLiteral("　私は彼は好きだ。子供と子ども。\r\n"
                                      "　雨が降った。「行きます。すぐ」と彼は言った。\r\n"
                                      "\r\n"
                                      "　お刺身を食べれない。これはは困る。風が吹きました。\r\n"
                                      "　サーバーとサーバ。");

QStringList describe(const std::vector<Finding>& findings) {
    QStringList out;
    for (const Finding& f : findings)
        out << QStringLiteral("%1 %2:%3 %4 %5")
                   .arg(proofread::checkName(f.check))
                   .arg(f.line)
                   .arg(f.column)
                   .arg(f.start)
                   .arg(f.passage);
    return out;
}

QStringList freshFindings(const QString& text) {
    TextBox box;
    box.setText(text);
    Proofreader reader(box, &sharedAnalyzer());
    reader.run(0, box.length());
    return describe(reader.findings({}));
}

// An edit followed live must leave exactly what a new run over the new text finds.
struct Edit {
    int pos;
    int removed;
    const char* inserted;
};

class FollowingEdits : public ::testing::TestWithParam<Edit> {};

TEST_P(FollowingEdits, AgreesWithANewRun) {
    TextBox box;
    box.setText(kNovel);
    Proofreader reader(box, &sharedAnalyzer());
    QObject::connect(&box, &TextBox::textReplaced, [&](int pos, int removed, const QString& in) {
        reader.textReplaced(pos, removed, int(in.size()));
    });
    reader.run(0, box.length());
    const Edit& e = GetParam();
    box.replace(e.pos, e.removed, QString::fromUtf8(e.inserted));
    EXPECT_EQ(describe(reader.findings({})), freshFindings(box.text()));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FollowingEdits,
    ::testing::Values(Edit{0, 0, "前置き。"},    // before everything: all moves
                      Edit{3, 1, "が"},          // 私は彼が: a finding goes
                      Edit{10, 0, "子ども。"},   // a variant changes its majority
                      Edit{17, 2, ""},           // a line break removed: lines join
                      Edit{25, 0, "\r\n"},       // a line break inside a quotation
                      Edit{44, 0, "なのである"}, // the styles' counts change
                      Edit{int(kNovel.size()), 0, "\r\nサーバ。"}, // typing at the end
                      Edit{0, int(kNovel.size()), "新しい文。"})); // everything replaced

TEST(FollowingEdits, AnalysesOnlyTheChangedSentence) {
    QString text;
    for (int i = 0; i < 200; ++i)
        text += QStringLiteral("　第%1の文は短い。次も短い。\r\n").arg(i);
    TextBox box;
    box.setText(text);
    Proofreader reader(box, &sharedAnalyzer());
    reader.run(0, box.length());
    const int before = reader.analysedCount();
    const int pos = int(text.indexOf(QStringLiteral("第100の文")));
    reader.textReplaced(pos, 0, 0); // nothing new: every sentence comes from the cache
    box.replace(pos, 0, QStringLiteral("ああ"));
    reader.textReplaced(pos, 0, 2);
    EXPECT_EQ(reader.analysedCount() - before, 1);
    EXPECT_EQ(reader.sentenceCount(), 400);
}

TEST(Scope, ASelectionIsCheckedAloneAndMovesWithEditsBeforeIt) {
    const QString text = QStringLiteral("私は彼は好きだ。\r\n私は彼は好きだ。\r\n私は彼は好きだ。");
    TextBox box;
    box.setText(text);
    Proofreader reader(box, &sharedAnalyzer());
    reader.run(10, 18);
    EXPECT_EQ(describe(reader.findings({})), QStringList{u"二重助詞 1:9 11 は彼は"_qs});
    box.replace(0, 0, QStringLiteral("前。"));
    reader.textReplaced(0, 0, 2);
    EXPECT_EQ(describe(reader.findings({})), QStringList{u"二重助詞 1:11 13 は彼は"_qs});
    box.replace(30, 0, QStringLiteral("私は彼は"));
    reader.textReplaced(30, 0, 4); // after the selection: not checked
    EXPECT_EQ(reader.findings({}).size(), 1u);
}

TEST(Options, SwitchChecksOffAndSetTheirNumbers) {
    TextBox box;
    box.setText(kNovel);
    Proofreader reader(box, &sharedAnalyzer());
    reader.run(0, box.length());
    proofread::ProofreadOptions options;
    for (bool& on : options.enabled)
        on = false;
    EXPECT_TRUE(reader.findings(options).empty());
    options.enabled[std::size_t(Check::LongSentence)] = true;
    options.maxSentenceLength = 8;
    const auto found = reader.findings(options);
    ASSERT_FALSE(found.empty());
    for (const Finding& f : found)
        EXPECT_GT(f.length, 8) << f.passage.toStdString();
}

TEST(MissingDictionary, SaysSoAndStillRunsTheOtherChecks) {
    proofread::MorphAnalyzer missing(QStringLiteral("-d /nonexistent/dictionary"));
    EXPECT_FALSE(missing.available());
    EXPECT_TRUE(missing.problem().contains(u"辞書が見つかりません"));
    TextBox box;
    box.setText(kNovel);
    Proofreader reader(box, &missing);
    ASSERT_TRUE(reader.run(0, box.length()));
    std::set<Check> checks;
    for (const Finding& f : reader.findings({}))
        checks.insert(f.check);
    EXPECT_EQ(checks, (std::set<Check>{Check::StyleMix, Check::Variants}));
}

TEST(Run, ACancelledRunKeepsNothing) {
    TextBox box;
    box.setText(kNovel);
    Proofreader reader(box, &sharedAnalyzer());
    EXPECT_FALSE(reader.run(0, box.length(), [](int, int) { return false; }));
    EXPECT_FALSE(reader.hasRun());
    EXPECT_TRUE(reader.findings({}).empty());
}

} // namespace
