#include "MainFixture.h"
#include "documents/DocumentSession.h"

#include <QLabel>
#include <QStatusBar>

using namespace Qt::StringLiterals;

namespace {

class FileFormat : public MainFixture {
protected:
    // Ends the window without its shutdown, as a crash does.
    void crash() {
        form.reset();
        state = AppState{};
    }
    QString formatPanel() const { return form->formatText(); }
};

// An LF file is lines on screen, in the line service and the status bar; what is typed in it
// is saved with LF again.
TEST_F(FileFormat, LfFileHasLinesAndSavesLf) {
    writeFile(u"doc.txt"_s, "一行目\n二行目\n三行目\n");
    MainWindow& w = start(path(u"doc.txt"_s));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.text().text(), u"一行目\r\n二行目\r\n三行目"_s);
    EXPECT_EQ(w.text().lineCount(), 3);
    EXPECT_EQ(w.textView()->rowCount(), 3);
    EXPECT_EQ(formatPanel(), u"UTF-8 LF"_s);
    EXPECT_EQ(w.windowTitle(), u"Pallo   "_s + path(u"doc.txt"_s));

    w.textView()->setFocus();
    w.text().setSelStart(w.text().length());
    QTest::keyClick(w.textView(), Qt::Key_Return);
    EXPECT_EQ(w.text().lineFromChar(-1), 3);
    EXPECT_EQ(w.panelText(3), u"総行数:4 現在行:3 文字位置:9 総文字数:9 "_s);
    w.text().setSelText(u"四"_s);
    w.runCommand(u"mnuFileSave"_s);
    EXPECT_EQ(readFile(u"doc.txt"_s), "一行目\n二行目\n三行目\n四\n");
    EXPECT_FALSE(form->document().isDirty());
}

// The backup is written as the document is and read back the same way: nothing is lost.
TEST_F(FileFormat, Utf8DocumentIsRecoveredWhole) {
    writeFile(u"doc.txt"_s, "😀𠮷\n");
    MainWindow& w = start(path(u"doc.txt"_s));
    w.text().setSelStart(w.text().length());
    w.text().setSelText(u"\r\n追記"_s);
    w.onBackupTimer();
    EXPECT_EQ(readFile(u"PalloBackup.txt"_s), "😀𠮷\n追記\n");
    crash();

    MainWindow& again = start();
    EXPECT_EQ(again.text().text(), u"😀𠮷\r\n追記"_s);
    EXPECT_EQ(again.windowTitle(), u"Pallo   "_s + backupPath());
    EXPECT_EQ(formatPanel(), u"UTF-8 LF"_s);
}

// At the designed size and larger the position panel shows its whole text; the clipboard
// panels take what is left.
TEST_F(FileFormat, PositionPanelShowsItsWholeText) {
    writeFile(u"doc.txt"_s, "\xE4\xB8\x80\n");
    MainWindow& w = start(path(u"doc.txt"_s));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(50);
    auto* format = w.statusBar()->findChild<QLabel*>(u"PanelFormat"_s);
    const auto shownWhole = [](QLabel* label) {
        return label->contentsRect().width() >=
               label->fontMetrics().horizontalAdvance(label->text());
    };
    EXPECT_TRUE(shownWhole(format));
    EXPECT_TRUE(shownWhole(w.statusBar()->findChild<QLabel*>(u"Panel3"_s)));
    EXPECT_GE(format->x(), w.statusBar()->findChild<QLabel*>(u"Panel3"_s)->geometry().right());
    const QString longest = u"総行数:200000 現在行:199999 文字位置:9999999 総文字数:9999999 "_s;
    auto* panel = w.statusBar()->findChild<QLabel*>(u"Panel3"_s);
    auto* clip = w.statusBar()->findChild<QLabel*>(u"Panel1"_s);
    for (const int extra : {0, 400}) {
        w.resize(w.width() + extra, w.height());
        QCoreApplication::processEvents();
        w.setPanelText(3, longest);
        QTest::qWait(50);
        ASSERT_EQ(panel->text(), longest);
        EXPECT_GE(panel->contentsRect().width(), panel->fontMetrics().horizontalAdvance(longest))
            << extra;
        EXPECT_GE(clip->width(), 40 + extra / 2) << extra;
    }
}

} // namespace
