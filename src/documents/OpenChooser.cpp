#include "documents/OpenChooser.h"

#include "command/Settings.h"
#include "documents/QuickViewText.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStorageInfo>
#include <algorithm>

namespace {

const QString kOpenCaption = QStringLiteral("ファイルを開く");
const QString kInsertCaption = QStringLiteral("結合");
const QString kNoFileMessage = QStringLiteral("ﾌｧｲﾙが選択されていません。");
const QString kDriveNotReady = QStringLiteral("デバイスの準備が出来てません。");
const QString kInitialPattern = QStringLiteral("*.txt;*.ini");

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString nativeFolder(const QString& path) {
    return QDir::toNativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

bool endsWithSeparator(const QString& path) {
    return path.endsWith(QDir::separator());
}

// True when `folder` is `root` or lies below it.
bool isWithin(const QString& folder, const QString& root) {
    if (!folder.startsWith(root, kPathCase)) return false;
    return folder.size() == root.size() || endsWithSeparator(root) ||
           folder[root.size()] == QDir::separator();
}

// File patterns match as on the desktop the dialog comes from: without regard to case, "*"
// and "?" as the only wildcards, and "*.*" for every file, with an extension or not.
QList<QRegularExpression> patternMatchers(const QString& pattern) {
    QList<QRegularExpression> matchers;
    for (const QString& raw : pattern.split(u';')) {
        const QString part = raw.trimmed();
        if (part.isEmpty()) continue;
        if (part == QStringLiteral("*.*")) {
            matchers.append(QRegularExpression(QStringLiteral(".*")));
            continue;
        }
        QString expression;
        for (const QChar c : part) {
            if (c == u'*')
                expression += QStringLiteral(".*");
            else if (c == u'?')
                expression += u'.';
            else
                expression += QRegularExpression::escape(QString(c));
        }
        matchers.append(QRegularExpression(QRegularExpression::anchoredPattern(expression),
                                           QRegularExpression::CaseInsensitiveOption));
    }
    // A cleared box shows every file rather than none.
    if (matchers.isEmpty()) matchers.append(QRegularExpression(QStringLiteral(".*")));
    return matchers;
}

} // namespace

const std::array<FilterEntry, 3>& filterTable() {
    static const std::array<FilterEntry, 3> table{{
        {QStringLiteral("ﾃｷｽﾄﾌｧｲﾙ(*.txt;*.ini)"), QStringLiteral("*.txt;*.ini"),
         QStringLiteral("textﾌｧｲﾙ")},
        {QStringLiteral("htmlﾌｧｲﾙ(*.htm;*.html)"), QStringLiteral("*.htm;*.html"),
         QStringLiteral("htmlﾌｧｲﾙ")},
        {QStringLiteral("全てのﾌｧｲﾙ(*.*)"), QStringLiteral("*.*"), QStringLiteral("全てのﾌｧｲﾙ")},
    }};
    return table;
}

QList<DriveEntry> OpenChooser::platformDrives() {
    QList<DriveEntry> drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives()) {
        const QString root = QDir::toNativeSeparators(drive.absoluteFilePath());
        drives.append({root, root.left(2).toLower()});
    }
#else
    const auto display = [](const QString& root, const QString& name) {
        return name.isEmpty() ? root : root + QStringLiteral(" [") + name + u']';
    };
    const QStorageInfo rootVolume = QStorageInfo::root();
    drives.append({QDir::rootPath(), display(QDir::rootPath(), rootVolume.name())});
    QList<DriveEntry> mounted;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !volume.isReady()) continue;
        const QString root = nativeFolder(volume.rootPath());
        // Files mounted over files (as containers do) are no drives.
        if (!QFileInfo(root).isDir() || root == QDir::rootPath()) continue;
        const bool known = std::any_of(mounted.cbegin(), mounted.cend(),
                                       [&](const DriveEntry& d) { return d.root == root; });
        if (!known) mounted.append({root, display(root, volume.name())});
    }
    std::sort(mounted.begin(), mounted.end(),
              [](const DriveEntry& a, const DriveEntry& b) { return a.root < b.root; });
    drives.append(mounted);
#endif
    return drives;
}

OpenChooser::OpenChooser(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
                         QList<DriveEntry> drives, QString startFolder)
    : m_ctx(ctx), m_insertMode(insertMode), m_loadingStep(std::move(loadingStep)),
      m_caption(kOpenCaption), m_drives(std::move(drives)), m_pattern(kInitialPattern) {
    m_labels[2] = quickview::kInitialCaption;
    if (!enterFolder(startFolder) && !(m_drives.size() > 0 && enterFolder(m_drives[0].root)))
        enterFolder(QDir::rootPath());
    m_pending = 0;
}

QString OpenChooser::label(int number) const {
    return number >= 1 && number <= kLabelCount ? m_labels[number - 1] : QString();
}

QString OpenChooser::iniPath() const {
    return settings::iniPath(m_ctx.programDir);
}

void OpenChooser::notify() {
    const unsigned changes = m_pending;
    m_pending = 0;
    if (changes && m_listener) m_listener(changes);
}

bool OpenChooser::enterFolder(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isDir()) return false;
    m_folder = nativeFolder(path);

    // The folder list follows the folder; on desktops where every volume hangs below one
    // root, so does the drive shown.
    int drive = -1;
    for (int i = 0; i < m_drives.size(); ++i) {
        if (isWithin(m_folder, m_drives[i].root) &&
            (drive < 0 || m_drives[i].root.size() > m_drives[drive].root.size()))
            drive = i;
    }
    if (drive >= 0 && drive != m_driveIndex) {
        m_driveIndex = drive;
        touch(DrivesChanged);
    }

    m_folderEntries.clear();
    QDir dir(m_folder);
    QStringList chain{m_folder};
    while (!dir.isRoot() && dir.cdUp())
        chain.prepend(QDir::toNativeSeparators(dir.absolutePath()));
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString& ancestor = chain[depth];
        const QString name = depth == 0 ? ancestor : QFileInfo(ancestor).fileName();
        m_folderEntries.append({name, ancestor, depth, true});
    }
    m_currentFolderEntry = int(m_folderEntries.size()) - 1;
    const QFileInfoList subfolders = QDir(m_folder).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot,
                                                                  QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& sub : subfolders) {
        m_folderEntries.append({sub.fileName(), QDir::toNativeSeparators(sub.absoluteFilePath()),
                                int(chain.size()), false});
    }
    touch(FoldersChanged);
    listFiles();
    return true;
}

void OpenChooser::listFiles() {
    m_files.clear();
    const QList<QRegularExpression> matchers = patternMatchers(m_pattern);
    const QStringList names = QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        if (std::any_of(matchers.cbegin(), matchers.cend(),
                        [&](const QRegularExpression& m) { return m.match(name).hasMatch(); }))
            m_files.append(name);
    }
    m_selectedFile = -1;
    touch(FilesChanged);
}

void OpenChooser::updateCountLabels() {
    m_labels[0] = QString::number(m_files.size());
    for (const FilterEntry& entry : filterTable()) {
        if (entry.text == m_filterText) {
            m_labels[1] = QStringLiteral("件の") + entry.typeWord;
            break;
        }
    }
    touch(LabelsChanged);
}

bool OpenChooser::restoreIndex(const QString& key, int count, int& index) const {
    bool numeric = false;
    const int value = readSetting(settings::kSection, key, iniPath()).toInt(&numeric);
    if (!numeric || value < 0 || value >= count) return false;
    index = value;
    return true;
}

void OpenChooser::load() {
    m_filterEntries.clear();
    for (const FilterEntry& entry : filterTable())
        m_filterEntries.append(entry.text);
    touch(FilterChanged);
    selectFilter(0);

    if (m_insertMode) {
        m_caption = kInsertCaption;
        touch(TitleChanged);
    }

    // Each saved value is restored only while the ones before it were.
    int drive = 0, filter = 0;
    if (restoreIndex(settings::key::Drive, int(m_drives.size()), drive)) {
        chooseDrive(drive);
        if (chooseFolder(readPathSetting(settings::kSection, settings::key::Dir, iniPath())) &&
            restoreIndex(settings::key::Combo, int(m_filterEntries.size()), filter))
            selectFilter(filter);
    }
    notify();
}

bool OpenChooser::chooseDrive(int index) {
    if (index < 0 || index >= m_drives.size()) return false;
    const QString& root = m_drives[index].root;
    if (!QFileInfo(root).isDir() || !QDir(root).isReadable() || !enterFolder(root)) {
        // The drive list shows again the drive of the folder still shown.
        touch(DrivesChanged);
        notify();
        m_ctx.services.prompts.message(kDriveNotReady, MsgButtons::OK, MsgIcon::None);
        return false;
    }
    m_driveIndex = index;
    touch(DrivesChanged);
    updateCountLabels();
    notify();
    return true;
}

bool OpenChooser::chooseFolder(const QString& path) {
    if (!enterFolder(path)) return false;
    updateCountLabels();
    notify();
    return true;
}

bool OpenChooser::chooseFolderEntry(int index) {
    if (index < 0 || index >= m_folderEntries.size()) return false;
    return chooseFolder(m_folderEntries[index].path);
}

void OpenChooser::selectFilter(int index) {
    if (index < 0 || index >= m_filterEntries.size()) return;
    m_filterIndex = index;
    m_filterText = m_filterEntries[index];
    m_pattern = filterTable()[index].pattern;
    touch(FilterChanged);
    listFiles();
    updateCountLabels();
    notify();
}

void OpenChooser::typePattern(const QString& text) {
    m_filterText = text;
    m_filterIndex = -1;
    m_pattern = text;
    // An entry's own text stands for its pattern, not for a pattern of that name.
    for (int i = 0; i < m_filterEntries.size(); ++i) {
        if (m_filterEntries[i] == text) {
            m_filterIndex = i;
            m_pattern = filterTable()[i].pattern;
        }
    }
    listFiles();
    notify();
}

QString OpenChooser::joinPath(const QString& folder, const QString& name) {
    return endsWithSeparator(folder) ? folder + name : folder + QDir::separator() + name;
}

QString OpenChooser::selectedPath() const {
    if (m_selectedFile < 0 || m_selectedFile >= m_files.size()) return {};
    return joinPath(m_folder, m_files[m_selectedFile]);
}

void OpenChooser::clickFile(int index) {
    if (index < 0 || index >= m_files.size()) return;
    m_selectedFile = index;
    MousePointer& pointer = m_ctx.services.pointer;
    pointer.setBusy(true);
    m_preview.clear();
    touch(PreviewChanged);
    const QString path = selectedPath();

    // Each line keeps what it was given before a step failed; the preview stays empty.
    const QFileInfo info(path);
    bool readable = info.exists();
    if (readable) {
        m_labels[3] = quickview::sizeLine(info.size());
        m_labels[4] = quickview::dateLine(info.lastModified());
        touch(LabelsChanged);
        const int bits = quickview::fileAttributes(path);
        readable = bits >= 0;
        if (readable) m_labels[5] = quickview::attributeLine(bits);
    }
    if (readable) {
        const quickview::Preview preview = quickview::readPreview(path, [&](const QString& text) {
            m_labels[2] = text;
            touch(CaptionChanged);
            notify();
        });
        m_preview = preview.text;
        // An unreadable file has no format to show, not the previous file's.
        m_labels[6] = preview.ok ? quickview::formatLine(preview.format) : QString();
        touch(PreviewChanged | LabelsChanged);
    }
    if (m_labels[2] != quickview::kCaption) {
        m_labels[2] = quickview::kCaption;
        touch(CaptionChanged);
    }
    pointer.setBusy(false);
    notify();
}

bool OpenChooser::accept(const std::function<void()>& hide) {
    if (m_selectedFile < 0 || m_selectedFile >= m_files.size()) {
        m_ctx.services.prompts.message(kNoFileMessage, MsgButtons::OK, MsgIcon::None);
        return false;
    }
    if (hide) hide();
    const QString path = selectedPath();
    const QString ini = iniPath();
    writeSetting(settings::kSection, settings::key::Drive, ini, QString::number(m_driveIndex));
    writePathSetting(settings::kSection, settings::key::Dir, ini, m_folder);
    writeSetting(settings::kSection, settings::key::Combo, ini, QString::number(m_filterIndex));
    if (m_loadingStep) m_loadingStep(path);
    return true;
}
