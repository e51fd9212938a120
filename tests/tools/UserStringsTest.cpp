#include "tools/UserStrings.h"

#include "command/Settings.h"
#include "history/UndoCommands.h"
#include "history/UndoHistory.h"
#include "support/FakeWindow.h"

#include <gtest/gtest.h>

namespace {

struct FakeListDialog : userstrings::UserStringsDialogPort {
    QString input;
    QStringList shown;
    int selected = -1;
    bool deleteEnabled = true;
    int unloads = 0;
    QString inputText() const override { return input; }
    void setInputText(const QString& t) override { input = t; }
    void focusInput() override {}
    void showItems(const QStringList& items) override { shown = items; }
    int selectedItem() const override { return selected; }
    void setDeleteEnabled(bool e) override { deleteEnabled = e; }
    void unload() override { ++unloads; }
};

struct ListEditor {
    FakeEditor e;
    FakeListDialog dialog;
    userstrings::UserStringsEditor editor{e.ctx, dialog};
    QString ini() const { return settings::iniPath(e.dir.path()); }
    QString key(int i) const {
        return readSetting(settings::kSection, settings::key::userString(i), ini());
    }
    void add(const QString& phrase) {
        dialog.input = phrase;
        editor.onAddClicked();
    }
};

TEST(UserStringList, LoadCompactsAndAddKeepsTheLimit) {
    ListEditor l;
    writeSetting(settings::kSection, QStringLiteral("y1"), l.ini(), QStringLiteral("B"));
    writeSetting(settings::kSection, QStringLiteral("y4"), l.ini(), QStringLiteral("E"));
    l.editor.onLoad();
    EXPECT_EQ(l.dialog.shown, (QStringList{QStringLiteral("B"), QStringLiteral("E")}));
    EXPECT_FALSE(l.dialog.deleteEnabled);
    l.add(QString());
    EXPECT_EQ(l.editor.items().size(), 2);
    for (int i = 2; i < 10; ++i)
        l.add(QString::number(i));
    EXPECT_TRUE(l.dialog.input.isEmpty());
    l.add(QStringLiteral("eleventh"));
    EXPECT_EQ(l.editor.items().size(), 10);
    EXPECT_EQ(l.dialog.input, QStringLiteral("eleventh"));
    EXPECT_EQ(l.e.fake.prompts.texts(),
              QStringList{userstrings::UserStringsEditor::limitMessage()});
}

// A deleted phrase does not come back from its old key: every slot is written.
TEST(UserStringList, StoreWritesAllTenKeysAndTheCaptions) {
    ListEditor l;
    for (const char* p : {"A", "B", "C"})
        l.add(QLatin1String(p));
    l.editor.onRegisterClicked();
    l.dialog.selected = 1;
    l.editor.onEntryClicked();
    EXPECT_TRUE(l.dialog.deleteEnabled);
    l.editor.onDeleteClicked();
    l.editor.onRegisterClicked();
    EXPECT_EQ(l.key(0), QStringLiteral("A"));
    EXPECT_EQ(l.key(1), QStringLiteral("C"));
    EXPECT_EQ(l.key(2), QString());
    EXPECT_EQ(l.e.window.popupCaptions[1], QStringLiteral("C"));
    EXPECT_EQ(l.e.window.popupCaptions[2], QString());
    EXPECT_EQ(l.dialog.unloads, 2);
}

TEST(UserStringMenu, ToolsMenuFollowsThePopupAndInsertReplacesTheSelection) {
    FakeEditor e;
    e.state.UserStrings[0] = QStringLiteral("A&B");
    userstrings::prepareToolMenu(e.state, e.window);
    EXPECT_EQ(e.window.menuCaptions[0], QStringLiteral("A&B"));
    EXPECT_TRUE(e.window.menuVisible[0]);
    EXPECT_FALSE(e.window.menuVisible[1]);

    e.history.setMaxUndo(10);
    e.text.setText(QStringLiteral("xyz"));
    e.history.record(e.text);
    e.text.setSelection(1, 1);
    userstrings::insertUserString(e.ctx, e.state.UserStrings[0]);
    EXPECT_EQ(e.text.text(), QStringLiteral("xA&Bz"));
    EXPECT_EQ(e.text.selStart(), 4);
    undo(e.ctx);
    EXPECT_EQ(e.text.text(), QStringLiteral("xyz"));
}

} // namespace
