#include "documents/CharCount.h"
#include "documents/DocumentTestSupport.h"
#include "documents/ui/CharCountDialog.h"
#include "platform/FixedWidthLayout.h"
#include "support/QtPrinters.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

struct CountCase {
    const char16_t* path; // nullptr: untitled
    const char16_t* text;
    std::optional<qint64> bytes;
    const char* values; // the frame, then the values after each label's " : "
};

class CountReport : public testing::TestWithParam<CountCase> {};
// Rows are named by position: their bytes (pointers among them) change from run to run.
void PrintTo(const CountCase&, std::ostream* os) { *os << "row"; }

TEST_P(CountReport, ShowsTheCountsAndTheFile) {
    const CountCase& c = GetParam();
    const QString title =
        c.path ? doctitle::forPath(QString::fromUtf16(c.path)) : doctitle::kUntitled;
    const QString text = QString::fromUtf16(c.text);
    TextBox box;
    box.setText(text);
    std::optional<charcount::FileFacts> file;
    if (c.bytes) file = {*c.bytes, QDateTime(QDate(2026, 3, 4), QTime(15, 6, 7))};
    const charcount::Report r = charcount::countReport(title, text, box.hardLineCount(), file);
    QStringList values{r.frame};
    for (const QString& label : {r.withBlanks, r.withoutBlanks, r.lines, r.type, r.size, r.date})
        values << label.section(QStringLiteral(" : "), 1);
    EXPECT_EQ(values.join(u'|'), QString::fromUtf8(c.values));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CountReport,
    testing::Values(
        CountCase{nullptr, u"", std::nullopt, "（無題）の情報|0|0|1|txtファイル|不明|不明"},
        CountCase{nullptr, u"a b\u3000c\r\nd", 10, "（無題）の情報|6|4|2|txtファイル|不明|不明"},
        // A blank between CR and LF goes first, so they pair up; lone breaks and tabs count.
        CountCase{u"/d/n.txt", u"x\r \n\r\r\n\ty", 999,
                  "/d/n.txtの情報|7|4|2|txtファイル|999B|26/03/04"},
        CountCase{u"/d/notes.html", u"ab\r\n", 1000,
                  "/d/notes.htmlの情報|2|2|2|tmlファイル|1KB|26/03/04"},
        CountCase{u"/d/a", u"", 1209, "/d/aの情報|0|0|1|d/aファイル|1.2KB|26/03/04"},
        CountCase{u"/d/a.txt", u"", 2500000, "/d/a.txtの情報|0|0|1|txtファイル|2500KB|26/03/04"},
        // The file has gone since it was opened.
        CountCase{u"/d/gone.log", u"", std::nullopt,
                  "/d/gone.logの情報|0|0|1|logファイル|不明|不明"}));

// The window counts the document and the file on disk as they are when it opens; a wrapping
// view changes neither the characters nor the lines.
TEST(CountWindow, CountsTheTextNotTheWrapping) {
    FakeEditor e;
    const QString path = pathIn(e, QStringLiteral("a.txt"));
    ASSERT_TRUE(writeBytes(path, QByteArray(999, 'x')));
    e.document.setPath(path);
    FixedWidthLayout narrow(e.text, 10);
    e.text.setLineLayout(&narrow);
    e.text.setText(QString(25, u'あ') + QStringLiteral("\r\nab　c"));
    CharCountDialog w(e.ctx);
    EXPECT_EQ(w.windowTitle(), QStringLiteral("文字カウント"));
    EXPECT_EQ(w.Frame1()->title(), path + QStringLiteral("の情報"));
    QStringList labels;
    for (int i = 1; i <= 6; ++i)
        labels << w.Label(i)->text();
    EXPECT_EQ(labels.mid(0, 5),
              (QStringList{"スペースを含む文字数 : 29", "スペースを含まない文字数 : 28", "行数 : 2",
                           "ファイルの種類 : txtファイル", "ファイルサイズ : 999B"}));
    EXPECT_TRUE(labels[5].startsWith(QStringLiteral("ファイル更新日 : ")));
    EXPECT_EQ(w.Command1()->text(), QStringLiteral("OK(&O)"));
    e.text.setLineLayout(nullptr);
}

} // namespace
