#include "notation/ui/NotationConvertDialog.h"
#include "platform/Cp932Codec.h"
#include "notation/ui/NotationCountWidget.h"
#include "shell/MainFixture.h"
#include "support/FindChild.h"
#include "support/WriterInput.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

// The notation count and conversion as a writer meets them: from the menu, with keys.
namespace {

class NotationWindow : public MainFixture {
protected:
    MainWindow& startShown() {
        MainWindow& w = start();
        w.show();
        focus(w.textView());
        return w;
    }
    static void type(const QString& text) { writer::type(text); }
    static void focus(QWidget* widget) { writer::focus(widget); }
};

// The window stays open beside the text: the chosen site's count follows the typing, the
// choice is remembered, and a click on a problem selects it in the text.
TEST_F(NotationWindow, CountWindowFollowsTheTyping) {
    MainWindow& w = startShown();
    w.text().setText(QStringLiteral("漢字《かんじ》\r\n"));
    w.action(QStringLiteral("mnucount"))->trigger();
    auto* panel = w.findChild<NotationCountWidget*>();
    ASSERT_NE(panel, nullptr);
    focus(panel->target());
    while (panel->target()->currentText() != QStringLiteral("カクヨム"))
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(panel->figure(1)->text(),
              QStringLiteral("ルビと記号を除いた文字数（空白・改行を含まない） : 2"));
    EXPECT_TRUE(QString::fromLocal8Bit(readFile(QStringLiteral("Pallo.ini")))
                    .contains(QStringLiteral("notation=kakuyomu")));

    focus(w.textView());
    w.text().setSelStart(w.text().length());
    type(QStringLiteral("あ《い"));
    EXPECT_EQ(panel->figure(1)->text(),
              QStringLiteral("ルビと記号を除いた文字数（空白・改行を含まない） : 5"));
    // The list follows once the typing pauses.
    EXPECT_TRUE(QTest::qWaitFor([&] { return panel->problems()->count() == 1; }, 10000));
    ASSERT_EQ(panel->problems()->count(), 1);
    EXPECT_EQ(panel->problems()->item(0)->text(), QStringLiteral("2行: 閉じていません「《い」"));
    const QRect row = panel->problems()->visualItemRect(panel->problems()->item(0));
    QTest::mouseClick(panel->problems()->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(w.text().selStart(), 10);
    EXPECT_EQ(w.text().selText(), QStringLiteral("《い"));
}

// ツール → ルビ記法の変換 rewrites the text in one undo step and names what it could not carry.
TEST_F(NotationWindow, ConversionIsOneUndoStepAndReportsLosses) {
    const QString text = QStringLiteral("《《傍点》》\r\n｜一二三四五六七八九十一《よみ》");
    writeFile(QStringLiteral("a.txt"), cp932::encode(text));
    MainWindow& w = start(path(QStringLiteral("a.txt")));
    ASSERT_EQ(w.text().text(), text);
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<NotationConvertDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->fromBox()->setCurrentIndex(dialog->fromBox()->findText(QStringLiteral("カクヨム")));
        dialog->toBox()->setCurrentIndex(dialog->toBox()->findText(QStringLiteral("小説家になろう")));
        QTest::keyClick(dialog, Qt::Key_Return);
    });
    w.action(QStringLiteral("mnuRubyConvert"))->trigger();
    EXPECT_EQ(w.text().text(),
              QStringLiteral("|傍《・》|点《・》\r\n｜一二三四五六七八九十一《よみ》"));
    ASSERT_EQ(fake.prompts.shown.size(), 1);
    EXPECT_TRUE(fake.prompts.shown[0].text.contains(QStringLiteral("\n2行: ")));
    w.action(QStringLiteral("mnuEditUndo"))->trigger();
    EXPECT_EQ(w.text().text(), text);
}

// The status bar's own panel shows the live count only when the writer asked for it.
TEST_F(NotationWindow, StatusPanelWhenChosen) {
    writeIni("[data]\r\nnotation=narou\r\nnotationstatus=1\r\n");
    MainWindow& w = startShown();
    auto* panel = w.findChild<QLabel*>(QStringLiteral("PanelNotation"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    type(QStringLiteral("漢字（かんじ）"));
    EXPECT_EQ(panel->text(), QStringLiteral("小説家になろう 2字 0枚1行"));
}

} // namespace
