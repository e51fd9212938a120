#pragma once

#include "command/CommandContext.h"
#include "documents/DocumentSession.h"
#include "history/UndoHistory.h"
#include "state/AppState.h"
#include "state/DocumentTitle.h"
#include "support/FakeServices.h"

#include <QHash>
#include <QList>
#include <QTemporaryDir>
#include <functional>

// A main window without widgets: records what the logic sets and lets a test script the
// open dialog.
class FakeWindow : public MainWindowPort {
public:
    QString windowTitle = doctitle::kUntitled;
    QString panels[3];
    QString toolTip;
    bool complete = true;
    double size = 9;
    QString font = QStringLiteral("ＭＳ 明朝");
    qint32 fore = 0, back = 0xFFFFFF;
    int directInputCalls = 0;
    int top = 0, left = 0, width = 10125, height = 8000;
    bool maximized = false;
    QString popupCaptions[11];
    QString menuCaptions[11];
    QString recentCaptions[3];
    bool recentVisible[3] = {};
    bool recentSeparator = false;
    int statusRefreshes = 0;
    // Called for showOpenDialog; records the modes asked for.
    std::function<void(bool insertMode)> openDialog;
    QList<bool> openDialogModes;
    int intervals[3] = {0, 30000, 0};

    QString title() const { return windowTitle; }
    void setTitle(const QString& t) override { windowTitle = t; }
    void setPanelText(int panel, const QString& text) override {
        if (panel >= 1 && panel <= 3) panels[panel - 1] = text;
    }
    void setStatusToolTip(const QString& text) override { toolTip = text; }
    bool layoutComplete() const override { return complete; }
    double fontSize() const override { return size; }
    bool setFontSize(double points) override {
        size = points;
        return true;
    }
    QString fontName() const override { return font; }
    bool setFontName(const QString& name) override {
        font = name;
        return true;
    }
    qint32 foreColor() const override { return fore; }
    bool setForeColor(qint32 c) override {
        fore = c;
        return true;
    }
    qint32 backColor() const override { return back; }
    bool setBackColor(qint32 c) override {
        back = c;
        return true;
    }
    void setDirectInput() override { ++directInputCalls; }
    int windowTop() const override { return top; }
    int windowLeft() const override { return left; }
    int windowWidth() const override { return width; }
    int windowHeight() const override { return height; }
    bool setWindowTop(int t) override { return top = t, true; }
    bool setWindowLeft(int t) override { return left = t, true; }
    bool setWindowWidth(int t) override { return width = t, true; }
    bool setWindowHeight(int t) override { return height = t, true; }
    bool isMaximized() const override { return maximized; }
    void setPopupUserStringCaption(int i, const QString& c) override { popupCaptions[i] = c; }
    void setMenuUserStringCaption(int i, const QString& c) override { menuCaptions[i] = c; }
    QString recentFileCaption(int i) const { return recentCaptions[i]; }
    void setRecentFileCaption(int i, const QString& c) override { recentCaptions[i] = c; }
    void setRecentFileVisible(int i) override { recentVisible[i] = true; }
    void showRecentSeparator() override { recentSeparator = true; }
    void refreshStatus() override { ++statusRefreshes; }
    void showOpenDialog(bool insertMode) override {
        openDialogModes.append(insertMode);
        if (openDialog) openDialog(insertMode);
    }
    int timerInterval(int timer) const override {
        return timer == 1 || timer == 2 ? intervals[timer] : 0;
    }
    void setTimerInterval(int timer, int ms) override {
        if (timer == 1 || timer == 2) intervals[timer] = ms < 0 ? 0 : ms;
    }

    // Menu item states set when a menu opens, by item name; IME synchronisations asked for.
    QHash<QString, bool> itemEnabled, itemVisible;
    QHash<QString, QString> itemCaptions;
    QList<bool> imeSyncs;
    void setItemEnabled(const QString& item, bool on) override { itemEnabled[item] = on; }
    void setItemVisible(const QString& item, bool on) override { itemVisible[item] = on; }
    void setItemCaption(const QString& item, const QString& c) override { itemCaptions[item] = c; }
    void syncImeItems(bool popup) override { imeSyncs.append(popup); }
    QList<bool> inputBlocked;
    bool menuVisible[11] = {};
    void setInputBlocked(bool blocked) override { inputBlocked.append(blocked); }
    void setMenuUserStringVisible(int i, bool visible) override { menuVisible[i] = visible; }
    bool styles[4] = {};
    int ime = 4;
    bool marks = false;
    bool fontStyle(FontStyle s) const override { return styles[int(s)]; }
    void setFontStyle(FontStyle s, bool on) override { styles[int(s)] = on; }
    int imeMode() const override { return ime; }
    void setImeMode(int mode) override { ime = mode; }
    bool showsMarks() const override { return marks; }
    void setShowMarks(bool on) override { marks = on; }
    QString formatText;
    void setFormatText(const QString& text) override { formatText = text; }
};

// A history whose slots hold the given texts, slot 1 first, each with the caret at 0.
inline CheckpointList checkpointsOf(std::initializer_list<const char16_t*> texts) {
    CheckpointList list;
    list.resize(int(texts.size()));
    int slot = 1;
    for (const char16_t* t : texts)
        list[slot++] = Checkpoint::take(0, QString::fromUtf16(t));
    return list;
}

// Gives the document the identity a title bar shows ("Pallo   path" or the untitled mark).
inline void setDocumentTitle(DocumentSession& document, const QString& title) {
    if (doctitle::isUntitled(title))
        document.setUntitled();
    else
        document.setPath(doctitle::currentPath(title));
}

// A whole editor without widgets: state, document, scripted services, fake window, and the
// command context over them, in a temporary program folder.
struct FakeEditor {
    QTemporaryDir dir;
    AppState state;
    TextBox text;
    FakeServiceSet fake;
    FakeWindow window;
    UndoHistory history;
    DocumentSession document{window};
    CommandContext ctx{state, text, fake.services, window, dir.path(), history, document};
};
