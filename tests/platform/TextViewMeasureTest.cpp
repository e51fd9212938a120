#include "platform/TextViewMeasure.h"
#include "platform/TextViewLineCounts.h"
#include "platform/TextViewText.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

// The shortcut for short lines must never disagree with a full layout, whatever the text.
TEST(TextViewMeasureTest, ShortcutAgreesWithFullLayout) {
    QFont font(QStringLiteral("MotoyaLCedar"));
    font.setPixelSize(16);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QString pool =
        QStringLiteral("あいうアイウ漢字。、「」（）ー　abc XYZ.,!?-WWWiii\t  ﾊﾝｶｸ①Ⅱ㈱"
                       "\u0301\u200b\uFDD2\uFDD3\u05d0\u0627\U0001F600");
    QRandomGenerator rng(4242);
    TextViewMeasure measure;
    for (qreal width : {40.0, 97.5, 160.0, 333.0, 641.0}) {
        measure.configure(font, option, width, nullptr);
        for (int i = 0; i < 400; ++i) {
            QString text;
            for (int n = rng.bounded(60); n > 0; --n)
                text += pool[rng.bounded(pool.size())];
            std::vector<int> fast, full;
            const int lines = measure.lines(text, &fast);
            ASSERT_EQ(lines, measure.layoutLines(text, &full)) << "width " << width;
            ASSERT_EQ(fast, full) << "width " << width;
        }
    }
}

// Laying out only as far as a column needs must give the line of that column exactly as the
// whole paragraph does: long words, spaces, tabs, punctuation that cannot start a line.
TEST(TextViewMeasureTest, LinesUpToAColumnAgreeWithFullLayout) {
    QFont font(QStringLiteral("MotoyaLCedar"));
    font.setPixelSize(16);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    const QString pool[] = {
        QStringLiteral("あ"),
        QStringLiteral("漢"),
        QStringLiteral("。"),
        QStringLiteral("、"),
        QStringLiteral("「"),
        QStringLiteral("」"),
        QStringLiteral("ー"),
        QStringLiteral("ッ"),
        QStringLiteral(" "),
        QStringLiteral("  "),
        QStringLiteral("\t"),
        QStringLiteral("word"),
        QStringLiteral("averyveryverylongwordwithoutanybreakopportunityinsideitatall"),
        QStringLiteral("ﾊﾝｶｸ"),
        QStringLiteral("（"),
        QStringLiteral("）"),
        QStringLiteral("-"),
        QStringLiteral("\u3000"),
        QStringLiteral("1,000"),
        QStringLiteral("\uFDD2"),
    };
    QRandomGenerator rng(9191);
    TextViewMeasure measure;
    for (qreal width : {37.0, 97.5, 160.0, 333.0}) {
        measure.configure(font, option, width, nullptr);
        for (int i = 0; i < 300; ++i) {
            QString text;
            for (int n = rng.bounded(40); n > 0; --n)
                text += pool[rng.bounded(int(std::size(pool)))];
            std::vector<int> full;
            measure.layoutLines(text, &full);
            auto lineOf = [](const std::vector<int>& starts, int column) {
                return int(std::upper_bound(starts.begin(), starts.end(), column) -
                           starts.begin()) -
                       1;
            };
            for (int column = 0; column <= text.size(); column += 1 + rng.bounded(4)) {
                std::vector<int> part;
                const int exactTo = measure.startsUpTo(text, column, part);
                ASSERT_GE(exactTo, column);
                ASSERT_EQ(lineOf(part, column), lineOf(full, column))
                    << "width " << width << " column " << column << " text " << text.toStdString();
            }
        }
    }
}

TEST(TextViewMeasureTest, EmptyTextIsOneLine) {
    TextViewMeasure measure;
    measure.configure(QFont(), QTextOption(), 100, nullptr);
    std::vector<int> starts;
    EXPECT_EQ(measure.lines(QString(), &starts), 1);
    EXPECT_EQ(starts, std::vector<int>{0});
}

TEST(TextViewLineCountsTest, TracksSumsThroughEdits) {
    TextViewLineCounts counts;
    std::vector<int> mirror(5000, TextViewLineCounts::Unknown);
    counts.reset(5000);
    QRandomGenerator rng(9);
    auto check = [&] {
        ASSERT_EQ(counts.size(), int(mirror.size()));
        int unknown = 0, sum = 0;
        for (size_t b = 0; b < mirror.size(); ++b) {
            ASSERT_EQ(counts.count(int(b)), mirror[b]);
            if (mirror[b] == TextViewLineCounts::Unknown)
                ++unknown;
            else
                sum += mirror[b];
        }
        ASSERT_EQ(counts.unknownCount(), unknown);
        const int first = int(std::find(mirror.begin(), mirror.end(), -1) - mirror.begin());
        ASSERT_EQ(counts.firstUnknown(0), first);
        if (unknown == 0) {
            ASSERT_EQ(counts.total(), sum);
            const int b = rng.bounded(int(mirror.size()) + 1);
            int before = 0;
            for (int i = 0; i < b; ++i)
                before += mirror[i];
            ASSERT_EQ(counts.linesBefore(b), before);
        }
    };
    for (int step = 0; step < 300; ++step) {
        // Fill everything, then edit: replace a random range by a random number of blocks.
        for (size_t b = 0; b < mirror.size(); ++b)
            if (mirror[b] == TextViewLineCounts::Unknown) {
                mirror[b] = 1 + rng.bounded(4);
                counts.setCount(int(b), mirror[b]);
            }
        check();
        const int first = rng.bounded(int(mirror.size()));
        const int removed = rng.bounded(std::min<int>(int(mirror.size()) - first, 3000) + 1);
        const int inserted = rng.bounded(step % 7 == 0 ? 4000 : 20);
        counts.replace(first, removed, inserted);
        mirror.erase(mirror.begin() + first, mirror.begin() + first + removed);
        mirror.insert(mirror.begin() + first, inserted, TextViewLineCounts::Unknown);
        if (mirror.empty()) {
            counts.replace(0, 0, 1);
            mirror.push_back(TextViewLineCounts::Unknown);
        }
        check();
    }
}

TEST(TextViewTextTest, BreaksAreLaidOutAsOneUnitEach) {
    const QString model = QStringLiteral("a\r\nb\rc\nd\u2028e\u2029f\r\r\n\n\uFDD2");
    EXPECT_EQ(TextViewText::toShown(model),
              QStringLiteral("a\nb\uFDD2c\uFDD3d\uFDD4e\uFDD5f\uFDD2\n\uFDD3\uFFFD"));
    EXPECT_EQ(TextViewText::fromForeignClipboard(QStringLiteral("a\nb\r\nc\r\uFDE0")),
              QStringLiteral("a\r\nb\r\nc\r\uFFFD"));
}

// The rows of a long line brought up to date around each edit are the rows of a whole layout.
TEST(TextViewMeasureTest, UpdatedWrapStartsEqualAFullLayout) {
    QFont font(QStringLiteral("MotoyaLCedar"));
    font.setPixelSize(16);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    TextViewMeasure measure;
    measure.configure(font, option, 300, nullptr);
    QString line = QStringLiteral("吾輩は猫である。名前はまだ無い。abc def ghi, どこで生れたか")
                       .repeated(150);
    std::vector<int> starts;
    measure.layoutLines(line, &starts);
    QRandomGenerator rng(13);
    const QString pieces[] = {QStringLiteral("x"), QStringLiteral("ああ"), QStringLiteral(" word "),
                              QStringLiteral("、"), QString()};
    for (int step = 0; step < 60; ++step) {
        // Mostly near the end, as typing goes; sometimes anywhere.
        const int at =
            step % 3 ? int(line.size()) - rng.bounded(40) : rng.bounded(int(line.size()));
        const int removed = rng.bounded(std::min<int>(3, int(line.size()) - at) + 1);
        const QString& added = pieces[rng.bounded(5)];
        line.replace(at, removed, added);
        updateWrapStarts(measure, line, starts, at, removed, int(added.size()));
        std::vector<int> full;
        measure.layoutLines(line, &full);
        ASSERT_EQ(starts, full) << "step " << step << " at " << at;
    }
}
