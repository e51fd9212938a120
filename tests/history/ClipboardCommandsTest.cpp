#include "documents/DocumentSession.h"
#include "history/ClipboardCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"
#include "support/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// One clipboard command over "abc" (or `start`) with a selection, a clipboard and a second
// clipboard; the text, both clipboards, the history, the checkpoints and the messages after.
struct CommandCase {
    const char* name;
    void (*command)(CommandContext&);
    int selStart, selLength;
    QString clipboard;
    QString second;
    QString text;      // the document afterwards
    QString clipAfter; // the system clipboard afterwards
    QString secondAfter;
    int historyAdded;
    int checkpoints; // checkpoints recorded
    QStringList messages = {};
    bool clipboardFails = false;
    QString start = QStringLiteral("abc");
};
void PrintTo(const CommandCase& c, std::ostream* os) {
    *os << c.name;
}

class ClipboardCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(ClipboardCommand, Acts) {
    const CommandCase& c = GetParam();
    FakeEditor e;
    e.history.setMaxUndo(100);
    e.state.ClipHistoryCount = 2;
    e.text.setText(c.start);
    e.text.setSelStart(c.selStart);
    e.text.setSelLength(c.selLength);
    e.fake.clipboard.content = c.clipboard;
    e.fake.clipboard.failing = c.clipboardFails;
    e.state.SecondClipboard = c.second;
    c.command(e.ctx);

    EXPECT_EQ(e.text.text(), c.text);
    EXPECT_EQ(e.fake.clipboard.content, c.clipAfter);
    EXPECT_EQ(e.state.SecondClipboard, c.secondAfter);
    EXPECT_EQ(e.state.ClipHistoryCount, 2 + c.historyAdded);
    EXPECT_EQ(e.history.undoCount(), 1 + c.checkpoints);
    EXPECT_EQ(e.fake.prompts.texts(), c.messages);
    if (c.historyAdded) EXPECT_EQ(e.state.ClipHistory[1], c.start.mid(c.selStart, c.selLength));
}

const QString kClip = QStringLiteral("clip");

// The clipboard history holding `entries`, newest first.
void fillHistory(AppState& state, const std::vector<const char*>& entries) {
    state.ClipHistoryCount = 2;
    state.ClipHistory[1] = QString::fromUtf8(entries.back());
    for (auto it = entries.rbegin() + 1; it != entries.rend(); ++it)
        pushClipHistory(state, QString::fromUtf8(*it));
}
const QString kError = QStringLiteral("Error");

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Rules, ClipboardCommand,
    ::testing::Values(
        CommandCase{"Cut", cutSelection, 1, 1, kClip, {}, "ac", "b", {}, 1, 1},
        // A clipboard that refuses the text: the selection stays, the failure is reported.
        CommandCase{"CutIntoFailingClipboard", cutSelection, 1, 1, kClip, {}, "abc", kClip, {}, 1, 1,
                    {kError}, true},
        CommandCase{"Copy", copySelection, 0, 2, kClip, {}, "abc", "ab", {}, 1, 0},
        CommandCase{"CopyWithoutSelection", copySelection, 0, 0, kClip, {}, "abc", kClip, {}, 0, 0},
        CommandCase{"Delete", deleteSelection, 0, 2, kClip, "2nd", "c", kClip, "2nd", 0, 1},
        CommandCase{"Cut2", cutToSecondClipboard, 2, 1, kClip, "old", "ab", kClip, "c", 1, 1},
        CommandCase{"Copy2", copyToSecondClipboard, 0, 3, kClip, "old", "abc", kClip, "abc", 1, 0},
        CommandCase{"Paste", pasteClipboard, 1, 1, kClip, {}, "aclipc", kClip, {}, 0, 1},
        CommandCase{"PasteUnreadable", pasteClipboard, 1, 1, kClip, {}, "abc", kClip, {}, 0, 0,
                    {kError}, true},
        // Lines from other programs end in LF; a text with any CR is pasted exactly.
        CommandCase{"PasteLfLines", pasteClipboard, 3, 0, "x\ny\n", {}, "abcx\r\ny\r\n", "x\ny\n", {}, 0, 1},
        CommandCase{"PasteMixedBreaksExactly", pasteClipboard, 3, 0, "x\r\ny\nz\r", {}, "abcx\r\ny\nz\r",
                    "x\r\ny\nz\r", {}, 0, 1},
        CommandCase{"Paste2", pasteSecondClipboard, 0, 1, kClip, "p\nq", "p\r\nqbc", kClip, "p\nq", 0, 1},
        CommandCase{"Paste2Empty", pasteSecondClipboard, 0, 1, kClip, {}, "abc", kClip, {}, 0, 0},
        CommandCase{"CopyWholeText", copyAllText, 1, 0, kClip, {}, "a\rb\nc", "a\rb\nc", {}, 0, 0, {},
                    false, "a\rb\nc"}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// Cut and Copy refresh panel 1 and its tool tip, with or without a selection; a long
// clipboard shows its start only.
TEST(ClipboardCommands, PanelAndToolTipAfterCutAndCopy) {
    FakeEditor e;
    e.fake.clipboard.content = QString(32000, u'x');
    copySelection(e.ctx);
    EXPECT_EQ(e.window.toolTip, QString(100, u'x'));
    EXPECT_EQ(e.window.panels[0],
              QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「") + QString(100, u'x') + QStringLiteral("」"));
    e.state.CharTotal = 7;
    selectAllText(e.ctx);
    EXPECT_EQ(e.window.panels[1], QStringLiteral("選択範囲：7文字"));
}

// popCB(i) with n = ClipHistoryCount: n = 2 pastes slot 1, n = 3 slot 2 whatever i is,
// n >= 4 slot i + 2. Every choice takes a checkpoint first.
struct HistoryCase {
    std::vector<const char*> entries; // newest first
    int index;
    const char* pasted;
};

TEST(ClipboardCommands, PasteFromHistoryMapsItemsToSlots) {
    // clang-format off
    const HistoryCase cases[] = {{{"a"}, 0, "a"}, {{"a"}, 2, "a"}, {{"b", "a"}, 0, "a"}, {{"b", "a"}, 2, "a"},
                                 {{"c", "b", "a"}, 0, "b"}, {{"c", "b", "a"}, 1, "a"}, {{"d", "c", "b", "a"}, 2, "a"}};
    // clang-format on
    for (const HistoryCase& c : cases) {
        FakeEditor e;
        e.history.setMaxUndo(10);
        fillHistory(e.state, c.entries);
        pasteClipboardHistoryEntry(e.ctx, c.index);
        EXPECT_EQ(e.text.text(), QString::fromUtf8(c.pasted))
            << c.entries.size() << " entries, item " << c.index;
        EXPECT_EQ(e.history.undoCount(), 2);
    }
}

// Equal texts share one copy, so repeated copies cost no memory of their own.
TEST(ClipboardCommands, EqualHistoryEntriesShareTheirText) {
    FakeEditor e;
    e.state.ClipHistoryCount = 2;
    e.text.setText(QString::fromLatin1("same")); // heap text: a literal shares with nothing
    e.text.setSelLength(4);
    copySelection(e.ctx);
    copyToSecondClipboard(e.ctx);
    ASSERT_EQ(e.state.ClipHistoryCount, 4);
    EXPECT_TRUE(e.state.ClipHistory[1].isSharedWith(e.state.ClipHistory[2]));
    EXPECT_TRUE(e.state.SecondClipboard.isSharedWith(e.state.ClipHistory[1]));
}

// The menus as they open, over (selection, clipboard, second clipboard, history, Dirty).
struct MenuCase {
    const char* name;
    bool selection;
    QString clipboard;
    QString second;
    std::vector<const char*> history; // newest first, slot 1 first
    bool dirty;
    // Expected: menu undo/redo/paste, popup undo/redo/paste/paste2, popCBrireki.
    bool undo, redo, paste, paste2, submenu;
    std::vector<const char*> captions; // popCB(0..2), "-" = hidden, nullptr = untouched
};
void PrintTo(const MenuCase& c, std::ostream* os) {
    *os << c.name;
}

class MenuOpening : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuOpening, SetsItems) {
    const MenuCase& c = GetParam();
    FakeEditor e;
    e.text.setText(QStringLiteral("text"));
    e.text.setSelLength(c.selection ? 2 : 0);
    e.fake.clipboard.content = c.clipboard;
    e.state.SecondClipboard = c.second;
    e.document.setDirty(c.dirty);
    e.history.setMaxUndo(10);
    e.history.startFrom(0, QStringLiteral("before"));
    e.history.record(e.text);
    e.history.setSlots(e.history.undoSlots(), e.history.undoCount(),
                       checkpointsOf({u"redo"}), 2);
    fillHistory(e.state, c.history);
    prepareEditMenu(e.ctx);
    preparePopupMenu(e.ctx);

    const auto& on = e.window.itemEnabled;
    EXPECT_EQ(on.value(QStringLiteral("mnuEditUndo")), c.undo);
    EXPECT_EQ(on.value(QStringLiteral("mnuEditRedo")), c.redo);
    EXPECT_EQ(on.value(QStringLiteral("popUndo")), c.undo);
    EXPECT_EQ(on.value(QStringLiteral("popRedo")), c.redo);
    EXPECT_EQ(on.value(QStringLiteral("mnuEditPaste")), c.paste);
    EXPECT_EQ(on.value(QStringLiteral("popPaste")), c.paste);
    // Without Dirty popPaste2 keeps its state; the menu's second-clipboard items stay as
    // they are.
    EXPECT_EQ(on.contains(QStringLiteral("popPaste2")), c.dirty);
    if (c.dirty) EXPECT_EQ(on.value(QStringLiteral("popPaste2")), c.paste2);
    EXPECT_FALSE(on.contains(QStringLiteral("mnuEditPaste2")));
    EXPECT_EQ(on.value(QStringLiteral("popCBrireki")), c.submenu);
    for (int i = 0; i < 3; ++i) {
        const QString item = QStringLiteral("popCB(%1)").arg(i);
        const char* want = c.captions[size_t(i)];
        if (!want) {
            EXPECT_FALSE(e.window.itemCaptions.contains(item)) << i;
        } else if (QByteArray(want) == "-") {
            EXPECT_FALSE(e.window.itemVisible.value(item, true)) << i;
        } else {
            EXPECT_TRUE(e.window.itemVisible.value(item, true)) << i;
            EXPECT_EQ(e.window.itemCaptions.value(item), QString::fromUtf8(want)) << i;
        }
    }
    EXPECT_EQ(e.window.imeSyncs, (QList<bool>{false, true}));
}

// Columns: selection, clipboard, second clipboard, history, Dirty; then undo, redo, paste,
// paste2 and the submenu enabled, and the three history items.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    States, MenuOpening,
    ::testing::Values(
        MenuCase{"OneEntry", false, "x", "2", {"x"}, true,
                 true, true, true, true, false, {nullptr, nullptr, nullptr}},
        // A saved document can still go back: Undo and Redo do not ask for Dirty.
        MenuCase{"NotDirty", true, "", "", {"b", "a"}, false,
                 true, true, false, false, true, {"a", "-", "-"}},
        MenuCase{"ThreeEntries", true, "x", "", {"c", "b", "a&b"}, true,
                 true, true, true, false, true, {"b", "a&b", "-"}},
        MenuCase{"ManyEntriesLongCaption", false, "", "2", {"e", "d", "0123456789abcdefghijKL", "b", "a"}, true,
                 true, true, false, true, true, {"d", "0123456789abcdefghij", "b"}},
        MenuCase{"CaptionEndsInAWholePair", false, "", "", {"c", "b", "0123456789abcdefghi😀x"}, true,
                 true, true, false, false, true, {"b", "0123456789abcdefghi😀", "-"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

} // namespace
