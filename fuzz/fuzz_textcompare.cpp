#include "history/UndoHistory.h"
#include "FuzzSupport.h"
#include "platform/TextCompare.h"
#include "search/SearchTestSupport.h"

#include <QTemporaryDir>
#include <QtGlobal>

// Comparing, finding and replacing over the fold give what folding every unit and scanning
// every position gives: the text comparison, the search primitive in both modes, the count
// dialog's overlapping count and both ways of replacing everything. The texts mix the
// characters the fold joins (case, width, kana type) with sound marks, surrogate halves,
// line breaks and the ideographic space.

namespace {

constexpr char16_t kAlphabet[] = {
    u'a',   u'A',   u'ａ',  u'Ａ', u'b',   u'か', u'カ',  u'ｶ',  u'が',  u'ガ', u'ゔ',
    u'ヴ',  u'ｰ',   u'ー',  u'ﾞ',  u'゛',  u'ぁ', u'ｧ',   u'\r', u'\n',  u'　', u' ',
    0xD83D, 0xDE00, 0x212A, u'k',  0x0130, u'i',  0xFF5E, u'~',  0x30FB, u'ﾟ',
};

QString fold(QStringView s) {
    QString out;
    for (const QChar c : s)
        out.append(QChar(textcmp::fold(c.unicode())));
    return out;
}

// The first index at or after `from` where `find` occurs, or -1; `folded` compares folds.
qsizetype naiveFind(QStringView text, QStringView find, qsizetype from, bool folded) {
    const QString t = folded ? fold(text) : text.toString();
    const QString f = folded ? fold(find) : find.toString();
    for (qsizetype j = from; j + f.size() <= t.size(); ++j) {
        bool match = true;
        for (qsizetype k = 0; k < f.size() && match; ++k)
            match = t[j + k] == f[k];
        if (match) return j;
    }
    return -1;
}

int naiveInStr(int start, QStringView text, QStringView find) {
    start = std::max(start, 1);
    if (start > text.size() + 1) return 0;
    if (find.isEmpty()) return start;
    return int(naiveFind(text, find, start - 1, true) + 1);
}

QString naiveReplace(QStringView text, QStringView find, QStringView replacement, bool folded,
                     int* count) {
    QString out;
    *count = 0;
    for (qsizetype i = 0; i < text.size();) {
        if (!find.isEmpty() && naiveFind(text.mid(i, find.size()), find, 0, folded) == 0) {
            out += replacement;
            i += find.size();
            ++*count;
        } else {
            out += text[i++];
        }
    }
    return out;
}

int naiveCount(QStringView text, QStringView find, bool folded) {
    int n = 0;
    if (find.isEmpty()) return 0;
    for (qsizetype j = 0; (j = naiveFind(text, find, j, folded)) >= 0; ++j)
        ++n;
    return n;
}

// The fold maps each unit once and for all: folding a folded unit changes nothing.
bool foldIsStable() {
    for (unsigned c = 0; c < 0x10000; ++c) {
        const char16_t f = textcmp::fold(char16_t(c));
        if (textcmp::fold(f) != f) return false;
    }
    return true;
}

// The dialogs through scripted ports, on a fresh editor: the count of overlapping occurrences
// from the top, and replace-all both at once (from the top) and step by step (from the caret).
void checkDialogs(const QString& text, const QString& find, const QString& replacement, bool exact,
                  int caret) {
    {
        FakeEditor e;
        FakeFindDialog d;
        e.text.setText(text);
        d.typed = find;
        d.top = true;
        d.exactCase = exact;
        d.counting = true;
        search::FindCount(e.ctx, d).onFindClicked();
        const int n = naiveCount(text, find, !exact);
        FUZZ_CHECK(e.fake.prompts.texts() == QStringList{search::FindCount::countMessage(find, n)});
    }
    int count = 0;
    for (const bool top : {true, false}) {
        FakeEditor e;
        FakeReplaceDialog d;
        search::ReplaceState state;
        e.history.setMaxUndo(3);
        e.text.setText(text);
        e.text.setSelStart(top ? int(text.size()) : caret);
        d.find = find;
        d.replacement = replacement;
        d.exactCase = exact;
        d.top = top;
        search::ReplaceRun(e.ctx, state, d).replaceAll();
        const int from = top ? 0 : caret;
        const QString expected = text.left(from) + naiveReplace(QStringView(text).sliced(from),
                                                                find, replacement, !exact, &count);
        FUZZ_CHECK(e.text.text() == expected);
        const QString message =
            top ? search::ReplaceRun::kEndMessage : search::ReplaceRun::countMessage(count);
        FUZZ_CHECK(e.fake.prompts.texts() == QStringList{message});
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool stable = [] {
        // The dialogs' editors keep their program folders in memory rather than on the disk,
        // inside one folder of this run's.
        static QTemporaryDir memory(QStringLiteral("/dev/shm/pallo-fuzz-XXXXXX"));
        if (memory.isValid()) qputenv("TMPDIR", memory.path().toLocal8Bit());
        return foldIsStable();
    }();
    FUZZ_CHECK(stable);

    fuzz::Input in(data, size);
    const QStringView alphabet(kAlphabet, std::size(kAlphabet));
    const QString text = in.text(alphabet, 40);
    const QString find = in.text(alphabet, in.pick(3) == 0 ? 6 : 2);
    const QString replacement = in.text(alphabet, 3);
    const int start = in.pick(int(text.size()) + 4) - 1;
    const bool dialogs = in.pick(16) == 5;

    FUZZ_CHECK(textcmp::equal(text, find) == (fold(text) == fold(find)));
    FUZZ_CHECK(textcmp::inStr(start, text, find) == naiveInStr(start, text, find));
    int count = -1, naiveN = 0;
    FUZZ_CHECK(textcmp::replaceAll(text, find, replacement, &count) ==
               naiveReplace(text, find, replacement, true, &naiveN));
    FUZZ_CHECK(count == naiveN);

    // The search primitive: an empty word occurs nowhere; exact compares unit for unit.
    for (const bool exact : {false, true}) {
        const qsizetype at =
            find.isEmpty() ? -1 : naiveFind(text, find, std::max(start, 1) - 1, !exact);
        FUZZ_CHECK(search::searchText(text, start, find, exact) == int(at + 1));
    }

    if (dialogs) {
        const int caret = in.pick(int(text.size()) + 1);
        checkDialogs(text, find, replacement, in.flag(), caret);
    }
    return 0;
}
