#include "shell/MainFixture.h"
#include "support/FindChild.h"
#include "tools/ui/ExtractionProgressDialog.h"
#include "tools/ui/EndingInsertionDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

class ToolForms : public MainFixture {};

// While an extraction runs the window takes no command; a close request stops the run and
// the window closes once the run has returned, with what was removed kept and offered for
// saving.
TEST_F(ToolForms, CloseDuringExtractionStopsTheRunFirst) {
    MainWindow& w = start();
    w.text().setText(QStringLiteral("<p>a<p>b"));
    fake.pump.onEvents = [&] {
        EXPECT_FALSE(w.textView()->isEnabled());
        w.runCommand(QStringLiteral("mnuWide"));
        ASSERT_NE(w.findChild<ExtractionProgressDialog*>(), nullptr);
        EXPECT_TRUE(w.findChild<ExtractionProgressDialog*>()->isVisible());
        w.close();
        fake.pump.onEvents = nullptr;
    };
    fake.prompts.answers.enqueue(MsgAnswer::Cancel);
    w.runCommand(QStringLiteral("mnutxt"));
    EXPECT_EQ(w.text().text(), QStringLiteral("<p>a<p>b"));
    EXPECT_EQ(w.findChild<ExtractionProgressDialog*>(), nullptr);
    EXPECT_TRUE(w.textView()->isEnabled());
    QCoreApplication::processEvents();
    ASSERT_EQ(fake.prompts.shown.size(), 1);
    EXPECT_EQ(fake.prompts.shown[0].buttons, MsgButtons::YesNoCancel);
}

TEST_F(ToolForms, EndingDialogRunsOnEnter) {
    MainWindow& w = start();
    w.text().setText(QStringLiteral("はい。"));
    w.runCommand(QStringLiteral("mnuGobi"));
    auto* form4 = w.findChild<EndingInsertionDialog*>();
    ASSERT_NE(form4, nullptr);
    EXPECT_EQ(form4->windowTitle(), QStringLiteral("語尾変換"));
    EXPECT_TRUE(child<QCheckBox>(form4, "Check1")->isChecked());
    auto* word = child<QLineEdit>(form4, "Text1");
    word->setText(QStringLiteral("ニャ"));
    QTest::keyClick(word, Qt::Key_Return);
    EXPECT_EQ(w.text().text(), QStringLiteral("はいニャ。"));
    EXPECT_EQ(fake.prompts.shown.size(), 1);
}

} // namespace
