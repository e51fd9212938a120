#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The command line a Linux user expects: --help and --version print and end the program; one
// path is the document to open; anything else is said, not ignored.
namespace cmdline {

enum class Action {
    Run,     // open `path` (none: the start-up choice decides)
    Help,    // print helpText() and end
    Version, // print versionText() and end
    Error,   // print `message` and end with a failure
};

struct Parsed {
    Action action = Action::Run;
    QString path;
    // Run: what the window says before it opens `path` (several files named); Error: why.
    QString message;
    // Error: the option not known.
    QString option;
};

// `args` without the program's name. `isFile` says whether a path names an existing file: a
// path with blanks typed without quotes arrives in pieces, and the pieces joined by a blank
// still open it, as the one argument string always has.
Parsed parse(const QStringList& args, const std::function<bool(const QString&)>& isFile);

QString helpText();
QString versionText();

} // namespace cmdline
