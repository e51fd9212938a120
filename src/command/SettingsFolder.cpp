#include "command/SettingsFolder.h"

#include <QDir>
#include <QFileInfo>

QString settingsFolder(const QString& programDir) {
    if (QFileInfo(programDir).isWritable()) return programDir;
    // A relative value is to be ignored, as the XDG rules ask.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    const QString folder = QDir::cleanPath(base + QStringLiteral("/pallo"));
    // Nowhere to write at all: every write fails quietly, as in a read-only program folder.
    return QDir().mkpath(folder) ? folder : programDir;
}
