#include "platform/DurableSave.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

bool replaceFileDurably(const QString& path, const QByteArray& bytes) {
    if (path.isEmpty()) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    bool written = file.write(bytes) == bytes.size() && file.flush();
#ifdef Q_OS_UNIX
    // The rename is only safe once the data is on the disk: without this a power cut soon after
    // a save can leave the file empty on common file systems. Some file systems report a full
    // disk only here.
    written = written && ::fsync(file.handle()) == 0;
#endif
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
