#include "FuzzSupport.h"
#include "notation/NotationConvert.h"
#include "notation/NotationCount.h"
#include "platform/TextBox.h"

// The notation engine on any text, for every target: the parse hides disjoint, ordered ranges
// inside the line and never a base; the live count after any edits equals a count from
// scratch; the manuscript columns are the ones a writer filling the grid cell by cell gets; a
// conversion that reports no loss keeps every character the source showed.

namespace {

using notation::Target;

constexpr char16_t kAlphabet[] = {
    u'漢', u'字', u'々', u'〇', u'か', u'ナ', u'a', u'Ａ', u'|', u'｜', u'《', u'》', u'（',
    u'）', u'(', u')', u'［', u'＃', u'］', u'「', u'」', u'傍', u'点', u'※', u'。', u'、',
    u'ー', u'ッ', u'[', u']', u'r', u'b', u':', u'>', u' ', u'\u3000', u'\r', u'\n', 0x3099,
    0xD840, 0xDC0B,
};

QString makeText(fuzz::Input& in) {
    QString text;
    while (!in.empty() && text.size() < 200) {
        switch (in.pick(5)) {
        case 0: text += QStringLiteral("［＃「かナ」に傍点］"); break;
        case 1: text += QStringLiteral("[[rb:漢 > か]]"); break;
        case 2: text += QStringLiteral("\r\n"); break;
        default: text += in.text(QStringView(kAlphabet, std::size(kAlphabet)), 12);
        }
    }
    return text;
}

void checkParse(Target target, QStringView line) {
    notation::LineParse p;
    notation::parseLine(target, line, p);
    int at = 0;
    for (const notation::Range& h : p.hidden) {
        FUZZ_CHECK(h.start >= at && h.start < h.end && h.end <= line.size());
        at = h.end;
    }
    for (const notation::Span& s : p.spans) {
        FUZZ_CHECK(s.base.start >= 0 && s.base.start < s.base.end && s.base.end <= line.size());
        // The base shows: some character of it is not hidden.
        bool shown = false;
        notation::forEachVisible(int(line.size()), p.hidden, [&](int b, int e) {
            shown = shown || (b < s.base.end && e > s.base.start);
        });
        FUZZ_CHECK(shown);
    }
}

// A writer filling the grid cell by cell: a full column takes one more cell that may not
// begin a column; when a second such cell comes, the hanging ones and the character before
// them go down with it, unless the column would be left empty.
int literalColumns(const std::vector<manuscript::Cell>& cells, int length) {
    std::vector<std::vector<manuscript::Cell>> cols(1);
    for (const manuscript::Cell& c : cells) {
        auto& col = cols.back();
        if (int(col.size()) < length) {
            col.push_back(c);
        } else if (c.noStart && int(col.size()) == length) {
            col.push_back(c);
        } else if (c.noStart) {
            std::vector<manuscript::Cell> down;
            auto kept = col;
            while (!kept.empty() && kept.back().noStart) {
                down.insert(down.begin(), kept.back());
                kept.pop_back();
            }
            if (kept.size() > 1) {
                down.insert(down.begin(), kept.back());
                kept.pop_back();
                col = kept;
                down.push_back(c);
                cols.push_back(down);
            } else {
                cols.push_back({c});
            }
        } else {
            cols.push_back({c});
        }
    }
    return int(cols.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const Target target = Target(in.pick(notation::kTargetCount));
    const manuscript::GridOptions grid{1 + in.pick(6), 1 + in.pick(4), in.flag(), in.flag()};
    TextBox box;
    box.setText(makeText(in));

    notation::forEachLine(box.text(), [&](int, int s, int e) {
        const QStringView line = QStringView(box.text()).sliced(s, e - s);
        for (int t = 0; t < notation::kTargetCount; ++t)
            checkParse(Target(t), line);
        notation::LineParse p;
        notation::parseLine(target, line, p);
        std::vector<manuscript::Cell> cells;
        manuscript::cellsOf(line, p.hidden, grid, cells);
        FUZZ_CHECK(manuscript::lineCount(cells, grid.columns) ==
                   std::max(1, literalColumns(cells, grid.columns)));
    });

    const Target to = Target(in.pick(notation::kTargetCount));
    const notation::Conversion c = notation::convert(box.text(), target, to);
    if (c.losses.empty() && to != Target::None)
        FUZZ_CHECK(notation::countText(to, {}, c.text).withBlanks ==
                   notation::countText(target, {}, box.text()).withBlanks);

    notation::LiveCount live;
    live.reset(target, grid, box.text());
    QObject::connect(&box, &TextBox::textReplaced, [&](int pos, int removed, const QString& ins) {
        live.update(box, pos, removed, int(ins.size()));
    });
    while (!in.empty()) {
        const int pos = in.pick(box.length() + 1);
        const int removed = in.pick(4);
        box.replace(pos, removed, in.text(QStringView(kAlphabet, std::size(kAlphabet)), 4));
        FUZZ_CHECK(live.totals() == notation::countText(target, grid, box.text()));
    }
    return 0;
}
