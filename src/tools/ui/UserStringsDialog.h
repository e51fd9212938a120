#pragma once

#include "command/CommandContext.h"
#include "tools/UserStrings.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QPushButton;

// ユーザー指定文字列リスト: the editor of the ten phrases; the list is a working copy kept by
// UserStringsEditor.
class UserStringsDialog : public QDialog, public userstrings::UserStringsDialogPort {
    Q_OBJECT
public:
    explicit UserStringsDialog(CommandContext& ctx, QWidget* parent = nullptr);

    userstrings::UserStringsEditor& logic() { return m_logic; }

    QString inputText() const override;
    void setInputText(const QString& text) override;
    void focusInput() override;
    void showItems(const QStringList& items) override;
    int selectedItem() const override;
    void setDeleteEnabled(bool enabled) override;
    void unload() override;

private:
    QListWidget* m_list1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command2 = nullptr;
    userstrings::UserStringsEditor m_logic;
};
