#pragma once

#include <QString>

// The folder Pallo.ini and PalloBackup.txt live in: the program's own folder while it can be
// written and is not an installed program's (one with ../share/pallo beside it), else $XDG_CONFIG_HOME/pallo (~/.config/pallo when unset), created as needed. An
// installed program's folder belongs to the system; the writer's settings and backup must
// still be kept somewhere.
QString settingsFolder(const QString& programDir);
