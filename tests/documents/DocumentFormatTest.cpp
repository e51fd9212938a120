#include "DocumentTestSupport.h"

#include "documents/DocumentFile.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Prose as writers keep it in Shift_JIS: kanji of both levels, kana, half-width katakana,
// punctuation and ASCII.
const QString kProse = u"吾輩は猫である。名前はまだ無い。どこで生れたかとんと見当がつかぬ。"
                       u"何でも薄暗いじめじめした所でニャーニャー泣いていた事だけは記憶している。"
                       u"ｶﾀｶﾅのﾃｽﾄ、「鬱蒼」と薔薇、ABC123。\r\n"
                       u"吾輩はここで始めて人間というものを見た。"_s;

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray out;
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        out += bigEndian ? QByteArray{1, hi} + lo : QByteArray{1, lo} + hi;
    }
    return out;
}

struct RoundTrip {
    const char* name;
    QByteArray file;
    QString format; // as the status bar shows it
    QString text;   // what the text box holds
    QByteArray saved;
};
inline void PrintTo(const RoundTrip& c, std::ostream* os) {
    *os << c.name;
}

class OpenSave : public ::testing::TestWithParam<RoundTrip> {};

// Opened through the loading step, saved unchanged with Save.
TEST_P(OpenSave, KeepsEncodingAndLineEnds) {
    const RoundTrip& c = GetParam();
    FakeEditor e;
    const QString path = pathIn(e, u"doc.txt"_s);
    ASSERT_TRUE(writeBytes(path, c.file));
        loadAcceptedFile(e.ctx, path, false);
    EXPECT_EQ(e.text.text(), c.text);
    EXPECT_EQ(e.window.formatText, c.format);
    saveDocument(e.ctx);
    EXPECT_EQ(readBytes(path), c.saved);
    EXPECT_TRUE(shownTexts(e).isEmpty());
}

const QByteArray kProseSjis = cp932::encode(kProse);

INSTANTIATE_TEST_SUITE_P(
    Files, OpenSave,
    ::testing::Values(
        RoundTrip{"Utf8", "\xE6\x97\xA5\xE6\x9C\xAC\r\nx\r\n", u"UTF-8 CRLF"_s, u"日本\r\nx"_s,
                  "\xE6\x97\xA5\xE6\x9C\xAC\r\nx\r\n"},
        RoundTrip{"Utf8Mark", "\xEF\xBB\xBF\x61\xC3\xA9\r\n", u"UTF-8 BOM CRLF"_s, u"aé"_s,
                  "\xEF\xBB\xBF\x61\xC3\xA9\r\n"},
        RoundTrip{"Utf8MarkOnAsciiText", "\xEF\xBB\xBF\x61", u"UTF-8 BOM CRLF"_s, u"a"_s,
                  "\xEF\xBB\xBF\x61\r\n"},
        // A damaged byte in a marked file is kept and written back, not replaced.
        RoundTrip{"Utf8MarkWithBadByte", "\xEF\xBB\xBF\xE3\x81\x82\xFF", u"UTF-8 BOM CRLF"_s,
                  u"あ\xDCFF"_s, "\xEF\xBB\xBF\xE3\x81\x82\xFF\r\n"},
        RoundTrip{"Utf16LE", "\xFF\xFE" + utf16(u"あ😀\r\n"_s, false), u"UTF-16LE CRLF"_s,
                  u"あ😀"_s, "\xFF\xFE" + utf16(u"あ😀\r\n"_s, false)},
        RoundTrip{"Utf16BE", "\xFE\xFF" + utf16(u"あ\r\n"_s, true), u"UTF-16BE CRLF"_s, u"あ"_s,
                  "\xFE\xFF" + utf16(u"あ\r\n"_s, true)},
        // 不 is 0D 4E in UTF-16LE: a 0D byte that is no CR.
        RoundTrip{"Utf16LELineFeeds", "\xFF\xFE" + utf16(u"不\n可\n"_s, false), u"UTF-16LE LF"_s,
                  u"不\r\n可"_s, "\xFF\xFE" + utf16(u"不\n可\n"_s, false)},
        RoundTrip{"Utf16MarkOddLength", "\xFF\xFE\x41", u"Shift_JIS CRLF"_s, u"\xF8F3\xF8F2\x41"_s,
                  "\xFF\xFE\x41\r\n"},
        RoundTrip{"LfWithFinalLf", "\xE4\xB8\x80\n\xE4\xBA\x8C\n", u"UTF-8 LF"_s, u"一\r\n二"_s,
                  "\xE4\xB8\x80\n\xE4\xBA\x8C\n"},
        RoundTrip{"LfWithoutFinalLf", "a\n\nb", u"Shift_JIS LF"_s, u"a\r\n\r\nb"_s, "a\n\nb\n"},
        RoundTrip{"LfEndingInEmptyLine", "a\n\n", u"Shift_JIS LF"_s, u"a\r\n"_s, "a\n\n"},
        RoundTrip{"ShiftJisCrLf", kProseSjis + "\r\n", u"Shift_JIS CRLF"_s, kProse + u"\r\n"_s,
                  kProseSjis + "\r\n\r\n"},
        RoundTrip{"ShiftJisLf", cp932::encode(u"一行目\n二行目\n"_s), u"Shift_JIS LF"_s,
                  u"一行目\r\n二行目"_s, cp932::encode(u"一行目\n二行目\n"_s)},
        RoundTrip{"MixedLineEnds", "a\r\nb\nc\rd", u"Shift_JIS CRLF"_s, u"a\r\nb\nc\rd"_s,
                  "a\r\nb\nc\rd\r\n"},
        RoundTrip{"InvalidUtf8", "\xE3\x81z\xE3\x81\x82", u"Shift_JIS CRLF"_s,
                  cp932::decode("\xE3\x81z\xE3\x81\x82"), "\xE3\x81z\xE3\x81\x82\r\n"},
        // An encoded surrogate is not UTF-8.
        RoundTrip{"Utf8Surrogate", "\xE3\x81\x82\xED\xA0\x80", u"Shift_JIS CRLF"_s,
                  cp932::decode("\xE3\x81\x82\xED\xA0\x80"), "\xE3\x81\x82\xED\xA0\x80\r\n"},
        RoundTrip{"Ascii", "abc", u"Shift_JIS CRLF"_s, u"abc"_s, "abc\r\n"},
        // Half-width katakana in Shift_JIS are often well-formed UTF-8 too: they stay Shift_JIS
        // unless the UTF-8 reading is real text, and real UTF-8 text stays UTF-8.
        RoundTrip{"KanaOfMixedScripts", "\xCA\xB2 \xCF\xB2\xC5\xBD", u"Shift_JIS CRLF"_s, u"ﾊｲ ﾏｲﾅｽ"_s,
                  "\xCA\xB2 \xCF\xB2\xC5\xBD\r\n"},
        RoundTrip{"KanaOfLoneLetters", "\xD0\xBF 2\n\xC5\xBD", u"Shift_JIS LF"_s, u"ﾐｿ 2\r\nﾅｽ"_s,
                  "\xD0\xBF 2\n\xC5\xBD\n"},
        RoundTrip{"KanaOfRareSigns", "\xD7\xBC\xDE\xB5 \xCB\xB0\xDB\xB0", u"Shift_JIS CRLF"_s,
                  u"ﾗｼﾞｵ ﾋｰﾛｰ"_s, "\xD7\xBC\xDE\xB5 \xCB\xB0\xDB\xB0\r\n"},
        RoundTrip{"LatinAccents", "caf\xC3\xA9 M\xC3\xBCller", u"UTF-8 CRLF"_s, u"café Müller"_s,
                  "caf\xC3\xA9 M\xC3\xBCller\r\n"},
        RoundTrip{"LatinSign", "\xC2\xBD cup", u"UTF-8 CRLF"_s, u"½ cup"_s, "\xC2\xBD cup\r\n"},
        RoundTrip{"CyrillicOfKanaBytes", "\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xB0", u"UTF-8 CRLF"_s,
                  u"папа"_s, "\xD0\xBF\xD0\xB0\xD0\xBF\xD0\xB0\r\n"},
        RoundTrip{"Cyrillic", "\xD0\x9C\xD0\xB8\xD1\x80", u"UTF-8 CRLF"_s, u"Мир"_s,
                  "\xD0\x9C\xD0\xB8\xD1\x80\r\n"},
        RoundTrip{"Greek", "\xCE\xB1\xCE\xB2\xCE\xB3", u"UTF-8 CRLF"_s, u"αβγ"_s,
                  "\xCE\xB1\xCE\xB2\xCE\xB3\r\n"},
        RoundTrip{"HalfWidthKanaInUtf8", "\xEF\xBE\x8A\xEF\xBD\xB2", u"UTF-8 CRLF"_s, u"ﾊｲ"_s,
                  "\xEF\xBE\x8A\xEF\xBD\xB2\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// Real Shift_JIS prose is never taken for UTF-8, whatever piece of it a file holds.
TEST(DocumentFormat, ShiftJisProseIsNeverUtf8) {
    const QString prose = kProse + kProse.left(40) + u"ﾃｽﾄ　全角スペース・中黒～波ダッシュ"_s;
    for (qsizetype from = 0; from < prose.size(); from += 3) {
        for (qsizetype len : {qsizetype(2), qsizetype(10), prose.size()}) {
            DocumentFormat f;
            const QString piece = prose.mid(from, len);
            const QByteArray bytes = cp932::encode(piece);
            if (bytes.size() < 4) continue; // a few bytes may be anything
            EXPECT_EQ(decodeDocument(bytes, &f), piece) << from << ' ' << len;
            EXPECT_EQ(f.encoding, TextEncoding::ShiftJis) << from << ' ' << len;
        }
    }
}

// Every encoding and line end, with and without a final line break, opened and saved unchanged
// twice: an LF, UTF-8 or UTF-16 file keeps its bytes, or gains one line end once; a Shift_JIS
// CR LF file grows by one CR LF per save, as it always has.
TEST(DocumentFormat, UnchangedFileSavedTwice) {
    const std::function<QByteArray(const QString&)> encodings[] = {
        [](const QString& t) { return cp932::encode(t); },
        [](const QString& t) { return t.toUtf8(); },
        [](const QString& t) { return "\xEF\xBB\xBF" + t.toUtf8(); },
        [](const QString& t) { return "\xFF\xFE" + utf16(t, false); },
        [](const QString& t) { return "\xFE\xFF" + utf16(t, true); }};
    for (size_t enc = 0; enc < std::size(encodings); ++enc) {
        for (const QString eol : {u"\r\n"_s, u"\n"_s}) {
            for (const int finalBreaks : {1, 0}) {
                const auto file = [&](int breaks) {
                    const QString text = u"一 ｶﾅ\r\n\r\n三"_s + u"\r\n"_s.repeated(breaks);
                    return encodings[enc](QString(text).replace(u"\r\n"_s, eol)).toHex(' ');
                };
                const bool grows = enc == 0 && eol.size() == 2;
                FakeEditor e;
                const QString path = pathIn(e, u"doc.txt"_s);
                ASSERT_TRUE(writeBytes(path, QByteArray::fromHex(file(finalBreaks))));
                for (const int round : {1, 2}) {
                    loadAcceptedFile(e.ctx, path, false);
                    saveDocument(e.ctx);
                    EXPECT_EQ(readBytes(path).toHex(' '), file(grows ? finalBreaks + round : 1))
                        << enc << eol.size() << finalBreaks << round;
                }
            }
        }
    }
}

class Saving : public ::testing::Test {
protected:
    FakeEditor e;
    QString doc = pathIn(e, u"doc.txt"_s);
    void SetUp() override { saveDialogFilterIndex() = 1; }
    void open(const QByteArray& bytes) {
        ASSERT_TRUE(writeBytes(doc, bytes));
                loadAcceptedFile(e.ctx, doc, false);
    }
};

// Yes to the question about characters Shift_JIS cannot hold keeps them: the document is
// UTF-8 from then on, and the next Save does not ask again.
TEST_F(Saving, UnmappableCharactersCanBeSavedAsUtf8) {
    open("a\nb\n");
    e.text.setSelStart(e.text.length());
    e.text.setSelText(u"😀"_s);
    e.fake.prompts.answers.enqueue(MsgAnswer::Yes);
    saveDocument(e.ctx);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(readBytes(doc), "a\nb\xF0\x9F\x98\x80\n");
    EXPECT_EQ(e.window.formatText, u"UTF-8 LF"_s);
    saveDocument(e.ctx);
    EXPECT_EQ(e.fake.prompts.shown.size(), 1);
}

struct FilterCase {
    const char* name;
    QByteArray file;
    int filter;
    QByteArray saved;
    QString format;
};
inline void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveAsFilter : public Saving, public ::testing::WithParamInterface<FilterCase> {};

// The filter chosen in Save As decides the encoding of that save; line ends stay.
TEST_P(SaveAsFilter, ChoosesTheEncoding) {
    const FilterCase& c = GetParam();
    open(c.file);
    const QString out = pathIn(e, u"out.txt"_s);
    e.fake.dialogs.saveAnswers.enqueue(out);
    saveDialogFilterIndex() = c.filter;
    saveDocumentAs(e.ctx);
    EXPECT_EQ(readBytes(out), c.saved);
    EXPECT_EQ(e.window.formatText, c.format);
    EXPECT_EQ(saveDialogFilterIndex(), c.filter == kHtmlFilter ? kHtmlFilter : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SaveAsFilter,
    ::testing::Values(FilterCase{"HtmlKeepsUtf16", "\xFF\xFE\x42\x30", kHtmlFilter,
                                 QByteArray("\xFF\xFE\x42\x30\r\x00\n\x00", 8), u"UTF-16LE CRLF"_s},
                      FilterCase{"ShiftJisToUtf8", "\x82\xA0\n", kUtf8Filter, "\xE3\x81\x82\n",
                                 u"UTF-8 LF"_s},
                      FilterCase{"Utf8MarkToShiftJis", "\xEF\xBB\xBF\xE3\x81\x82", kShiftJisFilter,
                                 "\x82\xA0\r\n", u"Shift_JIS CRLF"_s}),
    [](const auto& info) { return std::string(info.param.name); });

// Save As never writes the backup file: shutdown would delete the writer's text with it.
TEST_F(Saving, SaveAsRefusesTheBackupFileAndAsksAgain) {
    open("text");
    const QString backup = backupFilePath(e.dir.path());
    ASSERT_TRUE(writeBytes(backup, "older backup"));
    const QString out = pathIn(e, u"out.txt"_s);
    e.fake.dialogs.saveAnswers.enqueue(pathIn(e, u"sub/../PalloBackup.txt"_s));
    e.fake.dialogs.saveAnswers.enqueue(out);
    saveDocumentAs(e.ctx);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_TRUE(e.fake.prompts.shown[0].text.endsWith(
        u"は自動バックアップのファイルです。この名前では保存できません。別の名前を指定してください。"_s));
    EXPECT_EQ(readBytes(backup), "older backup");
    EXPECT_EQ(readBytes(out), "text\r\n");
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(out));
}

} // namespace
