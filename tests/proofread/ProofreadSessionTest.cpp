#include "proofread/ProofreadSession.h"
#include "proofread/ProofreadTestSupport.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using proofread::Check;

class FakeProofreadWindow : public proofread::ProofreadWindowPort {
public:
    QStringList passages;
    QString status;
    QString problem;
    void showFindings(const std::vector<proofread::Finding>& findings) override {
        passages.clear();
        for (const auto& f : findings)
            passages << f.passage;
    }
    void showStatus(const QString& s) override { status = s; }
    void showProblem(const QString& p) override { problem = p; }
    void showProgress(int, int) override {}
};

struct SessionFixture : ::testing::Test {
    FakeEditor editor;
    FakeProofreadWindow window;
    std::unique_ptr<proofread::ProofreadSession> session = make();

    std::unique_ptr<proofread::ProofreadSession> make() {
        auto s =
            std::make_unique<proofread::ProofreadSession>(editor.ctx, window, &sharedAnalyzer());
        s->load();
        QObject::connect(&editor.text, &TextBox::textReplaced,
                         [p = s.get()](int pos, int removed, const QString& in) {
                             p->textReplaced(pos, removed, in);
                         });
        return s;
    }
};

TEST_F(SessionFixture, ChoicesAreRememberedInTheSettings) {
    session->setCheckEnabled(Check::DroppedRa, false);
    session->setMaxSentenceLength(40);
    session->setMaxCommas(5);
    session->setLive(false);
    session->setSelectionOnly(true);
    FakeProofreadWindow other;
    proofread::ProofreadSession again(editor.ctx, other, &sharedAnalyzer());
    again.load();
    EXPECT_FALSE(again.options().isOn(Check::DroppedRa));
    EXPECT_TRUE(again.options().isOn(Check::DoubledParticle));
    EXPECT_EQ(again.options().maxSentenceLength, 40);
    EXPECT_EQ(again.options().maxCommas, 5);
    EXPECT_FALSE(again.live());
    EXPECT_TRUE(again.selectionOnly());
    EXPECT_EQ(other.problem, QString());
}

TEST_F(SessionFixture, ChoosingAFindingSelectsItsPassage) {
    editor.text.setText(QStringLiteral("前の文。\r\n私は彼は好きだ。"));
    session->recheck();
    ASSERT_EQ(window.passages, QStringList{u"は彼は"_qs});
    EXPECT_EQ(window.status, u"1件"_qs);
    session->select(0);
    EXPECT_EQ(editor.text.selText(), u"は彼は"_qs);
    EXPECT_EQ(editor.window.statusRefreshes, 1);
    EXPECT_EQ(editor.fake.pointer.changes, (QList<bool>{true, false}));
}

TEST_F(SessionFixture, LiveChecksFollowEditsAndAStillListSaysItIsOld) {
    editor.text.setText(QStringLiteral("私は彼は好きだ。"));
    session->recheck();
    editor.text.replace(0, 0, QStringLiteral("お刺身を食べれない。"));
    EXPECT_EQ(window.passages, (QStringList{u"食べれ"_qs, u"は彼は"_qs}));
    session->setLive(false);
    editor.text.replace(0, 10, QString());
    EXPECT_EQ(window.passages, (QStringList{u"食べれ"_qs, u"は彼は"_qs}));
    EXPECT_TRUE(window.status.contains(u"再チェック"));
    session->setLive(true); // runs again
    EXPECT_EQ(window.passages, QStringList{u"は彼は"_qs});
}

TEST_F(SessionFixture, OnlyTheSelectionWhenAsked) {
    editor.text.setText(QStringLiteral("私は彼は好きだ。彼女は彼は嫌いだ。"));
    editor.text.setSelection(8, 9);
    session->recheck();
    EXPECT_EQ(window.passages.size(), 2);
    session->setSelectionOnly(true);
    session->recheck();
    EXPECT_EQ(window.passages, QStringList{u"は彼は"_qs});
    EXPECT_TRUE(window.status.contains(u"選択範囲"));
}

TEST_F(SessionFixture, CancelAndEditsStopARun) {
    editor.text.setText(QStringLiteral("私は彼は好きだ。"));
    editor.fake.pump.onEvents = [&] { session->cancel(); };
    session->recheck();
    EXPECT_EQ(window.status, u"校正を中止しました。"_qs);
    EXPECT_TRUE(window.passages.isEmpty());
    editor.fake.pump.onEvents = [&] { editor.text.replace(0, 0, QStringLiteral("あ")); };
    session->recheck();
    EXPECT_EQ(window.status, u"本文が変わったので校正を中止しました。"_qs);
}

TEST_F(SessionFixture, TheWritersWordListIsReadAtEachRun) {
    editor.text.setText(QStringLiteral("猫とネコ。"));
    session->recheck();
    EXPECT_TRUE(window.passages.isEmpty());
    QFile list(session->wordListPath());
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(QStringLiteral("猫/ネコ\r\n").toUtf8());
    list.close();
    session->recheck();
    EXPECT_EQ(window.passages, QStringList{u"ネコ"_qs});
}

TEST_F(SessionFixture, AMissingDictionaryIsSaidPlainly) {
    proofread::MorphAnalyzer missing(QStringLiteral("-d /nonexistent/dictionary"));
    proofread::ProofreadSession withoutIt(editor.ctx, window, &missing);
    withoutIt.load();
    EXPECT_TRUE(window.problem.startsWith(u"形態素解析（MeCab）の辞書が見つかりません。"));
}

} // namespace
