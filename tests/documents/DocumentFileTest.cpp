#include "documents/DocumentSession.h"
#include "DocumentTestSupport.h"

#include "documents/DocumentFile.h"
#include "documents/SaveCommands.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

struct FormatCase {
    const char* name;
    QString text;
    QByteArray bytes;
};
inline void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.name;
}

class WrittenBytes : public ::testing::TestWithParam<FormatCase> {};

TEST_P(WrittenBytes, TextThenOneLineBreak) {
    FakeEditor e;
    const QString file = pathIn(e, u"doc.txt"_s);
    e.document.setDirty(true);
    ASSERT_TRUE(writeDocumentFile(e.ctx, file, GetParam().text));
    EXPECT_EQ(readBytes(file), GetParam().bytes);
    EXPECT_FALSE(e.document.isDirty());
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrittenBytes,
    ::testing::Values(FormatCase{"Abc", u"abc"_s, QByteArray("abc\r\n")},
                      FormatCase{"Empty", QString(), QByteArray("\r\n")},
                      FormatCase{"Japanese", u"あ"_s, QByteArray("\x82\xa0\r\n")},
                      FormatCase{"FinalBreakIsKept", u"a\r\n"_s, QByteArray("a\r\n\r\n")},
                      FormatCase{"LoneBreaksUntouched", u"a\nb\rc"_s, QByteArray("a\nb\rc\r\n")}),
    [](const auto& info) { return std::string(info.param.name); });

class ReadText : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReadText, EveryByte) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"doc.txt"_s);
    ASSERT_TRUE(writeBytes(file, GetParam().bytes));
    QString text = u"before"_s;
    ASSERT_TRUE(readDocumentFile(file, text));
    EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadText,
    ::testing::Values(FormatCase{"FinalBreakStays", u"abc\r\n"_s, QByteArray("abc\r\n")},
                      FormatCase{"NoFinalBreak", u"abc"_s, QByteArray("abc")},
                      FormatCase{"ZeroBytes", QString(), QByteArray()},
                      FormatCase{"NulBytes", QString(u"a\0b"_s), QByteArray("a\0b", 3)},
                      // An LF and no CR: an LF file, whose LF is a line break.
                      FormatCase{"InvalidBytesShown", QString(u"\xdc82\r\n\xf8f3"_s),
                                 QByteArray("\x82\n\xff", 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFile, BinaryFileSurvivesByteForByte) {
    // Every byte that is not a lead byte, then lead bytes without a valid trail byte: before
    // a blank, before a line break, before NUL, and one at the very end.
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        if (!cp932::isLeadByte(b)) bytes += char(b);
    bytes += QByteArray("\x81\x20\x82\x0a\xfc\x00\x9f", 7);
    FakeEditor e;
    const QString file = pathIn(e, u"binary.bin"_s);
    ASSERT_TRUE(writeBytes(file, bytes));
    QString text;
    ASSERT_TRUE(readDocumentFile(file, text));
    EXPECT_TRUE(text.contains(QChar(0)));
    ASSERT_TRUE(writeDocumentFile(e.ctx, file, text));
    EXPECT_EQ(readBytes(file), bytes + "\r\n");
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty()); // nothing to ask: every byte goes back
}

TEST(DocumentFile, UnreadablePathsLeaveTheTextAlone) {
    QTemporaryDir dir;
    for (const QString& path : {dir.path(), dir.filePath(u"missing.txt"_s), QString()}) {
        QString text = u"kept"_s;
        EXPECT_FALSE(readDocumentFile(path, text)) << path.toStdString();
        EXPECT_EQ(text, u"kept"_s);
    }
}

TEST(DocumentFile, SizeLimit) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"five.txt"_s);
    ASSERT_TRUE(writeBytes(file, "12345"));
    QString text;
    EXPECT_TRUE(readDocumentFile(file, text, 5));
    EXPECT_EQ(text, u"12345"_s);
    text = u"kept"_s;
    EXPECT_FALSE(readDocumentFile(file, text, 4));
    EXPECT_EQ(text, u"kept"_s);
    EXPECT_TRUE(readDocumentFile(file, text, kNoDocumentLimit));
}

TEST(DocumentFile, EndlessDeviceStopsAtTheLimit) {
    if (!QFileInfo::exists(u"/dev/zero"_s)) GTEST_SKIP() << "no /dev/zero";
    QString text;
    EXPECT_FALSE(readDocumentFile(u"/dev/zero"_s, text, 1 << 20));
}

// ---------------------------------------------------------------- failed writes

struct WriteFailure {
    const char* name;
    // Prepares the target in dir and returns its path.
    QString (*target)(const QString& dir);
};
inline void PrintTo(const WriteFailure& c, std::ostream* os) {
    *os << c.name;
}

class FailedWrite : public ::testing::TestWithParam<WriteFailure> {};

TEST_P(FailedWrite, ReportsAndKeepsDirty) {
    FakeEditor e;
    const QString file = GetParam().target(e.dir.path());
    const QString text = u"new"_s;
    e.document.setDirty(true);
    EXPECT_FALSE(writeDocumentFile(e.ctx, file, text));
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, kSaveFailed);
    EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::None);
    EXPECT_TRUE(e.document.isDirty());
}

INSTANTIATE_TEST_SUITE_P(Cases, FailedWrite,
                         ::testing::Values(WriteFailure{"MissingFolder",
                                                        [](const QString& dir) {
                                                            return dir +
                                                                   u"/no/such/folder/doc.txt"_s;
                                                        }},
                                           WriteFailure{"FolderInTheWay",
                                                        [](const QString& dir) {
                                                            QDir(dir).mkdir(u"doc.txt"_s);
                                                            return dir + u"/doc.txt"_s;
                                                        }},
                                           WriteFailure{"EmptyPath",
                                                        [](const QString&) { return QString(); }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DocumentFile, FullDiskLeavesThePreviousFileWhole) {
    FakeEditor e;
    const QString file = pathIn(e, u"doc.txt"_s);
    const QByteArray old = "the previous version\r\n";
    ASSERT_TRUE(writeBytes(file, old));
    const QString text(20000, u'x');
    e.document.setDirty(true);
    bool written = true;
    {
        DiskFull full(4096);
        ASSERT_TRUE(full.active());
        written = writeDocumentFile(e.ctx, file, text);
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(shownTexts(e), QStringList{kSaveFailed});
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(readBytes(file), old);
    // No half-written temporary file is left beside it.
    EXPECT_EQ(QDir(e.dir.path()).entryList(QDir::Files), QStringList{u"doc.txt"_s});
}

// ---------------------------------------------------------------- the backup file

TEST(DocumentFile, BackupFileIsRecognisedHoweverItIsSpelt) {
    QTemporaryDir dir;
    const QString backup = backupFilePath(dir.path());
    EXPECT_EQ(QFileInfo(backup).fileName(), u"PalloBackup.txt"_s);
    // Before the file exists and after.
    for (int pass = 0; pass < 2; ++pass) {
        EXPECT_TRUE(isBackupFile(backup, dir.path()));
        EXPECT_TRUE(isBackupFile(dir.path() + u"/./PalloBackup.txt"_s, dir.path()));
        EXPECT_TRUE(isBackupFile(dir.path() + u"/sub/../PalloBackup.txt"_s, dir.path()));
        EXPECT_FALSE(isBackupFile(dir.filePath(u"Other.txt"_s), dir.path()));
        EXPECT_FALSE(isBackupFile(dir.filePath(u"PalloBackup.txt.bak"_s), dir.path()));
        ASSERT_TRUE(writeBytes(backup, "x"));
        QDir(dir.path()).mkdir(u"sub"_s);
    }
    ASSERT_TRUE(QFile::link(backup, dir.filePath(u"link.txt"_s)));
    EXPECT_TRUE(isBackupFile(dir.filePath(u"link.txt"_s), dir.path()));
}

} // namespace
