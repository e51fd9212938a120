#include "MainFixture.h"

#include "documents/FileChanges.h"
#include "platform/Cp932Codec.h"

#include <QSignalSpy>
#include <QWidget>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// Who touched the document's file while the window was in the background.
enum class Change { Written, Replaced, Deleted, OwnSave, Backup };
// What the window asked when it was active again.
enum class Asked { Nothing, Reload, ReloadOverEdits, Deleted };

const QByteArray kOriginal = cp932::encode(u"元の文\r\n"_s);
const QString kOther = u"他の文\r\n"_s;

} // namespace

class FileChange : public MainFixture {
protected:
    QWidget elsewhere; // another window, which takes the activation away

    void activate(QWidget& window) {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::qWait(20); // the queued look at the file
    }
    void changeOnDisk(Change change) {
        const QString doc = path(u"文書.txt"_s);
        if (change == Change::Deleted) {
            ASSERT_TRUE(QFile::remove(doc));
        } else if (change == Change::Written) {
            writeFile(u"文書.txt"_s, cp932::encode(kOther));
        } else {
            writeFile(u"置換.tmp"_s, cp932::encode(kOther));
            ASSERT_EQ(std::rename(QFile::encodeName(path(u"置換.tmp"_s)).constData(),
                                  QFile::encodeName(doc).constData()),
                      0);
        }
    }
};

// Another program's change is put to the writer only when the window is active again, once;
// Pallo's own saves and backups (of a recovered text, whose file is the backup) never are.
TEST_F(FileChange, AsksWhenActiveAgainByWhoChangedTheFileAndTheText) {
    struct Row {
        Change change;
        bool edited;
        MsgAnswer answer;
        Asked asked;
        bool reloads;
        bool dirtyAfter;
    };
    const Row rows[] = {
        {Change::Written, false, MsgAnswer::Yes, Asked::Reload, true, false},
        {Change::Replaced, false, MsgAnswer::No, Asked::Reload, false, false},
        {Change::Written, true, MsgAnswer::No, Asked::ReloadOverEdits, false, true},
        {Change::Replaced, true, MsgAnswer::Yes, Asked::ReloadOverEdits, true, false},
        {Change::Deleted, false, MsgAnswer::OK, Asked::Deleted, false, true},
        {Change::Deleted, true, MsgAnswer::OK, Asked::Deleted, false, true},
        {Change::OwnSave, true, MsgAnswer::OK, Asked::Nothing, false, false},
        {Change::Backup, true, MsgAnswer::OK, Asked::Nothing, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "change " << int(row.change) << " edited " << row.edited);
        fake.prompts.shown.clear();
        QFile::remove(backupPath());
        writeFile(u"文書.txt"_s, kOriginal);
        if (row.change == Change::Backup) writeFile(u"PalloBackup.txt"_s, kOriginal);
        MainWindow& w = start(row.change == Change::Backup ? QString() : path(u"文書.txt"_s));
        activate(w);
        if (row.edited) QTest::keyClicks(w.textView(), u"abc"_s);
        const QString before = w.text().text();
        activate(elsewhere);

        QSignalSpy touched(&w.document().fileWatch(), &FileChangeWatch::touched);
        if (row.change == Change::OwnSave)
            w.action(u"mnuFileSave"_s)->trigger();
        else if (row.change == Change::Backup)
            w.onBackupTimer();
        else
            changeOnDisk(row.change);
        touched.wait(row.asked == Asked::Nothing ? 300 : 5000);
        QTest::qWait(20);
        EXPECT_TRUE(fake.prompts.shown.isEmpty()) << "asked while in the background";

        fake.prompts.answers.enqueue(row.answer);
        activate(w);
        ASSERT_EQ(fake.prompts.shown.size(), row.asked == Asked::Nothing ? 0 : 1);
        if (row.asked != Asked::Nothing) {
            const RecordedMessage& m = fake.prompts.shown[0];
            EXPECT_EQ(m.buttons, row.asked == Asked::Deleted ? MsgButtons::OK : MsgButtons::YesNo);
            EXPECT_EQ(m.text == kFileChangedQuestion, row.asked == Asked::Reload);
            EXPECT_EQ(m.text.startsWith(kFileChangedQuestion), row.asked != Asked::Deleted);
        }
        EXPECT_EQ(w.text().text(), row.reloads ? kOther : before);
        EXPECT_EQ(w.document().isDirty(), row.dirtyAfter);
        if (row.reloads) {
            // One step of the history: the text before the reload is one 元に戻す away.
            w.action(u"mnuEditUndo"_s)->trigger();
            EXPECT_EQ(w.text().text(), before);
        }

        activate(elsewhere);
        activate(w);
        EXPECT_EQ(fake.prompts.shown.size(), row.asked == Asked::Nothing ? 0 : 1) << "told twice";
        form->hide();
        form.reset();
    }
}

// 上書き保存 onto a file another program changed since Pallo read it asks first; No keeps the
// other program's file and the writer's changes.
TEST_F(FileChange, SavingOverAnotherProgramsChangeAsks) {
    struct Row {
        bool otherWrote;
        MsgAnswer answer;
        bool overwrites;
    };
    const Row rows[] = {
        {true, MsgAnswer::Yes, true},
        {true, MsgAnswer::No, false},
        {false, MsgAnswer::OK, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "other wrote " << row.otherWrote);
        fake.prompts.shown.clear();
        writeFile(u"文書.txt"_s, kOriginal);
        MainWindow& w = start(path(u"文書.txt"_s)); // never shown: the watch asks nothing
        w.text().setSelText(u"書き足し"_s);
        if (row.otherWrote) writeFile(u"文書.txt"_s, cp932::encode(kOther));
        fake.prompts.answers.enqueue(row.answer);
        w.action(u"mnuFileSave"_s)->trigger();

        EXPECT_EQ(fake.prompts.shown.size(), row.otherWrote ? 1 : 0);
        const QString onDisk = cp932::decode(readFile(u"文書.txt"_s));
        EXPECT_EQ(onDisk.contains(u"書き足し"_s), row.overwrites);
        EXPECT_EQ(w.document().isDirty(), !row.overwrites);
        form.reset();
    }
}
