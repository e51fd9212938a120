#include "documents/DocumentTestSupport.h"
#include "documents/PrintTestSupport.h"
#include "platform/ui/QtPrintJob.h"
#include "support/QtPrinters.h"
#include "support/WriterInput.h"
#include "vertical/VerticalPrint.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

// A real PDF in vertical writing, read back as a reader reads it.
namespace {

struct VerticalPdf : testing::Test {
    FakeEditor e;
    QString out = pathIn(e, QStringLiteral("tate.pdf"));
    QPrinter printer{QPrinter::HighResolution};
    FakeProgress progress;
    vertical::PrintChoice choice;
    VerticalPdf() {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        printer.setPageSize(QPageSize(QPageSize::A5));
        e.window.font = QStringLiteral("MotoyaLCedar");
        e.window.size = 12;
        choice.form = {vertical::PageForm::Kind::Free, 10, 4};
    }
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            GTEST_SKIP() << "poppler-utils is not installed";
    }
};

// Columns of ten: the text comes back column by column in reading order, the columns stand
// right to left, the brackets and stops drawn in their vertical forms leave no stray text,
// and a sideways word stays one word.
TEST_F(VerticalPdf, TextComesBackInReadingOrder) {
    e.text.setText(QStringLiteral("「吾輩は猫である。名前はまだ無い」\r\nどこで生れたか"
                                  "とんと見当がつかぬ。\r\n何でも薄暗いじめじめした所で\r\n第12話はPalloで"));
    QtPrintJob job(printer);
    ASSERT_EQ(vertical::printVertical(e.ctx, job, progress, choice), PrintOutcome::Printed);
    EXPECT_FALSE(progress.shown);

    QString text = writer::output(QStringLiteral("pdftotext"), {out, QStringLiteral("-")});
    text.remove(QRegularExpression(QStringLiteral("\\s")));
    EXPECT_EQ(text, QStringLiteral("「吾輩は猫である。名前はまだ無い」どこで生れたかとんと見当がつかぬ。"
                                   "1頁何でも薄暗いじめじめした所で第12話はPalloで2頁"))
        << text.toStdString();

    // Every word of the first page: the x of each column's words is left of the one before.
    const QString bbox = writer::output(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"),
                                                           QStringLiteral("-l"),
                                                           QStringLiteral("1"), out, "-"});
    const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]+)</word>"));
    QList<double> xs;
    QString words;
    for (auto m = word.globalMatch(bbox); m.hasNext();) {
        const auto hit = m.next();
        if (hit.captured(3).endsWith(QStringLiteral("頁"))) continue;
        xs << hit.captured(1).toDouble();
        words += hit.captured(3);
    }
    ASSERT_GE(xs.size(), 4) << bbox.toStdString();
    for (int i = 1; i < xs.size(); ++i) EXPECT_LT(xs[i], xs[i - 1]) << words.toStdString();
}

TEST_F(VerticalPdf, CancelLeavesNoFile) {
    QStringList lines;
    for (int i = 0; i < 200; ++i) lines << QStringLiteral("あいうえおかきくけこ");
    e.text.setText(lines.join(QStringLiteral("\r\n")));
    e.fake.pump.onEvents = [&] { progress.cancel = e.fake.pump.calls == 3; };
    QtPrintJob job(printer);
    EXPECT_EQ(vertical::printVertical(e.ctx, job, progress, choice), PrintOutcome::Cancelled);
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_FALSE(progress.shown);
}

} // namespace
