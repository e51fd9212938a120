#include "command/Settings.h"

#include "platform/Cp932Codec.h"
#include "platform/PrivateProfile.h"

#include <QDir>

QString settings::iniPath(const QString& programDir) {
    return programDir + QDir::separator() + kFileName;
}

QString readSetting(const QString& section, const QString& key, const QString& file) {
    const QByteArray value =
        profile::readString(file, cp932::encode(section), cp932::encode(key), {}, 255);
    // The profile layer already ends a value at its first NUL.
    return cp932::decode(value);
}

int writeSetting(const QString& section, const QString& key, const QString& file,
                 const QString& value) {
    // A line break would let the rest of the value stand in the file as lines of their own,
    // read back as other keys or sections.
    qsizetype cut = value.size();
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\r' || value[i] == u'\n') {
            cut = i;
            break;
        }
    }
    const bool ok = profile::writeString(file, cp932::encode(section), cp932::encode(key),
                                         cp932::encode(QStringView(value).left(cut)));
    return ok ? 1 : 0;
}
