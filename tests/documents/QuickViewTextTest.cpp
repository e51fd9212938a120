#include "documents/QuickViewText.h"

#include "platform/Cp932Codec.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace quickview;

namespace {

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
}

struct Read {
    Preview preview;
    QStringList captions;
};

Read readWithCaptions(const QString& path, int maxLines = kPreviewLines,
                      qint64 maxBytes = kPreviewBytes) {
    Read r;
    r.preview = readPreview(
        path, [&](const QString& c) { r.captions.append(c); }, maxLines, maxBytes);
    return r;
}

} // namespace

TEST(QuickViewText, SizeLineCutsToTwoDecimalsWithoutTrailingZeros) {
    const struct {
        qint64 bytes;
        const char* expected;
    } cases[] = {
        {0, "ﾌｧｲﾙｻｲｽﾞ:0B"},
        {999, "ﾌｧｲﾙｻｲｽﾞ:999B"},
        {1000, "ﾌｧｲﾙｻｲｽﾞ:1KB"},
        {1009, "ﾌｧｲﾙｻｲｽﾞ:1KB"},
        {1099, "ﾌｧｲﾙｻｲｽﾞ:1.09KB"},
        {1500, "ﾌｧｲﾙｻｲｽﾞ:1.5KB"},
        {12345, "ﾌｧｲﾙｻｲｽﾞ:12.34KB"},
        {999999, "ﾌｧｲﾙｻｲｽﾞ:999.99KB"},
        {1000000, "ﾌｧｲﾙｻｲｽﾞ:1MB"},
        {1234567, "ﾌｧｲﾙｻｲｽﾞ:1.23MB"},
        {1500000, "ﾌｧｲﾙｻｲｽﾞ:1.5MB"},
        {1009999, "ﾌｧｲﾙｻｲｽﾞ:1MB"},
        {12345678901LL, "ﾌｧｲﾙｻｲｽﾞ:12345.67MB"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sizeLine(c.bytes), QString::fromUtf8(c.expected)) << c.bytes;
}

TEST(QuickViewText, DateLineTakesTheDateOfTheStandardForm) {
    const QDateTime when(QDate(2026, 3, 4), QTime(9, 5, 7));
    EXPECT_EQ(standardDateText(when), QStringLiteral("26/03/04 9:05:07"));
    EXPECT_EQ(dateLine(when), QStringLiteral("ﾌｧｲﾙ更新日:26/03/04"));
    EXPECT_EQ(dateLine(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))),
              QStringLiteral("ﾌｧｲﾙ更新日:99/12/31"));
}

TEST(QuickViewText, AttributeLineWords) {
    const struct {
        int bits;
        const char* expected;
    } cases[] = {
        {0, "ﾌｧｲﾙ属性:通常ﾌｧｲﾙ"},
        {Archive, "ﾌｧｲﾙ属性: ｱｰｶｲﾌﾞ"},
        {ReadOnly, "ﾌｧｲﾙ属性:読取専用ﾌｧｲﾙ"},
        {ReadOnly | Archive, "ﾌｧｲﾙ属性:読取専用ﾌｧｲﾙ ｱｰｶｲﾌﾞ"},
        {ReadOnly | Hidden, "ﾌｧｲﾙ属性:読取専用ﾌｧｲﾙ 隠しﾌｧｲﾙ"},
        {Hidden | System | Folder | Archive, "ﾌｧｲﾙ属性: 隠しﾌｧｲﾙ ｼｽﾃﾑﾌｧｲﾙ ﾌｫﾙﾀﾞ ｱｰｶｲﾌﾞ"},
        {Folder, "ﾌｧｲﾙ属性: ﾌｫﾙﾀﾞ"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(attributeLine(c.bits), QString::fromUtf8(c.expected)) << c.bits;
}

TEST(QuickViewText, AttributesOfFilesOnThisPlatform) {
    QTemporaryDir dir;
    const QString plain = writeFile(dir, QStringLiteral("plain.txt"), "x");
    const QString hidden = writeFile(dir, QStringLiteral(".hidden.txt"), "x");
    const QString fifo = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);

    EXPECT_EQ(fileAttributes(plain), 0);
    EXPECT_EQ(fileAttributes(hidden), Hidden);
    EXPECT_EQ(fileAttributes(dir.path()), Folder);
    EXPECT_EQ(fileAttributes(fifo), System);
    EXPECT_EQ(fileAttributes(dir.filePath(QStringLiteral("missing.txt"))), -1);
}

TEST(QuickViewText, FileWeCannotWriteIsReadOnly) {
    if (geteuid() == 0) GTEST_SKIP() << "read-only files are writable for root";
    QTemporaryDir dir;
    const QString plain = writeFile(dir, QStringLiteral("plain.txt"), "x");
    ASSERT_TRUE(QFile::setPermissions(plain, QFile::ReadOwner));
    EXPECT_EQ(fileAttributes(plain), ReadOnly);
}

TEST(QuickViewText, PreviewStopsAfterFiftyLines) {
    QTemporaryDir dir;
    QByteArray bytes;
    for (int i = 1; i <= 120; ++i)
        bytes += cp932::encode(QStringLiteral("第%1行").arg(i)) + "\r\n";
    const Read r = readWithCaptions(writeFile(dir, QStringLiteral("long.txt"), bytes));

    ASSERT_TRUE(r.preview.ok);
    EXPECT_EQ(r.preview.lines, 50);
    QString expected;
    QStringList captions;
    for (int i = 1; i <= 50; ++i) {
        expected += QStringLiteral("第%1行\r\n").arg(i);
        captions << QStringLiteral("クイックビュー%1行読み取り").arg(i);
    }
    captions << QStringLiteral("クイックビュー");
    EXPECT_EQ(r.preview.text, expected);
    EXPECT_EQ(r.captions, captions);
}

TEST(QuickViewText, LinesEndAtCrLfOrLoneCrAndKeepLoneLf) {
    const struct {
        QByteArray bytes;
        QString text;
        int lines;
    } cases[] = {
        {"a\rb\nc\r\nd", QStringLiteral("a\r\nb\nc\r\nd\r\n"), 3},
        {"x\r\n", QStringLiteral("x\r\n"), 1},
        {"x\r", QStringLiteral("x\r\n"), 1},
        {"\r\n\r\n", QStringLiteral("\r\n\r\n"), 2},
        {"\r\r\n", QStringLiteral("\r\n\r\n"), 2},
        // No CR at all: an LF file, whose last LF is its terminator.
        {"a\nb\n", QStringLiteral("a\r\nb\r\n"), 2},
        {cp932::encode(QStringLiteral("日本語\r\nｶﾅ")), QStringLiteral("日本語\r\nｶﾅ\r\n"), 2},
        // A CR LF split across two reads is still one break.
        {QByteArray(65535, 'a') + "\r\nb", QString(65535, u'a') + QStringLiteral("\r\nb\r\n"), 2},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const Preview p = readPreview(writeFile(dir, QStringLiteral("f.txt"), c.bytes), {});
        EXPECT_TRUE(p.ok);
        EXPECT_EQ(p.text, c.text) << c.bytes.left(20).toHex().constData();
        EXPECT_EQ(p.lines, c.lines) << c.bytes.left(20).toHex().constData();
    }
}

TEST(QuickViewText, EmptyFileGivesTheFinalCaptionAtOnce) {
    QTemporaryDir dir;
    const Read r = readWithCaptions(writeFile(dir, QStringLiteral("empty.txt"), {}));
    EXPECT_TRUE(r.preview.ok);
    EXPECT_EQ(r.preview.text, QString());
    EXPECT_EQ(r.captions, QStringList{QStringLiteral("クイックビュー")});
}

TEST(QuickViewText, OneHugeLineIsReadOnlyUpToTheByteLimit) {
    QTemporaryDir dir;
    const Read r =
        readWithCaptions(writeFile(dir, QStringLiteral("huge.txt"), QByteArray(3000000, 'z')));
    ASSERT_TRUE(r.preview.ok);
    EXPECT_EQ(r.preview.lines, 1);
    EXPECT_EQ(r.preview.text, QString(kPreviewBytes, u'z') + QStringLiteral("\r\n"));
    EXPECT_EQ(r.captions.size(), 2);
}

TEST(QuickViewText, ByteLimitKeepsWholeCharacters) {
    const QByteArray kana = cp932::encode(QStringLiteral("あいう")); // 6 bytes
    const struct {
        QByteArray bytes;
        qint64 limit;
        QString text;
    } cases[] = {
        {kana, 5, QStringLiteral("あい\r\n")},
        {kana, 4, QStringLiteral("あい\r\n")},
        {kana, 1, QString()},
        {"ab\r\ncd", 3, QStringLiteral("ab\r\n")},
        {"ab\r\ncd", 5, QStringLiteral("ab\r\nc\r\n")},
        {"ab\r\ncd", 100, QStringLiteral("ab\r\ncd\r\n")},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        const Preview p =
            readPreview(writeFile(dir, QStringLiteral("f.txt"), c.bytes), {}, 50, c.limit);
        EXPECT_EQ(p.text, c.text) << c.limit;
    }
}

TEST(QuickViewText, UnreadableFileGivesNoPreview) {
    QTemporaryDir dir;
    for (const QString& path : {dir.filePath(QStringLiteral("gone.txt")), dir.path()}) {
        const Read r = readWithCaptions(path);
        EXPECT_FALSE(r.preview.ok);
        EXPECT_EQ(r.preview.text, QString());
        EXPECT_EQ(r.captions, QStringList{QStringLiteral("クイックビュー")});
    }
}
