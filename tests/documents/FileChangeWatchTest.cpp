#include "documents/FileChangeWatch.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <cstdio>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

enum class Op { Written, Replaced, Deleted };

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// The same size as the first text, so that only the content or the file's identity tells.
void apply(Op op, const QString& path, const QByteArray& bytes) {
    switch (op) {
    case Op::Written:
        writeFile(path, bytes);
        break;
    case Op::Replaced:
        writeFile(path + u".tmp"_s, bytes);
        ASSERT_EQ(std::rename(QFile::encodeName(path + u".tmp"_s).constData(),
                              QFile::encodeName(path).constData()),
                  0);
        break;
    case Op::Deleted:
        ASSERT_TRUE(QFile::remove(path));
        break;
    }
}

} // namespace

// Every way the file can change, by another program or by Pallo's own save (which follows
// the file again right after writing), with the writer's text unchanged or changed.
TEST(FileChangeWatch, DecidesByWhoChangedTheFileAndTheText) {
    for (const Op op : {Op::Written, Op::Replaced, Op::Deleted})
        for (const bool ownSave : {false, true})
            for (const bool textChanged : {false, true}) {
                SCOPED_TRACE(testing::Message() << "op " << int(op) << " own " << ownSave
                                                << " text changed " << textChanged);
                QTemporaryDir dir;
                const QString path = dir.path() + u"/文書.txt"_s;
                writeFile(path, "first text\r\n");
                FileChangeWatch watch;
                watch.follow(path);
                QSignalSpy touched(&watch, &FileChangeWatch::touched);
                apply(op, path, "other text\r\n");
                if (ownSave) watch.follow(path);
                touched.wait(ownSave ? 200 : 5000);

                const FileChangeAction expected =
                    ownSave                ? FileChangeAction::Nothing
                    : op == Op::Deleted    ? FileChangeAction::MarkChanged
                    : textChanged          ? FileChangeAction::AskReloadOverEdits
                                           : FileChangeAction::AskReload;
                EXPECT_EQ(watch.check(textChanged), expected);
                EXPECT_EQ(watch.check(textChanged), FileChangeAction::Nothing) << "told twice";
                // A kept text must not silently overwrite the other program's file.
                EXPECT_EQ(watch.changedSinceKnown(), !ownSave && op != Op::Deleted);
            }
}

// After a rename-replace (as Pallo's and most programs' saves are) the watch lies on the new
// file: a later write in place is still seen.
TEST(FileChangeWatch, WatchFollowsTheFileAcrossReplacements) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/a.txt"_s;
    writeFile(path, "one");
    FileChangeWatch watch;
    watch.follow(path);
    apply(Op::Replaced, path, "two");
    watch.follow(path); // Pallo's own save
    QSignalSpy touched(&watch, &FileChangeWatch::touched);
    touched.wait(200);
    EXPECT_EQ(watch.check(false), FileChangeAction::Nothing);
    touched.clear();
    writeFile(path, "three");
    ASSERT_TRUE(touched.wait(5000));
    EXPECT_EQ(watch.check(false), FileChangeAction::AskReload);

    // Deleted and made again by the other program: known again at the next check.
    apply(Op::Deleted, path, {});
    EXPECT_EQ(watch.check(false), FileChangeAction::MarkChanged);
    writeFile(path, "four");
    EXPECT_EQ(watch.check(true), FileChangeAction::AskReloadOverEdits);
    touched.clear();
    writeFile(path, "five");
    EXPECT_TRUE(touched.wait(5000));
}

// A document named on the command line that does not exist yet: its file appearing is
// another program's doing, so the first save asks.
TEST(FileChangeWatch, FileMadeBeforeTheFirstSaveCountsAsChanged) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/新規.txt"_s;
    FileChangeWatch watch;
    watch.follow(path);
    EXPECT_EQ(watch.check(true), FileChangeAction::Nothing);
    EXPECT_FALSE(watch.changedSinceKnown());
    writeFile(path, "x");
    EXPECT_TRUE(watch.changedSinceKnown());
}
