#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "DocumentTestSupport.h"

#include "documents/DocumentFile.h"
#include "documents/FileCommands.h"
#include "documents/RecentFiles.h"
#include "documents/SaveCommands.h"
#include "platform/Cp932Codec.h"
#include "shell/MainLogic.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// A fake editor whose text box marks the document changed, as the main window's does.
class Editor : public ::testing::Test {
protected:
    FakeEditor e;

    void SetUp() override {
        QObject::connect(&e.text, &TextBox::changed, &e.text, [this] { e.document.setDirty(true); });
        saveDialogFilterIndex() = 1;
    }
    QString file(const QString& name) const { return pathIn(e, name); }

    // A document read from `name` (holding `stored`) and changed to `text` when they differ.
    void openDocument(const QString& name, const QByteArray& stored, const QString& text) {
        ASSERT_TRUE(writeBytes(file(name), stored));
        e.document.setPath(file(name));
        e.text.setText(text);
        e.document.setDirty(cp932::decode(stored) != text);
    }
    // The open dialog accepts `path`.
    void acceptInOpenDialog(const QString& path) {
        e.window.openDialog = [this, path](bool insert) {
                        loadAcceptedFile(e.ctx, path, insert);
        };
    }
    void answer(MsgAnswer a) { e.fake.prompts.answers.enqueue(a); }
    void saveAs(const std::optional<QString>& path) { e.fake.dialogs.saveAnswers.enqueue(path); }
    QString recent(int i) const { return e.window.recentCaptions[i]; }
    // A history that a reset visibly shortens.
    void someHistory() {
        e.history.setSlots(checkpointsOf({u"c", u"b", u"a"}), 3, checkpointsOf({u"d"}), 2);
    }
    bool historyWasReset() const { return e.history.undoCount() == 1 && e.history.redoCount() == 1; }
};

// ---------------------------------------------------------------- the save prompt

// What the save prompt of New and Open leads to. The document is doc.txt, changed unless
// the answer is missing; the save dialog answers with out.txt or a cancel.
struct PromptCase {
    const char* name;
    std::optional<MsgAnswer> answer;    // nullopt: the document has no changes
    std::optional<bool> saveAsAnswered; // true: out.txt chosen, false: cancelled
    bool goesOn;                        // New clears, Open shows the open dialog
};
inline void PrintTo(const PromptCase& c, std::ostream* os) {
    *os << c.name;
}

// doc.txt open, changed unless the case has no answer, with a history and the answers queued.
class PromptTest : public Editor, public ::testing::WithParamInterface<PromptCase> {
protected:
    void arrange(const PromptCase& c) {
        openDocument(u"doc.txt"_s, "old", c.answer ? u"changed"_s : u"old"_s);
        someHistory();
        if (c.answer) answer(*c.answer);
        if (c.saveAsAnswered)
            saveAs(*c.saveAsAnswered ? std::optional(file(u"out.txt"_s)) : std::nullopt);
    }
};

class NewPrompt : public PromptTest {};

TEST_P(NewPrompt, YesSavesAndEndsTheCommand) {
    const PromptCase& c = GetParam();
    arrange(c);

    newDocument(e.ctx);

    if (c.answer) {
        ASSERT_GE(e.fake.prompts.shown.size(), 1);
        EXPECT_EQ(e.fake.prompts.shown[0].text, savePrompt(file(u"doc.txt"_s)));
        EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::None);
    } else {
        EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    }
    // Yes always asks for a name, even for a titled document.
    EXPECT_EQ(e.fake.dialogs.proposed.size(), c.saveAsAnswered ? 1 : 0);
    const bool saved = c.saveAsAnswered.value_or(false);
    EXPECT_EQ(QFileInfo::exists(file(u"out.txt"_s)), saved);
    if (c.goesOn) {
        EXPECT_EQ(e.text.text(), QString());
        EXPECT_EQ(e.window.windowTitle, doctitle::kUntitled);
        EXPECT_FALSE(e.document.isDirty());
        EXPECT_EQ(e.document.loadedText(), QString());
        EXPECT_EQ(e.window.statusRefreshes, 1);
        EXPECT_TRUE(historyWasReset());
    } else {
        EXPECT_EQ(e.text.text(), u"changed"_s);
        EXPECT_EQ(e.window.windowTitle,
                  doctitle::forPath(file(saved ? u"out.txt"_s : u"doc.txt"_s)));
        EXPECT_EQ(e.document.isDirty(), !saved);
        EXPECT_FALSE(historyWasReset());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, NewPrompt,
    ::testing::Values(PromptCase{"Unchanged", std::nullopt, std::nullopt, true},
                      PromptCase{"Cancel", MsgAnswer::Cancel, std::nullopt, false},
                      PromptCase{"No", MsgAnswer::No, std::nullopt, true},
                      PromptCase{"YesSaved", MsgAnswer::Yes, true, false},
                      PromptCase{"YesDialogCancelled", MsgAnswer::Yes, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

class OpenPrompt : public PromptTest {};

TEST_P(OpenPrompt, GoesOnToTheOpenDialogUnlessTheChangesWouldBeLost) {
    const PromptCase& c = GetParam();
    arrange(c);

    ::openDocument(e.ctx);

    EXPECT_EQ(e.fake.prompts.shown.size(), c.answer ? 1 : 0);
    EXPECT_EQ(e.fake.dialogs.proposed.size(), c.saveAsAnswered ? 1 : 0);
    EXPECT_EQ(QFileInfo::exists(file(u"out.txt"_s)), c.saveAsAnswered.value_or(false));
    EXPECT_EQ(e.window.openDialogModes, c.goesOn ? QList<bool>{false} : QList<bool>{});
    EXPECT_EQ(historyWasReset(), c.goesOn);
    EXPECT_EQ(e.text.text(), c.answer ? u"changed"_s : u"old"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, OpenPrompt,
    ::testing::Values(PromptCase{"Unchanged", std::nullopt, std::nullopt, true},
                      PromptCase{"Cancel", MsgAnswer::Cancel, std::nullopt, false},
                      PromptCase{"No", MsgAnswer::No, std::nullopt, true},
                      PromptCase{"YesSaved", MsgAnswer::Yes, true, true},
                      PromptCase{"YesDialogCancelledKeepsTheText", MsgAnswer::Yes, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Editor, OpenEndsWhenTheSaveAtThePromptFails) {
    openDocument(u"doc.txt"_s, "old", u"changed"_s);
    answer(MsgAnswer::Yes);
    saveAs(file(u"no/such/folder/out.txt"_s));
    ::openDocument(e.ctx);
    EXPECT_EQ(shownTexts(e).value(1), kSaveFailed);
    EXPECT_TRUE(e.window.openDialogModes.isEmpty());
    EXPECT_TRUE(e.document.isDirty());
}

TEST_F(Editor, OpenEndsWhenUnmappableCharactersAreNotAccepted) {
    openDocument(u"doc.txt"_s, "old", u"絵文字😀"_s);
    answer(MsgAnswer::Yes);
    saveAs(file(u"out.txt"_s));
    answer(MsgAnswer::Cancel);
    ::openDocument(e.ctx);
    EXPECT_EQ(e.fake.prompts.shown.size(), 2);
    EXPECT_TRUE(e.window.openDialogModes.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(file(u"out.txt"_s)));
}

TEST_F(Editor, OpenCancelledInTheDialogStillResetsTheHistory) {
    someHistory();
    e.window.openDialog = [](bool) {}; // closed without a file
    ::openDocument(e.ctx);
    EXPECT_TRUE(historyWasReset());
}

// ---------------------------------------------------------------- the loading step

TEST_F(Editor, OpenLoadsTheFile) {
    openDocument(u"doc.txt"_s, "old", u"old"_s);
    ASSERT_TRUE(writeBytes(file(u"other.txt"_s), "\x82\xa0\r\nline"));
    acceptInOpenDialog(file(u"other.txt"_s));
    ::openDocument(e.ctx);
    EXPECT_EQ(e.text.text(), u"あ\r\nline"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"other.txt"_s)));
    EXPECT_EQ(e.document.loadedText(), u"あ\r\nline"_s);
    EXPECT_FALSE(e.document.isDirty());
    EXPECT_EQ(recent(0), file(u"other.txt"_s));
    EXPECT_EQ(e.fake.pointer.changes, (QList<bool>{true, false}));
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
}

TEST_F(Editor, InsertAppendsOnANewLine) {
    openDocument(u"doc.txt"_s, "xyz", u"xyz"_s);
    ASSERT_TRUE(writeBytes(file(u"part.txt"_s), "123"));
    e.text.setSelStart(1); // the caret's place does not matter
    acceptInOpenDialog(file(u"part.txt"_s));
    insertFile(e.ctx);
    EXPECT_EQ(e.window.openDialogModes, QList<bool>{true});
    EXPECT_EQ(e.text.text(), u"xyz\r\n123"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"doc.txt"_s)));
    EXPECT_EQ(recent(0), file(u"part.txt"_s));
    EXPECT_EQ(e.document.loadedText(), u"xyz\r\n123"_s);
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.text.selStart(), e.text.length());
}

TEST_F(Editor, InsertAsksNothingAndKeepsTheHistory) {
    openDocument(u"doc.txt"_s, "old", u"changed"_s);
    someHistory();
    ASSERT_TRUE(writeBytes(file(u"part.txt"_s), ""));
    acceptInOpenDialog(file(u"part.txt"_s));
    insertFile(e.ctx);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(e.text.text(), u"changed\r\n"_s);
    EXPECT_EQ(e.history.undoCount(), 3);
}

struct BadFile {
    const char* name;
    QString (*prepare)(const QString& dir); // returns the path the dialog accepts
};
inline void PrintTo(const BadFile& c, std::ostream* os) {
    *os << c.name;
}

class LoadFailure : public Editor,
                    public ::testing::WithParamInterface<std::tuple<BadFile, bool>> {};

TEST_P(LoadFailure, ReportsAndChangesNothing) {
    const auto& [bad, insert] = GetParam();
    openDocument(u"doc.txt"_s, "old", u"changed"_s);
    e.ctx.document.pushRecentFile(u"earlier.txt"_s);
        loadAcceptedFile(e.ctx, bad.prepare(e.dir.path()), insert);
    ASSERT_EQ(shownTexts(e), QStringList{kLoadFailed});
    EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::OK);
    EXPECT_EQ(e.text.text(), u"changed"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"doc.txt"_s)));
    EXPECT_EQ(recent(0), u"earlier.txt"_s);
    EXPECT_TRUE(recent(1).isEmpty());
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.fake.pointer.changes, (QList<bool>{true, false}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, LoadFailure,
    ::testing::Combine(::testing::Values(BadFile{"Folder", [](const QString& dir) { return dir; }},
                                         BadFile{"Missing",
                                                 [](const QString& dir) {
                                                     return dir + u"/gone.txt"_s;
                                                 }},
                                         BadFile{"OverTheLimit",
                                                 [](const QString& dir) {
                                                     QFile f(dir + u"/huge.txt"_s);
                                                     if (f.open(QIODevice::WriteOnly))
                                                         f.resize(kMaxDocumentBytes + 1);
                                                     return f.fileName();
                                                 }}),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) +
               (std::get<1>(info.param) ? "Insert" : "Open");
    });

TEST_F(Editor, ZeroByteFileOpensAsAnEmptyTitledDocument) {
    openDocument(u"doc.txt"_s, "old", u"old"_s);
    ASSERT_TRUE(writeBytes(file(u"empty.txt"_s), ""));
        loadAcceptedFile(e.ctx, file(u"empty.txt"_s), false);
    EXPECT_EQ(e.text.text(), QString());
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"empty.txt"_s)));
    EXPECT_FALSE(e.document.isDirty());
}

TEST_F(Editor, BinaryFileIsShownAndSavedBackByteForByte) {
    const QByteArray bytes("MZ\x00\x01\x82\xa0\xff\x80\x81\x7f\x9f\r\x00\n\xe0", 15);
    ASSERT_TRUE(writeBytes(file(u"prog.bin"_s), bytes));
        loadAcceptedFile(e.ctx, file(u"prog.bin"_s), false);
    EXPECT_EQ(e.text.length(), 14); // 82A0 is one character
    EXPECT_TRUE(e.text.text().startsWith(u"MZ\0\x01あ"_s));
    saveDocument(e.ctx);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(readBytes(file(u"prog.bin"_s)), bytes + "\r\n");
}

TEST_F(Editor, PathWithBlanksAndJapanese) {
    const QString folder = file(u"原稿 フォルダ"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + u"/第1章 はじめに.txt"_s;
    ASSERT_TRUE(writeBytes(path, cp932::encode(u"本文"_s)));
        loadAcceptedFile(e.ctx, path, false);
    EXPECT_EQ(e.window.windowTitle, u"Pallo   "_s + path);
    e.text.setText(u"本文を直した"_s);
    saveDocument(e.ctx);
    EXPECT_EQ(readBytes(path), cp932::encode(u"本文を直した\r\n"_s));
    EXPECT_FALSE(e.document.isDirty());
}

// ---------------------------------------------------------------- Save and Save As

TEST_F(Editor, SaveWritesTheTitledDocument) {
    openDocument(u"doc.txt"_s, "old", u"abc"_s);
    saveDocument(e.ctx);
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("abc\r\n"));
    EXPECT_FALSE(e.document.isDirty());
    EXPECT_TRUE(e.fake.dialogs.proposed.isEmpty());
    EXPECT_TRUE(recent(0).isEmpty()); // Save keeps the list
}

TEST_F(Editor, SaveOfAnUntitledDocumentAsksForAName) {
    e.text.setText(u"ab:c/d efg"_s);
    saveAs(std::nullopt);
    saveDocument(e.ctx);
    EXPECT_EQ(e.fake.dialogs.proposed, QStringList{u"abc"_s});
    EXPECT_EQ(e.window.windowTitle, doctitle::kUntitled);
    EXPECT_TRUE(e.document.isDirty());

    saveAs(file(u"abc.txt"_s));
    saveDocument(e.ctx);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"abc.txt"_s)));
    EXPECT_EQ(readBytes(file(u"abc.txt"_s)), QByteArray("ab:c/d efg\r\n"));
    EXPECT_FALSE(e.document.isDirty());
}

TEST_F(Editor, SaveAsMakesTheChosenFileTheDocument) {
    openDocument(u"doc.txt"_s, "old", u"new"_s);
    saveAs(file(u"copy.txt"_s));
    saveDocumentAs(e.ctx);
    EXPECT_EQ(e.fake.dialogs.proposed, QStringList{u"doc.txt"_s});
    EXPECT_EQ(readBytes(file(u"copy.txt"_s)), QByteArray("new\r\n"));
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("old"));
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"copy.txt"_s)));
    EXPECT_EQ(recent(0), file(u"copy.txt"_s));
    EXPECT_TRUE(e.window.recentVisible[0]);
    EXPECT_FALSE(e.document.isDirty());
}

TEST_F(Editor, SaveAsCancelledChangesNothing) {
    openDocument(u"doc.txt"_s, "old", u"new"_s);
    saveAs(std::nullopt);
    saveDocumentAs(e.ctx);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"doc.txt"_s)));
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_TRUE(recent(0).isEmpty());
    EXPECT_FALSE(e.window.recentSeparator);
}

TEST_F(Editor, SaveAsNamesTheDocumentEvenWhenTheWriteFails) {
    openDocument(u"doc.txt"_s, "old", u"new"_s);
    const QString target = file(u"missing/new.txt"_s);
    saveAs(target);
    saveDocumentAs(e.ctx);
    EXPECT_EQ(shownTexts(e), QStringList{kSaveFailed});
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(target));
    EXPECT_EQ(recent(0), target);
    EXPECT_TRUE(e.document.isDirty());
}

// The save dialog with the filter selection it was opened with.
class FilterDialogs : public ScriptedDialogs {
public:
    QList<int> openedWith;
    std::optional<int> userPicks; // the filter the user selects before saving
    std::optional<QString> saveFileName(const QString& name, const QStringList& filters,
                                        int& index) override {
        openedWith.append(index);
        if (userPicks) index = *userPicks;
        return ScriptedDialogs::saveFileName(name, filters, index);
    }
};

TEST_F(Editor, FilterSelectionIsKeptBetweenUses) {
    FilterDialogs dialogs;
    Services services{e.fake.prompts, e.fake.clipboard, e.fake.clock,
                      e.fake.pump,    e.fake.pointer,   dialogs};
    CommandContext ctx{e.state, e.text, services, e.window, e.dir.path(), e.history, e.document};
    const auto save = [&](const QString& text) {
        e.text.setText(text);
        dialogs.saveAnswers.enqueue(std::nullopt);
        saveDocumentAs(ctx);
    };
    save(u"plain"_s);                            // first use: the text filter
    save(u"<HTML>\r\n<HEAD>\r\n</HEAD>\r\nx"_s); // HTML selects the html filter
    save(u"plain again"_s);                      // kept from the previous use
    dialogs.userPicks = 1;
    save(u"plain"_s);
    dialogs.userPicks.reset();
    save(u"plain"_s); // the user's choice is kept too
    EXPECT_EQ(dialogs.openedWith, (QList<int>{1, 2, 2, 2, 1}));
    EXPECT_EQ(dialogs.proposed,
              (QStringList{u"plain"_s, u"x"_s, u"plain"_s, u"plain"_s, u"plain"_s}));
}

// ---------------------------------------------------------------- unmappable characters

const QString kUnmappableText = u"一行目\r\n二😀三€\r\n"_s;

QString unmappableQuestion(int count, const QString& first, int line) {
    return u"Shift_JISで保存できない文字が"_s + QString::number(count) +
           u"個あります。\r\n最初の文字：「"_s + first + u"」（行:"_s + QString::number(line) +
           u"）\r\nUTF-8で保存すれば、これらの文字もそのまま残ります。UTF-8で保存しますか？\r\n"_s
           u"（いいえ：Shift_JISで保存し、これらの文字は「?」に置き換わります）"_s;
}

TEST_F(Editor, UnmappableCharactersAreConfirmedBeforeSave) {
    openDocument(u"doc.txt"_s, "old", kUnmappableText);
    answer(MsgAnswer::No); // keep Shift_JIS
    saveDocument(e.ctx);
    ASSERT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.fake.prompts.shown[0].text, unmappableQuestion(2, u"😀"_s, 1));
    EXPECT_EQ(e.fake.prompts.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(e.fake.prompts.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), cp932::encode(u"一行目\r\n二?三?\r\n\r\n"_s));
    EXPECT_FALSE(e.document.isDirty());
}

TEST_F(Editor, RefusedUnmappableSaveWritesNothingAndShowsTheCharacter) {
    openDocument(u"doc.txt"_s, "old", kUnmappableText);
    answer(MsgAnswer::Cancel);
    saveDocument(e.ctx);
    EXPECT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("old"));
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.text.selStart(), 6);
    EXPECT_EQ(e.text.selText(), u"😀"_s);
}

TEST_F(Editor, RefusedUnmappableSaveAsIsACancel) {
    openDocument(u"doc.txt"_s, "old", u"x\xd800y"_s); // a lone surrogate
    saveAs(file(u"new.txt"_s));
    answer(MsgAnswer::Cancel);
    saveDocumentAs(e.ctx);
    ASSERT_EQ(e.fake.dialogs.proposed.size(), 1); // the name is chosen first
    EXPECT_EQ(shownTexts(e), QStringList{unmappableQuestion(1, u"\xd800"_s, 0)});
    EXPECT_FALSE(QFileInfo::exists(file(u"new.txt"_s)));
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"doc.txt"_s)));
    EXPECT_TRUE(recent(0).isEmpty());
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.text.selStart(), 1);
    EXPECT_EQ(e.text.selLength(), 1);
}

TEST_F(Editor, BytesFromAnInvalidFileAreNotUnmappable) {
    openDocument(u"doc.txt"_s, "\x82\x7f\xfd", u"\xdc82\x7f\xf8f1"_s);
    e.document.setDirty(true);
    saveDocument(e.ctx);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("\x82\x7f\xfd\r\n"));
}

// ---------------------------------------------------------------- the recovered backup

class Recovered : public Editor {
protected:
    void SetUp() override {
        Editor::SetUp();
        ASSERT_TRUE(writeBytes(backupFilePath(e.dir.path()), "lost work\r\n"));
        e.text.setText(u"lost work\r\n"_s);
        e.document.setPath(backupFilePath(e.dir.path()));
        e.document.setDirty(false);
    }
    QByteArray backup() const { return readBytes(backupFilePath(e.dir.path())); }
};

TEST_F(Recovered, SaveAsksForANameInsteadOfWritingTheBackup) {
    saveAs(std::nullopt);
    saveDocument(e.ctx);
    EXPECT_EQ(e.fake.dialogs.proposed, QStringList{u"lost"_s}); // from the text
    EXPECT_EQ(backup(), QByteArray("lost work\r\n"));

    saveAs(file(u"work.txt"_s));
    saveDocument(e.ctx);
    EXPECT_EQ(readBytes(file(u"work.txt"_s)), QByteArray("lost work\r\n\r\n"));
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"work.txt"_s)));
    EXPECT_EQ(backup(), QByteArray("lost work\r\n"));
}

TEST_F(Recovered, ClosingWithYesAsksForAName) {
    e.text.setText(u"lost work, edited"_s);
    MainLogic logic(e.state, e.text, e.fake.services, e.window, e.dir.path(), e.history, e.document);
    answer(MsgAnswer::Yes);
    saveAs(std::nullopt);
    EXPECT_FALSE(logic.shutdown()); // the cancelled save keeps the window open
    EXPECT_EQ(e.fake.dialogs.proposed.size(), 1);
    EXPECT_EQ(backup(), QByteArray("lost work\r\n"));

    answer(MsgAnswer::Yes);
    saveAs(file(u"kept.txt"_s));
    EXPECT_TRUE(logic.shutdown());
    EXPECT_EQ(readBytes(file(u"kept.txt"_s)), QByteArray("lost work, edited\r\n"));
}

TEST_F(Editor, ClosingWithRefusedUnmappableCharactersKeepsTheWindowOpen) {
    openDocument(u"doc.txt"_s, "old", u"😀"_s);
    MainLogic logic(e.state, e.text, e.fake.services, e.window, e.dir.path(), e.history, e.document);
    answer(MsgAnswer::Yes);
    answer(MsgAnswer::Cancel);
    EXPECT_FALSE(logic.shutdown());
    EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("old"));
}

// ---------------------------------------------------------------- start-up and the size limit

// The size limit guards the loading commands; the backup of a lost session is that session's
// text, and start-up would empty it if it were refused.
TEST_F(Editor, OversizedBackupIsStillRecoveredAtStartUp) {
    {
        QFile f(backupFilePath(e.dir.path()));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.write("recovered", 9) == 9);
        ASSERT_TRUE(f.resize(kMaxDocumentBytes + 1));
    }
    MainLogic logic(e.state, e.text, e.fake.services, e.window, e.dir.path(), e.history, e.document);
    logic.startup(QString());
    EXPECT_EQ(e.text.length(), kMaxDocumentBytes + 1);
    EXPECT_TRUE(e.text.text().startsWith(u"recovered"_s));
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(backupFilePath(e.dir.path())));
    EXPECT_EQ(QFileInfo(backupFilePath(e.dir.path())).size(), kMaxDocumentBytes + 1);
}

TEST_F(Editor, OversizedFileIsNotOpenedAtStartUp) {
    {
        QFile f(file(u"huge.txt"_s));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_TRUE(f.resize(kMaxDocumentBytes + 1));
    }
    MainLogic logic(e.state, e.text, e.fake.services, e.window, e.dir.path(), e.history, e.document);
    logic.startup(file(u"huge.txt"_s));
    EXPECT_EQ(e.text.length(), 0);
    EXPECT_EQ(e.window.windowTitle, doctitle::kUntitled);
}

} // namespace
