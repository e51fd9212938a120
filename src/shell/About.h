#pragma once

#include "command/CommandContext.h"

#include <QString>

// What the About box shows and what its two address labels copy.
namespace about {

inline const QString kVersion = QStringLiteral("Pallo ver1.04");
inline const QString kSupportPage = QStringLiteral("https://pallo.example.org/");
inline const QString kMailShown = QStringLiteral("support@pallo.example.org");
// The address a click copies is kept apart from the one shown, so either can change alone.
inline const QString kMailCopied = QStringLiteral("support@pallo.example.org");
inline const QString kNotice =
    QStringLiteral("このソフトウェアはフリーソフトです。ご意見・ご感想をお寄せください。");

// The label texts: a caption, a line break, three blanks and the address.
QString supportLabel();
QString mailLabel();

// A click on an address label: the address goes to the clipboard, and the clipboard panel
// shows what the clipboard now holds, whole (the texts are short).
void copyAddress(CommandContext& ctx, const QString& address);

} // namespace about

// The help: a Japanese HTML manual beside the program, opened at a keyword's section.
namespace help {

inline const QString kFileName = QStringLiteral("Pallo.html");
// The section 目次 opens at.
inline const QString kKeyword = QStringLiteral("コモンダイアログ");

// Where the manual may be: beside the program first, then where an installation puts it.
QStringList candidates(const QString& programDir);
// The first candidate that exists, or "" when the manual is missing.
QString find(const QString& programDir);
// What the help window shows instead of a missing manual (HTML).
QString missingText(const QString& programDir);

} // namespace help
