#pragma once

#include <QString>
#include <QStringList>

struct CommandContext;
struct AppState;
class MenuItems;

namespace userstrings {

constexpr int kSlots = 10; // AppState::UserStrings

// mnusitei(i) / popsitei(i): a checkpoint, then the phrase in place of the selection.
void insertUserString(CommandContext& ctx, const QString& caption);
// The ツール menu opening: the main menu's phrases follow the popup's; empty slots are hidden.
void prepareToolMenu(const AppState& state, MenuItems& window);

// What the phrase list dialog (UserStringsDialog) shows.
class UserStringsDialogPort {
public:
    virtual ~UserStringsDialogPort() = default;
    virtual QString inputText() const = 0; // Text1
    virtual void setInputText(const QString& text) = 0;
    virtual void focusInput() = 0;
    virtual void showItems(const QStringList& items) = 0; // List1
    virtual int selectedItem() const = 0;                 // -1 = none
    virtual void setDeleteEnabled(bool enabled) = 0;      // Command2
    virtual void unload() = 0;
};

// The working copy of the phrases: changes reach the menus and the settings only through
// 登録(&T).
class UserStringsEditor {
public:
    UserStringsEditor(CommandContext& ctx, UserStringsDialogPort& dialog);

    void onLoad();
    void onAddClicked(); // 追加(&A), also Enter in Text1
    void onDeleteClicked(); // 削除
    void onRegisterClicked(); // 登録(&T)
    void onDeleteAllClicked(); // 全削除
    void onCancelClicked(); // キャンセル
    void onEntryClicked();

    const QStringList& items() const { return m_items; }

    static QString limitMessage();
    static QString clearQuestion();

private:
    CommandContext& m_ctx;
    UserStringsDialogPort& m_dialog;
    QStringList m_items;
};

} // namespace userstrings
