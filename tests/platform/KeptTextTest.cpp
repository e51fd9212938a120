#include "platform/KeptText.h"

#include <QThread>
#include <gtest/gtest.h>

namespace {

void waitSettled(const KeptText& kept) {
    for (int i = 0; i < 500 && !kept.settled(); ++i)
        QThread::msleep(10);
}

} // namespace

// Whatever is packed meanwhile, the text comes back as it was given, and the last one set wins.
TEST(KeptText, GivesBackTheTextItWasGiven) {
    const QString prose = QStringLiteral("吾輩は猫である。名前はまだ無い。\r\n");
    const QString texts[] = {QString(), QStringLiteral("short\r\n"),
                             prose.repeated(int(KeptText::kPackFrom / prose.size()) + 10),
                             QString(QChar(0xD83D)) + prose.repeated(40000) + QChar(0xDE00)};
    KeptText kept;
    for (const QString& text : texts) {
        kept.set(text);
        EXPECT_EQ(kept.text(), text) << "at once";
        waitSettled(kept);
        EXPECT_TRUE(kept.settled());
        EXPECT_EQ(kept.text(), text) << "after packing";
    }
    // A text that differs in its middle only is told apart without unpacking, once packed.
    kept.set(texts[2]);
    waitSettled(kept);
    QString changed = texts[2];
    changed[changed.size() / 2] = u'x';
    EXPECT_TRUE(kept.mayEqual(texts[2]));
    EXPECT_FALSE(kept.mayEqual(changed));
    EXPECT_FALSE(kept.mayEqual(texts[2] + u'x'));

    kept.set(texts[2]);
    kept.set(texts[1]); // while the first is still being packed
    waitSettled(kept);
    EXPECT_EQ(kept.text(), texts[1]);
}
