#include "command/Settings.h"

#include "platform/Cp932Codec.h"
#include "platform/PrivateProfile.h"

#include <QDir>

QString settings::iniPath(const QString& programDir) {
    return programDir + QDir::separator() + kFileName;
}

namespace {

// Longer than any path the system takes.
constexpr int kPathBuffer = 8192;

QString readValue(const QString& section, const QString& key, const QString& file,
                  int bufferSize) {
    const QByteArray value =
        profile::readString(file, cp932::encode(section), cp932::encode(key), {}, bufferSize);
    // The profile layer already ends a value at its first NUL.
    return cp932::decode(value);
}

// Characters the file holds as they are; a line break would end the value.
bool storesAsIs(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() < 0x20) return false;
    return cp932::decode(cp932::encode(text)) == text;
}

} // namespace

QString readSetting(const QString& section, const QString& key, const QString& file) {
    return readValue(section, key, file, 255);
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

QString pathToSetting(const QString& path) {
    if (storesAsIs(path) && !path.startsWith(kEscapedPathPrefix)) return path;
    QString value = kEscapedPathPrefix;
    for (qsizetype i = 0; i < path.size(); ++i) {
        const qsizetype n =
            path[i].isHighSurrogate() && i + 1 < path.size() && path[i + 1].isLowSurrogate() ? 2
                                                                                            : 1;
        const QStringView c = QStringView(path).sliced(i, n);
        if (c != u"%" && storesAsIs(c))
            value += c;
        else
            value += QString::fromLatin1(c.toUtf8().toPercentEncoding());
        i += n - 1;
    }
    return value;
}

QString pathFromSetting(const QString& value) {
    if (!value.startsWith(kEscapedPathPrefix)) return value;
    return QString::fromUtf8(
        QByteArray::fromPercentEncoding(value.sliced(kEscapedPathPrefix.size()).toUtf8()));
}

QString readPathSetting(const QString& section, const QString& key, const QString& file) {
    return pathFromSetting(readValue(section, key, file, kPathBuffer));
}

int writePathSetting(const QString& section, const QString& key, const QString& file,
                     const QString& path) {
    return writeSetting(section, key, file, pathToSetting(path));
}
