#include "documents/FileChangeWatch.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <utility>
#ifdef Q_OS_LINUX
#include <sys/stat.h>
#endif

FileStamp FileStamp::of(const QString& path, bool withDigest) {
    FileStamp stamp;
    if (path.isEmpty()) return stamp;
#ifdef Q_OS_LINUX
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return stamp;
    stamp.size = st.st_size;
    stamp.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    stamp.inode = st.st_ino;
#else
    const QFileInfo info(path);
    if (!info.isFile()) return stamp;
    stamp.size = info.size();
    stamp.modifiedNs = info.lastModified().toMSecsSinceEpoch() * 1000000;
#endif
    stamp.exists = true;
    if (withDigest) {
        QFile file(path);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        if (file.open(QIODevice::ReadOnly) && hash.addData(&file)) stamp.digest = hash.result();
    }
    return stamp;
}

FileChangeWatch::FileChangeWatch() = default;
FileChangeWatch::~FileChangeWatch() = default;

void FileChangeWatch::follow(const QString& path) {
    if (m_watcher && !m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
    m_armedInode = 0;
    m_path = path;
    m_known = FileStamp::of(path, true);
    m_reported = m_known;
    m_touched = false;
    arm(m_known);
}

// A rename-replace leaves the watch on the old file and a deletion ends it: the watch is laid
// again on whatever file the path names now.
void FileChangeWatch::arm(const FileStamp& now) {
    if (m_path.isEmpty() || !now.exists) return;
    if (!m_watcher) {
        m_watcher = std::make_unique<QFileSystemWatcher>();
        connect(m_watcher.get(), &QFileSystemWatcher::fileChanged, this, [this] {
            m_touched = true;
            emit touched();
        });
    }
    const bool watching = m_watcher->files().contains(m_path);
    if (watching && now.inode == m_armedInode) return;
    if (watching) m_watcher->removePath(m_path);
    m_watcher->addPath(m_path);
    m_armedInode = now.inode;
}

FileChangeAction FileChangeWatch::check(bool textChanged) {
    if (m_path.isEmpty()) return FileChangeAction::Nothing;
    FileStamp now = FileStamp::of(m_path, false);
    arm(now);
    // Timestamps are coarser than a quick rewrite: once the watcher has seen a write, the
    // content decides.
    const bool touched = std::exchange(m_touched, false);
    if (!touched && (now.sameStat(m_known) || now.sameStat(m_reported)))
        return FileChangeAction::Nothing;
    if (now.exists) now = FileStamp::of(m_path, true);
    const auto sameContent = [&now](const FileStamp& s) {
        return now.exists == s.exists && now.digest == s.digest;
    };
    if (sameContent(m_known)) {
        // Rewritten as it was (Pallo's own save, a touch): nothing to tell.
        m_known = m_reported = now;
        return FileChangeAction::Nothing;
    }
    if (sameContent(m_reported)) {
        m_reported = now;
        return FileChangeAction::Nothing;
    }
    m_reported = now;
    if (!now.exists) return FileChangeAction::MarkChanged;
    return textChanged ? FileChangeAction::AskReloadOverEdits : FileChangeAction::AskReload;
}

bool FileChangeWatch::changedSinceKnown() {
    if (m_path.isEmpty()) return false;
    const FileStamp now = FileStamp::of(m_path, true);
    return now.exists && !(m_known.exists && now.digest == m_known.digest);
}
