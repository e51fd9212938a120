#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <sys/stat.h>

// Whether a user who is neither owner nor group (the user nobody) can start `program`: every
// folder above it must let others through, and the file must let them run it. A checkout in a
// private folder (mode 700, such as /root) does not, and the tests that switch to that user
// skip with the reason instead of failing.
inline bool othersCanRun(const QString& program) {
    struct stat st {};
    if (stat(QFile::encodeName(program).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
        return false;
    for (QDir dir = QFileInfo(program).absoluteDir();; ) {
        if (stat(QFile::encodeName(dir.absolutePath()).constData(), &st) != 0 ||
            !(st.st_mode & S_IXOTH))
            return false;
        if (dir.isRoot() || !dir.cdUp()) return true;
    }
}
