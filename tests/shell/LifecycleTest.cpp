#include "history/UndoHistory.h"
#include "documents/DocumentSession.h"
#include "MainFixture.h"

#include "command/Settings.h"
#include "documents/FileCommands.h"
#include "documents/SaveCommands.h"
#include "platform/Cp932Codec.h"

#include <QAction>
#include <QFileInfo>

namespace {

QString read(const QString& ini, const QString& key) {
    return readSetting(QStringLiteral("data"), key, ini);
}

} // namespace

// ---------------------------------------------------------------- start-up: which document

struct StartCase {
    const char* name;
    QByteArray backup; // content of PalloBackup.txt; "-" = no file
    QByteArray ini;    // Pallo.ini
    const char* commandLine;
    QByteArray docFile; // content of doc.txt in the program folder; "-" = no file
    QString expectedText;
    const char* expectedTitle; // "" = untitled, "@backup", "@doc", "@new"
};
inline void PrintTo(const StartCase& c, std::ostream* os) {
    *os << c.name;
}

class StartDocument : public MainFixture, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartDocument, ChoosesTheFirstDocument) {
    const StartCase& c = GetParam();
    if (c.backup != "-") writeFile(QStringLiteral("PalloBackup.txt"), c.backup);
    if (c.docFile != "-") writeFile(QStringLiteral("doc.txt"), c.docFile);
    QByteArray ini = c.ini;
    ini.replace("@doc", path(QStringLiteral("doc.txt")).toUtf8());
    writeIni(ini);
    QString cmd = QString::fromUtf8(c.commandLine);
    cmd.replace(QStringLiteral("@doc"), path(QStringLiteral("doc.txt")));
    cmd.replace(QStringLiteral("@new"), path(QStringLiteral("新しい原稿.txt")));
    MainWindow& w = start(cmd);

    EXPECT_EQ(w.text().text(), c.expectedText);
    const QString title = QString::fromUtf8(c.expectedTitle);
    QString expected = QStringLiteral("Pallo   （無題）");
    if (title == u"@backup") expected = QStringLiteral("Pallo   ") + backupPath();
    if (title == u"@doc") expected = QStringLiteral("Pallo   ") + path(QStringLiteral("doc.txt"));
    if (title == u"@new") expected = QStringLiteral("Pallo   ") + path(QStringLiteral("新しい原稿.txt"));
    EXPECT_EQ(w.windowTitle(), expected);
    EXPECT_FALSE(form->document().isDirty());
    EXPECT_EQ(form->document().loadedText(), c.expectedText);
    EXPECT_EQ(form->history().undoSlots()[1].toString(), QStringLiteral("00001") + c.expectedText);
    EXPECT_TRUE(QFileInfo::exists(backupPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartDocument,
    ::testing::Values(
        StartCase{"FirstStart", "-", "", "", "-", "", ""},
        StartCase{"BackupWins", "\x82\xa0\x82\xa2", "", "@doc", "doc", QStringLiteral("あい"),
                  "@backup"},
        StartCase{"CommandLine", "", "", "  @doc  ", "abc\r\n", QStringLiteral("abc\r\n"), "@doc"},
        StartCase{"MissingCommandLineFileIgnoresAuto", "-",
                  "[data]\r\nauto=1\r\nrecentfile0=@doc\r\n", "/no/such/file.txt", "doc", "", ""},
        StartCase{"NewFileNamedOnCommandLine", "-", "[data]\r\nauto=1\r\nrecentfile0=@doc\r\n",
                  "@new", "doc", "", "@new"},
        StartCase{"QuotedPathIsNotOpened", "-", "", "\"@doc\"", "doc", "", ""},
        StartCase{"FolderOnCommandLine", "-", "", "/tmp", "-", "", ""},
        StartCase{"EmptyCommandLineFile", "-", "", "@doc", "", "", ""},
        StartCase{"AutoOpensLastFile", "-", "[data]\r\nauto=1\r\nrecentfile0=@doc\r\n", "", "xyz",
                  QStringLiteral("xyz"), "@doc"},
        StartCase{"AutoZero", "-", "[data]\r\nauto=0\r\nrecentfile0=@doc\r\n", "", "xyz", "", ""},
        StartCase{"AutoGarbage", "-", "[data]\r\nauto=yes\r\nrecentfile0=@doc\r\n", "", "xyz", "",
                  ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The name given for a file not yet written is where 上書き保存 writes, without asking.
TEST_F(MainFixture, NewFileNamedOnCommandLineIsSavedUnderThatName) {
    MainWindow& w = start(path(QStringLiteral("新しい原稿.txt")));
    w.text().setText(QStringLiteral("書き出し"));
    saveDocument(w.context());
    EXPECT_TRUE(fake.dialogs.saveAnswers.isEmpty() && fake.prompts.shown.isEmpty());
    EXPECT_EQ(readFile(QStringLiteral("新しい原稿.txt")), cp932::encode(u"書き出し\r\n"_qs));
}

TEST_F(MainFixture, InvalidBackupBytesAreShownAndKept) {
    const QByteArray bytes("\x82\xa0\xff\x81\x20\x80", 6);
    writeFile(QStringLiteral("PalloBackup.txt"), bytes);
    MainWindow& w = start();
    EXPECT_EQ(cp932::encode(w.text().text()), bytes);
    // Saved from the recovered document, the bytes go back as they came. Save asks for a
    // name: the backup file itself is never the target.
    CommandContext& ctx = w.context();
    fake.dialogs.saveAnswers.enqueue(path(QStringLiteral("doc.txt")));
    ASSERT_TRUE(saveText(ctx, w.text().text()));
    EXPECT_EQ(readFile(QStringLiteral("doc.txt")), bytes + "\r\n");
    EXPECT_EQ(readFile(QStringLiteral("PalloBackup.txt")), bytes);
}

TEST_F(MainFixture, UnwritableFolderOpensNothing) {
    // A program folder where nothing can be created stands for a read-only one (the tests may
    // run with rights that ignore file modes); so does the settings folder that takes over then.
    writeFile(QStringLiteral("doc.txt"), "doc");
    const QByteArray configHome = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("doc.txt/config")).toLocal8Bit());
    MainWindow& w = start(path(QStringLiteral("doc.txt")), path(QStringLiteral("doc.txt/sub")));
    qputenv("XDG_CONFIG_HOME", configHome);
    EXPECT_EQ(w.text().text(), QString());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Pallo   （無題）"));
    ASSERT_TRUE(w.close());
    EXPECT_EQ(readFile(QStringLiteral("doc.txt")), "doc");
}

// ---------------------------------------------------------------- start-up: settings and menus

TEST_F(MainFixture, FirstStartState) {
    fake.clipboard.content = QStringLiteral("clip");
    MainWindow& w = start();
    EXPECT_EQ(w.panelText(1), QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「clip」"));
    EXPECT_EQ(w.panelText(2), QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「」"));
    EXPECT_EQ(w.panelText(3), QStringLiteral("総行数:1 現在行:0 文字位置:0 総文字数:0 "));
    EXPECT_EQ(w.statusToolTip(), QStringLiteral("clip"));
    EXPECT_EQ(state.ClipHistory.value(1), QStringLiteral("clip"));
    EXPECT_EQ(state.ClipHistoryCount, 2);
    EXPECT_EQ(form->history().undoCount(), 1);
    EXPECT_EQ(state.BackupTicks, 2);
    EXPECT_EQ(state.BackupCountdown, 0);
    EXPECT_EQ(form->history().maxUndo(), 100); // a fresh installation has Undo
    EXPECT_EQ(QFileInfo(backupPath()).size(), 0);
    EXPECT_TRUE(w.action(QStringLiteral("mnuIMEtyokusetu"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("mnuIMEhiragana"))->isChecked());
    EXPECT_TRUE(w.action(QStringLiteral("pophiragana"))->isChecked());
    EXPECT_FALSE(w.textView()->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_FALSE(w.action(QStringLiteral("mnuFileBar3"))->isVisible());
    EXPECT_EQ(w.action(QStringLiteral("popsitei(10)"))->text(), QStringLiteral("2026/12/08"));
    EXPECT_EQ(w.action(QStringLiteral("mnusitei(10)"))->text(), QStringLiteral("2026/12/08"));
}

TEST_F(MainFixture, LongClipboardStaysOnTheClipboardButOutOfTheHistory) {
    fake.clipboard.content = QString(40000, u'x');
    MainWindow& w = start();
    EXPECT_EQ(fake.clipboard.content.size(), 40000);
    EXPECT_EQ(state.ClipHistory.value(1), QString());
    EXPECT_EQ(w.statusToolTip(), QString());
    EXPECT_EQ(w.panelText(1),
              QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「") + QString(100, u'x') + QStringLiteral("」"));
}

TEST_F(MainFixture, ClipboardPanelCutsAt32000) {
    for (const auto& [length, shown] : {std::pair{31999, 31999}, {32000, 100}}) {
        fake.clipboard.content = QString(length, u'y');
        MainWindow& w = start();
        EXPECT_EQ(w.panelText(1).size(), QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「」").size() + shown);
    }
}

TEST_F(MainFixture, StoredSettingsAreApplied) {
    writeIni("[data]\r\nime=1\r\nfontsize=10.5\r\nfontname=MotoyaLCedar\r\nforecolor=255\r\n"
             "backcolor=-2147483643\r\nwidth=9000\r\nheight=6000\r\ntop=300\r\nleft=450\r\n"
             "2cb=second\r\nmaxundo=100\r\ny0=hello\r\ny9=world\r\nrecentfile1=/a/b.txt\r\n");
    MainWindow& w = start();
    EXPECT_DOUBLE_EQ(w.fontSize(), 10.5);
    EXPECT_EQ(w.fontName(), QStringLiteral("MotoyaLCedar"));
    EXPECT_EQ(w.foreColor(), 255);
    EXPECT_EQ(w.backColor(), -2147483643);
    EXPECT_EQ(w.textView()->palette().color(QPalette::Text), QColor(255, 0, 0));
    EXPECT_EQ(w.windowWidth(), 8999);
    EXPECT_EQ(w.windowHeight(), 5999);
    EXPECT_EQ(w.windowTop(), 300);
    EXPECT_EQ(w.windowLeft(), 450);
    EXPECT_EQ(state.SecondClipboard, QStringLiteral("second"));
    EXPECT_EQ(w.panelText(2), QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「second」"));
    EXPECT_EQ(form->history().maxUndo(), 100);
    EXPECT_TRUE(w.action(QStringLiteral("mnuIMEhiragana"))->isChecked());
    EXPECT_EQ(w.itemCaption(QStringLiteral("popsitei(0)")), QStringLiteral("hello"));
    EXPECT_EQ(w.itemCaption(QStringLiteral("popsitei(9)")), QStringLiteral("world"));
    EXPECT_TRUE(w.action(QStringLiteral("mnuFileBar3"))->isVisible());
    EXPECT_FALSE(w.action(QStringLiteral("mnuRecentFile(0)"))->isVisible());
    EXPECT_TRUE(w.action(QStringLiteral("mnuRecentFile(1)"))->isVisible());
    EXPECT_EQ(w.itemCaption(QStringLiteral("mnuRecentFile(1)")), QStringLiteral("/a/b.txt"));
}

TEST_F(MainFixture, FlagsKeepTheDesignedAppearance) {
    writeIni("[data]\r\nfont=0\r\nfontsize=31\r\nfontname=Nope\r\ncolor=0\r\nforecolor=255\r\n");
    MainWindow& w = start();
    EXPECT_NE(w.fontSize(), 31);
    EXPECT_EQ(w.foreColor(), -2147483640);
}

TEST_F(MainFixture, UnreadableValuesAreSkipped) {
    writeIni("[data]\r\nfontsize=big\r\nforecolor=99999999999\r\nbackcolor=0x12\r\n"
             "width=-5\r\nheight=1e300\r\ntop=abc\r\nmaxundo=70000\r\n\x01\x02\xff garbage\r\n");
    MainWindow& w = start();
    EXPECT_EQ(w.foreColor(), -2147483640);
    EXPECT_EQ(w.backColor(), -2147483643);
    EXPECT_EQ(form->history().maxUndo(), 100);
    EXPECT_GT(w.width(), 100);
}

TEST_F(MainFixture, NoUndoLimitWord) {
    writeIni(QByteArray("[data]\r\nmaxundo=") + cp932::encode(u"設定しない") + "\r\n");
    start();
    EXPECT_EQ(form->history().maxUndo(), 10000);
}

// ---------------------------------------------------------------- shutdown

TEST_F(MainFixture, CleanCloseWritesSettingsAndRemovesTheBackup) {
    MainWindow& w = start();
    state.UserStrings[3] = QStringLiteral("三");
    state.SecondClipboard = QStringLiteral("ab\r\ncd");
    w.setWindowWidth(9000);
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(fake.prompts.shown.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(backupPath()));
    EXPECT_EQ(read(iniPath(), QStringLiteral("width")), QStringLiteral("9000"));
    EXPECT_EQ(read(iniPath(), QStringLiteral("2cb")), QStringLiteral("ab"));
    EXPECT_EQ(read(iniPath(), QStringLiteral("y3")), QStringLiteral("三"));
    EXPECT_EQ(read(iniPath(), QStringLiteral("forecolor")), QStringLiteral("-2147483640"));
    // Nothing after the first line of a value reached the file.
    EXPECT_FALSE(readFile(QStringLiteral("Pallo.ini")).contains("cd"));
    EXPECT_EQ(read(iniPath(), QStringLiteral("recentfile0")), QString());
    EXPECT_EQ(read(iniPath(), QStringLiteral("auto")), QString());
}

TEST_F(MainFixture, EachRunNarrowsTheWindowByOneTwip) {
    writeIni("[data]\r\nwidth=9000\r\n");
    start();
    ASSERT_TRUE(form->close());
    EXPECT_EQ(read(iniPath(), QStringLiteral("width")), QStringLiteral("8999"));
}

TEST_F(MainFixture, MissingBackupDoesNotStopTheSettings) {
    start();
    QFile::remove(backupPath());
    EXPECT_TRUE(form->close());
    EXPECT_EQ(read(iniPath(), QStringLiteral("fontname")), form->fontName());
}

struct CloseCase {
    const char* name;
    bool titled;
    MsgAnswer answer;
    std::optional<QString> saveAs; // the save dialog's answer for an untitled document
    bool closes;
    bool backupRemains;
};
inline void PrintTo(const CloseCase& c, std::ostream* os) {
    *os << c.name;
}

class ChangedClose : public MainFixture, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ChangedClose, AsksAndActs) {
    const CloseCase& c = GetParam();
    writeFile(QStringLiteral("doc.txt"), "old");
    MainWindow& w = start(c.titled ? path(QStringLiteral("doc.txt")) : QString());
    w.text().setText(QStringLiteral("new text"));
    ASSERT_TRUE(form->document().isDirty());
    fake.prompts.answers.enqueue(c.answer);
    if (c.saveAs)
        fake.dialogs.saveAnswers.enqueue(
            *c.saveAs == u"@out" ? std::optional(path(QStringLiteral("out.txt"))) : std::nullopt);
    EXPECT_EQ(w.close(), c.closes);
    ASSERT_GE(fake.prompts.shown.size(), 1);
    const QString where = c.titled ? path(QStringLiteral("doc.txt")) : QStringLiteral("（無題）");
    EXPECT_EQ(fake.prompts.shown[0].text,
              where + QStringLiteral("の内容が変更されています。保存しますか？"));
    EXPECT_EQ(fake.prompts.shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(fake.prompts.shown[0].icon, MsgIcon::None);
    EXPECT_EQ(fake.prompts.shown[0].title, QStringLiteral("Pallo"));
    EXPECT_EQ(QFileInfo::exists(backupPath()), c.backupRemains);
    EXPECT_EQ(QFileInfo::exists(iniPath()), !c.backupRemains);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedClose,
    ::testing::Values(
        CloseCase{"Cancel", true, MsgAnswer::Cancel, std::nullopt, false, true},
        CloseCase{"No", true, MsgAnswer::No, std::nullopt, true, false},
        CloseCase{"YesTitled", true, MsgAnswer::Yes, std::nullopt, true, false},
        CloseCase{"YesUntitledSaved", false, MsgAnswer::Yes, QStringLiteral("@out"), true, false},
        CloseCase{"YesUntitledCancelled", false, MsgAnswer::Yes, QString(), false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFixture, YesSavesTheTitledDocument) {
    writeFile(QStringLiteral("doc.txt"), "old");
    MainWindow& w = start(path(QStringLiteral("doc.txt")));
    w.text().setText(QStringLiteral("新しい"));
    fake.prompts.answers.enqueue(MsgAnswer::Yes);
    EXPECT_TRUE(w.close());
    EXPECT_EQ(readFile(QStringLiteral("doc.txt")), cp932::encode(u"新しい") + "\r\n");
}

TEST_F(MainFixture, FailedSaveKeepsTheWindowOpen) {
    writeFile(QStringLiteral("doc.txt"), "old");
    MainWindow& w = start(path(QStringLiteral("doc.txt")));
    w.text().setText(QStringLiteral("changed"));
    // Replace the document by a folder so that the write must fail.
    QFile::remove(path(QStringLiteral("doc.txt")));
    ASSERT_TRUE(QDir().mkdir(path(QStringLiteral("doc.txt"))));
    fake.prompts.answers.enqueue(MsgAnswer::Yes);
    EXPECT_FALSE(w.close());
    ASSERT_EQ(fake.prompts.shown.size(), 2);
    EXPECT_EQ(fake.prompts.shown[1].text, QStringLiteral("保存時にエラーが発生しました。"));
    EXPECT_TRUE(form->document().isDirty());
    EXPECT_TRUE(QFileInfo::exists(backupPath()));
}

TEST_F(MainFixture, MaximizedCloseKeepsTheStoredGeometry) {
    writeIni("[data]\r\ntop=1\r\nleft=2\r\nwidth=9000\r\nheight=7000\r\n");
    MainWindow& w = start();
    w.showMaximized();
    QCoreApplication::processEvents();
    if (!w.isMaximized()) GTEST_SKIP() << "the platform cannot maximize";
    ASSERT_TRUE(w.close());
    EXPECT_EQ(read(iniPath(), QStringLiteral("width")), QStringLiteral("9000"));
    EXPECT_EQ(read(iniPath(), QStringLiteral("top")), QStringLiteral("1"));
}

TEST_F(MainFixture, HugeGarbageSettingsFile) {
    QByteArray junk;
    junk.reserve(10 << 20);
    for (int i = 0; junk.size() < (10 << 20); ++i)
        junk += QByteArray(1, char(i * 37)) + "garbage=\xff\xfe[" + QByteArray::number(i) + "\r\n";
    writeIni(junk + "[DATA]\r\n  Top = 150 \r\nwidth=\"9000\"\r\n");
    MainWindow& w = start();
    EXPECT_EQ(w.windowTop(), 150);
    EXPECT_EQ(w.windowWidth(), 8999);
    ASSERT_TRUE(w.close());
    // The rest of the file is kept as it was.
    EXPECT_TRUE(readFile(QStringLiteral("Pallo.ini")).startsWith(junk.left(1 << 20)));
}
