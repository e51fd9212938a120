#include "documents/SaveCommands.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kSimpleHtml = u"<HTML>\r\n<HEAD>\r\n</HEAD>\r\n"_s;

struct NameCase {
    const char* name;
    QString path; // "" = no file of its own
    QString text;
    QString proposed;
    bool html;
};
inline void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class ProposedName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ProposedName, FromTheTitleOrTheText) {
    const NameCase& c = GetParam();
    const SaveProposal p = proposeSaveName(c.path, c.text);
    EXPECT_EQ(p.name, c.proposed);
    EXPECT_EQ(p.html, c.html);
}

INSTANTIATE_TEST_SUITE_P(
    Untitled, ProposedName,
    ::testing::Values(
        NameCase{"ForbiddenCharactersGo", {}, u"ab:c/d efg"_s, u"abc"_s, false},
        NameCase{"ShortFirstLineRunsOn", {}, u"ab\r\ncdef"_s, u"abc"_s, false},
        NameCase{"LoneBreaksGoToo", {}, u"a\nb\rcd"_s, u"abc"_s, false},
        NameCase{"ShortText", {}, u"猫"_s, u"猫"_s, false},
        NameCase{"EmptyText", {}, QString(), QString(), false},
        NameCase{"OnlyForbidden", {}, u"<<>>?"_s, QString(), false},
        NameCase{"FullWidthBlankIsABlank", {}, u"吾輩は　猫"_s, u"吾輩は猫"_s, false},
        NameCase{"LowerCaseHtmlIsText", {}, u"<html>\r\n<head>"_s, u"html"_s, false},
        NameCase{"HtmlFromTheFirstBodyCharacter",
                 {},
                 kSimpleHtml + u"本文の最初の行"_s,
                 u"本文の最初"_s,
                 true},
        NameCase{"HtmlBodyShorterThanFive", {}, kSimpleHtml + u"短い"_s, u"短い"_s, true},
        NameCase{"HtmlWithoutBody", {}, u"<HTML>"_s, QString(), true},
        NameCase{"HtmlBodyLineBreakRemoved", {}, kSimpleHtml + u"a\r\nbcd"_s, u"abc"_s, true},
        // A name never holds half a character: it would name a file the title cannot show.
        NameCase{"PairAtTheCutStaysWhole", {}, u"日記です😀ね"_s, u"日記です😀"_s, false},
        NameCase{"HtmlBodyPairAtTheCut", {}, kSimpleHtml + u"abcd😀e"_s, u"abcd😀"_s, true},
        NameCase{"HtmlBodyStartingInAPair", {}, u"<HTML>\r\n<HEAD>\r\n</HEAD>\r😀abcde"_s,
                 u"abcde"_s, true},
        NameCase{"UndecodedByteLeftOut", {}, u"a"_s + QChar(0xDC81) + u"bcde"_s, u"abcd"_s, false}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Titled, ProposedName,
    ::testing::Values(
        NameCase{"BlankRemoved", u"C:\\docs\\my notes.txt"_s, u"text"_s, u"mynotes.txt"_s, false},
        NameCase{"HtmlGetsHtm", u"C:\\docs\\page.TXT"_s, u"<HTML>\r\n"_s, u"page.htm"_s, true},
        NameCase{"EveryTxtReplaced", u"C:\\a.txt.txt"_s, u"<HTML>"_s, u"a.htm.htm"_s, true},
        NameCase{"LowerCaseHtmlKeepsTheName", u"C:\\docs\\page.txt"_s, u"<html>"_s, u"page.txt"_s,
                 false},
        NameCase{"TextKeepsTxt", u"C:\\docs\\page.txt"_s, u"plain"_s, u"page.txt"_s, false},
        NameCase{"DriveOnly", u"C:page.txt"_s, u"x"_s, u"page.txt"_s, false},
        NameCase{"PlatformSeparator", u"/home/writer/日記 1.txt"_s, u"x"_s, u"日記1.txt"_s, false},
        NameCase{"FullWidthNoiseCleaned", u"Ｃ：＼メモ　１.txt"_s, u"x"_s, u"Ｃメモ１.txt"_s,
                 false},
        NameCase{"TextIgnoredForTheName", u"/tmp/a.txt"_s, u"ab:c/d efg"_s, u"a.txt"_s, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CleanProposedName, RemovesEveryNoiseCharacterComparedAsText) {
    const std::pair<QString, QString> cases[] = {
        {u"a b"_s, u"ab"_s},
        {u"a\\b/c:d*e?f\"g|h<i>j"_s, u"abcdefghij"_s},
        {u"ａ＼ｂ／ｃ：ｄ＊ｅ？ｆ＂ｇ｜ｈ＜ｉ＞ｊ"_s, u"ａｂｃｄｅｆｇｈｉｊ"_s},
        {u"x\r\ny\nz\rw"_s, u"xyzw"_s},
        {u"\r\r\n\n"_s, QString()},
        {u"日本語.txt"_s, u"日本語.txt"_s},
        {u"a.b-c_d"_s, u"a.b-c_d"_s},
        {QString(), QString()},
    };
    for (const auto& [in, out] : cases)
        EXPECT_EQ(cleanProposedName(in), out) << in.toStdString();
}

} // namespace
