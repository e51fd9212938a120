#include "documents/PrintDocument.h"
#include "platform/PrintJob.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// A printer with a fixed font: 5 mm a code unit; records what is printed as "x,y:text".
class FakeJob : public PrintJob {
public:
    double height = 4, pageWidth = 190, pageHeight = 44;
    QString failAt; // "begin", "newPage" or "end"
    QStringList ops;

    bool begin() override { return failAt != u"begin"; }
    void setFont(const QString& name, double points) override {
        ops << QStringLiteral("font %1 %2").arg(name).arg(points);
    }
    double printableWidth() const override { return pageWidth; }
    double printableHeight() const override { return pageHeight; }
    double textWidth(QStringView text) const override { return 5.0 * text.size(); }
    double textHeight() const override { return height; }
    void drawText(double x, double y, QStringView text) override {
        ops << QStringLiteral("%1,%2:").arg(x).arg(y) + text.toString();
    }
    bool newPage() override {
        ops << QStringLiteral("|");
        return failAt != u"newPage";
    }
    bool end() override {
        ops << QStringLiteral("END");
        return failAt != u"end";
    }
    void abort() override { ops << QStringLiteral("ABORT"); }
};

class FakeProgress : public PrintProgressPort {
public:
    bool shown = false, cancel = false;
    QStringList bars;
    void showProgress() override { shown = true; }
    void setBar(const QString& bar) override { bars << bar; }
    void closeProgress() override { shown = false; }
    bool cancelRequested() const override { return cancel; }
};

struct Printing : testing::Test {
    FakeEditor e;
    FakeJob job;
    FakeProgress progress;
    Printing() { e.window.windowTitle = doctitle::forPath(QStringLiteral("/d/a.txt")); }
    PrintOutcome print(const QString& text) {
        e.text.setText(text);
        return PrintDocument(e.ctx, job, progress);
    }
    // Header and footer of a page on the 44 mm page (11 lines of 4 mm, right edge 180).
    static QStringList frame(int page, const QString& path = QStringLiteral("/d/a.txt")) {
        return {QStringLiteral("%1,4:").arg(180 - 5 * path.size()) + path,
                QStringLiteral("10,40:%1頁").arg(page), QStringLiteral("115,40:26/12/08 9:00")};
    }
};

TEST_F(Printing, ShortLinesStandOnLinesFourToSix) {
    EXPECT_EQ(print(QStringLiteral("ab\r\n\r\nc\r\n")), PrintOutcome::Printed);
    EXPECT_EQ(job.ops, (QStringList{"font ＭＳ 明朝 9"} + frame(1) +
                        QStringList{"10,16:ab", "10,20:", "10,24:c", "END"}));
    EXPECT_EQ(progress.bars.last(), QString(20, u'■'));
    EXPECT_FALSE(progress.shown);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

// A 44 mm page holds body lines 4 to 7; the fifth line begins page 2 with its own frame.
TEST_F(Printing, FullPageContinuesOnTheNext) {
    print(QStringLiteral("1\r\n2\r\n3\r\n4\r\n5"));
    EXPECT_EQ(job.ops.mid(1),
              (frame(1) + QStringList{"10,16:1", "10,20:2", "10,24:3", "10,28:4", "|"} + frame(2) +
               QStringList{"10,16:5", "END"}));
}

// Lines follow the font's true height; the grid only rounds it for header, footer and breaks.
TEST_F(Printing, PositionsFollowTheTrueHeight) {
    job.height = 4.4;
    print(QStringLiteral("1\r\n2\r\n3\r\n4"));
    EXPECT_EQ(job.ops.mid(4, 4), (QStringList{"10,16:1", "10,20.4:2", "10,24.8:3", "|"}));
}

TEST_F(Printing, EmptyUntitledDocumentPrintsItsFrame) {
    e.window.windowTitle = doctitle::kUntitled;
    print(QString());
    EXPECT_EQ(job.ops.mid(1), frame(1, QStringLiteral("（無題）")) + QStringList{"END"});
}

TEST_F(Printing, CancelDiscardsTheJobQuietly) {
    e.fake.pump.onEvents = [&] { progress.cancel = e.fake.pump.calls == 2; };
    EXPECT_EQ(print(QStringLiteral("1\r\n2\r\n3")), PrintOutcome::Cancelled);
    EXPECT_EQ(job.ops.mid(4), (QStringList{"10,16:1", "ABORT"}));
    EXPECT_TRUE(e.state.CancelRequested);
    EXPECT_FALSE(progress.shown);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

// Every failure closes the window, discards the job and says so; nothing is left as printed.
TEST_F(Printing, FailuresAreReported) {
    const struct {
        const char16_t* failAt;
        double pageHeight;
    } rows[] = {{u"begin", 44}, {u"newPage", 44}, {u"end", 44}, {u"", 28}};
    for (const auto& row : rows) {
        job = FakeJob();
        job.failAt = QString::fromUtf16(row.failAt);
        job.pageHeight = row.pageHeight;
        progress = FakeProgress();
        e.fake.prompts.shown.clear();
        EXPECT_EQ(print(QStringLiteral("1\r\n2\r\n3\r\n4\r\n5")), PrintOutcome::Failed);
        EXPECT_EQ(job.ops.last(), QStringLiteral("ABORT")) << job.failAt.toStdString();
        EXPECT_EQ(e.fake.prompts.texts(), QStringList{"Error"});
        EXPECT_FALSE(progress.shown);
        if (row.pageHeight < 32) EXPECT_EQ(job.ops.size(), 2); // the font, then the abort
    }
}

TEST_F(Printing, SecondPrintDuringARunDoesNothing) {
    FakeProgress second;
    PrintOutcome nested = PrintOutcome::Printed;
    e.fake.pump.onEvents = [&] {
        nested = mnuFilePrint_Click(e.ctx, second);
        mnuFilePageSetup_Click(e.ctx);
    };
    EXPECT_EQ(print(QStringLiteral("1\r\n2\r\n3\r\n4\r\n5")), PrintOutcome::Printed);
    EXPECT_EQ(nested, PrintOutcome::NotStarted);
    EXPECT_TRUE(e.fake.dialogs.printTitles.isEmpty());
    EXPECT_EQ(job.ops.filter(QStringLiteral("頁")).size(), 2);
    EXPECT_EQ(job.ops.last(), QStringLiteral("END"));
}

TEST_F(Printing, DialogsAndProposedOutput) {
    e.fake.dialogs.printAnswers << false << true;
    EXPECT_EQ(mnuFilePrint_Click(e.ctx, progress), PrintOutcome::NotStarted);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    // No printer to print on.
    EXPECT_EQ(mnuFilePrint_Click(e.ctx, progress), PrintOutcome::Failed);
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{"Error"});
    EXPECT_EQ(e.fake.dialogs.printTitles, QStringList(2, QStringLiteral("ﾍﾟｰｼﾞ設定")));

    EXPECT_EQ(proposedPdfPath(doctitle::forPath(QStringLiteral("/d/a.txt")), "/h"), "/d/a.txt.pdf");
    EXPECT_EQ(proposedPdfPath(doctitle::kUntitled, "/h"), QStringLiteral("/h/無題.pdf"));
}

} // namespace
