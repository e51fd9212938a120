#include "platform/TextViewSegments.h"
#include "platform/ui/TextView.h"
#include "platform/TextViewMeasure.h"
#include "platform/TextViewText.h"

#include <QApplication>
#include <QClipboard>
#include <QRandomGenerator>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <optional>

namespace {

using Cuts = std::vector<int>;

QFont segmentFont() {
    QFont f(QStringLiteral("MotoyaLCedar"));
    f.setPixelSize(16);
    return f;
}

QString prose(int length) {
    const QString p = QStringLiteral("吾輩は猫である。名前はまだ無い。abc def ghi, どこで生れたか");
    QString s = p.repeated(length / p.size() + 1);
    s.truncate(length);
    return s;
}

// The document holds every model line as one block or as several, which together hold the
// line; every wrapped line the widget shows is one the line services count.
void expectInStep(TextView& view, const char* where) {
    TextBox& box = view.model();
    QAbstractTextDocumentLayout* layout = view.document()->documentLayout();
    QTextBlock b = view.document()->firstBlock();
    int shownLines = 0;
    for (int line = 0; line < box.hardLineCount(); ++line) {
        const int start = box.hardLineStart(line);
        const QString want = TextViewText::toDocument(
            QStringView(box.text()).mid(start, box.hardLineEnd(line) - start));
        QString got;
        do {
            ASSERT_TRUE(b.isValid()) << where;
            ASSERT_LE(b.length() - 1, TextViewSegments::MaxSegment) << where;
            layout->blockBoundingRect(b);
            for (int col = 0; col < b.length(); col += 37) {
                const int pos = start + int(got.size()) + col;
                if (col == b.length() - 1 && b.next().isValid() && got.size() + col < want.size())
                    continue; // the end of a segment is the start of the next one
                ASSERT_EQ(box.lineFromChar(pos),
                          shownLines + b.layout()->lineForTextPosition(col).lineNumber())
                    << where << ": line " << line << " position " << pos;
            }
            shownLines += b.layout()->lineCount();
            got += b.text();
            b = b.next();
        } while (got.size() < want.size());
        ASSERT_EQ(got, want) << where << ": line " << line;
    }
    EXPECT_FALSE(b.isValid()) << where;
    EXPECT_EQ(box.lineCount(), shownLines) << where;
}

struct SegmentsTest : ::testing::Test {
    TextBox box;
    std::unique_ptr<TextView> view;

    void show(int width = 420) {
        view = std::make_unique<TextView>(box);
        view->setFont(segmentFont());
        view->resize(width, 300);
        view->show();
        QApplication::setActiveWindow(view.get());
        view->setFocus();
        waitForLayout();
    }
    void waitForLayout() {
        for (int i = 0; i < 1000 && !view->layoutComplete(); ++i)
            QApplication::processEvents();
        QApplication::processEvents();
    }
    int blocks() const { return view->document()->blockCount(); }
    // The selection as the view copies it.
    QString copied() const {
        view->copy();
        return QApplication::clipboard()->text();
    }
};

} // namespace

TEST(SegmentCuts, KeepValidCutsAndCutLongSegmentsAtLineStarts) {
    // Starts every 100 units; MaxSegment 2048, TargetSegment 1024.
    Cuts starts;
    for (int s = 0; s < 6000; s += 100)
        starts.push_back(s);
    const struct {
        const char* what;
        int length;
        Cuts current;
        Cuts want;
    } rows[] = {
        {"a fresh line is cut at the last start within a target", 5000, {}, {1000, 2000, 3000}},
        {"a short line has none", 900, {500}, {}},
        {"cuts that are still starts stay", 6000, {1500, 3100}, {1500, 3100, 4100}},
        {"a cut off the starts goes", 3000, {1550}, {1000}},
        {"a cut at the end of the line goes", 2500, {1000, 2500}, {1000}},
        {"a segment at the limit stays whole", 2048, {}, {}},
    };
    for (const auto& r : rows)
        EXPECT_EQ(segments::chooseCuts(starts, r.length, r.current), r.want) << r.what;
    // A wrapped line longer than a segment cannot be cut where the screen would not break.
    EXPECT_EQ(segments::chooseCuts({0}, 6000, {}), Cuts{});
}

// After any edit the starts kept up piece by piece are those of a full layout.
TEST(SegmentCuts, UpdatedStartsEqualAFullLayout) {
    TextViewMeasure measure;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    measure.configure(segmentFont(), option, 300, nullptr);
    QString line = prose(6000);
    Cuts starts;
    measure.layoutLines(line, &starts);
    QRandomGenerator rng(13);
    const QString pieces[] = {QStringLiteral("x"), QStringLiteral("ああ"), QStringLiteral(" word "),
                              QStringLiteral("、"), QString()};
    for (int step = 0; step < 60; ++step) {
        // Mostly near the end, as typing goes; sometimes anywhere.
        const int at =
            step % 3 ? int(line.size()) - rng.bounded(40) : rng.bounded(int(line.size()));
        const int removed = rng.bounded(std::min<int>(3, int(line.size()) - at) + 1);
        const QString& added = pieces[rng.bounded(5)];
        line.replace(at, removed, added);
        segments::updateStarts(measure, line, starts, at, removed, int(added.size()));
        Cuts full;
        measure.layoutLines(line, &full);
        ASSERT_EQ(starts, full) << "step " << step << " at " << at;
    }
}

TEST_F(SegmentsTest, LongLineShowsAsOneAtEveryWidth) {
    box.setText(QStringLiteral("前の行") + QStringLiteral("\r\n") + prose(9000) +
                QStringLiteral("\r\n後の行\r\n") + prose(3000));
    show();
    EXPECT_GE(blocks(), 4 + 9000 / TextViewSegments::MaxSegment);
    expectInStep(*view, "shown");
    for (int width : {300, 517}) {
        view->resize(width, 300);
        waitForLayout();
        expectInStep(*view, "resized");
    }
}

TEST_F(SegmentsTest, TypingAnywhereKeepsSegmentsWhereTheLineWraps) {
    box.setText(prose(7000));
    show();
    box.setSelStart(box.length());
    for (int i = 0; i < 1200; ++i)
        QTest::keyClick(view.get(), Qt::Key_A);
    EXPECT_EQ(box.length(), 8200);
    expectInStep(*view, "typed at the end");
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(view.get(), Qt::Key_Backspace);
    expectInStep(*view, "erased at the end");
    // An edit at the start moves every wrap behind it.
    box.setSelStart(3);
    QTest::keyClick(view.get(), Qt::Key_B);
    QTest::keyClick(view.get(), Qt::Key_Return);
    expectInStep(*view, "typed at the start");
    EXPECT_EQ(box.text().left(6), QStringLiteral("吾輩はb\r\n"));
    // Shrunk below the limit, the line is one block again.
    box.setSelStart(box.hardLineStart(1));
    box.setSelLength(box.length() - box.selStart() - 100);
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(blocks(), 2);
    expectInStep(*view, "shrunk");
}

TEST_F(SegmentsTest, KeysAcrossACutMoveAndEraseOnePosition) {
    box.setText(prose(5000));
    show();
    ASSERT_GT(blocks(), 1);
    const QString text = box.text();
    // Model position of the first cut: segments may be cut elsewhere after each edit.
    int cut = 0;
    const auto restore = [&] {
        box.setText(text);
        cut = view->document()->firstBlock().length() - 1;
        box.setSelStart(cut);
    };
    restore();

    box.setSelStart(cut - 1);
    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(box.selStart(), cut);
    QTest::keyClick(view.get(), Qt::Key_Right);
    EXPECT_EQ(box.selStart(), cut + 1);
    QTest::keyClick(view.get(), Qt::Key_Left);
    QTest::keyClick(view.get(), Qt::Key_Left);
    EXPECT_EQ(box.selStart(), cut - 1);

    // Both sides of the cut are the same model position; each key erases one character.
    restore();
    QTest::keyClick(view.get(), Qt::Key_Backspace);
    EXPECT_EQ(box.text(), QString(text).remove(cut - 1, 1));
    restore();
    view->moveCursor(QTextCursor::PreviousCharacter);
    ASSERT_EQ(box.selStart(), cut);
    QTest::keyClick(view.get(), Qt::Key_Delete);
    EXPECT_EQ(box.text(), QString(text).remove(cut, 1));

    // A selection across the cut copies and replaces exactly the model's text.
    restore();
    box.setSelStart(cut - 3);
    box.setSelLength(6);
    QTest::keyClick(view.get(), Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(box.selText(), text.mid(cut - 3, 7));
    EXPECT_EQ(copied(), text.mid(cut - 3, 7));
    QTest::keyClick(view.get(), Qt::Key_Z);
    EXPECT_EQ(box.text(), QString(text).replace(cut - 3, 7, QStringLiteral("z")));
    expectInStep(*view, "replaced across the cut");
}

TEST_F(SegmentsTest, ModelEditsKeepLongLinesInStep) {
    QRandomGenerator rng(5);
    const QString alphabet = QStringLiteral("\r\n\r\naあ 漢、\u2028");
    box.setText(prose(4500) + QStringLiteral("\r\nshort\r\n") + prose(3000));
    show();
    for (int step = 0; step < 120; ++step) {
        const int pos = rng.bounded(box.length() + 1);
        QString piece;
        for (int i = rng.bounded(step % 10 == 0 ? 900 : 4); i > 0; --i)
            piece += alphabet[rng.bounded(alphabet.size())];
        {
            // Some edits come in batches, which the document follows at the batch's end.
            std::optional<TextBoxBatch> batch;
            if (step % 3 == 0) batch.emplace(box);
            box.replace(pos, rng.bounded(std::min(box.length() - pos, 6) + 1), piece);
            if (batch) box.replace(rng.bounded(box.length() + 1), 0, QStringLiteral("漢字"));
        }
        const int start = rng.bounded(box.length() + 1);
        box.setSelection(start, rng.bounded(std::min(box.length() - start, 50) + 1));
        // A position inside a CR LF shows before it: such selections copy differently.
        const auto insidePair = [&](int p) {
            return p > 0 && p < box.length() && box.text()[p - 1] == u'\r' &&
                   box.text()[p] == u'\n';
        };
        if (box.selLength() > 0 && !insidePair(box.selStart()) &&
            !insidePair(box.selStart() + box.selLength()))
            ASSERT_EQ(copied(), box.selText()) << "step " << step;
        if (step % 10 == 9) {
            waitForLayout();
            expectInStep(*view, "random edits");
        }
    }
    expectInStep(*view, "random edits");
}
