#include "MainFixture.h"

#include "documents/FileChanges.h"
#include "platform/Cp932Codec.h"

#include <QSignalSpy>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

enum class Change { Written, Replaced, Deleted, OwnSave, Backup };
enum class Asked { Nothing, Reload, ReloadOverEdits, Deleted };

void activate(QWidget& window) {
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(20); // the queued look at the file
}

} // namespace

// Another program's change is put to the writer when the window is active again, once;
// Pallo's own saves and backups (of a recovered text, whose file is the backup) never are.
TEST_F(MainFixture, FileChangedElsewhereIsAskedAboutWhenActiveAgain) {
    struct Row {
        Change change;
        bool edited;
        MsgAnswer answer;
        Asked asked;
        bool reloads, dirtyAfter;
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
    const QString doc = path(u"文書.txt"_s), other = u"他の文\r\n"_s;
    QWidget elsewhere; // takes the activation away
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "change " << int(row.change) << " edited " << row.edited);
        fake.prompts.shown.clear();
        fake.prompts.answers.clear();
        writeFile(u"文書.txt"_s, cp932::encode(u"元の文\r\n"_s));
        writeFile(u"PalloBackup.txt"_s, row.change == Change::Backup ? "recovered" : "");
        MainWindow& w = start(row.change == Change::Backup ? QString() : doc);
        activate(w);
        if (row.edited) QTest::keyClicks(w.textView(), u"abc"_s);
        const QString before = w.text().text();
        activate(elsewhere);

        QSignalSpy touched(&w.document().fileWatch(), &FileChangeWatch::touched);
        if (row.change == Change::Written) writeFile(u"文書.txt"_s, cp932::encode(other));
        if (row.change == Change::Replaced) {
            writeFile(u"new.tmp"_s, cp932::encode(other));
            ASSERT_EQ(std::rename(QFile::encodeName(path(u"new.tmp"_s)).constData(),
                                  QFile::encodeName(doc).constData()), 0);
        }
        if (row.change == Change::Deleted) ASSERT_TRUE(QFile::remove(doc));
        if (row.change == Change::OwnSave) w.action(u"mnuFileSave"_s)->trigger();
        if (row.change == Change::Backup) w.onBackupTimer();
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
        EXPECT_EQ(w.text().text(), row.reloads ? other : before);
        EXPECT_EQ(w.document().isDirty(), row.dirtyAfter);
        if (row.reloads) { // one step of the history
            w.action(u"mnuEditUndo"_s)->trigger();
            EXPECT_EQ(w.text().text(), before);
        }
        activate(elsewhere);
        activate(w);
        EXPECT_EQ(fake.prompts.shown.size(), row.asked == Asked::Nothing ? 0 : 1) << "told twice";

        // A file the writer chose not to reload is not overwritten unasked: No keeps it.
        const bool kept = (row.asked == Asked::Reload || row.asked == Asked::ReloadOverEdits) &&
                          !row.reloads;
        fake.prompts.shown.clear();
        fake.prompts.answers.enqueue(MsgAnswer::No);
        w.action(u"mnuFileSave"_s)->trigger();
        EXPECT_EQ(fake.prompts.shown.size(), kept ? 1 : 0);
        if (kept) EXPECT_EQ(readFile(u"文書.txt"_s), cp932::encode(other));
        form.reset();
    }
}
