#include "documents/PrintTestSupport.h"
#include "platform/PrintJob.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// A printer with a fixed font, 5 mm a code unit; records what is printed as "x,y:text".
class FakeJob : public PrintJob {
public:
    double height = 4, pageHeight = 44; // 11 lines of 4 mm; right edge 180
    QString failAt;                     // "begin", "newPage" or "end"
    QStringList ops;

    bool begin() override { return failAt != u"begin"; }
    void setFont(const QString& name, double points) override {
        ops << QStringLiteral("font %1 %2").arg(name).arg(points);
    }
    double printableWidth() const override { return 190; }
    double printableHeight() const override { return pageHeight; }
    double textWidth(QStringView text) const override { return 5.0 * text.size(); }
    double textHeight() const override { return height; }
    void drawText(double x, double y, QStringView text) override {
        ops << QStringLiteral("%1,%2:").arg(x).arg(y) + text.toString();
    }
    bool newPage() override { return ops << QStringLiteral("|"), failAt != u"newPage"; }
    bool end() override { return ops << QStringLiteral("END"), failAt != u"end"; }
    void abort() override { ops << QStringLiteral("ABORT"); }
};

struct Printing : testing::Test {
    FakeEditor e;
    FakeJob job;
    FakeProgress progress;
    Printing() { e.document.setPath(QStringLiteral("/d/a.txt")); }
    PrintOutcome print(const QString& text) {
        e.text.setText(text);
        return printToJob(e.ctx, job, progress);
    }
};

// Header (right-aligned at 180 mm on line 1) and footer (line 10) of a page.
QString frame(int page, const QString& path = QStringLiteral("/d/a.txt")) {
    return QStringLiteral("%1,4:%2 10,40:%3頁 115,40:26/12/08 9:00")
        .arg(180 - 5 * path.size())
        .arg(path)
        .arg(page);
}

TEST_F(Printing, PagesAsLaidOut) {
    const struct {
        const char16_t* text;
        double height;
        QString ops; // after the font
    } rows[] = {
        {u"ab\r\n\r\nc\r\n", 4, frame(1) + " 10,16:ab 10,20: 10,24:c END"},
        // Body lines 4 to 7; the fifth begins page 2 with its own frame.
        {u"1\r\n2\r\n3\r\n4\r\n5", 4,
         frame(1) + " 10,16:1 10,20:2 10,24:3 10,28:4 | " + frame(2) + " 10,16:5 END"},
        // Lines follow the true height; the grid only rounds it for the frame and the breaks.
        {u"1\r\n2\r\n3\r\n4", 4.4,
         frame(1) + " 10,16:1 10,20.4:2 10,24.8:3 | " + frame(2) + " 10,16:4 END"},
        {u"", 4, frame(1) + " END"},
    };
    for (const auto& row : rows) {
        job = FakeJob();
        job.height = row.height;
        EXPECT_EQ(print(QString::fromUtf16(row.text)), PrintOutcome::Printed);
        EXPECT_EQ(job.ops.mid(1).join(u' '), row.ops);
        EXPECT_EQ(job.ops.first(), QStringLiteral("font ＭＳ 明朝 9"));
    }
    EXPECT_EQ(progress.bars.last(), QString(20, u'■'));
    EXPECT_FALSE(progress.shown);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

TEST_F(Printing, UntitledHeader) {
    e.document.setUntitled();
    print(QString());
    EXPECT_EQ(job.ops.mid(1).join(u' '), frame(1, QStringLiteral("（無題）")) + " END");
}

TEST_F(Printing, CancelDiscardsTheJobQuietly) {
    e.fake.pump.onEvents = [&] { progress.cancel = e.fake.pump.calls == 2; };
    EXPECT_EQ(print(QStringLiteral("1\r\n2\r\n3")), PrintOutcome::Cancelled);
    EXPECT_EQ(job.ops.mid(4), (QStringList{"10,16:1", "ABORT"}));
    EXPECT_FALSE(progress.shown);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

// Every failure closes the window, discards the job and says so; nothing is left as printed.
// A page too short for one body line prints nothing at all.
TEST_F(Printing, FailuresAreReported) {
    const struct {
        const char16_t* failAt;
        double pageHeight;
    } rows[] = {{u"begin", 44}, {u"newPage", 44}, {u"end", 44}, {u"", 31}};
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
        nested = printDocument(e.ctx, second);
        pageSetup(e.ctx);
    };
    EXPECT_EQ(print(QStringLiteral("1\r\n2\r\n3\r\n4\r\n5")), PrintOutcome::Printed);
    EXPECT_EQ(nested, PrintOutcome::NotStarted);
    EXPECT_TRUE(e.fake.dialogs.printTitles.isEmpty());
    EXPECT_EQ(job.ops.filter(QStringLiteral("頁")).size(), 2);
    EXPECT_EQ(job.ops.last(), QStringLiteral("END"));
}

TEST_F(Printing, DialogsAndProposedOutput) {
    e.fake.dialogs.printAnswers << false << true;
    EXPECT_EQ(printDocument(e.ctx, progress), PrintOutcome::NotStarted);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    // No printer to print on.
    EXPECT_EQ(printDocument(e.ctx, progress), PrintOutcome::Failed);
    EXPECT_EQ(e.fake.prompts.texts(), QStringList{"Error"});
    EXPECT_EQ(e.fake.dialogs.printTitles, QStringList(2, QStringLiteral("ﾍﾟｰｼﾞ設定")));
    EXPECT_EQ(proposedPdfPath(e.window.windowTitle, "/h"), "/d/a.txt.pdf");
    EXPECT_EQ(proposedPdfPath(doctitle::kUntitled, "/h"), QStringLiteral("/h/無題.pdf"));
}

} // namespace
