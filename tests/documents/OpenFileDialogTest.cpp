#include "documents/ui/OpenFileDialog.h"

#include "platform/Cp932Codec.h"
#include "support/FakeWindow.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class OpenFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"メモ 1.txt", "b.ini", "c.htm"}) {
            QFile file(docs.filePath(QString::fromUtf8(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("line\r\n");
        }
        QDir().mkpath(docs.filePath(QStringLiteral("sub")));
    }

    std::unique_ptr<OpenFileDialog> make(bool insertMode = false) {
        return std::make_unique<OpenFileDialog>(
            ed.ctx, insertMode, [this](const QString&) { ++loads; },
            QList<DriveEntry>{{docs.path(), QStringLiteral("docs")}}, docs.path());
    }

    FakeEditor ed;
    QTemporaryDir docs;
    int loads = 0;
};

} // namespace

TEST_F(OpenFileDialogTest, ControlsCarryTheirNamesAndCaptions) {
    auto f = make();
    EXPECT_EQ(f->objectName(), QStringLiteral("OpenFileDialog"));
    EXPECT_EQ(f->windowTitle(), QStringLiteral("ファイルを開く"));
    for (const char* name : {"Drive1", "Combo1"})
        EXPECT_NE(f->findChild<QComboBox*>(QString::fromUtf8(name)), nullptr) << name;
    for (const char* name : {"Dir1", "File1"})
        EXPECT_NE(f->findChild<QListWidget*>(QString::fromUtf8(name)), nullptr) << name;
    auto* frame = f->findChild<QGroupBox*>(QStringLiteral("Frame1"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->title(), QStringLiteral("ﾌｧｲﾙ情報"));
    for (int n = 1; n <= 6; ++n) {
        auto* label = f->findChild<QLabel*>(QStringLiteral("Label%1").arg(n));
        ASSERT_NE(label, nullptr) << n;
        EXPECT_EQ(frame->isAncestorOf(label), n >= 3) << n;
    }
    auto* text = f->findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->isReadOnly());
    EXPECT_TRUE(frame->isAncestorOf(text));
    EXPECT_EQ(f->findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
              QStringLiteral("開く(&O)"));
    EXPECT_EQ(f->findChild<QPushButton*>(QStringLiteral("Command2"))->text(),
              QStringLiteral("キャンセル"));

    EXPECT_TRUE(f->Combo1()->isEditable());
    EXPECT_EQ(f->Combo1()->count(), 3);
    EXPECT_EQ(f->Combo1()->currentText(), QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt;*.ini)"));
    EXPECT_EQ(f->File1()->count(), 2);
    EXPECT_EQ(f->Label(1)->text() + f->Label(2)->text(), QStringLiteral("2件のtextﾌｧｲﾙ"));
    EXPECT_EQ(f->Label(3)->text(), QStringLiteral("クイックビュー（読み取りは50行までです。）"));
    EXPECT_EQ(make(true)->windowTitle(), QStringLiteral("結合"));
}

TEST_F(OpenFileDialogTest, ClickShowsTheQuickViewAndTypingFilters) {
    auto f = make();
    f->File1()->setCurrentRow(1); // "メモ 1.txt" sorts after "b.ini"
    EXPECT_EQ(f->Label(4)->text(), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ:6B"));
    EXPECT_EQ(f->Label(6)->text(), QStringLiteral("ﾌｧｲﾙ属性:通常ﾌｧｲﾙ"));
    EXPECT_EQ(f->Label(3)->text(), QStringLiteral("クイックビュー"));
    EXPECT_EQ(f->Text1()->toPlainText(), QStringLiteral("line\n"));

    f->Combo1()->lineEdit()->setText(QStringLiteral("*.htm"));
    ASSERT_EQ(f->File1()->count(), 1);
    EXPECT_EQ(f->File1()->item(0)->text(), QStringLiteral("c.htm"));
    EXPECT_EQ(f->Label(1)->text(), QStringLiteral("2"));
}

// The quick view reads a file as opening it would: its encoding and line ends, the first 50
// lines, and the format beside the size and date.
TEST_F(OpenFileDialogTest, QuickViewReadsEveryFormatAsTheDocumentDoes) {
    QString lines;
    for (int i = 1; i <= 60; ++i)
        lines += QStringLiteral("第%1行 ｶﾅ\n").arg(i);
    const QString crlf = QString(lines).replace(u'\n', QStringLiteral("\r\n"));
    QByteArray utf16;
    for (const QChar c : crlf)
        utf16 += QByteArray(1, char(c.unicode() & 0xFF)) + char(c.unicode() >> 8);
    const std::tuple<const char*, QByteArray, const char*> cases[] = {
        {"utf8.txt", lines.toUtf8(), "UTF-8 LF"},
        {"mark.txt", "\xEF\xBB\xBF" + lines.toUtf8(), "UTF-8 BOM LF"},
        {"utf16.txt", "\xFF\xFE" + utf16, "UTF-16LE CRLF"},
        {"sjis.txt", cp932::encode(lines), "Shift_JIS LF"},
    };
    auto f = make();
    for (const auto& [name, bytes, format] : cases) {
        QFile file(docs.filePath(QString::fromUtf8(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        f->chooser().chooseFolder(docs.path());
        f->File1()->setCurrentRow(int(f->chooser().files().indexOf(QString::fromUtf8(name))));
        EXPECT_EQ(f->Text1()->toPlainText(), lines.section(u'\n', 0, 49) + u'\n') << name;
        EXPECT_EQ(f->Label(7)->text(), QStringLiteral("ﾌｧｲﾙ形式:") + QString::fromUtf8(format));
    }
}

TEST_F(OpenFileDialogTest, FolderListOpensAFolderOnActivation) {
    auto f = make();
    const int current = f->Dir1()->currentRow();
    ASSERT_EQ(f->Dir1()->count(), current + 2);
    emit f->Dir1()->itemActivated(f->Dir1()->item(current + 1));
    EXPECT_EQ(f->chooser().folder(), docs.filePath(QStringLiteral("sub")));
    EXPECT_EQ(f->File1()->count(), 0);
    EXPECT_EQ(f->Label(1)->text(), QStringLiteral("0"));
}

TEST_F(OpenFileDialogTest, OpenWithoutAFileKeepsTheDialogOpen) {
    auto f = make();
    f->show();
    // Enter in the lists and the filter box does not press the default button.
    QTest::keyClick(f->Combo1()->lineEdit(), Qt::Key_Return);
    QTest::keyClick(f->Dir1(), Qt::Key_Return);
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
    f->Command1()->click();
    ASSERT_EQ(ed.fake.prompts.shown.size(), 1);
    EXPECT_EQ(ed.fake.prompts.shown[0].text, QStringLiteral("ﾌｧｲﾙが選択されていません。"));
    EXPECT_TRUE(f->isVisible());
    EXPECT_EQ(loads, 0);
}

TEST_F(OpenFileDialogTest, DoubleClickOnAFileAcceptsIt) {
    std::unique_ptr<OpenFileDialog> f;
    bool hiddenDuringLoad = false;
    QString loadedPath;
    f = std::make_unique<OpenFileDialog>(
        ed.ctx, true,
        [&](const QString& path) {
            ++loads;
            loadedPath = path;
            hiddenDuringLoad = !f->isVisible();
        },
        QList<DriveEntry>{{docs.path(), QStringLiteral("docs")}}, docs.path());
    f->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(f.get()));
    QListWidget* list = f->File1();
    const QRect rect = list->visualItemRect(list->item(1));
    // A double click is a click and then the press that makes it double.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(loads, 1);
    EXPECT_TRUE(hiddenDuringLoad);
    EXPECT_EQ(loadedPath, docs.filePath(QStringLiteral("メモ 1.txt")));
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_FALSE(f->isVisible());
}

TEST_F(OpenFileDialogTest, CancelClosesWithoutStoring) {
    auto f = make();
    f->show();
    f->File1()->setCurrentRow(0);
    f->Command2()->click();
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_FALSE(QFile::exists(ed.ctx.programDir + QStringLiteral("/Pallo.ini")));
    EXPECT_EQ(loads, 0);
}
