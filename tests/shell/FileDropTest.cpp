#include "MainFixture.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

// A drop on the text box, as the window system delivers it: enter, then drop.
void dropOn(QWidget* target, QMimeData& mime) {
    const QPointF at(10, 10);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
}

} // namespace

// Dropped files open as 開く opens them: the save question first (a cancel keeps the text),
// then the first file, with a message when there were more.
TEST_F(MainFixture, DroppedFilesOpenAfterTheSaveQuestion) {
    struct Row {
        bool changed;
        MsgAnswer answer;
        int files;
        bool opens;
        int messages; // the save question and the note about the other files
    };
    const Row rows[] = {
        {false, MsgAnswer::OK, 1, true, 0},
        {false, MsgAnswer::OK, 2, true, 1},
        {true, MsgAnswer::No, 1, true, 1},
        {true, MsgAnswer::Cancel, 2, false, 1},
    };
    writeFile(u"一.txt"_s, cp932::encode(u"一つ目\r\n"_s));
    writeFile(u"二.txt"_s, "two\r\n");
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "changed " << row.changed << " files " << row.files);
        fake.prompts.shown.clear();
        MainWindow& w = start();
        w.text().setText(u"書きかけ"_s);
        w.document().setDirty(row.changed);
        if (row.changed) fake.prompts.answers.enqueue(row.answer);
        QMimeData mime;
        QList<QUrl> urls{QUrl::fromLocalFile(path(u"一.txt"_s))};
        if (row.files > 1) urls.append(QUrl::fromLocalFile(path(u"二.txt"_s)));
        mime.setUrls(urls);
        dropOn(w.findChild<QAbstractScrollArea*>(u"Text1"_s)->viewport(), mime);
        EXPECT_EQ(w.text().text(), row.opens ? u"一つ目\r\n"_s : u"書きかけ"_s);
        EXPECT_EQ(w.windowTitle().endsWith(u"一.txt"_s), row.opens);
        EXPECT_EQ(fake.prompts.shown.size(), row.messages);
    }
}

TEST_F(MainFixture, DroppedTextStaysText) {
    MainWindow& w = start();
    QMimeData mime;
    mime.setText(u"落とした文"_s);
    dropOn(w.findChild<QAbstractScrollArea*>(u"Text1"_s)->viewport(), mime);
    EXPECT_TRUE(w.text().text().contains(u"落とした文"_s));
    EXPECT_TRUE(fake.prompts.shown.isEmpty());
}
