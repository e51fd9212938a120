#include "shell/CommandLine.h"

#include "documents/DroppedFiles.h"

#ifndef PALLO_VERSION
#define PALLO_VERSION "unknown"
#endif

namespace cmdline {

namespace {

QString trimmedBlanks(QString path) {
    // Only blanks are trimmed: quotation marks stay part of the path.
    while (path.startsWith(u' '))
        path.remove(0, 1);
    while (path.endsWith(u' '))
        path.chop(1);
    return path;
}

} // namespace

Parsed parse(const QStringList& args, const std::function<bool(const QString&)>& isFile) {
    QStringList paths;
    bool optionsEnd = false;
    for (const QString& arg : args) {
        if (!optionsEnd && arg.startsWith(u'-') && arg.size() > 1) {
            if (arg == u"--help") return {Action::Help, {}, {}};
            if (arg == u"--version") return {Action::Version, {}, {}};
            if (arg == u"--") {
                optionsEnd = true;
                continue;
            }
            return {Action::Error, {},
                    QStringLiteral("pallo: 不明なオプションです: %1\n"
                                   "使い方は pallo --help で表示されます。")
                        .arg(arg),
                    arg};
        }
        paths.append(arg);
    }
    if (paths.size() <= 1) return {Action::Run, trimmedBlanks(paths.value(0)), {}};
    const QString joined = trimmedBlanks(paths.join(u' '));
    if (isFile(joined)) return {Action::Run, joined, {}};
    const QString first = trimmedBlanks(paths.first());
    return {Action::Run, first, onlyFirstFileNotice(first)};
}

QString helpText() {
    return QStringLiteral(
        "使い方: pallo [ファイル]\n"
        "        pallo --help | --version\n"
        "\n"
        "日本語の文章を書くためのテキストエディタです。\n"
        "ファイルを指定すると、そのファイルを開きます。存在しないファイルを指定すると、\n"
        "空の文書で起動し、上書き保存でその名前のファイルに保存します。\n"
        "\n"
        "オプション:\n"
        "  --help     この説明を表示して終了します\n"
        "  --version  バージョンを表示して終了します\n"
        "  --         これより後ろの引数をファイル名として扱います\n"
        "\n"
        "インストールしたプログラムは、設定とバックアップを ~/.config/pallo に置きます。\n");
}

QString versionText() {
    return QStringLiteral("Pallo " PALLO_VERSION "\n");
}

} // namespace cmdline
