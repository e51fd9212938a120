#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <QThread>
#include <gtest/gtest.h>
#include <random>

namespace {

QString prose(int chars) {
    const QString sentence = QStringLiteral("吾輩は猫である。名前はまだ無い。\r\nabc def ghi. ");
    QString s;
    s.reserve(chars + sentence.size());
    while (s.size() < chars)
        s += sentence;
    s.truncate(chars);
    return s;
}

// Each checkpoint built on its predecessor must read back exactly, whatever the edit: at the
// start, in the middle, at the end, the whole text, growing from and shrinking to nothing.
TEST(CheckpointPieces, ChainsOfEditsReadBackExactly) {
    std::mt19937 rng(20261208);
    QString text = prose(20000);
    Checkpoint prev = Checkpoint::take(0, text);
    for (int round = 0; round < 400; ++round) {
        const int kind = int(rng() % 7);
        const int len = int(text.size());
        const int at = len ? int(rng() % uint(len + 1)) : 0;
        switch (kind) {
        case 0:
            text.insert(at, QStringLiteral("挿入"));
            break;
        case 1:
            text.remove(at, int(rng() % 50));
            break;
        case 2:
            text.insert(0, QString(int(rng() % 3000), u'x'));
            break;
        case 3:
            text.append(QStringLiteral("😀end"));
            break; // a surrogate pair
        case 4:
            text.replace(at, int(rng() % 5000), prose(int(rng() % 5000)));
            break;
        case 5:
            text = round % 50 == 5 ? QString() : text;
            break;
        default:
            text.chop(int(rng() % 100));
            break;
        }
        if (round % 97 == 0) text = prose(int(rng() % 30000));
        const Checkpoint next = Checkpoint::take(round, text, {&prev});
        ASSERT_EQ(next.text(), text) << "round " << round;
        ASSERT_EQ(next.textLength(), text.size());
        ASSERT_TRUE(next.textEquals(text));
        ASSERT_EQ(prev.textEquals(text), prev.text() == text);
        prev = next;
    }
}

TEST(CheckpointPieces, UnchangedTextSharesEverything) {
    const QString text = prose(100000);
    const Checkpoint a = Checkpoint::take(3, text);
    const Checkpoint b = Checkpoint::take(9, QString(text), {&a});
    EXPECT_TRUE(b.sharesTextWith(a));
    EXPECT_EQ(b.position(), 9);
}

TEST(CheckpointPieces, SmallEditCopiesOnlyAFewPieces) {
    QString text = prose(1000000);
    const Checkpoint a = Checkpoint::take(0, text);
    text.insert(500000, QStringLiteral("一字"));
    const Checkpoint b = Checkpoint::take(0, text, {&a});
    EXPECT_EQ(b.text(), text);
    EXPECT_GT(a.pieceCount(), 100);
    EXPECT_GE(b.piecesSharedWith(a), b.pieceCount() - 3);
}

// Typing at one spot again and again must not splinter the text into ever smaller pieces.
TEST(CheckpointPieces, RepeatedEditsAtOneSpotKeepPiecesLarge) {
    QString text = prose(200000);
    Checkpoint c = Checkpoint::take(0, text);
    const qsizetype initial = c.pieceCount();
    for (int i = 0; i < 2000; ++i) {
        text.insert(100000 + i, u'あ');
        c = Checkpoint::take(0, text, {&c});
    }
    EXPECT_EQ(c.text(), text);
    EXPECT_LE(c.pieceCount(), initial + 3);
}

TEST(CheckpointPieces, UndoAndRecordingShareWithNeighbours) {
    FakeEditor e;
    e.history.setMaxUndo(100);
    e.text.setText(prose(300000));
    e.history.startFrom(1, e.text.text());
    e.history.record(e.text); // nothing changed: no second checkpoint of it
    EXPECT_EQ(e.history.undoCount(), 1);
    e.text.setSelStart(1000);
    e.text.setSelText(QStringLiteral("追加"));
    e.history.record(e.text);
    EXPECT_GE(e.history.undoSlots()[1].piecesSharedWith(e.history.undoSlots()[2]),
              e.history.undoSlots()[1].pieceCount() - 3);
    undo(e.ctx);
    EXPECT_TRUE(e.history.undoSlots()[1].sharesTextWith(e.history.undoSlots()[2]));
    EXPECT_EQ(e.text.selStart(), 0);
}

// A large document's first checkpoint is kept packed; it must still read back, compare, serve
// as the base of the next one and come back on Undo, before and after the packing.
TEST(CheckpointPieces, LargeOpenedDocumentComesBackFromItsPackedCheckpoint) {
    for (const bool waitForPacking : {false, true}) {
        FakeEditor e;
        e.history.setMaxUndo(100);
        const QString opened = prose(int(KeptText::kPackFrom) + 1000);
        e.text.setText(opened);
        e.history.startFrom(1, e.text.text());
        if (waitForPacking) QThread::msleep(300); // packed by now, or not: both must hold
        EXPECT_TRUE(e.history.undoSlots()[1].textEquals(opened));
        e.history.record(e.text);
        EXPECT_EQ(e.history.undoCount(), 1) << "an unchanged text is no new checkpoint";
        e.text.setSelStart(5000);
        e.text.setSelText(QStringLiteral("追加"));
        e.history.record(e.text);
        undo(e.ctx);
        EXPECT_EQ(e.text.text(), opened);
    }
}

TEST(CheckpointList, LimitOfTenKeepsElevenSlotsAndTheFirstCheckpoint) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QStringLiteral("first"));
    e.history.startFrom(1, e.text.text());
    for (int i = 0; i < 40; ++i) {
        e.text.setText(QStringLiteral("text %1").arg(i));
        e.history.record(e.text);
        ASSERT_LE(e.history.undoCount(), 11);
    }
    EXPECT_EQ(e.history.undoCount(), 11);
    EXPECT_EQ(e.history.undoSlots().size(), 11);
    EXPECT_EQ(e.history.undoSlots()[11].toString(), QStringLiteral("00001first"));
    EXPECT_EQ(e.history.undoSlots()[10].text(), QStringLiteral("text 30"));
}

} // namespace
