#include "documents/DocumentTestSupport.h"
#include "documents/PrintTestSupport.h"
#include "platform/ui/QtPrintJob.h"
#include "support/QtPrinters.h"
#include "support/WriterInput.h"

#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <cmath>
#include <sys/stat.h>

namespace {

struct PdfPrinting : testing::Test {
    FakeEditor e;
    QString out = pathIn(e, QStringLiteral("out.pdf"));
    QPrinter printer{QPrinter::HighResolution};
    FakeProgress progress;
    PdfPrinting() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setPageSize(QPageSize(QPageSize::A5));
        e.window.font = QStringLiteral("MotoyaLCedar");
        e.window.size = 12;
        e.document.setPath(QStringLiteral("/文書/原稿.txt"));
        QStringList lines;
        for (int i = 1; i <= 120; ++i)
            lines << QStringLiteral("第%1行の本文です。").arg(i);
        e.text.setText(lines.join(QStringLiteral("\r\n")));
    }
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
    }
};

TEST_F(PdfPrinting, PagesAndTextOfARealPdf) {
    QtPrintJob job(printer);
    ASSERT_EQ(printToJob(e.ctx, job, progress), PrintOutcome::Printed);

    // The pages the layout promises: body lines from line 4 while they stand above the limit.
    QtPrintJob probe(printer);
    probe.setFont(e.window.font, e.window.size);
    const printing::PageLayout l =
        printing::pageLayout(probe.textHeight(), probe.printableWidth(), probe.printableHeight());
    const int perPage = int(std::floor((l.bodyLimit() - l.bodyTop()) / probe.textHeight())) + 1;
    const int pages = (120 + perPage - 1) / perPage;
    ASSERT_GT(pages, 1);
    EXPECT_TRUE(writer::output(QStringLiteral("pdfinfo"), {out})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

    const QString text = writer::output(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), out, "-"});
    for (const QString& piece :
         {QStringLiteral("/文書/原稿.txt"), QStringLiteral("第1行の本文です。"),
          QStringLiteral("第120行の本文です。"), QStringLiteral("1頁"),
          QStringLiteral("%1頁").arg(pages), QStringLiteral("26/12/08 9:00")})
        EXPECT_TRUE(text.contains(piece)) << piece.toStdString();
    EXPECT_EQ(QDir(e.dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
}

TEST_F(PdfPrinting, CancelLeavesTheEarlierFileWhole) {
    ASSERT_TRUE(writeBytes(out, "earlier"));
    e.fake.pump.onEvents = [&] { progress.cancel = e.fake.pump.calls == 30; };
    QtPrintJob job(printer);
    EXPECT_EQ(printToJob(e.ctx, job, progress), PrintOutcome::Cancelled);
    EXPECT_EQ(readBytes(out), QByteArray("earlier"));
    EXPECT_EQ(QDir(e.dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
    EXPECT_EQ(printer.outputFileName(), out);
}

// The PDF is a document like any other: a new one gets the mode the umask gives new files, one
// printed again keeps the mode it had.
TEST_F(PdfPrinting, FileGetsTheUsualMode) {
    const struct {
        mode_t umask;
        int earlier; // the mode of an earlier PDF, -1 for none
        mode_t expected;
    } cases[] = {{022, -1, 0644}, {027, -1, 0640}, {002, -1, 0664}, {022, 0604, 0604}};
    for (const auto& c : cases) {
        QFile::remove(out);
        if (c.earlier >= 0) {
            ASSERT_TRUE(writeBytes(out, "earlier"));
            ASSERT_EQ(::chmod(QFile::encodeName(out).constData(), mode_t(c.earlier)), 0);
        }
        const mode_t old = ::umask(c.umask);
        QtPrintJob job(printer);
        const PrintOutcome outcome = printToJob(e.ctx, job, progress);
        ::umask(old);
        ASSERT_EQ(outcome, PrintOutcome::Printed);
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(out).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, c.expected) << std::oct << c.umask << ' ' << c.earlier;
    }
}

} // namespace

#include "documents/ui/PrintProgressDialog.h"

#include <QPushButton>

namespace {

// While printing, only the progress window takes input; キャンセル ends it for this run only.
TEST(PrintProgressWindow, BlocksTheProgramUntilCancelled) {
    PrintProgressDialog w;
    w.showProgress();
    EXPECT_EQ(w.windowModality(), Qt::ApplicationModal);
    EXPECT_TRUE(w.isVisible());
    w.Command1()->click();
    EXPECT_TRUE(w.cancelRequested());
    EXPECT_FALSE(w.isVisible());
    w.showProgress();
    EXPECT_FALSE(w.cancelRequested());
}

} // namespace
