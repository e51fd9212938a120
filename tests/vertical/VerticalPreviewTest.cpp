#include "shell/MainFixture.h"
#include "support/WriterInput.h"
#include "vertical/ui/VerticalPreview.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>

// 縦書きプレビュー as a writer meets it: from the ツール menu, beside the text, following the caret.
namespace {

using VerticalPreviewWindow = MainFixture;
using writer::focus;
using writer::type;

TEST_F(VerticalPreviewWindow, FollowsTheCaretAndPages) {
    MainWindow& w = start();
    w.show();
    QStringList lines;
    for (int i = 0; i < 100; ++i) lines << QStringLiteral("吾輩は猫である。名前はまだ無い。");
    w.text().setText(lines.join(QStringLiteral("\r\n")));
    w.action(QStringLiteral("mnuTate"))->trigger();
    auto* preview = w.findChild<VerticalPreview*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    EXPECT_EQ(preview->shownPage(), 0);

    // Typing at the end shows the last page: one column for each of the 100 short lines.
    focus(w.textView());
    w.text().setSelStart(w.text().length());
    type(QStringLiteral("。"));
    const int perPage = preview->form().columnsPerPage;
    EXPECT_EQ(preview->shownPage(), (100 - 1) / perPage);
    EXPECT_EQ(preview->pageText(),
              QStringLiteral("%1 / %2頁").arg((100 - 1) / perPage + 1).arg((100 + perPage - 1) / perPage));

    // → turns back a page, ← forward; a caret moved in the text brings its page back.
    focus(preview);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(preview->shownPage(), (100 - 1) / perPage - 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    EXPECT_EQ(preview->shownPage(), (100 - 1) / perPage);
    w.text().setSelStart(0);
    EXPECT_EQ(preview->shownPage(), 0);

    // The chosen form is remembered; 文庫 shows two pages side by side.
    auto* forms = preview->findChild<QComboBox*>(QStringLiteral("cboForm"));
    forms->setCurrentIndex(1);
    EXPECT_TRUE(QString::fromLocal8Bit(readFile(QStringLiteral("Pallo.ini")))
                    .contains(QStringLiteral("tateform=bunko")));
    w.text().setSelStart(w.text().length());
    EXPECT_EQ(preview->shownPage() % 2, 0);
    EXPECT_EQ(preview->render(400, 300).pixel(200, 150) != 0, true);
}

} // namespace
