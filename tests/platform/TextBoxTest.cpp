#include "platform/TextBox.h"
#include "platform/FixedWidthLayout.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

// Lines counted the slow way: a CR LF ends a line, nothing else does.
int bruteLineFromChar(const QString& text, int pos) {
    int line = 0;
    for (int i = 0; i + 1 < pos && i + 1 < text.size(); ++i)
        if (text[i] == u'\r' && text[i + 1] == u'\n') ++line;
    return line;
}

int bruteLineCount(const QString& text) {
    return bruteLineFromChar(text, text.size() + 1) + 1;
}

struct Delta {
    int pos, removed;
    QString inserted;
};

// Applies the deltas a view would receive, to check that they rebuild the text.
struct DeltaRecorder {
    explicit DeltaRecorder(TextBox& box) : mirror(box.text()) {
        QObject::connect(&box, &TextBox::textReplaced,
                         [this](int pos, int removed, const QString& inserted) {
                             deltas.push_back({pos, removed, inserted});
                             mirror.replace(pos, removed, inserted);
                         });
    }
    QString mirror;
    std::vector<Delta> deltas;
};

} // namespace

TEST(TextBoxTest, HardLinesAcrossCrLf) {
    TextBox box;
    box.setText(QStringLiteral("ab\r\ncd\r\n\r\nef"));
    EXPECT_EQ(box.hardLineCount(), 4);
    // Each row: position, line. The position between CR and LF stays on the line the CR ends.
    const int expected[][2] = {{0, 0}, {2, 0}, {3, 0}, {4, 1},  {6, 1},
                               {7, 1}, {8, 2}, {9, 2}, {10, 3}, {12, 3}};
    for (const auto& row : expected)
        EXPECT_EQ(box.hardLineFromChar(row[0]), row[1]) << "pos " << row[0];
    EXPECT_EQ(box.hardLineStart(0), 0);
    EXPECT_EQ(box.hardLineStart(1), 4);
    EXPECT_EQ(box.hardLineStart(2), 8);
    EXPECT_EQ(box.hardLineStart(3), 10);
    EXPECT_EQ(box.lineCount(), 4);
    box.setSelStart(9);
    EXPECT_EQ(box.lineFromChar(), 2);
    EXPECT_EQ(box.lineFromChar(100), 3);
}

TEST(TextBoxTest, LoneBreakCharactersAreOrdinary) {
    TextBox box;
    const QString text = QStringLiteral("a\rb\nc\u2028d\u2029e\n\r");
    box.setText(text);
    EXPECT_EQ(box.text(), text);
    EXPECT_EQ(box.hardLineCount(), 1);
    EXPECT_EQ(box.lineFromChar(text.size()), 0);
}

TEST(TextBoxTest, EmptyText) {
    TextBox box;
    EXPECT_EQ(box.length(), 0);
    EXPECT_EQ(box.lineCount(), 1);
    EXPECT_EQ(box.lineFromChar(), 0);
    EXPECT_EQ(box.hardLineStart(5), 0);
    box.setText(QStringLiteral("\r\n"));
    EXPECT_EQ(box.lineCount(), 2);
    EXPECT_EQ(box.lineFromChar(2), 1);
}

TEST(TextBoxTest, SelectionClampsAndSelTextReplaces) {
    TextBox box;
    box.setText(QStringLiteral("0123456789"));
    box.setSelStart(3);
    box.setSelLength(4);
    EXPECT_EQ(box.selText(), QStringLiteral("3456"));
    box.setSelStart(5); // clears the selection
    EXPECT_EQ(box.selLength(), 0);
    box.setSelLength(100); // clamped to the end
    EXPECT_EQ(box.selLength(), 5);
    box.setSelLength(-3);
    EXPECT_EQ(box.selLength(), 0);
    box.setSelStart(-4);
    EXPECT_EQ(box.selStart(), 0);
    box.setSelStart(99);
    EXPECT_EQ(box.selStart(), 10);

    box.setSelStart(2);
    box.setSelLength(3);
    box.setSelText(QStringLiteral("XY"));
    EXPECT_EQ(box.text(), QStringLiteral("01XY56789"));
    EXPECT_EQ(box.selStart(), 4);
    EXPECT_EQ(box.selLength(), 0);

    box.setSelText(QStringLiteral("\r\n"));
    EXPECT_EQ(box.text(), QStringLiteral("01XY\r\n56789"));
    EXPECT_EQ(box.selStart(), 6);
    EXPECT_EQ(box.lineFromChar(), 1);

    box.setText(QStringLiteral("new"));
    EXPECT_EQ(box.selStart(), 0);
    EXPECT_EQ(box.selLength(), 0);
}

TEST(TextBoxTest, OneChangeEventPerChangeAndNoneWithoutChange) {
    TextBox box;
    QSignalSpy changes(&box, &TextBox::changed);
    QSignalSpy selections(&box, &TextBox::selectionChanged);
    DeltaRecorder rec(box);

    struct Step {
        const char* name;
        std::function<void()> run;
        int changes;
    };
    const std::vector<Step> steps = {
        {"setText", [&] { box.setText(QStringLiteral("hello world")); }, 1},
        {"same text again", [&] { box.setText(QStringLiteral("hello world")); }, 0},
        {"replace", [&] { box.replace(0, 5, QStringLiteral("HELLO")); }, 1},
        {"replace by equal text", [&] { box.replace(0, 5, QStringLiteral("HELLO")); }, 0},
        {"empty replace", [&] { box.replace(3, 0, QString()); }, 0},
        {"selText over nothing with nothing",
         [&] {
             box.setSelStart(2);
             box.setSelText(QString());
         },
         0},
        {"selText insert", [&] { box.setSelText(QStringLiteral("++")); }, 1},
        {"selection only", [&] { box.setSelection(1, 3); }, 0},
        {"delete selection", [&] { box.setSelText(QString()); }, 1},
        {"clear", [&] { box.setText(QString()); }, 1},
    };
    for (const auto& step : steps) {
        changes.clear();
        step.run();
        EXPECT_EQ(changes.size(), step.changes) << step.name;
        EXPECT_EQ(rec.mirror, box.text()) << step.name;
    }
    EXPECT_GT(selections.size(), 0);
}

TEST(TextBoxTest, DeltaCoversOnlyTheDifference) {
    TextBox box;
    box.setText(QStringLiteral("abcdef"));
    DeltaRecorder rec(box);
    box.setText(QStringLiteral("abXYef"));
    ASSERT_EQ(rec.deltas.size(), 1u);
    EXPECT_EQ(rec.deltas[0].pos, 2);
    EXPECT_EQ(rec.deltas[0].removed, 2);
    EXPECT_EQ(rec.deltas[0].inserted, QStringLiteral("XY"));

    // Replacing "cd" by "cd!" only inserts the "!"; the caret still ends after the whole text.
    box.replace(2, 2, QStringLiteral("XY!"));
    ASSERT_EQ(rec.deltas.size(), 2u);
    EXPECT_EQ(rec.deltas[1].pos, 4);
    EXPECT_EQ(rec.deltas[1].removed, 0);
    EXPECT_EQ(rec.deltas[1].inserted, QStringLiteral("!"));
    EXPECT_EQ(box.selStart(), 5);
}

// Edits that form or split a CR LF pair at their edges.
TEST(TextBoxTest, PairsFormedAndSplitByEdits) {
    struct Case {
        const char* name;
        const char* before;
        int pos, removed;
        const char* inserted;
        int lines;
    };
    const Case cases[] = {
        {"LF after lone CR", "a\rb", 2, 0, "\n", 2},
        {"CR before lone LF", "a\nb", 1, 0, "\r", 2},
        {"insert between CR and LF", "a\r\nb", 2, 0, "x", 1},
        {"delete LF of pair", "a\r\nb", 2, 1, "", 1},
        {"delete CR of pair", "a\r\nb", 1, 1, "", 1},
        {"delete between CR and LF", "a\rxy\nb", 2, 2, "", 2},
        {"replace joins two halves", "\r\r\n\n", 1, 2, "", 2},
        {"replace inside pair keeps it", "a\r\nb", 1, 2, "\r\n", 2},
        {"insert pair between pairs", "\r\n\r\n", 2, 0, "\r\n", 4},
        {"delete everything", "\r\n\r\n", 0, 4, "", 1},
        {"split then rejoin", "a\r\nb", 2, 0, "\n\r", 3},
    };
    for (const auto& c : cases) {
        TextBox box;
        box.setText(QString::fromLatin1(c.before));
        box.replace(c.pos, c.removed, QString::fromLatin1(c.inserted));
        EXPECT_EQ(box.hardLineCount(), c.lines) << c.name;
        EXPECT_EQ(box.hardLineCount(), bruteLineCount(box.text())) << c.name;
        for (int p = 0; p <= box.length(); ++p)
            EXPECT_EQ(box.hardLineFromChar(p), bruteLineFromChar(box.text(), p))
                << c.name << " pos " << p;
    }
}

TEST(TextBoxTest, RandomEditsKeepLineIndexExact) {
    QRandomGenerator rng(20240611);
    const QString alphabet = QStringLiteral("\r\n\r\nab\u3042");
    auto randomPiece = [&](int maxLen) {
        QString s;
        const int n = rng.bounded(maxLen + 1);
        for (int i = 0; i < n; ++i)
            s += alphabet[rng.bounded(alphabet.size())];
        return s;
    };

    TextBox box;
    box.setText(randomPiece(40));
    DeltaRecorder rec(box);
    for (int step = 0; step < 3000; ++step) {
        const int len = box.length();
        const int kind = rng.bounded(10);
        if (kind == 0) {
            // Whole-text assignment sharing a prefix and a suffix with the old text.
            const int cut = rng.bounded(len + 1);
            box.setText(box.text().left(cut) + randomPiece(6) + box.text().mid(cut));
        } else {
            const int pos = rng.bounded(len + 1);
            const int removed = rng.bounded(std::min(len - pos, 6) + 1);
            box.replace(pos, removed, randomPiece(5));
        }
        if (box.length() > 300) box.replace(0, 150, QString());

        const QString& t = box.text();
        ASSERT_EQ(rec.mirror, t) << "step " << step;
        ASSERT_EQ(box.hardLineCount(), bruteLineCount(t)) << "step " << step;
        for (int p = 0; p <= t.size(); p += 1 + rng.bounded(4)) {
            const int line = bruteLineFromChar(t, p);
            ASSERT_EQ(box.hardLineFromChar(p), line) << "step " << step << " pos " << p;
            ASSERT_LE(box.hardLineStart(line), p);
        }
        for (int line = 1; line < box.hardLineCount(); ++line) {
            const int start = box.hardLineStart(line);
            ASSERT_EQ(t.mid(start - 2, 2), QStringLiteral("\r\n")) << "step " << step;
            ASSERT_EQ(bruteLineFromChar(t, start), line);
        }
    }
}

TEST(TextBoxTest, FixedWidthLayoutWrapsEachLine) {
    TextBox box;
    FixedWidthLayout layout(box, 4);
    box.setLineLayout(&layout);
    EXPECT_EQ(box.lineLayout(), &layout);

    // Lines of length 0, 4, 5, 8 and 3: rows 1 + 1 + 2 + 2 + 1.
    box.setText(QStringLiteral("\r\nabcd\r\nabcde\r\n12345678\r\nxyz"));
    EXPECT_EQ(box.lineCount(), 7);
    struct {
        int pos, line;
    } const cases[] = {
        {0, 0},  // empty first line
        {2, 1},  // start of "abcd"
        {6, 1},  // end of "abcd": a wrap point at the end of a line stays on its row
        {7, 1},  // between CR and LF
        {8, 2},  // start of "abcde"
        {12, 3}, // "e" starts the second row
        {13, 3}, // end of "abcde"
        {15, 4}, // "12345678"
        {19, 5}, // "5" is on a wrap point: next row
        {23, 5}, // end of "12345678"
        {25, 6}, // "xyz"
        {28, 6},
    };
    for (const auto& c : cases)
        EXPECT_EQ(box.lineFromChar(c.pos), c.line) << "pos " << c.pos;
    EXPECT_EQ(layout.rowsFor(0), 1);
    EXPECT_EQ(layout.rowsFor(9), 3);

    box.setLineLayout(nullptr);
    EXPECT_EQ(box.lineLayout(), nullptr);
    EXPECT_EQ(box.lineCount(), 5);
}

// The box shares its buffer with the strings it takes in and hands out; none of them may see
// a later edit, wherever the edit lands and whether or not the buffer has to grow for it.
TEST(TextBoxTest, StringsHandedInAndOutKeepTheirValue) {
    const QString original = QStringLiteral("あいう\r\nえお").repeated(300);
    struct Case {
        const char* name;
        int pos, removed;
        QString inserted;
    } cases[] = {
        {"at the start", 0, 0, QStringLiteral("x")},
        {"in the middle, growing the buffer", 1500, 3, QString(5000, u'y')},
        {"removing the end", 2000, 1000, QString()},
    };
    for (const Case& c : cases) {
        QString given = original;
        TextBox box;
        box.setText(given);
        const QString before = box.text();
        box.replace(c.pos, c.removed, c.inserted);
        const QString after = box.text();
        box.replace(0, 1, QStringLiteral("z"));
        EXPECT_EQ(given, original) << c.name;
        EXPECT_EQ(before, original) << c.name;
        QString expected = original;
        expected.replace(c.pos, c.removed, c.inserted);
        EXPECT_EQ(after, expected) << c.name;
        EXPECT_EQ(box.text(), QStringLiteral("z") + expected.mid(1)) << c.name;
    }
}
