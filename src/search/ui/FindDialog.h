#pragma once

#include "documents/DocumentSession.h"
#include "command/CommandContext.h"
#include "search/FindCount.h"

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

// 検索 / 一致する文字列を数える: the find and count dialog, shown without blocking and owned by
// the main window. The caption is the mode.
class FindDialog : public QDialog, public search::FindDialogPort {
    Q_OBJECT
public:
    // `document` is the main text box, which takes the focus after each find.
    FindDialog(CommandContext& ctx, QWidget* document, QWidget* parent = nullptr);

    search::FindCount& logic() { return m_logic; }
    void setCountMode();
    void focusWord();
    bool isUnloaded() const { return m_unloaded; }

    // FindDialogPort
    bool countMode() const override;
    QString word() const override;
    bool fromTop() const override;
    void setFromTop(bool checked) override;
    bool exact() const override;
    void setSearchCaption(const QString& caption) override;
    void setSearchEnabled(bool enabled) override;
    void focusDocument() override;
    void unload() override;

public slots:
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onWordChosen();
    void onFindClicked();

    QLabel* m_label1 = nullptr;
    QComboBox* m_combo1 = nullptr;
    QCheckBox* m_check2 = nullptr;
    QCheckBox* m_check1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPointer<QWidget> m_document;
    bool m_unloaded = false;
    search::FindCount m_logic;
};
