#include "documents/ui/OpenFileDialog.h"

#include "platform/ui/TypedCombo.h"

#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr unsigned kEverything = ~0u;

// Headings of the lists; the controls themselves carry the names the program knows them by.
QLabel* heading(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

} // namespace

OpenFileDialog::OpenFileDialog(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
             QWidget* parent)
    : OpenFileDialog(ctx, insertMode, std::move(loadingStep), OpenChooser::platformDrives(),
            QDir::currentPath(), parent) {}

OpenFileDialog::OpenFileDialog(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
             QList<DriveEntry> drives, QString startFolder, QWidget* parent)
    : QDialog(parent), m_chooser(ctx, insertMode, std::move(loadingStep), std::move(drives),
                                 std::move(startFolder)) {
    setObjectName(QStringLiteral("OpenFileDialog"));
    buildControls();
    refresh(kEverything);
    m_chooser.setListener([this](unsigned changes) { refresh(changes); });
    connectControls();
    m_chooser.load();
}

void OpenFileDialog::buildControls() {
    m_drive1 = new QComboBox(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1 = new QListWidget(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->installEventFilter(this);
    m_file1 = new QListWidget(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_combo1 = new QComboBox(this);
    m_combo1->setObjectName(QStringLiteral("Combo1"));
    makeTypedCombo(m_combo1, this);
    for (int i = 0; i < OpenChooser::kLabelCount; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("Label%1").arg(i + 1));
    }
    m_frame1 = new QGroupBox(QStringLiteral("ﾌｧｲﾙ情報"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_text1 = new QPlainTextEdit(m_frame1);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setReadOnly(true);
    m_command1 = new QPushButton(QStringLiteral("開く(&O)"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setDefault(true);
    m_command2 = new QPushButton(QStringLiteral("キャンセル"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));

    for (QListWidget* list : {m_file1, m_dir1}) {
        list->setMinimumSize(160, 200);
        list->setIconSize(QSize(16, 16));
    }
    // Long volume names or typed patterns must not widen the dialog.
    for (QComboBox* box : {m_drive1, m_combo1}) {
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(12);
    }
    m_text1->setMinimumSize(260, 160);

    auto* count = new QHBoxLayout;
    count->setSpacing(0);
    count->addWidget(m_labels[0]);
    count->addWidget(m_labels[1]);
    count->addStretch();

    // The file column (names, count, type) beside the folder column (folders, drive).
    auto* lists = new QGridLayout;
    lists->addWidget(heading(QStringLiteral("ファイル名(&N):"), m_file1), 0, 0);
    lists->addWidget(heading(QStringLiteral("フォルダ(&D):"), m_dir1), 0, 1);
    lists->addWidget(m_file1, 1, 0);
    lists->addWidget(m_dir1, 1, 1);
    lists->addLayout(count, 2, 0);
    lists->addWidget(heading(QStringLiteral("ファイルの種類(&T):"), m_combo1), 3, 0);
    lists->addWidget(heading(QStringLiteral("ドライブ(&V):"), m_drive1), 3, 1);
    lists->addWidget(m_combo1, 4, 0);
    lists->addWidget(m_drive1, 4, 1);
    lists->setRowStretch(1, 1);
    lists->setColumnStretch(0, 1);
    lists->setColumnStretch(1, 1);

    auto* info = new QVBoxLayout(m_frame1);
    for (int n : {4, 5, 7, 6, 3})
        info->addWidget(m_labels[n - 1]);
    info->addWidget(m_text1, 1);

    auto* body = new QHBoxLayout;
    body->addLayout(lists, 3);
    body->addWidget(m_frame1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* top = new QVBoxLayout(this);
    top->addLayout(body, 1);
    top->addLayout(buttons);
    resize(820, 480);
}

void OpenFileDialog::connectControls() {
    connect(m_drive1, &QComboBox::activated, this, &OpenFileDialog::onDriveChanged);
    connect(m_dir1, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { onFolderChanged(m_dir1->row(item)); });
    connect(m_file1, &QListWidget::currentRowChanged, this, &OpenFileDialog::onFileClicked);
    connect(m_file1, &QListWidget::itemDoubleClicked, this, &OpenFileDialog::onFileDoubleClicked);
    connect(m_combo1, &QComboBox::activated, this, &OpenFileDialog::onFilterChosen);
    connect(m_combo1, &QComboBox::editTextChanged, this, &OpenFileDialog::onFilterEdited);
    connect(m_command1, &QPushButton::clicked, this, &OpenFileDialog::onOpenClicked);
    connect(m_command2, &QPushButton::clicked, this, &OpenFileDialog::onCancelClicked);
}

bool OpenFileDialog::eventFilter(QObject* watched, QEvent* event) {
    // Enter in the folder list opens the folder, and in the filter box the typed pattern
    // already applies: neither presses the default button.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_dir1) {
                onFolderChanged(m_dir1->currentRow());
                return true;
            }
            if (watched == m_combo1 || watched == m_combo1->lineEdit()) return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void OpenFileDialog::onDriveChanged(int index) {
    m_chooser.chooseDrive(index);
}

void OpenFileDialog::onFolderChanged(int entry) {
    m_chooser.chooseFolderEntry(entry);
}

void OpenFileDialog::onFileClicked(int index) {
    if (index >= 0) m_chooser.clickFile(index);
}

void OpenFileDialog::onFileDoubleClicked() {
    onOpenClicked();
}

void OpenFileDialog::onFilterChosen(int index) {
    m_chooser.selectFilter(index);
}

void OpenFileDialog::onFilterEdited(const QString& text) {
    m_chooser.typePattern(text);
}

void OpenFileDialog::onOpenClicked() {
    if (m_chooser.accept([this] { hide(); })) done(QDialog::Accepted);
}

void OpenFileDialog::onCancelClicked() {
    m_chooser.cancel();
    reject();
}

void OpenFileDialog::refresh(unsigned changes) {
    const OpenChooser& c = m_chooser;
    if (changes & OpenChooser::TitleChanged) setWindowTitle(c.caption());
    if (changes & OpenChooser::DrivesChanged) {
        const QSignalBlocker block(m_drive1);
        if (m_drive1->count() != c.drives().size()) {
            m_drive1->clear();
            const QIcon icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
            for (const DriveEntry& drive : c.drives())
                m_drive1->addItem(icon, drive.display);
        }
        m_drive1->setCurrentIndex(c.driveIndex());
    }
    if (changes & OpenChooser::FoldersChanged) {
        const QSignalBlocker block(m_dir1);
        m_dir1->clear();
        const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
        const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
        for (const FolderEntry& entry : c.folderEntries()) {
            auto* item = new QListWidgetItem(entry.open ? open : closed,
                                             QString(entry.depth * 2, u' ') + entry.name, m_dir1);
            item->setData(Qt::UserRole, entry.path);
            item->setToolTip(entry.path);
        }
        m_dir1->setCurrentRow(c.currentFolderEntry());
    }
    if (changes & OpenChooser::FilesChanged) {
        const QSignalBlocker block(m_file1);
        m_file1->clear();
        const QIcon icon = style()->standardIcon(QStyle::SP_FileIcon);
        for (const QString& name : c.files())
            new QListWidgetItem(icon, name, m_file1);
        m_file1->setCurrentRow(c.selectedFile());
    }
    if (changes & OpenChooser::FilterChanged) {
        const QSignalBlocker block(m_combo1);
        if (m_combo1->count() != c.filterEntries().size()) {
            m_combo1->clear();
            m_combo1->addItems(c.filterEntries());
        }
        m_combo1->setCurrentIndex(c.filterIndex());
        m_combo1->setEditText(c.filterText());
    }
    if (changes & OpenChooser::LabelsChanged) {
        for (int n : {1, 2, 4, 5, 6, 7})
            m_labels[n - 1]->setText(c.label(n));
    }
    if (changes & OpenChooser::CaptionChanged) {
        m_labels[2]->setText(c.label(3));
        // The preview is read without returning to the event loop: paint the progress now.
        if (m_labels[2]->isVisible()) m_labels[2]->repaint();
    }
    if (changes & OpenChooser::PreviewChanged) m_text1->setPlainText(c.preview());
}
