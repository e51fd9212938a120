#pragma once

#include "command/DocumentDisplay.h"
#include "documents/FileChangeWatch.h"
#include "platform/KeptText.h"
#include "state/DocumentFormat.h"

#include <QString>
#include <QStringList>
#include <optional>

// Where the writer was in a document: the caret and the text position at the top of the view.
struct DocumentPlace {
    int caret = 0;
    int top = 0;
};

// The open document: the file it belongs to, how that file is written, whether the text has
// changed since, the text as it was loaded, and the recent files. Every change shows on the
// display at once.
class DocumentSession {
public:
    static constexpr int kRecentFileCount = 3;

    explicit DocumentSession(DocumentDisplay& display);

    // The document's file; empty for an untitled document. A text recovered from the backup of
    // a lost session has the backup's path.
    const QString& path() const { return m_path; }
    bool isUntitled() const { return m_path.isEmpty(); }
    // The path as messages name the document: "（無題）" for an untitled one.
    QString displayName() const;
    void setPath(const QString& path);
    // The title bar's text: the prefix, then the path or the untitled mark.
    QString title() const;
    void setUntitled() { setPath(QString()); }

    bool isDirty() const { return m_dirty; }
    void setDirty(bool dirty) { m_dirty = dirty; }

    const DocumentFormat& format() const { return m_format; }
    void setFormat(const DocumentFormat& format);

    // The text as it was last loaded: 全てやり直し goes back to it. A large one is kept packed.
    QString loadedText() const { return m_loadedText.text(); }
    void setLoadedText(const QString& text) { m_loadedText.set(text); }
    const KeptText& keptLoadedText() const { return m_loadedText; }

    // The three newest document paths, newest first; empty entries are unused.
    QString recentFile(int i) const;
    // Puts `path` first; the last entry falls off. Duplicates are kept.
    void pushRecentFile(const QString& path);
    // A stored entry at start-up.
    void restoreRecentFile(int i, const QString& path);

    // Where the writer was in each recent file when it was last closed; the places move with
    // their entries. A path not on the list has none.
    std::optional<DocumentPlace> recentPlace(int i) const;
    std::optional<DocumentPlace> placeOf(const QString& path) const;
    void setPlaceOf(const QString& path, const DocumentPlace& place);
    void restoreRecentPlace(int i, const DocumentPlace& place);

    // The document's file on disk, followed for changes by other programs.
    FileChangeWatch& fileWatch() { return m_watch; }

private:
    DocumentDisplay& m_display;
    QString m_path;
    bool m_dirty = false;
    DocumentFormat m_format;
    KeptText m_loadedText;
    QString m_recent[kRecentFileCount];
    std::optional<DocumentPlace> m_places[kRecentFileCount];
    FileChangeWatch m_watch;
};
