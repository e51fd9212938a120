#pragma once

#include "command/CommandContext.h"

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

// 文字カウント: what the character count window shows about the document and its file.
namespace charcount {

// Each label's caption: its fixed prefix followed by the value.
struct Report {
    QString frame;         // Frame1: the path followed by "の情報"
    QString withBlanks;    // Label1
    QString withoutBlanks; // Label2
    QString lines;         // Label3
    QString type;          // Label4
    QString size;          // Label5
    QString date;          // Label6
};

// The file as it stands on disk; nullopt when it cannot be read.
struct FileFacts {
    qint64 bytes = 0;
    QDateTime modified;
};
std::optional<FileFacts> fileFacts(const QString& path);

// Counted from the text itself, so wrapped lines change nothing: characters without the CR LF
// breaks, and without blanks (half and full width) and breaks; lines are the document's lines.
int charactersWithBlanks(QStringView text, int lines);
int charactersWithoutBlanks(QStringView text);

// Below 1000 bytes "999B", from there kilobytes of 1000 bytes cut to two decimals: "1.23KB".
QString sizeText(qint64 bytes);

// `lines` is the document's line count (CR LF lines). `file` is read only for a titled
// document; a file that cannot be read shows "不明" like an untitled one.
Report countReport(const QString& title, QStringView text, int lines,
                   const std::optional<FileFacts>& file);
// The report on the current document, counted afresh.
Report countReport(CommandContext& ctx);

} // namespace charcount
