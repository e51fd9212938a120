#include "shell/FileDrops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList localFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls()) return paths;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
            paths.append(url.toLocalFile());
    return paths;
}

} // namespace

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (localFiles(drag->mimeData()).isEmpty()) break;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = localFiles(drop->mimeData());
        if (paths.isEmpty()) break;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // The save question and the reading happen after the drag has ended: the source
        // program is not kept waiting on a question.
        QMetaObject::invokeMethod(this, [this, paths] { m_open(paths); }, Qt::QueuedConnection);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
