#include "documents/DocumentFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool ReadDocumentFile(const QString& path, QString& text) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    text = cp932::decode(bytes);
    return true;
}

bool writeDocumentBytes(const QString& path, const QString& text, cp932::EncodeReport* report) {
    QByteArray bytes = cp932::encode(text, report);
    bytes.append("\r\n", 2);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
