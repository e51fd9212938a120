#include "history/UndoHistory.h"
#include "FuzzSupport.h"
#include "platform/Cp932Codec.h"
#include "platform/TextCompare.h"
#include "support/FakeWindow.h"
#include "tools/BlankRemoval.h"
#include "tools/CharConversions.h"

// The character-class conversions and the blank removal on any text: a text Shift_JIS can hold
// stays one it can hold, surrogates and the carriers of undecodable bytes pass untouched and in
// order, each conversion changes a character only into its counterpart, a conversion and its
// inverse give the text back where the tables pair characters one to one, and the blank
// removal gives what the literal rules (whole-string replaces, repeated) give.

using charconv::Conversion;

namespace {

constexpr int kMaxUnits = 300;

// Characters the rules single out, with the surrogates, carriers and line-break pieces that
// must pass through.
const QString& alphabet() {
    static const QString a = QString::fromUtf16(u"aAzZａＡｚＺ ~\\\t\r\n\u3000"
                                                u"あアぁァんンゝヽゞヾゔヴウカガハバパ゛゜・ー"
                                                u"ｱｳｶﾊﾜｦﾞﾟ｡ｰ"
                                                u"ΣσςΩωЁёЯяⅠⅰⅩⅹİß漢。") +
                             QChar(0xD83D) + QChar(0xDE00) + QChar(0xD800) + QChar(0xDFFF) +
                             QChar(0xDC81) + QChar(0xDCFF) + QChar(0xDC00);
    return a;
}

QString surrogates(const QString& s) {
    QString out;
    for (QChar c : s)
        if (c.isSurrogate()) out.append(c);
    return out;
}

int unmappable(const QString& s) {
    cp932::EncodeReport report;
    cp932::encode(s, &report, 0);
    return report.unmappable;
}

bool sameClass(Conversion conv, char16_t from, char16_t to) {
    switch (conv) {
    case Conversion::Lower:
        return QChar::toLower(char32_t(from)) == to;
    case Conversion::Upper:
        return QChar::toUpper(char32_t(from)) == to;
    case Conversion::Hiragana:
        return to == from - 0x60;
    case Conversion::Katakana:
        return to == from + 0x60;
    default:
        return textcmp::fold(from) == textcmp::fold(to);
    }
}

// The conversions that keep the length change characters only into their counterparts.
void checkOneToOne(Conversion conv, const QString& in, const QString& out) {
    FUZZ_CHECK(out.size() == in.size());
    for (qsizetype i = 0; i < in.size(); ++i)
        if (in[i] != out[i]) FUZZ_CHECK(sameClass(conv, in[i].unicode(), out[i].unicode()));
}

// Half width needs no context: the text narrowed is each character narrowed, one character
// becoming one, or a kana and its sound mark; widening that gives the character back.
void checkNarrow(const QString& in, const QString& out) {
    QString joined;
    for (QChar c : in) {
        const QString one = charconv::toNarrow(QString(c));
        FUZZ_CHECK(one.size() == 1 || one.size() == 2);
        if (one.size() == 2) FUZZ_CHECK(one[1] == u'ﾞ' || one[1] == u'ﾟ');
        if (one != QString(c)) FUZZ_CHECK(charconv::toWide(one) == QString(c));
        joined += one;
    }
    FUZZ_CHECK(out == joined);
}

QString naiveWithoutSpaces(QString s) {
    s.remove(u' ');
    s.remove(QChar(0x3000));
    s.remove(u'\t');
    return s;
}

QString naiveWithoutBlankLines(QString s) {
    s.replace(QLatin1String("\r\r\n"), QLatin1String("\r\n"));
    while (s.contains(QLatin1String("\r\n\r\n")))
        s.replace(QLatin1String("\r\n\r\n"), QLatin1String("\r\n"));
    if (s.startsWith(u"\r\n")) s.remove(0, 2);
    return s;
}

FakeEditor& editor() {
    static FakeEditor* e = [] {
        auto* made = new FakeEditor;
        made->history.setMaxUndo(4);
        return made;
    }();
    return *e;
}

QString makeText(fuzz::Input& in, bool& fromBytes) {
    fromBytes = in.flag();
    QString text;
    while (!in.empty() && text.size() < kMaxUnits) {
        if (fromBytes) {
            text += cp932::decode(in.bytes(32));
            continue;
        }
        switch (in.pick(4)) {
        case 0:
            text += cp932::decode(in.bytes(16));
            break;
        case 1: {
            const char16_t high = char16_t(0xD800 + (in.byte() << 2 | in.pick(4)));
            const char16_t low = char16_t(0xDC00 + (in.byte() << 2 | in.pick(4)));
            text += QChar(high);
            if (in.flag()) text += QChar(low);
            break;
        }
        default:
            text += in.text(alphabet(), 16);
        }
    }
    return text.left(kMaxUnits);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    bool fromBytes = false;
    const QString text = makeText(in, fromBytes);
    const int lost = unmappable(text);
    if (fromBytes) FUZZ_CHECK(lost == 0);

    for (Conversion conv : {Conversion::Lower, Conversion::Upper, Conversion::Hiragana,
                            Conversion::Katakana, Conversion::Narrow, Conversion::Wide}) {
        const QString out = charconv::convert(conv, text);
        FUZZ_CHECK(unmappable(out) == lost);
        FUZZ_CHECK(surrogates(out) == surrogates(text));
        if (conv == Conversion::Narrow)
            checkNarrow(text, out);
        else if (conv != Conversion::Wide)
            checkOneToOne(conv, text, out);
    }

    // The round trips, from the side on which the pairing is one to one.
    const QString lower = charconv::toLower(text), upper = charconv::toUpper(text);
    FUZZ_CHECK(charconv::toLower(charconv::toUpper(lower)) == lower);
    FUZZ_CHECK(charconv::toUpper(charconv::toLower(upper)) == upper);
    const QString hira = charconv::toHiragana(text), kata = charconv::toKatakana(text);
    FUZZ_CHECK(charconv::toHiragana(charconv::toKatakana(hira)) == hira);
    FUZZ_CHECK(charconv::toKatakana(charconv::toHiragana(kata)) == kata);
    // Narrowing is many to one (ガ and カ゛ both narrow to ｶﾞ), widening undoes it.
    const QString narrow = charconv::toNarrow(text);
    FUZZ_CHECK(charconv::toNarrow(charconv::toWide(narrow)) == narrow);

    const QString spaceless = naiveWithoutSpaces(text);
    FUZZ_CHECK(blanks::withoutSpaces(text) == spaceless);
    FUZZ_CHECK(blanks::withoutBlankLines(text) == naiveWithoutBlankLines(text));

    FakeEditor& e = editor();
    e.text.setText(text);
    blanks::removeSpacesAndBlankLines(e.ctx);
    FUZZ_CHECK(e.text.text() == naiveWithoutBlankLines(spaceless));
    FUZZ_CHECK(e.text.selStart() == 0 && e.text.selLength() == 0);
    return 0;
}
