#include "MainFixture.h"

#include <QAction>
#include <QScrollBar>

using namespace Qt::StringLiterals;

// A recent file opens where the writer left it: the caret and the top line of the view, in the
// same run or after a restart; in a file that has become shorter the caret stays in the text.
TEST_F(MainFixture, RecentFileReopensWhereTheWriterLeftIt) {
    const auto lines = [](int count) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "line " + QByteArray::number(i) + "\r\n";
        return text;
    };
    for (const auto& [restart, linesOnReopen] : {std::pair{false, 400}, {true, 400}, {true, 20}}) {
        SCOPED_TRACE(testing::Message() << "restart " << restart << " lines " << linesOnReopen);
        writeFile(u"a.txt"_s, lines(400));
        writeFile(u"b.txt"_s, "b\r\n");
        writeFile(u"PalloBackup.txt"_s, "");
        writeIni("[data]\r\nrecentfile0=" + path(u"b.txt"_s).toLocal8Bit() +
                 "\r\nrecentfile1=" + path(u"a.txt"_s).toLocal8Bit() + "\r\n");
        MainWindow* w = &start(path(u"a.txt"_s));
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        const int caret = w->text().text().indexOf(u"line 300"_s) + 2;
        w->text().setSelStart(caret);
        w->textView()->verticalScrollBar()->setValue(250);
        const int top = w->topPosition();
        ASSERT_EQ(top, w->text().text().indexOf(u"line 250"_s));

        w->action(u"mnuRecentFile(0)"_s)->trigger();
        ASSERT_EQ(w->text().text(), u"b\r\n"_s);
        if (restart) {
            ASSERT_TRUE(w->close());
            w = &start();
            w->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
        }
        writeFile(u"a.txt"_s, lines(linesOnReopen));
        w->action(u"mnuRecentFile(1)"_s)->trigger();
        const int length = int(w->text().text().size());
        EXPECT_EQ(w->text().selStart(), std::min(caret, length));
        if (top < length) EXPECT_EQ(w->topPosition(), top);
        form.reset();
    }
}
