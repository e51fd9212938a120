#include "shell/MenuTable.h"

namespace menus {

namespace {

constexpr unsigned H = Hidden, D = Disabled, C = Checked, K = Checkable;

const MenuRow kMain[] = {
    {0, u"mnuFile", u"ﾌｧｲﾙ(&F)", nullptr, None, 0, nullptr},
    {1, u"mnuFileNew", u"新規作成(&N)", "Ctrl+N", None, 0, nullptr},
    {1, u"mnuFileOpen", u"開く(&O)...", "Ctrl+O", None, 0, nullptr},
    {1, u"mnugousei", u"ファイルの挿入(&G)", "Ctrl+G", None, 0, nullptr},
    {1, u"mnuFileBar0", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuFileSave", u"上書き保存(&S)", "Ctrl+S", None, 0, nullptr},
    {1, u"mnuFileSaveAs", u"名前を付けて保存(&A)...", "Ctrl+A", None, 0, nullptr},
    {1, u"mnuFileBar1", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuFilePageSetup", u"ﾍﾟｰｼﾞ設定(&U)...", nullptr, None, 0, nullptr},
    {1, u"mnuFilePrint", u"印刷(&P)...", nullptr, None, 0, nullptr},
    {1, u"mnuFileBar2", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuFileExit", u"終了(&X)", nullptr, None, 0, nullptr},
    {1, u"mnuFileBar3", u"-", nullptr, H, 0, nullptr},
    {1, u"mnuRecentFile", u"", nullptr, H, 3, nullptr},
    {0, u"mnuEdit", u"編集(&E)", nullptr, None, 0, nullptr},
    {1, u"mnuIME", u"IMEモード(&I)", nullptr, None, 0, nullptr},
    {2, u"mnuIMEhiragana", u"ひらがな(&H)", nullptr, K | C, 0, nullptr},
    {2, u"mnuIMEtyokusetu", u"直接入力(&C)", nullptr, K, 0, nullptr},
    {2, u"mnuIMEkatakana", u"全角カタカナ(&K)", nullptr, K, 0, nullptr},
    {2, u"mnuIMEHkatakana", u"半角カタカナ(&A)", nullptr, K, 0, nullptr},
    {2, u"mnuIMEeisuu", u"全角英数(&E)", nullptr, K, 0, nullptr},
    {2, u"mnuIMEHeisuu", u"半角英数(&S)", nullptr, K, 0, nullptr},
    {1, u"mnuEditBar8", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuEditUndo", u"元に戻す(&U)", nullptr, None, 0, nullptr},
    {1, u"mnuEditRedo", u"やり直し(&R)", nullptr, None, 0, nullptr},
    {1, u"mnuEditBar0", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuEditCut", u"切り取り(&T)", "Ctrl+X", None, 0, nullptr},
    {1, u"mnuEditCopy", u"ｺﾋﾟｰ(&C)", "Ctrl+C", None, 0, nullptr},
    {1, u"mnuEditPaste", u"貼り付け(&P)", "Ctrl+V", None, 0, nullptr},
    {1, u"mnuSakujo", u"削除(&L)", nullptr, None, 0, nullptr},
    {1, u"mnuEditBar1", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuEditCut2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ切り取り(&K)", nullptr, None, 0, nullptr},
    {1, u"mnuEditCopy2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへコピー(&O)", nullptr, None, 0, nullptr},
    {1, u"mnuEditPaste2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け(&H)", nullptr, None, 0, nullptr},
    {1, u"mnuEditBar6", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuallcopy", u"全文コピー(&L)", nullptr, None, 0, nullptr},
    {1, u"mnuAllSelect", u"全て選択(&A)", nullptr, None, 0, nullptr},
    {1, u"mnuYarinaoi", u"全てやり直し(&F)", nullptr, None, 0, nullptr},
    {0, u"mnurireki", u"履歴(&R)", nullptr, None, 0, nullptr},
    {1, u"mnuUndoRireki", u"Undo履歴(&U)", nullptr, None, 0, nullptr},
    {1, u"mnuCBrireki", u"クリップボード履歴(&C)", nullptr, None, 0, nullptr},
    {0, u"mnukensaku", u"検索(&S)", nullptr, None, 0, nullptr},
    {1, u"mnuSearch", u"検索(&F)", "Ctrl+F", None, 0, nullptr},
    {1, u"mnuitti", u"一致する文字列を数える(&C)", nullptr, None, 0, nullptr},
    {1, u"mnukensakuBar1", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuReplace", u"置換(&R)", "Ctrl+R", None, 0, nullptr},
    {0, u"mnujump", u"ジャンプ(&J)", nullptr, None, 0, nullptr},
    {1, u"mnuSentou", u"カーソルを先頭へ(&W)", nullptr, None, 0, nullptr},
    {1, u"mnufly", u"指定行へ飛ぶ(&F)", nullptr, None, 0, nullptr},
    {1, u"mnuEnd", u"カーソルを末尾へ(&E)", nullptr, None, 0, nullptr},
    {0, u"mnutool", u"ツール(&T)", nullptr, None, 0, nullptr},
    {1, u"mnusiteimoji", u"ユーザー登録文字(&Y)", nullptr, None, 0, nullptr},
    {2, u"mnusitei", u"", nullptr, None, 11, nullptr},
    {1, u"mnuEditBar2", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuseiretu", u"整列(&S)", nullptr, None, 0, nullptr},
    {2, u"mnukuuhaku", u"空白削除(&K)", nullptr, None, 0, nullptr},
    {2, u"mnukuuhakugyou", u"空白行削除(&G)", nullptr, None, 0, nullptr},
    {2, u"mnuryouhou", u"空白・空白行両方削除(&R)", nullptr, None, 0, nullptr},
    {1, u"mnuEditBar3", u"-", nullptr, None, 0, nullptr},
    {1, u"mnucount", u"文字カウント(&W)", nullptr, None, 0, nullptr},
    {1, u"mnuDesumasu", u"文体変換（ですます調←→だである調）(&D)", nullptr, None, 0, nullptr},
    {1, u"mnuKousei", u"校正(&P)", nullptr, None, 0, nullptr},
    {1, u"mnuTate", u"縦書きプレビュー(&V)", nullptr, None, 0, nullptr},
    {1, u"mnuEditBar5", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuStrConvert", u"文字列変換(&M)", nullptr, None, 0, nullptr},
    {2, u"mnuLcase", u"小文字変換(&L)", nullptr, None, 0, nullptr},
    {2, u"mnuUcase", u"大文字変換(&O)", nullptr, None, 0, nullptr},
    {2, u"mnuHiragana", u"ひらがな変換(&H)", nullptr, None, 0, nullptr},
    {2, u"mnuKatakana", u"カタカナ変換(&K)", nullptr, None, 0, nullptr},
    {2, u"mnuNarrow", u"半角変換(&N)", nullptr, None, 0, nullptr},
    {2, u"mnuWide", u"全角変換(&W)", nullptr, None, 0, nullptr},
    {1, u"mnuRubyConvert", u"ルビ記法の変換(&R)", nullptr, None, 0, nullptr},
    {1, u"mnuGobi", u"語尾変換(&G)", nullptr, None, 0, nullptr},
    {1, u"mnuHTML", u"HTML変換(&H)", nullptr, None, 0, nullptr},
    {2, u"mnuHTMLka", u"簡易HTML化(&K)", nullptr, None, 0, nullptr},
    {2, u"mnutxt", u"テキスト抽出(&T)", nullptr, None, 0, nullptr},
    {2, u"mnulink", u"リンク先抽出(&N)", nullptr, None, 0, nullptr},
    {0, u"mnuView", u"設定(&O)", nullptr, None, 0, nullptr},
    {1, u"mnuFont", u"フォントの設定(&F)", nullptr, None, 0, nullptr},
    {1, u"mnumoji", u"文字(&M)", nullptr, None, 0, nullptr},
    {2, u"mnumainasu", u"大きさ－１(&D)", nullptr, None, 0, nullptr},
    {2, u"mnupurasu", u"大きさ＋１(&U)", nullptr, None, 0, nullptr},
    {2, u"mnubold", u"太字(&B)", nullptr, K, 0, nullptr},
    {2, u"mnuitl", u"斜字体(&I)", nullptr, K, 0, nullptr},
    {2, u"mnuuline", u"下線(&L)", nullptr, K, 0, nullptr},
    {2, u"mnutorikesi", u"取り消し(&S)", nullptr, K, 0, nullptr},
    {1, u"mnucolor", u"色の設定(&C)", nullptr, None, 0, nullptr},
    {2, u"mnuBackColor", u"背景(&B)", nullptr, None, 0, nullptr},
    {2, u"mnuStrColor", u"文字列(&S)", nullptr, None, 0, nullptr},
    {1, u"mnumarks", u"空白・タブ・改行を表示(&W)", nullptr, K, 0, nullptr},
    {1, u"mnuUS", u"ユーザー登録文字の設定(&S)", nullptr, None, 0, nullptr},
    {1, u"mnutmr", u"タイマー設定(&T)", nullptr, None, 0, nullptr},
    {1, u"mnuViewOptions", u"オプション(&O)...", nullptr, None, 0, nullptr},
    {0, u"mnuHelp", u"ﾍﾙﾌﾟ(&H)", nullptr, None, 0, nullptr},
    {1, u"mnuHelpContents", u"目次(&C)", nullptr, None, 0, nullptr},
    {1, u"mnuHelpSearchForHelpOn", u"ﾄﾋﾟｯｸの検索(&S)...", nullptr, H | D, 0, nullptr},
    {1, u"mnuHelpBar0", u"-", nullptr, None, 0, nullptr},
    {1, u"mnuHelpAbout", u"ﾊﾞｰｼﾞｮﾝ情報(&A)", nullptr, None, 0, nullptr},
};

const MenuRow kPopup[] = {
    {0, u"popIME", u"IMEモード", nullptr, None, 0, nullptr},
    {1, u"pophiragana", u"ひらがな", nullptr, K | C, 0, nullptr},
    {1, u"poptyokusetu", u"直接入力", nullptr, K, 0, nullptr},
    {1, u"popkatakana", u"全角カタカナ", nullptr, K, 0, nullptr},
    {1, u"popHkatakana", u"半角カタカナ", nullptr, K, 0, nullptr},
    {1, u"popeisuu", u"全角英数", nullptr, K, 0, nullptr},
    {1, u"popHeisuu", u"半角英数", nullptr, K, 0, nullptr},
    {0, u"popbar2", u"-", nullptr, None, 0, nullptr},
    {0, u"popsiteimoji", u"ユーザー登録文字", nullptr, None, 0, nullptr},
    {1, u"popsitei", u"", nullptr, None, 11, nullptr},
    {0, u"popbar0", u"-", nullptr, None, 0, nullptr},
    {0, u"popUndo", u"元に戻す", nullptr, None, 0, u"mnuEditUndo"},
    {0, u"popRedo", u"やり直し", nullptr, None, 0, u"mnuEditRedo"},
    {0, u"popbar1", u"-", nullptr, None, 0, nullptr},
    {0, u"popCut", u"切り取り", nullptr, None, 0, u"mnuEditCut"},
    {0, u"popCopy", u"コピー", nullptr, None, 0, u"mnuEditCopy"},
    {0, u"popPaste", u"貼り付け", nullptr, None, 0, u"mnuEditPaste"},
    {0, u"popCBrireki", u"CB履歴から貼り付け", nullptr, None, 0, nullptr},
    {1, u"popCB", u"", nullptr, None, 3, nullptr},
    {0, u"popsakujo", u"削除", nullptr, None, 0, u"mnuSakujo"},
    {0, u"popbar3", u"-", nullptr, None, 0, nullptr},
    {0, u"popCut2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへ切り取り", nullptr, None, 0, u"mnuEditCut2"},
    {0, u"popCopy2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞへコピー", nullptr, None, 0, u"mnuEditCopy2"},
    {0, u"popPaste2", u"第2ｸﾘｯﾌﾟﾎﾞｰﾄﾞから貼り付け", nullptr, None, 0, u"mnuEditPaste2"},
};

const ToolButton kToolbar[] = {
    {u"新規作成", u"新規作成", u"mnuFileNew", ":/icons/new.png", false},
    {u"開く", u"開く", u"mnuFileOpen", ":/icons/open.png", false},
    {u"上書き保存", u"上書き保存", u"mnuFileSave", ":/icons/save.png", false},
    {u"印刷", u"印刷", u"mnuFilePrint", ":/icons/print.png", true},
    {u"元に戻す", u"元に戻す", u"mnuEditUndo", ":/icons/undo.png", true},
    {u"やり直し", u"やり直し", u"mnuEditRedo", ":/icons/redo.png", false},
    {u"切り取り", u"切り取り", u"mnuEditCut", ":/icons/cut.png", true},
    {u"ｺﾋﾟｰ", u"ｺﾋﾟｰ", u"mnuEditCopy", ":/icons/copy.png", false},
    {u"貼り付け", u"貼り付け", u"mnuEditPaste", ":/icons/paste.png", false},
    {u"全文コピー", u"全文コピー", u"mnuallcopy", ":/icons/copyall.png", true},
    {u"Undo履歴", u"Undo履歴", u"mnuUndoRireki", ":/icons/undohistory.png", true},
    {u"クリップボード履歴", u"クリップボード履歴", u"mnuCBrireki", ":/icons/cliphistory.png",
     false},
    {u"検索", u"検索", u"mnuSearch", ":/icons/find.png", true},
    {u"拡大", u"フォント拡大", u"mnupurasu", ":/icons/fontup.png", true},
    {u"縮小", u"フォント縮小", u"mnumainasu", ":/icons/fontdown.png", false},
    {u"文体変換", u"文体変換", u"mnuDesumasu", ":/icons/style.png", true},
};

const char16_t* const kDispatchOrder[] = {
    u"新規作成",   u"開く",     u"上書き保存", u"印刷",
    u"元に戻す",   u"やり直し", u"切り取り",   u"ｺﾋﾟｰ",
    u"貼り付け",   u"検索",     u"拡大",       u"縮小",
    u"全文コピー", u"文体変換", u"Undo履歴",   u"クリップボード履歴",
};

} // namespace

std::span<const MenuRow> mainMenu() {
    return kMain;
}
std::span<const MenuRow> popupMenu() {
    return kPopup;
}
std::span<const ToolButton> toolbar() {
    return kToolbar;
}
std::span<const char16_t* const> toolbarDispatchOrder() {
    return kDispatchOrder;
}

QString itemName(const MenuRow& row, int index) {
    const QString name = QString::fromUtf16(row.name);
    return row.count > 0 ? name + u'(' + QString::number(index) + u')' : name;
}

} // namespace menus
