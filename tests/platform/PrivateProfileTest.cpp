#include "platform/PrivateProfile.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace Qt::StringLiterals;

// A literal with its embedded NUL bytes.
template <size_t N> QByteArray bytes(const char (&s)[N]) {
    return QByteArray(s, N - 1);
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    return f.readAll();
}

void putFile(const QString& path, const QByteArray& data) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(data), data.size());
}

// Permission tests mean nothing for a user the file system does not refuse (root).
bool folderRefusesNewFiles(const QString& dir) {
    QFile probe(dir + u"/probe"_s);
    if (!probe.open(QIODevice::WriteOnly)) return true;
    probe.close();
    probe.remove();
    return false;
}

struct ReadCase {
    const char* name;
    QByteArray contents;
    QByteArray section;
    QByteArray key;
    QByteArray expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class ReadRules : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadRules, GivesTheValue) {
    const ReadCase& c = GetParam();
    EXPECT_EQ(profile::readStringFrom(c.contents, c.section, c.key, "<default>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    PrivateProfile, ReadRules,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", "[DaTa]\r\nFontSize=9\r\n", "data", "FONTSIZE", "9"},
        ReadCase{"NamesTrimmed", " \t[ \tdata\t ] trailing\r\n\t key \t=v\r\n", " data", "key\t",
                 "v"},
        ReadCase{"ValueTrimmed", "[data]\r\nk= \t a  b \t\r\n", "data", "k", "a  b"},
        ReadCase{"EmptyValueIsNotMissing", "[data]\r\nk=\r\n", "data", "k", ""},
        ReadCase{"DoubleQuotes", "[data]\r\nk= \"  a  \" \r\n", "data", "k", "  a  "},
        ReadCase{"SingleQuotes", "[data]\r\nk='x'\r\n", "data", "k", "x"},
        ReadCase{"OnlyOnePairOfQuotes", "[data]\r\nk=\"\"x\"\"\r\n", "data", "k", "\"x\""},
        ReadCase{"MismatchedQuotesKept", "[data]\r\nk=\"x'\r\n", "data", "k", "\"x'"},
        ReadCase{"LoneQuoteKept", "[data]\r\nk=\"\r\n", "data", "k", "\""},
        ReadCase{"EmptyQuotes", "[data]\r\nk=\"\"\r\n", "data", "k", ""},
        ReadCase{"FirstEqualsSplits", "[data]\r\nk=a=b\r\n", "data", "k", "a=b"},
        ReadCase{"NoInlineComments", "[data]\r\nk=a ;b\r\n", "data", "k", "a ;b"},
        ReadCase{"FirstKeyWins", "[data]\r\nk=1\r\nK=2\r\n", "data", "k", "1"},
        ReadCase{"FirstSectionOnly", "[data]\r\na=1\r\n[DATA]\r\nk=2\r\n", "data", "k",
                 "<default>"},
        ReadCase{"KeysBeforeAnySectionIgnored", "k=1\r\n[data]\r\n", "data", "k", "<default>"},
        ReadCase{"CommentLine", "[data]\r\n ;k=1\r\n", "data", "k", "<default>"},
        ReadCase{"LineWithoutEqualsIgnored", "[data]\r\nk\r\nk=2\r\n", "data", "k", "2"},
        ReadCase{"UnclosedHeaderIsNoSection", "[data]\r\n[other\r\nk=3\r\n", "data", "k", "3"},
        ReadCase{"LfLineEnds", "[data]\nk=1\nj=2\n", "data", "j", "2"},
        ReadCase{"CrLineEnds", "[data]\rk=1\rj=2", "data", "j", "2"},
        ReadCase{"LfCrIsTwoLineEnds", "[data]\n\rj=2\n\r", "data", "j", "2"},
        ReadCase{"MissingSection", "[other]\r\nk=1\r\n", "data", "k", "<default>"},
        ReadCase{"MissingKey", "[data]\r\nj=1\r\n", "data", "k", "<default>"},
        ReadCase{"NulEndsValue", bytes("[data]\r\nk=ab\0cd\r\n"), "data", "k", "ab"},
        ReadCase{"NulEndsArgument", "[data]\r\nk=1\r\n", bytes("data\0x"), bytes("k\0y"), "1"},
        ReadCase{"BinaryLinesIgnored", bytes("\0\xff\x81\r\n[\xfe]\x01\r\n[data]\r\n\0=\r\nk=1"),
                 "data", "k", "1"},
        // 83 5D is one character whose trail byte is ']'.
        ReadCase{"TrailByteIsNotBracket", "[\x83]x]\r\nk=1\r\n", "\x83]x", "k", "1"},
        // 83 41 and 83 61 are different characters; folding their trail bytes would merge them.
        ReadCase{"TrailByteNotFolded", "[data]\r\n\x83\x41=1\r\n\x83\x61=2\r\n", "data", "\x83\x61",
                 "2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrivateProfile, DefaultLosesTrailingBlanksAndIsCut) {
    EXPECT_EQ(profile::readStringFrom("", "data", "k", " ab \t "), " ab");
    EXPECT_EQ(profile::readStringFrom("", "data", "k", "abcdef", 4), "abc");
    EXPECT_EQ(profile::readStringFrom("", "data", "k"), "");
}

struct CutCase {
    const char* name;
    QByteArray value;
    int bufferSize;
    QByteArray expected;
};

void PrintTo(const CutCase& c, std::ostream* os) {
    *os << c.name;
}

class CutRules : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutRules, NeverSplitsACharacter) {
    const CutCase& c = GetParam();
    const QByteArray file = "[data]\r\nk=" + c.value + "\r\n";
    EXPECT_EQ(profile::readStringFrom(file, "data", "k", {}, c.bufferSize), c.expected);
}

const QByteArray kA254(254, 'a');
const QByteArray kA253(253, 'a');
const QByteArray kA252(252, 'a');
const QByteArray kKana = "\x82\xA0"; // one double-byte character

INSTANTIATE_TEST_SUITE_P(
    PrivateProfile, CutRules,
    ::testing::Values(CutCase{"Exactly254Whole", kA254, 255, kA254},
                      CutCase{"Cut255To254", kA254 + "b", 255, kA254},
                      CutCase{"StraddlingCharacterDropped", kA253 + kKana, 255, kA253},
                      CutCase{"CharacterEndingAt254Kept", kA252 + kKana, 255, kA252 + kKana},
                      CutCase{"QuotesDoNotCount", '"' + kA254 + '"', 255, kA254},
                      CutCase{"BrokenLeadByteStandsAlone", "ab\x81=", 4, "ab\x81"},
                      CutCase{"BufferOfOne", "abc", 1, ""}, CutCase{"BufferOfZero", "abc", 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct WriteCase {
    const char* name;
    QByteArray before;
    QByteArray section;
    QByteArray key;
    QByteArray value;
    QByteArray after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class WriteRules : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteRules, ChangesOnlyTheKeyLine) {
    const WriteCase& c = GetParam();
    const QByteArray after = profile::writeStringTo(c.before, c.section, c.key, c.value);
    EXPECT_EQ(after, c.after);
    EXPECT_EQ(profile::readStringFrom(after, c.section, c.key, "<default>"),
              profile::readStringFrom("[s]\r\nk=" + c.value, "s", "k"));
}

INSTANTIATE_TEST_SUITE_P(
    PrivateProfile, WriteRules,
    ::testing::Values(
        WriteCase{"NewFile", "", "data", "k", "v", "[data]\r\nk=v\r\n"},
        WriteCase{"ReplaceKeepsOtherLines", "; c\n[data]\nA=1\n  K = old \nB=2\r\n", "data", "k",
                  "new", "; c\n[data]\nA=1\nk=new\r\nB=2\r\n"},
        WriteCase{"ReplaceLastLineWithoutLineEnd", "[data]\rk=1", "data", "k", "2",
                  "[data]\rk=2\r\n"},
        WriteCase{"KeyAndSectionWrittenAsGiven", "[DATA]\r\nKEY=1\r\n", "data", "key", "2",
                  "[DATA]\r\nkey=2\r\n"},
        WriteCase{"FirstOfDuplicates", "[data]\r\nk=1\r\nk=2\r\n[data]\r\nk=3\r\n", "data", "k",
                  "9", "[data]\r\nk=9\r\nk=2\r\n[data]\r\nk=3\r\n"},
        WriteCase{"NewKeyAfterLastFilledLine", "[data]\r\na=1\r\n\r\n \t\r\n[x]\r\nk=1\r\n", "data",
                  "k", "v", "[data]\r\na=1\r\nk=v\r\n\r\n \t\r\n[x]\r\nk=1\r\n"},
        WriteCase{"CommentCountsAsFilled", "[data]\na=1\n;note\n\n", "data", "k", "v",
                  "[data]\na=1\n;note\nk=v\r\n\n"},
        WriteCase{"NewKeyAfterBareHeader", "[data]\r\n\r\n[x]\r\n", "data", "k", "v",
                  "[data]\r\nk=v\r\n\r\n[x]\r\n"},
        WriteCase{"NewKeyAfterHeaderAtEnd", "[data]", "data", "k", "v", "[data]\r\nk=v\r\n"},
        WriteCase{"NewKeyAfterUnterminatedLastLine", "[data]\r\na=1", "data", "k", "v",
                  "[data]\r\na=1\r\nk=v\r\n"},
        WriteCase{"NewKeyInFirstMatchingSection", "[data]\r\na=1\r\n[Data]\r\nb=1\r\n", "data", "k",
                  "v", "[data]\r\na=1\r\nk=v\r\n[Data]\r\nb=1\r\n"},
        WriteCase{"NewSectionAfterLineEnd", "[x]\r\na=1\r\n", "data", "k", "v",
                  "[x]\r\na=1\r\n[data]\r\nk=v\r\n"},
        WriteCase{"NewSectionAfterLf", "[x]\na=1\n", "data", "k", "v",
                  "[x]\na=1\n[data]\r\nk=v\r\n"},
        WriteCase{"NewSectionGetsLineEndFirst", "[x]\r\na=1", "data", "k", "v",
                  "[x]\r\na=1\r\n[data]\r\nk=v\r\n"},
        WriteCase{"KeysBeforeSectionsUntouched", "k=1\r\n", "data", "k", "2",
                  "k=1\r\n[data]\r\nk=2\r\n"},
        WriteCase{"BinaryLinesKept", bytes("\0\xff\r\n[data]\r\n\x81\x01\r\nk=1\r\n"), "data", "k",
                  "2", bytes("\0\xff\r\n[data]\r\n\x81\x01\r\nk=2\r\n")},
        WriteCase{"ValueWithBlanksStoredAsGiven", "", "data", "k", "  x  ",
                  "[data]\r\nk=  x  \r\n"},
        WriteCase{"ValueWithLineBreakSpansLines", "", "data", "2cb", "ab\r\ncd",
                  "[data]\r\n2cb=ab\r\ncd\r\n"},
        WriteCase{"ValueEndsAtNul", "", "data", "k", bytes("ab\0cd"), "[data]\r\nk=ab\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

class PrivateProfileFile : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        profile::clearCache();
    }
    void TearDown() override {
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
        profile::clearCache();
    }
    QString path(const QString& name = u"Pallo.ini"_s) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(PrivateProfileFile, MissingFileGivesDefaultAndFirstWriteCreatesIt) {
    EXPECT_EQ(profile::readString(path(), "data", "auto", "d"), "d");
    ASSERT_TRUE(profile::writeString(path(), "data", "auto", "1"));
    EXPECT_EQ(fileBytes(path()), "[data]\r\nauto=1\r\n");
    EXPECT_EQ(profile::readString(path(), "data", "auto", "d"), "1");
}

TEST_F(PrivateProfileFile, WritesKeepForeignLinesByteForByte) {
    const QByteArray head = bytes("; by hand\n[data]\r\n\xff\0garbage\rauto=0\n");
    const QByteArray tail = "[other]\r\nx = 1 \r\n\r\n";
    putFile(path(), head + tail);
    ASSERT_TRUE(profile::writeString(path(), "data", "auto", "1"));
    ASSERT_TRUE(profile::writeString(path(), "data", "fontname", "\x82\x6c\x82\x72 Mincho"));
    ASSERT_TRUE(profile::writeString(path(), "data", "auto", "0"));
    ASSERT_TRUE(profile::writeString(path(), "new", "y0", ""));
    EXPECT_EQ(fileBytes(path()), head.chopped(7) +
                                     "auto=0\r\nfontname=\x82\x6c\x82\x72 Mincho\r\n" + tail +
                                     "[new]\r\ny0=\r\n");
    EXPECT_EQ(profile::readString(path(), "data", "fontname"), "\x82\x6c\x82\x72 Mincho");
    EXPECT_EQ(profile::readString(path(), "other", "x"), "1");
}

TEST_F(PrivateProfileFile, OwnWriteOfSameSizeIsSeenAtOnce) {
    ASSERT_TRUE(profile::writeString(path(), "data", "top", "100"));
    EXPECT_EQ(profile::readString(path(), "data", "top"), "100");
    ASSERT_TRUE(profile::writeString(path(), "data", "top", "200"));
    EXPECT_EQ(profile::readString(path(), "data", "top"), "200");
}

TEST_F(PrivateProfileFile, ForeignChangeIsSeen) {
    putFile(path(), "[data]\r\ntop=100\r\n");
    EXPECT_EQ(profile::readString(path(), "data", "top"), "100");

    putFile(path(), "[data]\r\ntop=1000\r\n");
    EXPECT_EQ(profile::readString(path(), "data", "top"), "1000");

    // Same size: only the modification time tells.
    const QDateTime stamp = QFileInfo(path()).lastModified();
    putFile(path(), "[data]\r\ntop=2000\r\n");
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(stamp.addSecs(-60), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(profile::readString(path(), "data", "top"), "2000");

    // Another file of the same size and time is another file.
    putFile(path(u"Other.ini"_s), "[data]\r\ntop=3000\r\n");
    EXPECT_EQ(profile::readString(path(u"Other.ini"_s), "data", "top"), "3000");
}

TEST_F(PrivateProfileFile, ManyKeysFromOneLargeFile) {
    // A second clipboard of several megabytes written across lines, then the usual keys.
    QByteArray big = "[data]\r\n2cb=";
    for (int i = 0; i < 200000; ++i)
        big += "line " + QByteArray::number(i) + " with x=" + QByteArray::number(i) + "\r\n";
    for (int i = 0; i < 40; ++i)
        big += "key" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    putFile(path(), big);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(profile::readString(path(), "data", "key" + QByteArray::number(i)),
                  QByteArray::number(i * 7));
    EXPECT_EQ(profile::readString(path(), "data", "2cb"), "line 0 with x=0");
    EXPECT_EQ(profile::readString(path(), "data", "line 5 with x"), "5");
}

TEST_F(PrivateProfileFile, TenMegabytesOfBinaryAndAHugeLine) {
    QByteArray junk(10 * 1024 * 1024, Qt::Uninitialized);
    QRandomGenerator rng(932);
    for (auto& c : junk)
        c = static_cast<char>(rng.bounded(256));
    const QByteArray hugeLine = "[data]\r\nhuge=" + QByteArray(3 * 1024 * 1024, '\x82') + "\r\n";
    putFile(path(), junk + "\r\n" + hugeLine + "k=v\r\n");

    EXPECT_EQ(profile::readString(path(), "data", "k"), "v");
    EXPECT_EQ(profile::readString(path(), "data", "huge").size(), 254);
    EXPECT_EQ(profile::readString(path(), "data", "missing", "d"), "d");
    EXPECT_EQ(profile::readString(path(), "nowhere", "k", "d"), "d");

    ASSERT_TRUE(profile::writeString(path(), "data", "k", "w"));
    EXPECT_EQ(fileBytes(path()), junk + "\r\n" + hugeLine + "k=w\r\n");

    // One line of ten megabytes, no line end at all.
    putFile(path(), "[data]\r\nk=" + QByteArray(10 * 1024 * 1024, '=') + "x");
    EXPECT_EQ(profile::readString(path(), "data", "k"), QByteArray(254, '='));
    ASSERT_TRUE(profile::writeString(path(), "data", "j", "1"));
    EXPECT_EQ(profile::readString(path(), "data", "j"), "1");
}

TEST_F(PrivateProfileFile, WriteToMissingFolderFails) {
    const QString inMissing = m_dir.filePath(u"no/such/Pallo.ini"_s);
    EXPECT_FALSE(profile::writeString(inMissing, "data", "k", "v"));
    EXPECT_FALSE(QFileInfo::exists(m_dir.filePath(u"no"_s)));

    putFile(path(u"plain"_s), "x");
    EXPECT_FALSE(profile::writeString(path(u"plain/Pallo.ini"_s), "data", "k", "v"));
    EXPECT_EQ(fileBytes(path(u"plain"_s)), "x");
}

TEST_F(PrivateProfileFile, FolderInPlaceOfFile) {
    ASSERT_TRUE(QDir(m_dir.path()).mkdir(u"Pallo.ini"_s));
    EXPECT_FALSE(profile::writeString(path(), "data", "k", "v"));
    EXPECT_EQ(profile::readString(path(), "data", "k", "d"), "d");
}

TEST_F(PrivateProfileFile, ReadOnlyFolderLeavesFileIntact) {
    const QByteArray before = "[data]\r\nk=1\r\n";
    putFile(path(), before);
    ASSERT_TRUE(
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (!folderRefusesNewFiles(m_dir.path())) GTEST_SKIP() << "permissions are not enforced";

    EXPECT_FALSE(profile::writeString(path(), "data", "k", "2"));
    EXPECT_FALSE(profile::writeString(path(), "data", "new", "2"));
    EXPECT_FALSE(profile::writeString(path(u"Fresh.ini"_s), "data", "k", "2"));
    EXPECT_EQ(fileBytes(path()), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"Pallo.ini"_s});
    EXPECT_EQ(profile::readString(path(), "data", "k"), "1");
}

TEST_F(PrivateProfileFile, ReadOnlyFileIsNotReplaced) {
    const QByteArray before = "[data]\r\nk=1\r\n";
    putFile(path(), before);
    ASSERT_TRUE(QFile::setPermissions(path(), QFileDevice::ReadOwner));
    QFile probe(path());
    if (probe.open(QIODevice::WriteOnly | QIODevice::Append))
        GTEST_SKIP() << "permissions are not enforced";

    EXPECT_FALSE(profile::writeString(path(), "data", "k", "2"));
    EXPECT_EQ(fileBytes(path()), before);
}

} // namespace
