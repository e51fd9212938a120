#include "history/UndoCommands.h"
#include "history/HistoryViewer.h"
#include "documents/DocumentFile.h"
#include "history/ClipboardCommands.h"
#include "history/ui/HistoryViewerDialog.h"
#include "history/UndoHistory.h"
#include "platform/ui/TextView.h"
#include "support/FakeWindow.h"
#include "support/FindChild.h"
#include "support/QtPrinters.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

// The dialog without widgets: records what the logic shows.
class FakeViewer : public HistoryViewerPort {
public:
    QString caption;
    QString labels[7];
    QStringList items;
    bool closed = false;
    HistoryViewer* logic = nullptr;
    void setCaption(const QString& c) override { caption = c; }
    void setLabelText(int label, const QString& text) override { labels[label] = text; }
    void addItem(const QString& item) override { items.append(item); }
    int itemCount() const override { return int(items.size()); }
    void selectItem(int index) override { logic->onEntryClicked(index); }
    void closeDialog() override { closed = true; }
};

struct Viewer {
    FakeEditor e;
    TextBox text1;
    FakeViewer port;
    std::unique_ptr<HistoryViewer> logic;
    void open(HistoryViewer::Mode mode) {
        logic = std::make_unique<HistoryViewer>(e.ctx, text1, port, mode);
        port.logic = logic.get();
        logic->onLoad();
    }
    // The main text `current` over checkpoints of `older` (newest first), the caret of each
    // checkpoint at its length.
    void history(const QString& current, const QStringList& older, int maxUndo = 100) {
        e.history.setMaxUndo(qint16(maxUndo));
        e.history.startFrom(1, older.isEmpty() ? current : older.last());
        for (qsizetype i = older.size() - 2; i >= 0; --i) {
            e.text.setText(older[i]);
            e.text.setSelStart(int(older[i].size()));
            e.history.record(e.text);
        }
        e.text.setText(current);
    }
};

TEST(HistoryViewer, UndoModeListsCheckpointsAndShowsTheChosenOne) {
    struct LimitCase {
        int maxUndo;
        const char* label;
    };
    for (const LimitCase& c :
         {LimitCase{100, "Undo回数：100回まで"}, LimitCase{10000, "Undo回数：無制限"},
          LimitCase{0, "Undo回数：0回まで"}}) {
        Viewer v;
        v.history(QStringLiteral("now"), {QStringLiteral("ab\r\nc\r\n"), QStringLiteral("a")},
                  c.maxUndo);
        v.open(HistoryViewer::Mode::Undo);
        EXPECT_EQ(v.port.labels[6], QString::fromUtf8(c.label));
        EXPECT_EQ(v.port.caption, QString());
        if (c.maxUndo == 0) {
            EXPECT_EQ(v.port.items, QStringList{QStringLiteral("現在")});
            EXPECT_EQ(v.port.labels[5], QStringLiteral("Undo履歴の総数：0個"));
            continue;
        }
        EXPECT_EQ(v.port.items, (QStringList{QStringLiteral("現在"), QStringLiteral("1つ前")}));
        EXPECT_EQ(v.port.labels[5], QStringLiteral("Undo履歴の総数：1個"));
        EXPECT_EQ(v.port.labels[4], QStringLiteral("データ : (現在)"));
        EXPECT_EQ(v.text1.text(), QStringLiteral("now"));

        v.logic->onEntryClicked(1);
        EXPECT_EQ(v.text1.text(), QStringLiteral("a"));
        EXPECT_EQ(v.port.labels[4], QStringLiteral("データ : (1つ前)"));
        // Two CR LF pairs in a text of 7: three lines, three characters.
        v.text1.setText(QStringLiteral("ab\r\nc\r\n"));
        v.logic->refreshCounts();
        EXPECT_EQ(v.port.labels[3], QStringLiteral("総行数\r\n  3\r\n総文字数\r\n  3"));
        EXPECT_EQ(v.e.state.LineTotal, 3);
        EXPECT_EQ(v.e.state.CharTotal, 3);
    }
}

TEST(HistoryViewer, ClipboardModeListsTheHistoryAndCopiesBack) {
    Viewer v;
    v.e.fake.clipboard.content = QStringLiteral("sys");
    v.e.state.ClipHistoryCount = 2;
    v.e.state.ClipHistory[1] = QStringLiteral("a");
    pushClipHistory(v.e.state, QStringLiteral("b\nx"));
    pushClipHistory(v.e.state, QStringLiteral("c"));
    v.open(HistoryViewer::Mode::Clipboard);
    EXPECT_EQ(v.port.caption, QStringLiteral("クリップボードデータの履歴 "));
    EXPECT_EQ(v.port.labels[1], QStringLiteral("クリップボード履歴"));
    EXPECT_EQ(v.port.items, (QStringList{QStringLiteral("現在"), QStringLiteral("1つ前"),
                                         QStringLiteral("2つ前")}));
    EXPECT_EQ(v.port.labels[5], QStringLiteral("クリップボード履歴の総数：2個"));
    EXPECT_EQ(v.text1.text(), QStringLiteral("sys"));

    v.logic->onEntryClicked(1);
    EXPECT_EQ(v.text1.text(), QStringLiteral("b\nx"));
    v.e.fake.prompts.answers << MsgAnswer::No << MsgAnswer::Yes;
    v.logic->onEntryDoubleClicked(1);
    EXPECT_FALSE(v.port.closed);
    v.logic->onEntryDoubleClicked(1);
    EXPECT_TRUE(v.port.closed);
    // Copied out exactly, and once more into the history as its newest entry.
    EXPECT_EQ(v.e.fake.clipboard.content, QStringLiteral("b\nx"));
    EXPECT_EQ(v.e.state.ClipHistory[1], QStringLiteral("b\nx"));
    EXPECT_EQ(v.e.state.ClipHistoryCount, 5);
    EXPECT_EQ(v.e.window.panels[0], QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「b\nx」"));
    EXPECT_EQ(v.e.fake.prompts.shown[0].text,
              QStringLiteral("この文字列をクリップボードにコピーします。よろしいですか？"));
    v.logic->onUnload();
}

// A restore leaves one checkpoint of the restored text, so one Undo returns to the text
// before it; restoring the current text records nothing that would block Undo.
TEST(HistoryViewer, RestoreRecordsOnceAndUndoReturns) {
    Viewer v;
    v.history(QStringLiteral("three "),
              {QStringLiteral("three "), QStringLiteral("two "), QStringLiteral("one ")});
    v.open(HistoryViewer::Mode::Undo);
    v.e.fake.prompts.answers << MsgAnswer::Yes << MsgAnswer::Yes;
    v.logic->onEntryDoubleClicked(0);
    EXPECT_EQ(v.e.history.undoCount(), 3);

    v.logic->onEntryClicked(2);
    v.logic->onEntryDoubleClicked(2);
    EXPECT_EQ(v.e.text.text(), QStringLiteral("one "));
    EXPECT_EQ(v.e.history.undoCount(), 4);
    EXPECT_FALSE(v.e.history.undoPending());
    undo(v.e.ctx);
    EXPECT_EQ(v.e.text.text(), QStringLiteral("three "));
    undo(v.e.ctx);
    EXPECT_EQ(v.e.text.text(), QStringLiteral("two "));
}

// Every kind of break survives the viewer's box, a restore and a save, byte for byte; so
// does a copy back to the clipboard.
TEST(HistoryViewer, RestoreAndCopyBackKeepEveryBreak) {
    const QString exact = QStringLiteral("a\r\nb\rc\nd") + QChar(0x2028) + QStringLiteral("e") +
                          QChar(0x2029) + QStringLiteral("f\r\n");
    FakeEditor e;
    e.history.setMaxUndo(10);
    e.history.startFrom(0, exact);
    e.text.setText(QStringLiteral("changed"));
    e.history.record(e.text);
    {
        HistoryViewerDialog form(e.ctx, HistoryViewer::Mode::Undo);
        form.show();
        child<QListWidget>(&form, "List1")->setCurrentRow(1);
        EXPECT_EQ(form.text().text(), exact);
        EXPECT_EQ(child<QLabel>(&form, "Label4")->text(), QStringLiteral("データ : (1つ前)"));
        e.fake.prompts.answers << MsgAnswer::Yes;
        form.logic().onEntryDoubleClicked(1);
    }
    EXPECT_EQ(e.text.text(), exact);
    const QString file = e.dir.filePath(QStringLiteral("saved.txt"));
    ASSERT_TRUE(writeDocumentBytes(file, e.text.text()));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), encodeDocument(exact));

    e.state.ClipHistoryCount = 2;
    e.state.ClipHistory[1] = exact;
    pushClipHistory(e.state, QStringLiteral("newest"));
    HistoryViewerDialog clip(e.ctx, HistoryViewer::Mode::Clipboard);
    clip.show();
    child<QListWidget>(&clip, "List1")->setCurrentRow(1);
    e.fake.prompts.answers << MsgAnswer::Yes;
    clip.logic().onEntryDoubleClicked(1);
    EXPECT_EQ(e.fake.clipboard.content, exact);
}

} // namespace
