#include "history/UndoHistory.h"
#include "FuzzSupport.h"
#include "command/Settings.h"
#include "platform/Cp932Codec.h"
#include "platform/PrivateProfile.h"
#include "platform/TextCompare.h"
#include "support/FakeWindow.h"
#include "tools/BlankRemoval.h"
#include "tools/HtmlTools.h"

#include <QFile>
#include <QFileInfo>

// The text extraction and the link extraction on any text, decoded bytes or tag soup, with any
// list of tags for the pre-pass: both end, and each gives what its rules give when followed
// literally, a character at a time: the listed tags removed with whole-text replaces, then the
// first tag removed again and again; the link marker searched from one past the last one found.

namespace {

constexpr int kMaxUnits = 400;
constexpr int kTagCount = 16;

const QString kSoup = QString::fromUtf16(u"<<>>//\"\"=ahrefAHREFbpx \t\r\n＜＞ａＡｈ＝＂\u3000本");
const QString kNameChars = QString::fromUtf16(u"abhpAB/<>＜＞ ｂ\"=");
const QString kMarker = QStringLiteral("A href=\"");

struct Working : html::WorkingWindowPort {
    void showWorking() override {}
    void closeWorking() override {}
};

FakeEditor& editor() {
    static FakeEditor* e = [] {
        // The settings file is rewritten for every input: in memory, not on a disk.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable()) qputenv("TMPDIR", "/dev/shm");
        auto* made = new FakeEditor;
        made->history.setMaxUndo(4);
        return made;
    }();
    return *e;
}

bool textEqual(QChar a, QChar b) {
    return textcmp::fold(a.unicode()) == textcmp::fold(b.unicode());
}

// Index of the first occurrence of `find` at or after `from` by text comparison, or -1.
qsizetype naiveFind(const QString& text, const QString& find, qsizetype from) {
    for (qsizetype i = from; i + find.size() <= text.size(); ++i) {
        qsizetype k = 0;
        while (k < find.size() && textEqual(text[i + k], find[k]))
            ++k;
        if (k == find.size()) return i;
    }
    return -1;
}

// Every "<" name ">" (or "</" name ">") removed from the left; the brackets and the slash are
// markup only as ASCII, the name compares as text.
QString naiveRemoveTag(const QString& text, const QString& name, bool closing) {
    const QString open = closing ? QStringLiteral("</") : QStringLiteral("<");
    const qsizetype length = open.size() + name.size() + 1;
    QString out;
    for (qsizetype i = 0; i < text.size();) {
        const QString at = text.mid(i, length);
        if (at.size() == length && at.startsWith(open) && at.endsWith(u'>') &&
            textcmp::equal(at.mid(open.size(), name.size()), name)) {
            i += length;
        } else {
            out += text[i++];
        }
    }
    return out;
}

// The first tag removed until no "<" is left (true) or the first "<" has no ">" after it.
bool naiveTagLoop(QString& text) {
    for (;;) {
        const qsizetype lt = text.indexOf(u'<');
        if (lt < 0) return true;
        const qsizetype gt = text.indexOf(u'>', lt + 1);
        if (gt < 0) return false;
        text.remove(lt, gt - lt + 1);
    }
}

QStringList naiveLinks(const QString& text) {
    QStringList targets;
    qsizetype search = 0;
    for (;;) {
        const qsizetype found = naiveFind(text, kMarker, search);
        if (found < 0) break;
        search = found + 1;
        const qsizetype quote = naiveFind(text, QStringLiteral("\""), found + kMarker.size());
        if (quote < 0) break;
        targets.append(text.mid(found + kMarker.size(), quote - found - kMarker.size()));
    }
    return targets;
}

void writeTags(const QString& ini, const QStringList& names) {
    QByteArray contents = "[data]\r\n";
    for (int i = 0; i < names.size(); ++i)
        contents += "data" + QByteArray::number(i) + '=' + cp932::encode(names[i]) + "\r\n";
    QFile file(ini);
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(contents);
    file.close();
    profile::clearCache();
}

void checkExtraction(FakeEditor& e, const QString& text, MsgAnswer notHtml, MsgAnswer blankOut) {
    const QString ini = settings::iniPath(e.dir.path());
    QString expected = text;
    for (int i = 0; i < kTagCount; ++i) {
        const QString name = readSetting(settings::kSection, settings::key::extractTag(i), ini);
        expected = naiveRemoveTag(expected, name, false);
        expected = naiveRemoveTag(expected, name, true);
    }
    const bool allRemoved = naiveTagLoop(expected);

    const bool asksFirst =
        e.window.windowTitle.endsWith(u"TXT") || e.window.windowTitle.endsWith(u"txt");
    QStringList asked;
    if (asksFirst) asked.append(html::TextExtractor::notHtmlQuestion());
    if (asksFirst && notHtml == MsgAnswer::No) {
        expected = text;
    } else if (allRemoved) {
        asked.append(html::TextExtractor::questionText());
        if (blankOut == MsgAnswer::Yes)
            expected = blanks::withoutBlankLines(blanks::withoutSpaces(expected));
    }

    e.text.setText(text);
    e.fake.prompts.shown.clear();
    e.fake.prompts.answers.clear();
    if (asksFirst) e.fake.prompts.answers.enqueue(notHtml);
    e.fake.prompts.answers.enqueue(blankOut);
    Working working;
    html::TextExtractor extractor(e.ctx, working);
    extractor.extractText();
    FUZZ_CHECK(e.text.text() == expected);
    FUZZ_CHECK(e.fake.prompts.texts() == asked);
    FUZZ_CHECK(!extractor.running());
}

void checkLinks(FakeEditor& e, const QString& text) {
    const QStringList targets = naiveLinks(text);
    QString expected = QStringLiteral("keep");
    if (!targets.isEmpty()) {
        expected.clear();
        for (qsizetype i = targets.size() - 1; i >= 0; --i)
            expected += targets[i] + QStringLiteral("\r\n");
    }
    e.text.setText(text);
    e.fake.prompts.shown.clear();
    e.fake.clipboard.content = QStringLiteral("keep");
    html::copyLinkTargets(e.ctx);
    FUZZ_CHECK(e.fake.clipboard.content == expected);
    FUZZ_CHECK(e.fake.prompts.shown.size() == 1);
    FUZZ_CHECK(
        e.fake.prompts.shown[0].text.startsWith(targets.isEmpty() ? u"リンク先は" : u"リンク先を"));
    FUZZ_CHECK(e.text.text() == text);
    if (!targets.isEmpty()) FUZZ_CHECK(e.text.selText() == targets.last());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    FakeEditor& e = editor();
    const QString ini = settings::iniPath(e.dir.path());
    const int tags = in.pick(kTagCount + 1);
    if (tags == 0) {
        QFile::remove(ini);
        profile::clearCache();
    } else {
        QStringList names;
        for (int i = 0; i < tags; ++i)
            names.append(in.text(kNameChars, 3));
        writeTags(ini, names);
    }
    static const char16_t* const titles[] = {u"Pallo   /d/page.html", u"Pallo   /d/a.TXT",
                                             u"Pallo   /d/a.txt", u"Pallo   （無題）"};
    setDocumentTitle(e.document, QString::fromUtf16(titles[in.pick(4)]));
    const MsgAnswer notHtml = in.flag() ? MsgAnswer::Yes : MsgAnswer::No;
    const MsgAnswer blankOut = in.flag() ? MsgAnswer::Yes : MsgAnswer::No;

    const QString text =
        in.flag() ? cp932::decode(in.rest()).left(kMaxUnits) : in.text(kSoup, kMaxUnits);
    checkExtraction(e, text, notHtml, blankOut);
    checkLinks(e, text);
    return 0;
}
