#include "documents/OpenChooser.h"

#include "command/Settings.h"
#include "documents/QuickViewText.h"
#include "platform/Cp932Codec.h"
#include "support/FakeWindow.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kNoFile = QStringLiteral("ﾌｧｲﾙが選択されていません。");
const QString kNotReady = QStringLiteral("デバイスの準備が出来てません。");

// Two drives with files and folders, and a third that is no longer there.
class OpenChooserTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(docs.isValid());
        a = docs.filePath(QStringLiteral("driveA"));
        b = docs.filePath(QStringLiteral("driveB"));
        for (const QString& f :
             {a, b, a + "/sub", a + "/sub/deeper", b + "/notes", b + "/空白 の フォルダ"})
            QDir().mkpath(f);
        for (const char* name :
             {"a.txt", "B.TXT", "c.ini", "d.htm", "e.html", "f", "g.txt.bak", ".hidden.txt"})
            write(a + "/" + QString::fromUtf8(name), "x");
        write(a + "/sub/in sub.txt", "x");
        write(b + "/日本語 メモ.txt", cp932::encode(QStringLiteral("一行目\r\n二行目\r\n")));
        write(b + "/notes/n.txt", "n");
        drives = {{a, QStringLiteral("A")},
                  {b, QStringLiteral("B")},
                  {docs.filePath(QStringLiteral("gone")), QStringLiteral("gone")}};
    }

    static void write(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        file.write(bytes);
    }

    std::unique_ptr<OpenChooser> open(bool insertMode = false) {
        auto chooser = std::make_unique<OpenChooser>(
            ed.ctx, insertMode, [this](const QString& path) {
                ++loads;
                loadedPath = path;
            }, drives, a);
        chooser->load();
        return chooser;
    }

    QString ini() const { return settings::iniPath(ed.ctx.programDir); }
    QString setting(const QString& key) const {
        return readSetting(settings::kSection, key, ini());
    }
    void store(const QString& key, const QString& value) {
        writeSetting(settings::kSection, key, ini(), value);
    }
    QStringList messages() const {
        QStringList texts;
        for (const RecordedMessage& m : ed.fake.prompts.shown)
            texts << m.text;
        return texts;
    }

    FakeEditor ed;
    QTemporaryDir docs;
    QString a, b;
    QList<DriveEntry> drives;
    int loads = 0;
    QString loadedPath;
};

} // namespace

TEST_F(OpenChooserTest, LoadSelectsTheTextFilterInTheStartingFolder) {
    auto c = open();
    EXPECT_EQ(c->caption(), QStringLiteral("ファイルを開く"));
    EXPECT_EQ(c->filterEntries(), (QStringList{QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt;*.ini)"),
                                               QStringLiteral("htmlﾌｧｲﾙ(*.htm;*.html)"),
                                               QStringLiteral("全てのﾌｧｲﾙ(*.*)")}));
    EXPECT_EQ(c->filterIndex(), 0);
    EXPECT_EQ(c->pattern(), QStringLiteral("*.txt;*.ini"));
    EXPECT_EQ(c->driveIndex(), 0);
    EXPECT_EQ(c->folder(), a);
    EXPECT_EQ(c->label(1), QStringLiteral("3"));
    EXPECT_EQ(c->label(2), QStringLiteral("件のtextﾌｧｲﾙ"));
    EXPECT_EQ(c->label(3), QStringLiteral("クイックビュー（読み取りは50行までです。）"));
    EXPECT_EQ(open(true)->caption(), QStringLiteral("結合"));
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
}

TEST_F(OpenChooserTest, FilterEntriesListTheirFilesAndCount) {
    auto c = open();
    const struct {
        int index;
        QStringList files;
        const char* word;
    } cases[] = {
        {0, {"a.txt", "B.TXT", "c.ini"}, "件のtextﾌｧｲﾙ"},
        {1, {"d.htm", "e.html"}, "件のhtmlﾌｧｲﾙ"},
        {2, {"a.txt", "B.TXT", "c.ini", "d.htm", "e.html", "f", "g.txt.bak"}, "件の全てのﾌｧｲﾙ"},
    };
    for (const auto& t : cases) {
        c->selectFilter(t.index);
        EXPECT_EQ(c->files(), t.files) << t.index;
        EXPECT_EQ(c->label(1), QString::number(t.files.size()));
        EXPECT_EQ(c->label(2), QString::fromUtf8(t.word));
        EXPECT_EQ(c->filterText(), c->filterEntries()[t.index]);
    }
}

TEST_F(OpenChooserTest, TypedPatternListsAtOnceAndCountsAtTheNextFolderChange) {
    auto c = open();
    c->selectFilter(1);
    const struct {
        const char* typed;
        QStringList files;
    } cases[] = {
        {"*.bak", {"g.txt.bak"}},
        {"*.TXT ; *.htm", {"a.txt", "B.TXT", "d.htm"}},
        {"?.ini", {"c.ini"}},
        {"[a].txt", {}},
        {"f", {"f"}},
        {"ﾃｷｽﾄﾌｧｲﾙ(*.txt;*.ini)", {"a.txt", "B.TXT", "c.ini"}},
    };
    for (const auto& t : cases) {
        c->typePattern(QString::fromUtf8(t.typed));
        EXPECT_EQ(c->files(), t.files) << t.typed;
        EXPECT_EQ(c->label(1), QStringLiteral("2")) << t.typed;
        EXPECT_EQ(c->label(2), QStringLiteral("件のhtmlﾌｧｲﾙ"));
    }
    c->typePattern(QStringLiteral("*.bak"));
    EXPECT_EQ(c->filterIndex(), -1);
    ASSERT_TRUE(c->chooseFolder(a));
    EXPECT_EQ(c->label(1), QStringLiteral("1"));
    EXPECT_EQ(c->label(2), QStringLiteral("件のhtmlﾌｧｲﾙ"));
}

TEST_F(OpenChooserTest, FolderListShowsAncestorsThenSubfolders) {
    auto c = open();
    ASSERT_TRUE(c->chooseFolder(a + "/sub"));
    const QList<FolderEntry>& entries = c->folderEntries();
    ASSERT_EQ(c->currentFolderEntry(), entries.size() - 2);
    EXPECT_EQ(entries.first().path, QDir::rootPath());
    EXPECT_EQ(entries[c->currentFolderEntry()].path, a + "/sub");
    EXPECT_EQ(entries[c->currentFolderEntry() - 1].path, a);
    EXPECT_EQ(entries.last().name, QStringLiteral("deeper"));
    EXPECT_FALSE(entries.last().open);
    EXPECT_EQ(entries.last().depth, entries[c->currentFolderEntry()].depth + 1);
    EXPECT_EQ(c->files(), QStringList{QStringLiteral("in sub.txt")});

    ASSERT_TRUE(c->chooseFolderEntry(c->currentFolderEntry() - 1));
    EXPECT_EQ(c->folder(), a);
    EXPECT_FALSE(c->chooseFolder(a + "/no such folder"));
    EXPECT_EQ(c->folder(), a);
}

TEST_F(OpenChooserTest, ChoosingADrive) {
    auto c = open();
    ASSERT_TRUE(c->chooseDrive(1));
    EXPECT_EQ(c->driveIndex(), 1);
    EXPECT_EQ(c->folder(), b);
    EXPECT_EQ(c->files(), QStringList{QStringLiteral("日本語 メモ.txt")});
    EXPECT_EQ(c->label(1), QStringLiteral("1"));

    EXPECT_FALSE(c->chooseDrive(2));
    ASSERT_EQ(ed.fake.prompts.shown.size(), 1);
    const RecordedMessage& m = ed.fake.prompts.shown[0];
    EXPECT_EQ(m.text, kNotReady);
    EXPECT_EQ(m.buttons, MsgButtons::OK);
    EXPECT_EQ(m.icon, MsgIcon::None);
    EXPECT_EQ(m.title, kDefaultTitle);
    EXPECT_EQ(c->driveIndex(), 1);
    EXPECT_EQ(c->folder(), b);
    EXPECT_EQ(c->files(), QStringList{QStringLiteral("日本語 メモ.txt")});
}

TEST_F(OpenChooserTest, QuickViewOfAJapaneseName) {
    auto c = open();
    unsigned seen = 0;
    QStringList captions;
    c->setListener([&](unsigned changes) {
        seen |= changes;
        if (changes & OpenChooser::CaptionChanged) captions << c->label(3);
    });
    ASSERT_TRUE(c->chooseDrive(1));
    c->clickFile(0);
    EXPECT_EQ(c->selectedPath(), b + QStringLiteral("/日本語 メモ.txt"));
    EXPECT_EQ(c->label(4), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ:16B"));
    EXPECT_EQ(c->label(5), quickview::dateLine(QFileInfo(c->selectedPath()).lastModified()));
    EXPECT_EQ(c->label(6), QStringLiteral("ﾌｧｲﾙ属性:通常ﾌｧｲﾙ"));
    EXPECT_EQ(c->preview(), QStringLiteral("一行目\r\n二行目\r\n"));
    EXPECT_EQ(captions, (QStringList{QStringLiteral("クイックビュー1行読み取り"),
                                     QStringLiteral("クイックビュー2行読み取り"),
                                     QStringLiteral("クイックビュー")}));
    EXPECT_TRUE(seen & OpenChooser::PreviewChanged);
    EXPECT_EQ(ed.fake.pointer.changes, (QList<bool>{true, false}));
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
}

TEST_F(OpenChooserTest, FileDeletedAfterListingShowsNothingAndNoMessage) {
    auto c = open();
    c->clickFile(0); // a.txt
    EXPECT_EQ(c->label(4), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ:1B"));
    ASSERT_TRUE(QFile::remove(a + "/B.TXT"));
    c->clickFile(1);
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
    EXPECT_EQ(c->label(3), QStringLiteral("クイックビュー"));
    EXPECT_EQ(c->preview(), QString());
    EXPECT_EQ(c->label(4), QStringLiteral("ﾌｧｲﾙｻｲｽﾞ:1B")); // from the file before
    EXPECT_EQ(ed.fake.pointer.changes, (QList<bool>{true, false, true, false}));
}

TEST_F(OpenChooserTest, SelectedPathHasOneSeparator) {
    EXPECT_EQ(OpenChooser::joinPath(QStringLiteral("/"), QStringLiteral("a.txt")),
              QStringLiteral("/a.txt"));
    EXPECT_EQ(OpenChooser::joinPath(QStringLiteral("/home/x"), QStringLiteral("a b.txt")),
              QStringLiteral("/home/x/a b.txt"));
}

TEST_F(OpenChooserTest, AcceptWithoutAFileKeepsTheDialog) {
    auto c = open();
    int hides = 0;
    EXPECT_FALSE(c->accept([&] { ++hides; }));
    ASSERT_EQ(messages(), QStringList{kNoFile});
    EXPECT_EQ(ed.fake.prompts.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(hides, 0);
    EXPECT_EQ(loads, 0);
    EXPECT_FALSE(QFile::exists(ini()));
}

TEST_F(OpenChooserTest, AcceptHidesStoresAndRunsTheLoadingStep) {
    QStringList order;
    OpenChooser c(
        ed.ctx, false,
        [&](const QString& path) {
            // Everything is in place when the loading step runs.
            order << "load";
            EXPECT_EQ(path, b + QStringLiteral("/日本語 メモ.txt"));
            EXPECT_EQ(setting(settings::key::Drive), QStringLiteral("1"));
            EXPECT_EQ(setting(settings::key::Dir), b);
            EXPECT_EQ(setting(settings::key::Combo), QStringLiteral("2"));
        },
        drives, a);
    c.load();
    c.chooseDrive(1);
    c.chooseFolder(b + "/空白 の フォルダ");
    c.chooseFolder(b);
    c.selectFilter(2);
    c.clickFile(0);
    EXPECT_TRUE(c.accept([&] { order << "hide"; }));
    EXPECT_EQ(order, (QStringList{"hide", "load"}));
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
}

TEST_F(OpenChooserTest, ReopeningShowsTheLastAcceptedDriveFolderAndFilter) {
    {
        auto c = open();
        c->chooseDrive(1);
        c->chooseFolder(b + "/notes");
        c->selectFilter(2);
        c->clickFile(0);
        ASSERT_TRUE(c->accept());
        EXPECT_EQ(loads, 1);
    }
    {
        auto c = open();
        EXPECT_EQ(c->driveIndex(), 1);
        EXPECT_EQ(c->folder(), b + "/notes");
        EXPECT_EQ(c->filterIndex(), 2);
        EXPECT_EQ(c->label(2), QStringLiteral("件の全てのﾌｧｲﾙ"));
        c->chooseDrive(0);
        c->selectFilter(1);
        c->cancel();
    }
    auto c = open();
    EXPECT_EQ(c->driveIndex(), 1);
    EXPECT_EQ(c->folder(), b + "/notes");
    EXPECT_EQ(c->filterIndex(), 2);
    EXPECT_EQ(c->files(), QStringList{QStringLiteral("n.txt")});
}

TEST_F(OpenChooserTest, RestoreStopsAtTheFirstValueThatFails) {
    const QString sub = a + "/sub";
    const struct {
        const char* drive;
        QString dir;
        const char* combo;
        int driveIndex;
        QString folder;
        int filterIndex;
    } cases[] = {
        {"1", b + "/notes", "1", 1, b + "/notes", 1},
        {nullptr, b + "/notes", "1", 0, a, 0},
        {"one", b + "/notes", "1", 0, a, 0},
        {"3", b + "/notes", "1", 0, a, 0},
        {"-1", b + "/notes", "1", 0, a, 0},
        {"1", QString(), "1", 1, b, 0},
        {"1", b + "/gone", "1", 1, b, 0},
        {"1", b + "/notes", "3", 1, b + "/notes", 0},
        {"1", b + "/notes", "-1", 1, b + "/notes", 0},
        {"1", b + "/notes", nullptr, 1, b + "/notes", 0},
        {"0", sub, "2", 0, sub, 2},
    };
    for (const auto& t : cases) {
        QFile::remove(ini());
        if (t.drive) store(settings::key::Drive, QString::fromUtf8(t.drive));
        if (!t.dir.isEmpty()) store(settings::key::Dir, t.dir);
        if (t.combo) store(settings::key::Combo, QString::fromUtf8(t.combo));
        auto c = open();
        const std::string label = std::string(t.drive ? t.drive : "-") + " " + t.dir.toStdString() +
                                  " " + (t.combo ? t.combo : "-");
        EXPECT_EQ(c->driveIndex(), t.driveIndex) << label;
        EXPECT_EQ(c->folder(), t.folder) << label;
        EXPECT_EQ(c->filterIndex(), t.filterIndex) << label;
    }
    EXPECT_TRUE(ed.fake.prompts.shown.isEmpty());
}

TEST_F(OpenChooserTest, RestoringADriveThatIsGoneSaysSoAndGoesOn) {
    store(settings::key::Drive, QStringLiteral("2"));
    store(settings::key::Dir, b + "/notes");
    store(settings::key::Combo, QStringLiteral("1"));
    auto c = open();
    EXPECT_EQ(messages(), QStringList{kNotReady});
    EXPECT_EQ(c->folder(), b + "/notes");
    EXPECT_EQ(c->driveIndex(), 1);
    EXPECT_EQ(c->filterIndex(), 1);
}

TEST_F(OpenChooserTest, TypedPatternIsStoredAsNoEntry) {
    auto c = open();
    c->typePattern(QStringLiteral("*.bak"));
    c->clickFile(0);
    ASSERT_TRUE(c->accept());
    EXPECT_EQ(loadedPath, a + "/g.txt.bak");
    EXPECT_EQ(setting(settings::key::Combo), QStringLiteral("-1"));
    auto again = open();
    EXPECT_EQ(again->folder(), a);
    EXPECT_EQ(again->filterIndex(), 0);
}
