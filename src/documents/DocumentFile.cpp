#include "documents/DocumentFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A device without a size (a pipe, a character device) is read in pieces so that an endless
// one stops at the limit instead of filling the memory.
constexpr qint64 kChunk = 1 << 16;

bool readLimited(QFile& file, qint64 maxBytes, QByteArray& bytes) {
    if (!file.isSequential()) {
        if (maxBytes >= 0 && file.size() > maxBytes) return false;
        bytes = file.readAll();
    } else {
        QByteArray chunk;
        while (!(chunk = file.read(kChunk)).isEmpty()) {
            bytes += chunk;
            if (maxBytes >= 0 && bytes.size() > maxBytes) return false;
        }
    }
    if (file.error() != QFileDevice::NoError) return false;
    // A file that grew while it was read.
    return maxBytes < 0 || bytes.size() <= maxBytes;
}

} // namespace

bool ReadDocumentFile(const QString& path, QString& text, qint64 maxBytes) {
    if (path.isEmpty() || QFileInfo(path).isDir()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    QByteArray bytes;
    if (!readLimited(file, maxBytes, bytes)) return false;
    text = cp932::decode(bytes);
    // The decoder sizes for the worst case; the document is kept for long.
    text.squeeze();
    return true;
}

QByteArray encodeDocument(QStringView text, cp932::EncodeReport* report, int maxPositions) {
    QByteArray bytes = cp932::encode(text, report, maxPositions);
    bytes.append("\r\n", 2);
    return bytes;
}

bool writeEncodedDocument(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeDocumentBytes(const QString& path, const QString& text, cp932::EncodeReport* report) {
    return writeEncodedDocument(path, encodeDocument(text, report));
}

QString backupFilePath(const QString& programDir) {
    return programDir + QDir::separator() + QStringLiteral("PalloBackup.txt");
}

bool isBackupFile(const QString& path, const QString& programDir) {
    const QString backup = backupFilePath(programDir);
    if (path == backup) return true;
    const QFileInfo a(path), b(backup);
    // Canonical paths see through links and "..", but only for files that exist.
    if (a.exists() && b.exists()) return a.canonicalFilePath() == b.canonicalFilePath();
    return QDir::cleanPath(a.absoluteFilePath()) == QDir::cleanPath(b.absoluteFilePath());
}
