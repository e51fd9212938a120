#pragma once

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <memory>

// The document's file as it stood on disk: enough to tell another program's write, a
// rename-replace or a deletion from what Pallo itself last read or wrote.
struct FileStamp {
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    quint64 inode = 0;
    QByteArray digest; // of the content; only filled where the stat alone cannot tell

    static FileStamp of(const QString& path, bool withDigest);
    bool sameStat(const FileStamp& other) const {
        return exists == other.exists && size == other.size && modifiedNs == other.modifiedNs &&
               inode == other.inode;
    }
};

// What the window does about a change of its document's file by another program.
enum class FileChangeAction {
    Nothing,            // no change, Pallo's own save, or one already asked about
    AskReload,          // the text is as read: offer to reload it
    AskReloadOverEdits, // the writer changed the text too: reload or keep theirs
    MarkChanged,        // the file is gone: the text stays, marked as changed
};

// Follows the document's file on disk. The watcher only tells that something happened; what
// it was is decided by comparing the file with what Pallo last read or wrote, so Pallo's own
// saves (written to a temporary file and renamed over the old one) never count as a change.
class FileChangeWatch : public QObject {
    Q_OBJECT
public:
    FileChangeWatch();
    ~FileChangeWatch() override;

    // Pallo has just read or written `path` (empty: the document has no file): what is on
    // disk now is the text's own.
    void follow(const QString& path);
    const QString& path() const { return m_path; }

    // What became of the file since it was followed or last checked. Each change is reported
    // once; a change the writer chose to ignore stays a change for changedSinceKnown().
    FileChangeAction check(bool textChanged);
    // The file exists and is not what Pallo last read or wrote: an overwrite would lose it.
    bool changedSinceKnown();

signals:
    // The watcher saw the file touched; the window checks when it is next active.
    void touched();

private:
    void arm(const FileStamp& now);

    // Made for the first file followed: a session without a file costs no watch.
    std::unique_ptr<QFileSystemWatcher> m_watcher;
    QString m_path;
    FileStamp m_known;
    FileStamp m_reported;
    quint64 m_armedInode = 0;
    bool m_touched = false;
};
