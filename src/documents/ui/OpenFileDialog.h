#pragma once

#include "command/CommandContext.h"
#include "documents/OpenChooser.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

// The open dialog: drive, folder and file lists, the type filter and the quick view. Shown
// modally (exec) by Open and Insert file; accepting a file runs `loadingStep` with its path,
// then closes the dialog whatever the step did.
class OpenFileDialog : public QDialog {
    Q_OBJECT
public:
    OpenFileDialog(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
          QWidget* parent = nullptr);
    // Tests give their own drives and starting folder.
    OpenFileDialog(CommandContext& ctx, bool insertMode, LoadingStep loadingStep,
          QList<DriveEntry> drives, QString startFolder, QWidget* parent = nullptr);

    OpenChooser& chooser() { return m_chooser; }
    QComboBox* Drive1() const { return m_drive1; }
    QListWidget* Dir1() const { return m_dir1; }
    QListWidget* File1() const { return m_file1; }
    QComboBox* Combo1() const { return m_combo1; }
    QLabel* Label(int number) const { return m_labels[number - 1]; }
    QGroupBox* Frame1() const { return m_frame1; }
    QPlainTextEdit* Text1() const { return m_text1; }
    QPushButton* Command1() const { return m_command1; }
    QPushButton* Command2() const { return m_command2; }

    void onDriveChanged(int index);
    void onFolderChanged(int entry);
    void onFileClicked(int index);
    void onFileDoubleClicked();
    void onFilterChosen(int index);
    void onFilterEdited(const QString& text);
    void onOpenClicked();
    void onCancelClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void refresh(unsigned changes);

    OpenChooser m_chooser;
    QComboBox* m_drive1 = nullptr;
    QListWidget* m_dir1 = nullptr;
    QListWidget* m_file1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QLabel* m_labels[OpenChooser::kLabelCount] = {};
    QGroupBox* m_frame1 = nullptr;
    QPlainTextEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};
