#include "FuzzSupport.h"
#include "platform/TextBox.h"

#include <vector>

// Any run of edits, reads and whole-text assignments leaves the text box holding what a plain
// QString edited the same way holds, and its line index agrees with a scan of that string for
// CR LF pairs. The deltas it reports rebuild the text in a copy kept by a listener, as a view
// keeps its own. Texts are made of CR, LF and a few other units so that breaks form, split and
// join at the edges of edits; a few edits are long enough to make the buffer grow.

namespace {

std::vector<int> breaksOf(const QString& s) {
    std::vector<int> out;
    for (int i = 0; i + 1 < s.size(); ++i)
        if (s[i] == u'\r' && s[i + 1] == u'\n') out.push_back(i++);
    return out;
}

void checkIndex(const TextBox& box, const QString& ref) {
    const std::vector<int> breaks = breaksOf(ref);
    FUZZ_CHECK(box.hardLineCount() == int(breaks.size()) + 1);
    for (int line = 0; line <= int(breaks.size()); ++line) {
        FUZZ_CHECK(box.hardLineStart(line) == (line == 0 ? 0 : breaks[line - 1] + 2));
        FUZZ_CHECK(box.hardLineEnd(line) ==
                   (line < int(breaks.size()) ? breaks[line] : int(ref.size())));
    }
    size_t line = 0;
    for (int pos = 0; pos <= ref.size(); ++pos) {
        // The position between CR and LF still belongs to the line the CR ends.
        while (line < breaks.size() && breaks[line] + 2 <= pos)
            ++line;
        FUZZ_CHECK(box.hardLineFromChar(pos) == int(line));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    static const QString alphabet = QStringLiteral("\r\n\r\nあa ");
    TextBox box;
    QString ref;
    QString mirror;
    QObject::connect(&box, &TextBox::textReplaced,
                     [&](int pos, int removed, const QString& inserted) {
                         mirror.replace(pos, removed, inserted);
                     });

    for (int step = 0; step < 64 && !in.empty(); ++step) {
        const int len = int(ref.size());
        const int op = in.pick(8);
        if (op <= 3) {
            const int pos = in.pick(len + 3) - 1; // now and then outside the text
            const int removed = in.pick(len + 2);
            QString inserted = in.text(alphabet, 12);
            if (op == 3 && !inserted.isEmpty()) inserted = inserted.repeated(in.pick(400) + 1);
            box.replace(pos, removed, inserted);
            const int p = std::clamp(pos, 0, len);
            ref.replace(p, std::clamp(removed, 0, len - p), inserted);
            FUZZ_CHECK(box.selStart() == p + inserted.size() && box.selLength() == 0);
        } else if (op == 4) {
            const int from = in.pick(len + 1);
            const int to = in.pick(len + 1);
            FUZZ_CHECK(box.view(from, to) == QStringView(ref).mid(from, std::max(0, to - from)));
            FUZZ_CHECK(box.mid(to, from) == ref.mid(to, std::max(0, from - to)));
        } else if (op == 5) {
            FUZZ_CHECK(box.text() == ref);
        } else if (op == 6) {
            // A new text that keeps a head and a tail of the old one, or a wholly new one.
            const int head = in.pick(len + 1);
            const int tail = in.pick(len - head + 1);
            const QString middle = in.text(alphabet, 12);
            ref = in.flag() ? ref.left(head) + middle + ref.right(tail) : middle;
            box.setText(ref);
            FUZZ_CHECK(box.selStart() == 0);
        } else {
            const int pos = in.pick(len + 1);
            box.setSelection(pos, in.pick(len + 1));
            FUZZ_CHECK(box.selText() == ref.mid(box.selStart(), box.selLength()));
            if (pos < len) FUZZ_CHECK(box.at(pos) == ref.at(pos));
        }
        FUZZ_CHECK(box.length() == ref.size());
        FUZZ_CHECK(mirror == ref);
        checkIndex(box, ref);
    }
    FUZZ_CHECK(box.text() == ref);
    return 0;
}
