#include "documents/DocumentSession.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QString kNoUndo = QStringLiteral("UNDODATAがないか全く新規の状態です。");
const QString kNoRedo = QStringLiteral("RedoDataがありません");

// A history scenario: the editor starts with `start` as its start-up text (checkpoint
// "00001" + start), then runs the steps in order:
//   "A"      the whole text becomes A, caret at its end (an edit in the box)
//   "rec"    RecordUndo      "undo" / "redo"   the commands
//   "reset"  the history reset of New and Open
//   "max=N"  MaxUndo = N     "caret=N"  the caret moves to N
struct Scenario {
    const char* name;
    const char* start;
    int maxUndo;
    std::vector<const char*> steps;
    const char* text; // the text afterwards
    int caret;        // the caret afterwards
    int undoCount;
    int redoCount;
    std::vector<QString> messages;
    // Slot strings of UndoData from slot 1 on (only checked when given).
    std::vector<const char*> undoSlots = {};
};

class History : public ::testing::TestWithParam<Scenario> {};

void begin(FakeEditor& e, const QString& startText, int maxUndo) {
    e.text.setText(startText);
    e.history.setMaxUndo(qint16(maxUndo));
    e.history.startFrom(1, startText);
}

void run(FakeEditor& e, const QString& step) {
    if (step == u"rec")
        e.history.record(e.text);
    else if (step == u"undo")
        undo(e.ctx);
    else if (step == u"redo")
        redo(e.ctx);
    else if (step == u"reset")
        e.history.reset();
    else if (step.startsWith(u"max="))
        e.history.setMaxUndo(qint16(step.mid(4).toInt()));
    else if (step.startsWith(u"caret="))
        e.text.setSelStart(step.mid(6).toInt());
    else {
        e.text.setText(step);
        e.text.setSelStart(int(step.size()));
    }
}

TEST_P(History, EndsAsExpected) {
    const Scenario& s = GetParam();
    FakeEditor e;
    begin(e, QString::fromUtf8(s.start), s.maxUndo);
    for (const char* step : s.steps)
        run(e, QString::fromUtf8(step));

    EXPECT_EQ(e.text.text(), QString::fromUtf8(s.text));
    EXPECT_EQ(e.text.selStart(), s.caret);
    EXPECT_EQ(e.history.undoCount(), s.undoCount);
    EXPECT_EQ(e.history.redoCount(), s.redoCount);
    QStringList shown;
    for (const RecordedMessage& m : e.fake.prompts.shown)
        shown.append(m.text);
    EXPECT_EQ(shown, QStringList(s.messages.begin(), s.messages.end()));
    for (size_t i = 0; i < s.undoSlots.size(); ++i)
        EXPECT_EQ(e.history.undoSlots()[int(i) + 1].toString(), QString::fromUtf8(s.undoSlots[i]))
            << "slot " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Scenarios, History,
    ::testing::Values(Scenario{"StartUpUndoDoesNothing", "x", 10, {"undo"}, "x", 0, 1, 1, {}},
                      Scenario{"FirstWordUndoesToStartUpWithCaretOne",
                               "start",
                               10,
                               {"start word ", "rec", "undo"},
                               "start",
                               1,
                               2,
                               2,
                               {},
                               {"00001start", "00001start"}},
                      Scenario{"UndoPastOldestDoesNothing",
                               "A",
                               10,
                               {"AB", "rec", "undo", "undo", "undo"},
                               "A",
                               1,
                               2,
                               2,
                               {}},
                      Scenario{"TwoCheckpointsRedoAfterUndo",
                               "A",
                               10,
                               {"AB", "rec", "undo", "redo"},
                               "AB",
                               2,
                               2,
                               2,
                               {},
                               {"00002AB", "00001A"}},
                      Scenario{"ThreeCheckpointsUndoRedo",
                               "A",
                               10,
                               {"AB", "rec", "ABC", "rec", "undo", "redo", "redo"},
                               "ABC",
                               3,
                               3,
                               2,
                               {kNoRedo},
                               {"00003ABC", "00002AB", "00001A"}},
                      Scenario{"UndoTwiceThenRedoTwice",
                               "A",
                               10,
                               {"AB", "rec", "ABC", "rec", "ABCD", "rec", "undo", "undo", "redo",
                                "redo"},
                               "ABCD",
                               4,
                               4,
                               3,
                               {}},
                      // The edit after the last recording is recorded by Undo first: Undo goes
                      // back to the newest checkpoint, Redo brings the edit back.
                      Scenario{"UnrecordedEditIsRecordedByUndo",
                               "A",
                               10,
                               {"AB", "rec", "ABC", "undo", "redo"},
                               "ABC",
                               3,
                               3,
                               2,
                               {},
                               {"00003ABC", "00002AB", "00001A"}},
                      // However often the same text is recorded, one Undo leaves it.
                      Scenario{"RecordingAnUnchangedTextTakesOnlyTheCaret",
                               "A",
                               10,
                               {"AB", "rec", "caret=1", "rec", "rec", "undo"},
                               "A",
                               1,
                               2,
                               2,
                               {},
                               {"00001A", "00001A"}},
                      Scenario{"RecordingBelowLimitDiscardsRedo",
                               "A",
                               10,
                               {"AB", "rec", "ABC", "rec", "undo", "AX", "rec", "redo"},
                               "AX",
                               2,
                               4,
                               1,
                               {kNoRedo}},
                      // At the limit a recording leaves the redo history alone.
                      Scenario{"RecordingAtLimitKeepsRedo",
                               "A",
                               2,
                               {"AB", "rec", "ABC", "rec", "undo", "AX", "rec", "redo"},
                               "ABC",
                               3,
                               3,
                               2,
                               {}},
                      Scenario{"FullHistoryKeepsItsOldestSlot",
                               "base",
                               3,
                               {"b1", "rec", "b2", "rec", "b3", "rec", "b4", "rec", "b5", "rec"},
                               "b5",
                               2,
                               4,
                               1,
                               {},
                               {"00002b5", "00002b4", "00002b3", "00001base"}},
                      Scenario{"FullHistoryUndoesDownToItsBase",
                               "base",
                               2,
                               {"b1", "rec", "b2", "rec", "b3", "rec", "undo", "undo", "undo"},
                               "base",
                               1,
                               3,
                               3,
                               {}},
                      Scenario{"NoLimitSetKeepsOneSlot",
                               "A",
                               0,
                               {"AB", "rec", "ABC", "rec", "undo"},
                               "ABC",
                               3,
                               1,
                               1,
                               {},
                               {"00003ABC"}},
                      Scenario{"ResetThenFirstCheckpointHasNothingToUndo",
                               "A",
                               10,
                               {"AB", "rec", "reset", "undo", "redo"},
                               "AB",
                               2,
                               2,
                               1,
                               {kNoUndo, kNoRedo}},
                      Scenario{"UndoRestoresTheRecordedCaret",
                               "A",
                               10,
                               {"hello world", "caret=5", "rec", "hello world!", "rec", "undo"},
                               "hello world",
                               5,
                               3,
                               2,
                               {}},
                      Scenario{"EmptyTextRecordsZeroes",
                               "",
                               10,
                               {"caret=0", "rec"},
                               "",
                               0,
                               1,
                               1,
                               {},
                               {"00000"}}),
    [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

TEST(CheckpointString, PositionFieldIsFiveDigitsUpToTheLongerForm) {
    struct Case {
        int position;
        const char* field;
    } cases[] = {{0, "00000"},     {7, "00007"},       {42, "00042"},
                 {99999, "99999"}, {100000, "100000"}, {1234567, "1234567"}};
    for (const Case& c : cases) {
        const Checkpoint cp = Checkpoint::take(c.position, QStringLiteral("abc"));
        EXPECT_EQ(cp.toString(), QString::fromLatin1(c.field) + QStringLiteral("abc"));
        EXPECT_EQ(cp.position(), c.position);
        EXPECT_EQ(cp.text(), QStringLiteral("abc"));
    }
    EXPECT_EQ(Checkpoint().toString(), QString());
    EXPECT_TRUE(Checkpoint().isEmpty());
    EXPECT_FALSE(Checkpoint::take(0, QString()).isEmpty());
}

TEST(CheckpointString, CaretBeyondFiveDigitsIsStillRecorded) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QString(100005, u'あ'));
    e.text.setSelStart(100003);
    e.history.record(e.text);
    EXPECT_EQ(e.history.undoSlots()[1].position(), 100003);
    EXPECT_TRUE(e.history.undoSlots()[1].toString().startsWith(u"100003あ"));
}

// A replace run's recording holds the writer's typing let through during the run: Undo must
// not record it a second time, or the copy in slot 2 would stop every further Undo.
TEST(RunRecording, TakesTheWritersTypingWithIt) {
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.text.setText(QStringLiteral("A"));
    e.history.startFrom(1, QStringLiteral("A"));
    e.text.replace(1, 0, QStringLiteral("B"));
    e.history.setUndoPending(true);
    e.history.recordEdited(e.text, 1, 0);
    EXPECT_FALSE(e.history.undoPending());
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("A"));
}

TEST(BackToLoaded, AsksAndRestoresTheLoadedText) {
    for (const MsgAnswer answer : {MsgAnswer::Yes, MsgAnswer::No}) {
        FakeEditor e;
        e.document.setLoadedText(QStringLiteral("loaded"));
        e.text.setText(QStringLiteral("edited"));
        e.fake.prompts.answers.enqueue(answer);
        redoAll(e.ctx);
        ASSERT_EQ(e.fake.prompts.shown.size(), 1);
        const RecordedMessage& m = e.fake.prompts.shown[0];
        EXPECT_EQ(m.text, QStringLiteral("文書を最も最初の状態に戻します。よろしいですか？"));
        EXPECT_EQ(m.buttons, MsgButtons::YesNo);
        EXPECT_EQ(m.title, QStringLiteral("初期化"));
        EXPECT_EQ(e.text.text(), answer == MsgAnswer::Yes ? u"loaded" : u"edited");
        EXPECT_EQ(e.window.statusRefreshes, answer == MsgAnswer::Yes ? 1 : 0);
        // No checkpoint is taken here.
        EXPECT_EQ(e.history.undoCount(), 1);
    }
}

TEST(UndoEvents, UndoAndRedoMarkTheDocumentChanged) {
    FakeEditor e;
    begin(e, QStringLiteral("A"), 10);
    QObject::connect(&e.text, &TextBox::changed, [&] {
        e.document.setDirty(true);
        e.history.setUndoPending(true);
    });
    for (const char* step : {"AB", "rec", "ABC", "rec"})
        run(e, QString::fromLatin1(step));
    e.document.setDirty(false);
    e.history.setUndoPending(false);
    undo(e.ctx);
    EXPECT_TRUE(e.document.isDirty());
    // The restored text stands in slot 1 already: nothing is left to record.
    EXPECT_FALSE(e.history.undoPending());
    EXPECT_EQ(e.window.statusRefreshes, 1);
    e.document.setDirty(false);
    redo(e.ctx);
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_FALSE(e.history.undoPending());
    EXPECT_EQ(e.window.statusRefreshes, 1); // Redo leaves the status bar to the next refresh
}

} // namespace
