#include "shell/MainFixture.h"
#include "support/FindChild.h"

#include "style/ui/EndingConfirmationDialog.h"
#include "style/ui/StyleConversionDialog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

namespace {

QString labelText(QWidget* dialog, const char* name) {
    return child<QLabel>(dialog, name)->text();
}

const QString kText = QStringLiteral("今日は晴れていい天気です。");
const QString kPassLine = QStringLiteral("「。」を検索しています…。");
const QString kCommaLine = QStringLiteral("\r\n「、」を検索しています…。");

struct Answer {
    const char* name;
    std::function<void(EndingConfirmationDialog*)> act;
    QString text;   // the document afterwards
    QString report; // the line the dialog writes, "" for none
};

} // namespace

// A plain-to-polite run meets "です。": the confirmation shows the ending in context, and each
// way out of it is carried out once.
TEST_F(MainFixture, FoundEndingIsConfirmedOrLeftByEveryWayOut) {
    const auto press = [](const char* button) {
        return [button](EndingConfirmationDialog* d) { child<QPushButton>(d, button)->click(); };
    };
    const Answer answers[] = {
        {"Esc", [](EndingConfirmationDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }, kText, {}},
        {"close box", [](EndingConfirmationDialog* d) { d->close(); }, kText, {}},
        {"ignore", press("Command2"), kText, QStringLiteral("0行目の「です」を無視しました。")},
        {"convert",
         [](EndingConfirmationDialog* d) {
             auto* text2 = child<QLineEdit>(d, "Text2");
             auto* command1 = child<QPushButton>(d, "Command1");
             text2->setText(QStringLiteral("x"));
             text2->clear();
             EXPECT_TRUE(command1->isEnabled()); // emptying the box does not disable it
             text2->setText(QStringLiteral("天気だ"));
             command1->click();
         },
         QStringLiteral("今日は晴れていい天気だ。"),
         QStringLiteral("0行目の「です」を「天気だ」に変換しました。")},
    };
    for (const Answer& answer : answers) {
        SCOPED_TRACE(answer.name);
        MainWindow& w = start();
        w.text().setText(kText);
        w.runCommand(QStringLiteral("mnuDesumasu"));
        StyleConversionDialog* form8 = w.findChild<StyleConversionDialog*>();
        ASSERT_NE(form8, nullptr);
        int shown = 0;
        QTimer::singleShot(0, form8, [&] {
            auto* dialog = qobject_cast<EndingConfirmationDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ++shown;
            EXPECT_EQ(dialog->parentWidget(), form8);
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ですますを発見"));
            EXPECT_EQ(labelText(dialog, "Label1"),
                      QStringLiteral("0行目に「です」が発見されました。"));
            EXPECT_EQ(labelText(dialog, "Label3"), QStringLiteral("…ていい"));
            EXPECT_EQ(labelText(dialog, "Label4"), QStringLiteral("…ていい"));
            EXPECT_EQ(labelText(dialog, "Label2"), QStringLiteral("↓"));
            EXPECT_EQ(labelText(dialog, "Label5"), QStringLiteral("。"));
            EXPECT_EQ(labelText(dialog, "Label6"), QStringLiteral("。"));
            EXPECT_EQ(child<QLineEdit>(dialog, "Text1")->text(), QStringLiteral("天気です"));
            EXPECT_TRUE(child<QLineEdit>(dialog, "Text1")->isReadOnly());
            EXPECT_TRUE(child<QLineEdit>(dialog, "Text2")->text().isEmpty());
            EXPECT_EQ(child<QPushButton>(dialog, "Command2")->text(), QStringLiteral("無視(&I)"));
            EXPECT_EQ(child<QPushButton>(dialog, "Command1")->text(), QStringLiteral("変換(&C)"));
            EXPECT_FALSE(child<QPushButton>(dialog, "Command1")->isEnabled());
            // The run's busy pointer does not cover the dialog the writer types in.
            ASSERT_NE(QApplication::overrideCursor(), nullptr);
            EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ArrowCursor);
            answer.act(dialog);
        });
        child<QPushButton>(form8, "Command1")->click();

        EXPECT_EQ(shown, 1);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(w.text().text(), answer.text);
        const QString line = answer.report.isEmpty() ? QString() : "\r\n" + answer.report;
        EXPECT_EQ(form8->logic().report(), kPassLine + line + kCommaLine);
        // The run went on to its end after the dialog had closed.
        EXPECT_EQ(fake.prompts.texts().value(0), QStringLiteral("終了しました。0個変換しました。"));
        fake.prompts.shown.clear();
        form.reset();
    }
}
