#include "documents/CharCount.h"
#include "documents/DocumentTestSupport.h"
#include "documents/Form15.h"
#include "platform/FixedWidthLayout.h"
#include "support/QtPrinters.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

using charcount::FileFacts;

struct CountCase {
    const char16_t* path; // nullptr: untitled
    const char16_t* text;
    std::optional<qint64> bytes;
    QStringList captions; // frame, then Label1 to Label6
};

class CountReport : public testing::TestWithParam<CountCase> {};

TEST_P(CountReport, ShowsTheCountsAndTheFile) {
    const CountCase& c = GetParam();
    const QString title =
        c.path ? doctitle::forPath(QString::fromUtf16(c.path)) : doctitle::kUntitled;
    const QString text = QString::fromUtf16(c.text);
    TextBox box;
    box.setText(text);
    std::optional<FileFacts> file;
    if (c.bytes) file = FileFacts{*c.bytes, QDateTime(QDate(2026, 3, 4), QTime(15, 6, 7))};
    const charcount::Report r = charcount::countReport(title, text, box.hardLineCount(), file);
    EXPECT_EQ(
        (QStringList{r.frame, r.withBlanks, r.withoutBlanks, r.lines, r.type, r.size, r.date}),
        c.captions);
}

QStringList captions(const char* frame, int with, int without, int lines, const char* type,
                     const char* size, const char* date) {
    return {QString::fromUtf8(frame) + QStringLiteral("の情報"),
            QStringLiteral("スペースを含む文字数 : %1").arg(with),
            QStringLiteral("スペースを含まない文字数 : %1").arg(without),
            QStringLiteral("行数 : %1").arg(lines),
            QStringLiteral("ファイルの種類 : ") + QString::fromUtf8(type) +
                QStringLiteral("ファイル"),
            QStringLiteral("ファイルサイズ : ") + QString::fromUtf8(size),
            QStringLiteral("ファイル更新日 : ") + QString::fromUtf8(date)};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountReport,
    testing::Values(
        CountCase{nullptr, u"", std::nullopt, captions("（無題）", 0, 0, 1, "txt", "不明", "不明")},
        CountCase{nullptr, u"a b\u3000c\r\nd", 10,
                  captions("（無題）", 6, 4, 2, "txt", "不明", "不明")},
        // A blank between CR and LF goes first, so they pair up; lone breaks and tabs count.
        CountCase{u"/d/n.txt", u"x\r \n\r\r\n\ty", 999,
                  captions("/d/n.txt", 7, 4, 2, "txt", "999B", "26/03/04")},
        CountCase{u"/d/notes.html", u"ab\r\n", 1000,
                  captions("/d/notes.html", 2, 2, 2, "tml", "1KB", "26/03/04")},
        CountCase{u"/d/a.txt", u"", 1209,
                  captions("/d/a.txt", 0, 0, 1, "txt", "1.2KB", "26/03/04")},
        CountCase{u"/d/a.txt", u"", 2500000,
                  captions("/d/a.txt", 0, 0, 1, "txt", "2500KB", "26/03/04")},
        CountCase{u"/d/a.txt", u"", 123456789,
                  captions("/d/a.txt", 0, 0, 1, "txt", "123456.78KB", "26/03/04")},
        // The file has gone since it was opened.
        CountCase{u"/d/gone.log", u"", std::nullopt,
                  captions("/d/gone.log", 0, 0, 1, "log", "不明", "不明")}));

// The window counts the document and the file on disk as they are when it opens; a wrapping
// view changes neither the characters nor the lines.
TEST(CountWindow, CountsTheTextNotTheWrapping) {
    FakeEditor e;
    const QString path = pathIn(e, QStringLiteral("a.txt"));
    ASSERT_TRUE(writeBytes(path, QByteArray(999, 'x')));
    e.window.windowTitle = doctitle::forPath(path);
    FixedWidthLayout narrow(e.text, 10);
    e.text.setLineLayout(&narrow);
    e.text.setText(QString(25, u'あ') + QStringLiteral("\r\nab"));
    Form15 w(e.ctx);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("文字カウント"));
    EXPECT_EQ(w.Frame1()->title(), path + QStringLiteral("の情報"));
    EXPECT_EQ(w.Label(1)->text(), QStringLiteral("スペースを含む文字数 : 27"));
    EXPECT_EQ(w.Label(3)->text(), QStringLiteral("行数 : 2"));
    EXPECT_EQ(w.Label(5)->text(), QStringLiteral("ファイルサイズ : 999B"));
    EXPECT_EQ(w.Command1()->text(), QStringLiteral("OK(&O)"));
    e.text.setLineLayout(nullptr);
}

} // namespace
