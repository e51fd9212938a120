#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "DocumentTestSupport.h"

#include "documents/FileCommands.h"
#include "documents/ui/OpenFileDialog.h"
#include "documents/RecentFiles.h"
#include "platform/Cp932Codec.h"
#include "shell/MainFixture.h"

#include <QAction>
#include <QApplication>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

class Recent : public ::testing::Test {
protected:
    FakeEditor e;

    void SetUp() override {
        QObject::connect(&e.text, &TextBox::changed, &e.text, [this] { e.document.setDirty(true); });
    }
    QString file(const QString& name) const { return pathIn(e, name); }
    QStringList list() const {
        return {e.window.recentCaptions[0], e.window.recentCaptions[1], e.window.recentCaptions[2]};
    }
    void open(const QString& name) {
                loadAcceptedFile(e.ctx, file(name), false);
    }
    void answer(MsgAnswer a) { e.fake.prompts.answers.enqueue(a); }
    void someHistory() {
        e.history.setSlots(checkpointsOf({u"b", u"a"}), 2, checkpointsOf({u"c"}), 2);
    }
};

TEST_F(Recent, NewestFirstAndTheOldestFallsOff) {
    for (const char* name : {"A", "B", "C", "D"})
        ASSERT_TRUE(writeBytes(file(QString::fromLatin1(name)), name));
    EXPECT_FALSE(e.window.recentSeparator);
    open(u"A"_s);
    EXPECT_TRUE(e.window.recentSeparator);
    EXPECT_TRUE(e.window.recentVisible[0]);
    EXPECT_FALSE(e.window.recentVisible[1]);
    for (const char* name : {"B", "C", "D"})
        open(QString::fromLatin1(name));
    EXPECT_EQ(list(), (QStringList{file(u"D"_s), file(u"C"_s), file(u"B"_s)}));
    EXPECT_TRUE(e.window.recentVisible[2]);
}

TEST_F(Recent, TheSameFileTwiceFillsTwoSlots) {
    ASSERT_TRUE(writeBytes(file(u"A"_s), "a"));
    open(u"A"_s);
    open(u"A"_s);
    EXPECT_EQ(list(), (QStringList{file(u"A"_s), file(u"A"_s), QString()}));
    EXPECT_FALSE(e.window.recentVisible[2]);
}

// A titled, unchanged document "doc.txt" and the recent entry "other.txt".
class RecentClick : public Recent {
protected:
    void SetUp() override {
        Recent::SetUp();
        ASSERT_TRUE(writeBytes(file(u"doc.txt"_s), "doc"));
        ASSERT_TRUE(writeBytes(file(u"other.txt"_s), "\x82\xa9\x82\xc8"));
        e.ctx.document.pushRecentFile(file(u"other.txt"_s));
        e.ctx.document.pushRecentFile(file(u"doc.txt"_s));
        e.document.setPath(file(u"doc.txt"_s));
        e.text.setText(u"doc"_s);
        e.document.setDirty(false);
        someHistory();
    }
};

TEST_F(RecentClick, OpensTheFileAsAFreshDocument) {
    const QStringList before = list();
    openRecentFile(e.ctx, 1);
    EXPECT_TRUE(e.fake.prompts.shown.isEmpty());
    EXPECT_EQ(e.text.text(), u"かな"_s);
    EXPECT_EQ(e.document.loadedText(), u"かな"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"other.txt"_s)));
    EXPECT_FALSE(e.document.isDirty());
    EXPECT_EQ(e.window.statusRefreshes, 1);
    EXPECT_EQ(e.history.undoCount(), 1);
    EXPECT_EQ(e.history.redoCount(), 1);
    EXPECT_EQ(list(), before); // the order does not change
}

TEST_F(RecentClick, WhileUntitledTheDocumentStaysChanged) {
    e.document.setUntitled();
    openRecentFile(e.ctx, 1);
    EXPECT_EQ(e.text.text(), u"かな"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"other.txt"_s)));
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.document.loadedText(), u"かな"_s);
    EXPECT_EQ(e.window.statusRefreshes, 0);
    EXPECT_EQ(e.history.undoCount(), 2); // the history stays
}

TEST_F(RecentClick, DeletedFileLeavesTheDocumentAlone) {
    ASSERT_TRUE(QFile::remove(file(u"other.txt"_s)));
    e.text.setText(u"edited"_s);
    answer(MsgAnswer::No);
    const QStringList before = list();
    openRecentFile(e.ctx, 1);
    ASSERT_EQ(shownTexts(e), (QStringList{savePrompt(file(u"doc.txt"_s)), kRecentMissing}));
    EXPECT_EQ(e.fake.prompts.shown[1].buttons, MsgButtons::OK);
    EXPECT_EQ(e.fake.prompts.shown[1].icon, MsgIcon::None);
    EXPECT_EQ(e.text.text(), u"edited"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"doc.txt"_s)));
    EXPECT_TRUE(e.document.isDirty());
    EXPECT_EQ(e.history.undoCount(), 2);
    EXPECT_EQ(list(), before);
}

TEST_F(RecentClick, EmptySlotAndBadIndex) {
    openRecentFile(e.ctx, 2); // never filled
    EXPECT_EQ(shownTexts(e), QStringList{kRecentMissing});
    openRecentFile(e.ctx, 3);
    openRecentFile(e.ctx, -1);
    EXPECT_EQ(e.fake.prompts.shown.size(), 1);
    EXPECT_EQ(e.text.text(), u"doc"_s);
}

TEST_F(RecentClick, OpensTheEntryClickedEvenWhenTheSaveMovesTheList) {
    e.document.setUntitled();
    e.text.setText(u"draft"_s);
    answer(MsgAnswer::Yes);
    e.fake.dialogs.saveAnswers.enqueue(file(u"draft.txt"_s));
    openRecentFile(e.ctx, 1); // other.txt, which the save moves to slot 2
    EXPECT_EQ(readBytes(file(u"draft.txt"_s)), QByteArray("draft\r\n"));
    EXPECT_EQ(list(),
              (QStringList{file(u"draft.txt"_s), file(u"doc.txt"_s), file(u"other.txt"_s)}));
    EXPECT_EQ(e.text.text(), u"かな"_s);
    EXPECT_EQ(e.window.windowTitle, doctitle::forPath(file(u"other.txt"_s)));
    // The saved document was titled by then: a fresh start.
    EXPECT_FALSE(e.document.isDirty());
    EXPECT_EQ(e.history.undoCount(), 1);
}

struct RecentPromptCase {
    const char* name;
    MsgAnswer answer;
    bool saveFails;
    bool loads;
};
inline void PrintTo(const RecentPromptCase& c, std::ostream* os) {
    *os << c.name;
}

class RecentPrompt : public RecentClick, public ::testing::WithParamInterface<RecentPromptCase> {};

TEST_P(RecentPrompt, YesSavesWithSave) {
    const RecentPromptCase& c = GetParam();
    if (c.saveFails) {
        // The document's file has become a folder.
        ASSERT_TRUE(QFile::remove(file(u"doc.txt"_s)));
        ASSERT_TRUE(QDir(e.dir.path()).mkdir(u"doc.txt"_s));
    }
    e.text.setText(u"edited"_s);
    answer(c.answer);
    openRecentFile(e.ctx, 1);
    EXPECT_EQ(shownTexts(e).value(0), savePrompt(file(u"doc.txt"_s)));
    EXPECT_TRUE(e.fake.dialogs.proposed.isEmpty()); // a titled document saves in place
    if (c.answer == MsgAnswer::Yes && !c.saveFails)
        EXPECT_EQ(readBytes(file(u"doc.txt"_s)), QByteArray("edited\r\n"));
    if (c.saveFails) EXPECT_EQ(shownTexts(e).value(1), kSaveFailed);
    EXPECT_EQ(e.text.text(), c.loads ? u"かな"_s : u"edited"_s);
    EXPECT_EQ(e.window.windowTitle,
              doctitle::forPath(file(c.loads ? u"other.txt"_s : u"doc.txt"_s)));
    EXPECT_EQ(e.document.isDirty(), !c.loads);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RecentPrompt,
    ::testing::Values(RecentPromptCase{"Cancel", MsgAnswer::Cancel, false, false},
                      RecentPromptCase{"No", MsgAnswer::No, false, true},
                      RecentPromptCase{"YesSaved", MsgAnswer::Yes, false, true},
                      RecentPromptCase{"YesFailedKeepsTheText", MsgAnswer::Yes, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------- in the main window

TEST_F(MainFixture, StoredRecentFilesShowOnlyTheFilledSlots) {
    writeIni("[data]\r\nrecentfile0=C:\\a.txt\r\nrecentfile1=\r\nrecentfile2=C:\\c.txt\r\n");
    MainWindow& w = start();
    EXPECT_TRUE(w.action(u"mnuFileBar3"_s)->isVisible());
    EXPECT_TRUE(w.action(u"mnuRecentFile(0)"_s)->isVisible());
    EXPECT_FALSE(w.action(u"mnuRecentFile(1)"_s)->isVisible());
    EXPECT_TRUE(w.action(u"mnuRecentFile(2)"_s)->isVisible());
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(0)"_s), u"C:\\a.txt"_s);
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(2)"_s), u"C:\\c.txt"_s);
}

TEST_F(MainFixture, FileCommandsRunFromTheMenu) {
    writeFile(u"a.txt"_s, "first");
    writeFile(u"b.txt"_s, "second");
    writeIni(QByteArray("[data]\r\nrecentfile0=") + path(u"a.txt"_s).toUtf8() +
             "\r\nrecentfile1=" + path(u"b.txt"_s).toUtf8() + "\r\n");
    MainWindow& w = start(path(u"a.txt"_s));
    EXPECT_FALSE(w.action(u"mnuFileBar3"_s) == nullptr);

    w.action(u"mnuRecentFile(1)"_s)->trigger();
    EXPECT_EQ(w.text().text(), u"second"_s);
    EXPECT_EQ(w.windowTitle(), u"Pallo   "_s + path(u"b.txt"_s));
    EXPECT_FALSE(form->document().isDirty());

    w.text().setText(u"second, edited"_s);
    EXPECT_TRUE(form->document().isDirty());
    w.action(u"mnuFileSave"_s)->trigger();
    EXPECT_EQ(readFile(u"b.txt"_s), QByteArray("second, edited\r\n"));
    EXPECT_FALSE(form->document().isDirty());

    fake.dialogs.saveAnswers.enqueue(path(u"c.txt"_s));
    w.action(u"mnuFileSaveAs"_s)->trigger();
    EXPECT_EQ(readFile(u"c.txt"_s), QByteArray("second, edited\r\n"));
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(0)"_s), path(u"c.txt"_s));
    EXPECT_TRUE(w.action(u"mnuRecentFile(2)"_s)->isVisible());

    w.action(u"mnuFileNew"_s)->trigger();
    EXPECT_EQ(w.text().text(), QString());
    EXPECT_EQ(w.windowTitle(), u"Pallo   （無題）"_s);
    EXPECT_FALSE(form->document().isDirty());

    // The real open dialog: go to the folder, click the file, press 開く(&O).
    const auto acceptInDialog = [this](const QString& name) {
        QTimer::singleShot(0, [this, name] {
            auto* dialog = qobject_cast<OpenFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialog->chooser().chooseFolder(dir.path());
            dialog->onFileClicked(int(dialog->chooser().files().indexOf(name)));
            dialog->onOpenClicked();
        });
    };
    acceptInDialog(u"a.txt"_s);
    w.runCommand(u"mnuFileOpen"_s);
    EXPECT_EQ(w.text().text(), u"first"_s);
    EXPECT_EQ(w.windowTitle(), u"Pallo   "_s + path(u"a.txt"_s));
    acceptInDialog(u"b.txt"_s);
    w.runCommand(u"mnugousei"_s);
    EXPECT_EQ(w.text().text(), u"first\r\nsecond, edited\r\n"_s);
    EXPECT_EQ(w.windowTitle(), u"Pallo   "_s + path(u"a.txt"_s));
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(0)"_s), path(u"b.txt"_s));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MainFixture, LoadingIntoTheWindowShowsTheText) {
    writeFile(u"doc.txt"_s, "\x93\xfa\x96\x7b\x8c\xea\r\n2");
    MainWindow& w = start();
    loadAcceptedFile(w.context(), path(u"doc.txt"_s), false);
    settle();
    EXPECT_EQ(w.text().text(), u"日本語\r\n2"_s);
    EXPECT_FALSE(form->document().isDirty());
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(0)"_s), path(u"doc.txt"_s));
    EXPECT_TRUE(w.action(u"mnuRecentFile(0)"_s)->isVisible());
    EXPECT_TRUE(w.action(u"mnuFileBar3"_s)->isVisible());
}

} // namespace

// A path with "&" is shown as it is, not with an access key, and stored back unchanged.
TEST_F(MainFixture, RecentPathWithAmpersandKeepsIt) {
    MainWindow& w = start();
    const QString odd = path(u"R&D notes.txt"_s);
    w.document().pushRecentFile(odd);
    EXPECT_EQ(w.itemCaption(u"mnuRecentFile(0)"_s), odd);
    EXPECT_EQ(w.action(u"mnuRecentFile(0)"_s)->text(), path(u"R&&D notes.txt"_s));
    form->document().setDirty(false);
    w.close();
    EXPECT_TRUE(readFile(u"Pallo.ini"_s).contains(("recentfile0=" + odd).toUtf8()));
}

// A recent file comes back exactly after a restart, whatever its path holds; the settings file
// stays Shift_JIS and keeps the paths it can hold as they are.
TEST_F(MainFixture, RecentPathsComeBackThroughTheSettingsFile) {
    const std::pair<QString, bool> cases[] = {
        {u"Ölfolder"_s, false}, {u"絵文字😀"_s, false}, {u"한글 폴더"_s, false},
        {u"100% Ö"_s, false},   {u"原稿 100%"_s, true}, // stored as it is
    };
    for (const auto& [folder, storedAsIs] : cases) {
        const QString file = path(folder + u"/doc.txt"_s);
        ASSERT_TRUE(QDir(dir.path()).mkpath(folder));
        for (const bool restarted : {false, true}) {
            MainWindow& w = start();
            if (!restarted) {
                w.text().setText(u"原稿"_s);
                fake.dialogs.saveAnswers.enqueue(file);
                w.action(u"mnuFileSaveAs"_s)->trigger();
            } else {
                w.action(u"mnuRecentFile(0)"_s)->trigger();
                EXPECT_EQ(w.text().text(), u"原稿\r\n"_s) << file.toStdString();
                EXPECT_EQ(w.windowTitle(), u"Pallo   "_s + file);
            }
            // Opened over an untitled document, the text counts as changed: nothing to ask.
            w.document().setDirty(false);
            w.close();
            form.reset();
            const QByteArray ini = readFile(u"Pallo.ini"_s);
            EXPECT_FALSE(cp932::decode(ini).contains(u'?')) << file.toStdString();
            EXPECT_EQ(ini.contains("recentfile0=" + cp932::encode(file) + "\r\n"), storedAsIs);
        }
    }
    EXPECT_EQ(fake.prompts.texts(), QStringList());
}
