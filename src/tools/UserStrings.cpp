#include "tools/UserStrings.h"

#include "command/CommandContext.h"
#include "command/Settings.h"
#include "history/UndoHistory.h"

namespace userstrings {

void insertUserString(CommandContext& ctx, const QString& caption) {
    ctx.history.record(ctx.text);
    ctx.text.setSelText(caption);
}

void prepareToolMenu(const AppState& state, MenuItems& window) {
    for (int i = 0; i < kSlots; ++i) {
        const QString& caption = state.UserStrings[i];
        window.setMenuUserStringCaption(i, caption);
        window.setMenuUserStringVisible(i, !caption.isEmpty());
    }
}

UserStringsEditor::UserStringsEditor(CommandContext& ctx, UserStringsDialogPort& dialog)
    : m_ctx(ctx), m_dialog(dialog) {}

QString UserStringsEditor::limitMessage() {
    return QStringLiteral("現在登録できるのは10個までです。これ以上の追加は出来ません。");
}

QString UserStringsEditor::clearQuestion() {
    return QStringLiteral("リストを全て削除します。よろしいですか？");
}

void UserStringsEditor::onLoad() {
    const QString ini = settings::iniPath(m_ctx.programDir);
    m_items.clear();
    for (int i = 0; i < kSlots; ++i) {
        const QString value = readSetting(settings::kSection, settings::key::userString(i), ini);
        if (!value.isEmpty()) m_items.append(value);
    }
    m_dialog.showItems(m_items);
    m_dialog.setDeleteEnabled(false);
}

void UserStringsEditor::onAddClicked() {
    if (m_items.size() >= kSlots) {
        m_ctx.services.prompts.message(limitMessage(), MsgButtons::OK, MsgIcon::Information);
        return;
    }
    const QString phrase = m_dialog.inputText();
    if (phrase.isEmpty()) return;
    m_items.append(phrase);
    m_dialog.showItems(m_items);
    m_dialog.setInputText(QString());
    m_dialog.focusInput();
}

void UserStringsEditor::onDeleteClicked() {
    const int selected = m_dialog.selectedItem();
    if (selected < 0 || selected >= m_items.size()) return;
    m_items.removeAt(selected);
    m_dialog.showItems(m_items);
}

// Every slot is written, the empty ones too: a deleted phrase must not come back from its old
// key at the next start.
void UserStringsEditor::onRegisterClicked() {
    const QString ini = settings::iniPath(m_ctx.programDir);
    for (int i = 0; i < kSlots; ++i) {
        const QString phrase = m_items.value(i);
        writeSetting(settings::kSection, settings::key::userString(i), ini, phrase);
        m_ctx.state.UserStrings[i] = phrase;
        m_ctx.window.setPopupUserStringCaption(i, phrase);
    }
    m_dialog.unload();
}

void UserStringsEditor::onDeleteAllClicked() {
    if (m_ctx.services.prompts.message(clearQuestion(), MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    m_items.clear();
    m_dialog.showItems(m_items);
    m_dialog.focusInput();
}

void UserStringsEditor::onCancelClicked() {
    m_dialog.unload();
}

void UserStringsEditor::onEntryClicked() {
    m_dialog.setDeleteEnabled(true);
}

} // namespace userstrings
