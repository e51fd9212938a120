#include "platform/ui/QtServices.h"
#include "platform/QtTranslations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Qt's English text, as Qt itself looks it up.
QString qtText(const char* source) {
    return QCoreApplication::translate("QPlatformTheme", source);
}

void removeTranslators() {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
}

} // namespace

TEST(QtTranslations, MissingFileLeavesQtsOwnTexts) {
    QTemporaryDir empty;
    EXPECT_FALSE(installQtTranslations(*qApp, empty.path()));
    EXPECT_EQ(qtText("Cancel"), u"Cancel"_s);
}

// With Qt's texts in Japanese, the save question still answers to its access keys.
TEST(QtTranslations, QuestionKeepsItsAccessKeys) {
    if (!installQtTranslations(*qApp))
        GTEST_SKIP() << "qtbase_ja is not installed";
    const auto cleanup = qScopeGuard(removeTranslators);
    EXPECT_EQ(qtText("Cancel"), u"キャンセル"_s);

    struct Row {
        int key;
        MsgAnswer answer;
    };
    for (const Row row : {Row{Qt::Key_Y, MsgAnswer::Yes}, Row{Qt::Key_N, MsgAnswer::No},
                          Row{Qt::Key_Escape, MsgAnswer::Cancel}}) {
        QtPrompts prompts;
        QStringList captions;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            for (QAbstractButton* b : box->buttons())
                captions.append(b->text());
            QTest::keyClick(box, Qt::Key(row.key));
        });
        Prompts& asked = prompts;
        EXPECT_EQ(asked.message(u"保存しますか？"_s, MsgButtons::YesNoCancel), row.answer);
        EXPECT_TRUE(captions.contains(u"はい(&Y)"_s) && captions.contains(u"いいえ(&N)"_s))
            << captions.join(u',').toStdString();
    }
}
