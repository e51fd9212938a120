#include "MainFixture.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

// One line per item: dots for depth, name, caption, shortcut, state letters
// (h hidden, d disabled, c checked).
const char* const kExpectedMenuBar = R"(mnuFile|ﾌｧｲﾙ(&F)||
.mnuFileNew|新規作成(&N)|Ctrl+N|
.mnuFileOpen|開く(&O)...|Ctrl+O|
.mnugousei|ファイルの挿入(&G)|Ctrl+G|
.mnuFileBar0|-||
.mnuFileSave|上書き保存(&S)|Ctrl+S|
.mnuFileSaveAs|名前を付けて保存(&A)...|Ctrl+A|
.mnuFileBar1|-||
.mnuFilePageSetup|ﾍﾟｰｼﾞ設定(&U)...||
.mnuFilePrint|印刷(&P)...||
.mnuFileBar2|-||
.mnuFileExit|終了(&X)||
.mnuFileBar3|-||h
.mnuRecentFile(0)|||h
.mnuRecentFile(1)|||h
.mnuRecentFile(2)|||h
mnuEdit|編集(&E)||
.mnuIME|IMEモード(&I)||
..mnuIMEhiragana|ひらがな(&H)||
..mnuIMEtyokusetu|直接入力(&C)||c
..mnuIMEkatakana|全角カタカナ(&K)||
..mnuIMEHkatakana|半角カタカナ(&A)||
..mnuIMEeisuu|全角英数(&E)||
..mnuIMEHeisuu|半角英数(&S)||
.mnuEditBar8|-||
.mnuEditUndo|元に戻す(&U)||
.mnuEditRedo|やり直し(&R)||
.mnuEditBar0|-||
.mnuEditCut|切り取り(&T)|Ctrl+X|
.mnuEditCopy|ｺﾋﾟｰ(&C)|Ctrl+C|
.mnuEditPaste|貼り付け(&P)|Ctrl+V|
.mnuSakujo|削除(&L)||
.mnuEditBar1|-||
.mnuEditCut2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ切り取り(&K)||
.mnuEditCopy2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへコピー(&O)||
.mnuEditPaste2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&H)||
.mnuEditBar6|-||
.mnuallcopy|全文コピー(&L)||
.mnuAllSelect|全て選択(&A)||
.mnuYarinaoi|全てやり直し(&F)||
mnurireki|履歴(&R)||
.mnuUndoRireki|Undo履歴(&U)||
.mnuCBrireki|クリップボード履歴(&C)||
mnukensaku|検索(&S)||
.mnuSearch|検索(&F)|Ctrl+F|
.mnuitti|一致する文字列を数える(&C)||
.mnukensakuBar1|-||
.mnuReplace|置換(&R)|Ctrl+R|
mnujump|ジャンプ(&J)||
.mnuSentou|カーソルを先頭へ(&W)||
.mnufly|指定行へ飛ぶ(&F)||
.mnuEnd|カーソルを末尾へ(&E)||
mnutool|ツール(&T)||
.mnusiteimoji|ユーザー登録文字(&Y)||
..mnusitei(0)|||
..mnusitei(1)|||
..mnusitei(2)|||
..mnusitei(3)|||
..mnusitei(4)|||
..mnusitei(5)|||
..mnusitei(6)|||
..mnusitei(7)|||
..mnusitei(8)|||
..mnusitei(9)|||
..mnusitei(10)|2026/12/08||
.mnuEditBar2|-||
.mnuseiretu|整列(&S)||
..mnukuuhaku|空白削除(&K)||
..mnukuuhakugyou|空白行削除(&G)||
..mnuryouhou|空白・空白行両方削除(&R)||
.mnuEditBar3|-||
.mnucount|文字カウント(&W)||
.mnuDesumasu|文体変換（ですます調←→だである調）(&D)||
.mnuKousei|校正(&P)||
.mnuTate|縦書きプレビュー(&V)||
.mnuEditBar5|-||
.mnuStrConvert|文字列変換(&M)||
..mnuLcase|小文字変換(&L)||
..mnuUcase|大文字変換(&O)||
..mnuHiragana|ひらがな変換(&H)||
..mnuKatakana|カタカナ変換(&K)||
..mnuNarrow|半角変換(&N)||
..mnuWide|全角変換(&W)||
.mnuRubyConvert|ルビ記法の変換(&R)||
.mnuGobi|語尾変換(&G)||
.mnuHTML|HTML変換(&H)||
..mnuHTMLka|簡易HTML化(&K)||
..mnutxt|テキスト抽出(&T)||
..mnulink|リンク先抽出(&N)||
mnuView|設定(&O)||
.mnuFont|フォントの設定(&F)||
.mnumoji|文字(&M)||
..mnumainasu|大きさ－１(&D)||
..mnupurasu|大きさ＋１(&U)||
..mnubold|太字(&B)||
..mnuitl|斜字体(&I)||
..mnuuline|下線(&L)||
..mnutorikesi|取り消し(&S)||
.mnucolor|色の設定(&C)||
..mnuBackColor|背景(&B)||
..mnuStrColor|文字列(&S)||
.mnumarks|空白・タブ・改行を表示(&W)||
.mnuUS|ユーザー登録文字の設定(&S)||
.mnutmr|タイマー設定(&T)||
.mnuViewOptions|オプション(&O)...||
mnuHelp|ﾍﾙﾌﾟ(&H)||
.mnuHelpContents|目次(&C)||
.mnuHelpSearchForHelpOn|ﾄﾋﾟｯｸの検索(&S)...||hd
.mnuHelpBar0|-||
.mnuHelpAbout|ﾊﾞｰｼﾞｮﾝ情報(&A)||)";

const char* const kExpectedPopup = R"(popIME|IMEモード||
.pophiragana|ひらがな||c
.poptyokusetu|直接入力||
.popkatakana|全角カタカナ||
.popHkatakana|半角カタカナ||
.popeisuu|全角英数||
.popHeisuu|半角英数||
popbar2|-||
popsiteimoji|ユーザー登録文字||
.popsitei(0)|||
.popsitei(1)|||
.popsitei(2)|||
.popsitei(3)|||
.popsitei(4)|||
.popsitei(5)|||
.popsitei(6)|||
.popsitei(7)|||
.popsitei(8)|||
.popsitei(9)|||
.popsitei(10)|2026/12/08||
popbar0|-||
popUndo|元に戻す||
popRedo|やり直し||
popbar1|-||
popCut|切り取り||
popCopy|コピー||
popPaste|貼り付け||
popCBrireki|CB履歴から貼り付け||
.popCB(0)|||
.popCB(1)|||
.popCB(2)|||
popsakujo|削除||
popbar3|-||
popCut2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ切り取り||
popCopy2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへコピー||
popPaste2|第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け||)";

void describe(const QList<QAction*>& actions, int depth, QStringList& out) {
    for (QAction* a : actions) {
        QString flags;
        // A hidden action also reads as disabled; look at it shown for a moment.
        const bool hidden = !a->isVisible();
        if (hidden) {
            flags += u'h';
            a->setVisible(true);
        }
        if (!a->isEnabled()) flags += u'd';
        a->setVisible(!hidden);
        if (a->isChecked()) flags += u'c';
        const QString caption = a->isSeparator() ? QStringLiteral("-") : a->text();
        out << QString(depth, u'.') + a->objectName() + u'|' + caption + u'|' +
                   a->shortcut().toString(QKeySequence::PortableText) + u'|' + flags;
        if (a->menu()) describe(a->menu()->actions(), depth + 1, out);
    }
}

void expectLines(const QStringList& actual, const char* expected) {
    const QStringList lines = QString::fromUtf8(expected).split(u'\n');
    for (qsizetype i = 0; i < std::max(actual.size(), lines.size()); ++i)
        EXPECT_EQ(actual.value(i).toStdString(), lines.value(i).toStdString()) << "line " << i;
}

} // namespace

TEST_F(MainFixture, MenuBarMatchesTheCommandTable) {
    MainWindow& w = start(); // no settings: IME starts in direct input
    QStringList actual;
    describe(w.menuBar()->actions(), 0, actual);
    expectLines(actual, kExpectedMenuBar);
}

TEST_F(MainFixture, PopupMatchesTheCommandTable) {
    MainWindow& w = start();
    EXPECT_EQ(w.popupMenu()->objectName(), QStringLiteral("popEdit"));
    EXPECT_EQ(w.popupMenu()->title(), QStringLiteral("編集"));
    QStringList actual;
    describe(w.popupMenu()->actions(), 0, actual);
    expectLines(actual, kExpectedPopup);
}

TEST_F(MainFixture, ToolbarButtonsInOrder) {
    MainWindow& w = start();
    QStringList actual;
    for (QAction* a : w.toolBar()->actions()) {
        if (a->isSeparator()) {
            actual << QStringLiteral("|");
            continue;
        }
        actual << a->data().toString() + u'=' + a->toolTip();
        EXPECT_FALSE(a->icon().isNull()) << a->toolTip().toStdString();
        EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << a->toolTip().toStdString();
    }
    EXPECT_EQ(
        actual.join(u' '),
        QStringLiteral("新規作成=新規作成 開く=開く 上書き保存=上書き保存 | 印刷=印刷 | "
                       "元に戻す=元に戻す やり直し=やり直し | 切り取り=切り取り ｺﾋﾟｰ=ｺﾋﾟｰ "
                       "貼り付け=貼り付け | 全文コピー=全文コピー | Undo履歴=Undo履歴 "
                       "クリップボード履歴=クリップボード履歴 | 検索=検索 | 拡大=フォント拡大 "
                       "縮小=フォント縮小 | 文体変換=文体変換"));
}

TEST_F(MainFixture, MenuPopupAndToolbarRunOneProcedure) {
    MainWindow& w = start();
    w.text().setText(QStringLiteral("typed")); // something to undo: the items are offered
    QStringList ran;
    for (const char* name : {"mnuEditUndo", "mnupurasu", "mnuDesumasu", "mnuEditPaste2"})
        w.setCommand(QString::fromLatin1(name), [&ran, name](int) { ran << name; });
    w.onToolButtonClicked(QStringLiteral("元に戻す"));
    w.action(QStringLiteral("popUndo"))->trigger();
    w.onToolButtonClicked(QStringLiteral("拡大"));
    w.onToolButtonClicked(QStringLiteral("文体変換"));
    w.onToolButtonClicked(QStringLiteral("フォント拡大")); // a tool tip, not a key
    w.action(QStringLiteral("popPaste2"))->trigger();
    for (QAction* a : w.toolBar()->actions())
        if (a->data().toString() == u"元に戻す") a->trigger();
    EXPECT_EQ(ran.join(u' '), QStringLiteral("mnuEditUndo mnuEditUndo mnupurasu mnuDesumasu "
                                             "mnuEditPaste2 mnuEditUndo"));
}

TEST_F(MainFixture, CtrlAReachesSaveAsNotSelectAll) {
    MainWindow& w = start();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.textView()->setFocus();
    w.text().setText(QStringLiteral("abc"));
    int saveAs = 0;
    w.setCommand(QStringLiteral("mnuFileSaveAs"), [&saveAs](int) { ++saveAs; });
    QTest::keyClick(w.textView(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(saveAs, 1);
    EXPECT_EQ(w.text().selLength(), 0);
}

TEST_F(MainFixture, ImeSetsKeepTheirOwnCheckMarks) {
    MainWindow& w = start();
    w.action(QStringLiteral("popeisuu"))->trigger();
    EXPECT_TRUE(w.action(QStringLiteral("popeisuu"))->isChecked());
    EXPECT_FALSE(w.action(QStringLiteral("pophiragana"))->isChecked());
    EXPECT_TRUE(w.action(QStringLiteral("mnuIMEtyokusetu"))->isChecked());
    EXPECT_TRUE(w.textView()->testAttribute(Qt::WA_InputMethodEnabled));
}

TEST_F(MainFixture, RightClickShowsTheProgramsPopup) {
    MainWindow& w = start();
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    state.SecondClipboard = QStringLiteral("s");
    w.setPanelText(2, QStringLiteral("選択範囲：9文字"));
    int shown = 0;
    QObject::connect(w.popupMenu(), &QMenu::aboutToShow, [&] {
        ++shown;
        QTimer::singleShot(0, w.popupMenu(), &QMenu::close);
    });
    QTest::mouseClick(w.textView()->viewport(), Qt::RightButton, {}, QPoint(20, 20));
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    // After the popup the second clipboard shows again.
    EXPECT_EQ(w.panelText(2), QStringLiteral("第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容：「s」"));
}

// Every menu item, popup item and toolbar button runs a registered command: an item added to
// the table without its procedure would do nothing when the writer chooses it.
TEST_F(MainFixture, EveryItemHasACommand) {
    MainWindow& w = start();
    EXPECT_EQ(w.itemsWithoutCommand(), QStringList());
}
