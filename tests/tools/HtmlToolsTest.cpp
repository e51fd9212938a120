#include "tools/HtmlTools.h"

#include "command/Settings.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>

namespace {

struct FakeWorking : html::WorkingWindowPort {
    QStringList calls;
    void showWorking() override { calls.append(QStringLiteral("show")); }
    void closeWorking() override { calls.append(QStringLiteral("close")); }
};

TEST(SimpleHtml, WrapsTheTextAndOneUndoReturns) {
    const QString head = QStringLiteral("<HTML>\r\n<HEAD>\r\n</HEAD>\r\n");
    EXPECT_EQ(html::simpleHtml(u"a\r\nb"), head + QStringLiteral("a<BR>\r\nb</HTML>"));
    EXPECT_EQ(html::simpleHtml(u"a\r\n"), head + QStringLiteral("a<BR>\r\n</HTML>"));
    EXPECT_EQ(html::simpleHtml(u""), head + QStringLiteral("</HTML>"));

    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QStringLiteral("本文\r\n"));
    e.history.record(e.text);
    html::makeSimpleHtml(e.ctx);
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{QStringLiteral("簡易HTML化が終了しました。")});
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("本文\r\n"));
}

struct ExtractCase {
    const char16_t* title;
    QStringList tags; // data0, data1, ...
    QList<MsgAnswer> answers;
    const char16_t* in;
    const char16_t* out;
    QStringList asked;
};

const QString kAskBlanks = html::TextExtractor::questionText();
const QString kAskNotHtml = html::TextExtractor::notHtmlQuestion();

class Extraction : public ::testing::TestWithParam<ExtractCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const ExtractCase&, std::ostream* os) { *os << "row"; }

TEST_P(Extraction, Texts) {
    const ExtractCase& p = GetParam();
    FakeEditor e;
    setDocumentTitle(e.document, QString::fromUtf16(p.title));
    for (int i = 0; i < p.tags.size(); ++i)
        writeSetting(settings::kSection, settings::key::extractTag(i),
                     settings::iniPath(e.dir.path()), p.tags[i]);
    for (MsgAnswer a : p.answers)
        e.fake.prompts.answers.enqueue(a);
    e.text.setText(QString::fromUtf16(p.in));
    FakeWorking working;
    html::TextExtractor extractor(e.ctx, working);
    extractor.extractText();
    EXPECT_EQ(e.text.text(), QString::fromUtf16(p.out));
    EXPECT_EQ(e.fake.prompts.texts(), p.asked);
    const bool ran = !p.asked.startsWith(kAskNotHtml) || p.answers.value(0) == MsgAnswer::Yes;
    EXPECT_EQ(e.window.inputBlocked, ran ? (QList<bool>{true, false}) : QList<bool>());
    EXPECT_EQ(working.calls.size(), ran ? 2 : 0);
}

const char16_t* kDoc = u"Pallo   /d/page.html";

INSTANTIATE_TEST_SUITE_P(
    Tags, Extraction,
    ::testing::Values(
        ExtractCase{kDoc, {}, {MsgAnswer::No}, u"x<B>y</B>z", u"xyz", {kAskBlanks}},
        ExtractCase{kDoc, {}, {}, u"a<b", u"a<b", {}},
        ExtractCase{kDoc, {}, {}, u"<p>a<b", u"a<b", {}},
        // Full-width brackets are prose.
        ExtractCase{kDoc,
                    {},
                    {MsgAnswer::No},
                    u"＜お知らせ＞<p>本文</p>",
                    u"＜お知らせ＞本文",
                    {kAskBlanks}},
        // The listed tags go first, so a tag nested in a broken one does not swallow text.
        ExtractCase{kDoc, {}, {MsgAnswer::No}, u"<a<b>c>", u"c>", {kAskBlanks}},
        ExtractCase{
            kDoc, {QString(), QStringLiteral("b")}, {MsgAnswer::No}, u"<a<B>c>", u"", {kAskBlanks}},
        ExtractCase{kDoc, {QStringLiteral("b")}, {}, u"<b>x</B>＜b＞<<b", u"x＜b＞<<b", {}},
        ExtractCase{
            kDoc, {}, {MsgAnswer::Yes}, u"<p> a </p>\r\n\r\n<p>b</p>", u"a\r\nb", {kAskBlanks}},
        ExtractCase{u"Pallo   /d/a.TXT", {}, {MsgAnswer::No}, u"<p>x", u"<p>x", {kAskNotHtml}},
        ExtractCase{u"Pallo   /d/a.txt",
                    {},
                    {MsgAnswer::Yes, MsgAnswer::No},
                    u"<p>x",
                    u"x",
                    {kAskNotHtml, kAskBlanks}},
        ExtractCase{u"Pallo   /d/a.Txt", {}, {MsgAnswer::No}, u"<p>x", u"x", {kAskBlanks}}));

TEST(ExtractionRun, StopKeepsWhatWasRemovedAndUndoReturns) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    writeSetting(settings::kSection, settings::key::extractTag(0), settings::iniPath(e.dir.path()),
                 QStringLiteral("i"));
    e.text.setText(QStringLiteral("<i>a</i><b>b"));
    e.history.record(e.text);
    FakeWorking working;
    html::TextExtractor extractor(e.ctx, working);
    e.fake.pump.onEvents = [&] { extractor.onCancelClicked(); };
    extractor.extractText();
    EXPECT_EQ(e.text.text(), QStringLiteral("a<b>b"));
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(e.window.inputBlocked, (QList<bool>{true, false}));
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("<i>a</i><b>b"));
}

// A document changed while the run lets events through is not overwritten with the result
// computed from the text before.
TEST(ExtractionRun, DocumentChangedDuringTheRunIsLeftAlone) {
    FakeEditor e;
    e.text.setText(QStringLiteral("<p>old"));
    FakeWorking working;
    html::TextExtractor extractor(e.ctx, working);
    e.fake.pump.onEvents = [&] { e.text.setText(QStringLiteral("<p>other document")); };
    extractor.extractText();
    EXPECT_EQ(e.text.text(), QStringLiteral("<p>other document"));
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_FALSE(extractor.running());
}

struct LinkCase {
    const char16_t* in;
    const char16_t* clipboard; // what the clipboard holds after, starting from "keep"
    const char16_t* message;
    const char16_t* selected;
};

class Links : public ::testing::TestWithParam<LinkCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const LinkCase&, std::ostream* os) { *os << "row"; }

TEST_P(Links, Extracts) {
    const LinkCase& p = GetParam();
    FakeEditor e;
    e.fake.clipboard.content = QStringLiteral("keep");
    e.text.setText(QString::fromUtf16(p.in));
    html::copyLinkTargets(e.ctx);
    EXPECT_EQ(e.fake.clipboard.content, QString::fromUtf16(p.clipboard));
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, QString::fromUtf16(p.message));
    EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::Information);
    EXPECT_EQ(e.text.selText(), QString::fromUtf16(p.selected));
    EXPECT_EQ(e.window.panels[0], QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「") +
                                      QString::fromUtf16(p.clipboard) + QStringLiteral("」"));
}

const char16_t* kCopied = u"リンク先を抽出しました。結果をｸﾘｯﾌﾟﾎﾞｰﾄﾞにコピーしました。";
const char16_t* kNone = u"リンク先は見つかりませんでした。";

INSTANTIATE_TEST_SUITE_P(
    Texts, Links,
    ::testing::Values(LinkCase{u"<A href=\"p1\">x</A><a HREF=\"p2\">", u"p2\r\np1\r\n", kCopied,
                               u"p2"},
                      LinkCase{u"<A href=\"p1\"><A href=\"p1\">", u"p1\r\np1\r\n", kCopied, u"p1"},
                      LinkCase{u"no links here", u"keep", kNone, u""},
                      LinkCase{u"<A href=\"p1\"> <A href=\"p2", u"p1\r\n", kCopied, u"p1"},
                      LinkCase{u"<A href=\"unclosed", u"keep", kNone, u""}));

} // namespace
