#pragma once

#include "command/CommandContext.h"

#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

// A drive of the drive list: a volume's root folder in the platform's form and what
// the list shows for it.
struct DriveEntry {
    QString root;
    QString display;
};

// A line of the folder list: the ancestors of the current folder from the root down (open),
// then its subfolders (closed).
struct FolderEntry {
    QString name;
    QString path;
    int depth = 0;
    bool open = false;
};

// An entry of the type filter: its text, the file pattern it sets and the word of the count
// label.
struct FilterEntry {
    QString text;
    QString pattern;
    QString typeWord;
};
const std::array<FilterEntry, 3>& filterTable();

// The open dialog's logic: drive, folder and file lists with a type filter, the quick view
// of the file clicked, and the hand-over of the accepted file to the loading step. The form
// shows this state and forwards its events here.
// What accepting a file runs: loading the file at `path`.
using LoadingStep = std::function<void(const QString& path)>;

class OpenChooser {
public:
    // What a call changed, so that the form refreshes only that (rebuilding the file list
    // would lose its selection).
    enum Change : unsigned {
        DrivesChanged = 1,
        FoldersChanged = 2,
        FilesChanged = 4,
        FilterChanged = 8,
        LabelsChanged = 16,  // Label1, Label2, Label4 to Label7
        PreviewChanged = 32, // the preview text
        CaptionChanged = 64, // Label3, also while the preview is read
        TitleChanged = 128,
    };

    // `drives` and `startFolder` are the platform's unless a caller (a test) gives its own.
    OpenChooser(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
                QList<DriveEntry> drives = platformDrives(),
                QString startFolder = QDir::currentPath());

    // The root folder and the mounted volumes, each once, the root first; on Windows the
    // drive roots.
    static QList<DriveEntry> platformDrives();

    // Called with the Change bits after every call that changed something.
    void setListener(std::function<void(unsigned changes)> listener) {
        m_listener = std::move(listener);
    }

    // onLoad: the filter entries, the caption, then the saved drive, folder and filter.
    void load();
    // onDriveChanged: moves the folder list to the drive; false (with a message) when the
    // drive cannot be read, leaving the lists as they were.
    bool chooseDrive(int index);
    // onFolderChanged: the folder and the files in it; false when it is not a readable folder.
    bool chooseFolder(const QString& path);
    bool chooseFolderEntry(int index);
    // onFilterChosen: the pattern of the entry, then the count labels.
    void selectFilter(int index);
    // onFilterEdited: a typed text is the pattern at once; the labels wait for the next
    // folder change.
    void typePattern(const QString& text);
    // onFileClicked: selects the file and shows its information and first lines.
    void clickFile(int index);
    // onOpenClicked: without a selected file a message and false. Otherwise `hide`, then
    // the saved drive, folder and filter, and the loading step with the path; true.
    bool accept(const std::function<void()>& hide = {});
    // onCancelClicked: nothing is kept.
    void cancel() {}

    // The folder, one separator unless the folder already ends with one, the file name;
    // empty without a selection.
    QString selectedPath() const;
    static QString joinPath(const QString& folder, const QString& name);

    bool insertMode() const { return m_insertMode; }
    const QString& caption() const { return m_caption; }
    const QList<DriveEntry>& drives() const { return m_drives; }
    int driveIndex() const { return m_driveIndex; }
    const QString& folder() const { return m_folder; }
    const QList<FolderEntry>& folderEntries() const { return m_folderEntries; }
    // The entry of the current folder in folderEntries().
    int currentFolderEntry() const { return m_currentFolderEntry; }
    const QString& pattern() const { return m_pattern; }
    const QStringList& files() const { return m_files; }
    int selectedFile() const { return m_selectedFile; }
    const QStringList& filterEntries() const { return m_filterEntries; }
    int filterIndex() const { return m_filterIndex; }
    const QString& filterText() const { return m_filterText; }
    // Label1 to Label7 (Label7: the file's format, beside its size and date).
    static constexpr int kLabelCount = 7;
    QString label(int number) const;
    const QString& preview() const { return m_preview; }

private:
    void touch(unsigned changes) { m_pending |= changes; }
    void notify();
    bool enterFolder(const QString& path);
    void listFiles();
    void updateCountLabels();
    bool restoreIndex(const QString& key, int count, int& index) const;
    QString iniPath() const;

    CommandContext& m_ctx;
    bool m_insertMode;
    LoadingStep m_loadingStep;
    std::function<void(unsigned)> m_listener;
    unsigned m_pending = 0;

    QString m_caption;
    QList<DriveEntry> m_drives;
    int m_driveIndex = -1;
    QString m_folder;
    QList<FolderEntry> m_folderEntries;
    int m_currentFolderEntry = -1;
    QString m_pattern;
    QStringList m_files;
    int m_selectedFile = -1;
    QStringList m_filterEntries;
    int m_filterIndex = -1;
    QString m_filterText;
    QString m_labels[kLabelCount];
    QString m_preview;
};
