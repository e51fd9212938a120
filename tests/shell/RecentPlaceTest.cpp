#include "MainFixture.h"

#include "command/Settings.h"

#include <QAction>
#include <QScrollBar>

using namespace Qt::StringLiterals;

namespace {

QByteArray numberedLines(int count) {
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "line " + QByteArray::number(i) + "\r\n";
    return text;
}

} // namespace

// A file of the recent-file list opens where the writer left it: the caret, and the line at
// the top of the view, in the same run or after a restart (kept in Pallo.ini). A file that has
// become shorter since keeps the caret within its text.
TEST_F(MainFixture, RecentFileReopensWhereTheWriterLeftIt) {
    struct Row {
        bool restart;
        int linesOnReopen;
    };
    for (const Row row : {Row{false, 400}, Row{true, 400}, Row{true, 20}}) {
        SCOPED_TRACE(testing::Message() << "restart " << row.restart << " lines "
                                        << row.linesOnReopen);
        writeFile(u"a.txt"_s, numberedLines(400));
        writeFile(u"b.txt"_s, "b\r\n");
        writeIni("[data]\r\nrecentfile0=" + path(u"b.txt"_s).toLocal8Bit() +
                 "\r\nrecentfile1=" + path(u"a.txt"_s).toLocal8Bit() + "\r\n");
        MainWindow* w = &start(path(u"a.txt"_s));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        const int caret = w->text().text().indexOf(u"line 300"_s) + 2;
        w->text().setSelStart(caret);
        w->textView()->verticalScrollBar()->setValue(250);
        QCoreApplication::processEvents();
        const int top = w->topPosition();
        ASSERT_EQ(top, w->text().text().indexOf(u"line 250"_s));

        w->action(u"mnuRecentFile(0)"_s)->trigger();
        ASSERT_EQ(w->text().text(), u"b\r\n"_s);
        if (row.restart) {
            ASSERT_TRUE(w->close());
            w = &start();
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        }
        writeFile(u"a.txt"_s, numberedLines(row.linesOnReopen));
        w->action(u"mnuRecentFile(1)"_s)->trigger();
        QCoreApplication::processEvents();

        const qsizetype length = w->text().text().size();
        EXPECT_EQ(w->text().selStart(), std::min<qsizetype>(caret, length));
        if (top < length) EXPECT_EQ(w->topPosition(), top);
        form.reset();
        QFile::remove(backupPath());
    }
}
