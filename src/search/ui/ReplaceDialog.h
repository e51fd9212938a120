#pragma once

#include "documents/DocumentSession.h"
#include "command/CommandContext.h"
#include "search/ReplaceRun.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// 置換: the replace dialog, shown without blocking and owned by the main window. A replace-all
// run lets events through, so the dialog may be unloaded while its run is on the stack; it then
// only hides and goes once the run has returned.
class ReplaceDialog : public QDialog, public search::ReplaceDialogPort {
    Q_OBJECT
public:
    ReplaceDialog(CommandContext& ctx, search::ReplaceState& state, QWidget* document,
          QWidget* parent = nullptr);

    search::ReplaceRun& logic() { return m_logic; }
    bool isUnloaded() const { return m_unloaded; }
    // The focus goes to the search field, whose selection becomes the clipboard text.
    void pasteClipboard();

    // ReplaceDialogPort
    QString findText() const override;
    QString replaceText() const override;
    bool fromTop() const override;
    void setFromTop(bool checked) override;
    bool exact() const override;
    void focusDocument() override;
    void unload() override;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onReplaceAllClicked();

    QLabel* m_label2 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
    QPointer<QWidget> m_document;
    bool m_unloaded = false;
    search::ReplaceRun m_logic;
};
