#include "command/SettingsFolder.h"

#include <QDir>
#include <QFileInfo>

QString settingsFolder(const QString& programDir) {
    // An installed program (its manual in ../share/pallo) keeps nothing in its own folder, even
    // where that folder is writable, as /usr/bin is for root: the folder belongs to the package
    // manager, and removing the package must leave nothing behind but the writer's settings.
    const bool installed = QFileInfo::exists(programDir + QStringLiteral("/../share/pallo"));
    if (!installed && QFileInfo(programDir).isWritable()) return programDir;
    // A relative value is to be ignored, as the XDG rules ask.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = QDir::cleanPath(base + QStringLiteral("/pallo"));
    // Nowhere to write at all: every write fails quietly, as in a read-only program folder.
    return QDir().mkpath(folder) ? folder : programDir;
}
