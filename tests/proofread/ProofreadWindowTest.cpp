#include "../shell/MainFixture.h"
#include "platform/Cp932Codec.h"
#include "proofread/ui/ProofreadDialog.h"
#include "support/FindChild.h"

#include <QApplication>
#include <QCheckBox>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

class ProofreadWindow : public MainFixture {};

// The writer's way in: ツール → 校正 on an open document, then the list by keyboard.
TEST_F(ProofreadWindow, TheMenuOpensItAndKeysGoFromFindingToPassage) {
    writeFile(u"doc.txt"_s, cp932::encode(u"前の文。\r\n私は彼は好きだ。お刺身を食べれない。"_s));
    auto& w = start(path(u"doc.txt"_s));
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    w.action(u"mnuKousei"_s)->trigger();
    auto* dialog = w.findChild<ProofreadDialog*>(u"frmKousei"_s);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    auto* list = child<QTableView>(dialog, "lstFindings");
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(list->model()->index(1, 2).data().toString(), u"ら抜き言葉"_s);

    // Coming into the list chooses its first finding.
    QApplication::setActiveWindow(dialog);
    list->setFocus();
    EXPECT_EQ(w.text().selText(), u"は彼は"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(w.text().selText(), u"食べれ"_s);
    EXPECT_EQ(w.text().lineFromChar(-1), 1);

    // Typing over the passage in the text box: the list follows at once.
    QApplication::setActiveWindow(&w);
    w.textView()->setFocus();
    QTest::keyClicks(QApplication::focusWidget(), u"x"_s);
    EXPECT_EQ(list->model()->rowCount(), 1);
}

TEST_F(ProofreadWindow, ASwitchedOffCheckIsRememberedForTheNextWindow) {
    auto& w = start();
    w.text().setText(u"私は彼は好きだ。"_s);
    w.action(u"mnuKousei"_s)->trigger();
    auto* dialog = w.findChild<ProofreadDialog*>(u"frmKousei"_s);
    ASSERT_NE(dialog, nullptr);
    auto* list = child<QTableView>(dialog, "lstFindings");
    EXPECT_EQ(list->model()->rowCount(), 1);
    child<QCheckBox>(dialog, "chkCheck1")->click(); // 二重助詞
    EXPECT_EQ(list->model()->rowCount(), 0);
    EXPECT_TRUE(readFile(u"Pallo.ini"_s).contains("kouseijoshi=0"));
}

} // namespace
