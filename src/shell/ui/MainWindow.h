#pragma once

#include "command/CommandContext.h"
#include "command/MainWindowPort.h"
#include "documents/DocumentSession.h"
#include "history/UndoHistory.h"
#include "platform/Services.h"
#include "platform/TextBox.h"
#include "search/ReplaceRun.h"
#include "shell/AlarmClock.h"
#include "shell/AutoBackup.h"
#include "shell/MainLogic.h"
#include "shell/ui/TwipsGeometry.h"
#include "state/AppState.h"
#include "notation/NotationSession.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <optional>

class EndingInsertionDialog;
class UserStringsDialog;
class StyleConversionDialog;
class ProofreadDialog;
class ExtractionProgressDialog;
class AboutDialog;
class HelpView;
class FindDialog;
class ReplaceDialog;
class JumpDialog;
class QLabel;
class QMenu;
class QTimer;
class CharCountDialog;
class VerticalPreview;
class QToolBar;
class TextView;

// The main window: Text1, the toolbar, the status bar, the menus and the popup. Its events
// are forwarded to MainLogic; commands are looked up by the menu item's name, so a menu item,
// its popup twin and its toolbar button run one procedure.
class MainWindow : public QMainWindow, public MainWindowPort {
    Q_OBJECT
public:
    MainWindow(AppState& state, Services& services, QString programDir, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The load event: runs the start-up sequence before the window is first shown.
    void load(const QString& commandLine);
    // load in two steps for a quick start: the window's own settings, then (once the
    // window shows) the document.
    void loadWindow();
    void loadDocument(const QString& commandLine);

    TextBox& text() { return m_text; }
    TextView* textView() const { return m_view; }
    MainLogic& logic() { return m_logic; }
    UndoHistory& history() { return m_history; }
    DocumentSession& document() { return m_document; }
    CommandContext& context() { return m_ctx; }
    QMenu* popupMenu() const { return m_popEdit; }
    QToolBar* toolBar() const { return m_toolBar; }
    QTimer* backupTimer() const { return m_timer1; }
    QTimer* alarmTimer() const { return m_timer2; }
    QString panelText(int panel) const;
    QString statusToolTip() const;

    // Menu items, popup items and group members ("mnuRecentFile(1)") by object name.
    QAction* action(const QString& name) const { return m_actions.value(name); }
    // An item's caption as set, "&" included as a character.
    QString itemCaption(const QString& name) const;
    // Gives a menu item its procedure; `index` is the member's index for a group, else -1.
    void setCommand(const QString& menuName, std::function<void(int index)> command);
    void runCommand(const QString& menuName, int index = -1);
    // The commands that a menu item, popup item or toolbar button runs but that nothing has
    // registered: empty in a correctly wired window.
    QStringList itemsWithoutCommand() const;
    // Ticks of Timer1 (backup) and Timer2 (alarm); tests call them directly.
    void onBackupTimer();
    void onAlarmTimer();
    // The toolbar's click handler: compares the key with the keys in their fixed order.
    void onToolButtonClicked(const QString& key);

    // MainWindowPort
    void setTitle(const QString& title) override { setWindowTitle(title); }
    void setPanelText(int panel, const QString& text) override;
    void setStatusToolTip(const QString& text) override;
    bool layoutComplete() const override;
    double fontSize() const override;
    bool setFontSize(double points) override;
    QString fontName() const override;
    bool setFontName(const QString& name) override;
    qint32 foreColor() const override { return m_foreColor; }
    bool setForeColor(qint32 color) override;
    qint32 backColor() const override { return m_backColor; }
    bool setBackColor(qint32 color) override;
    void setDirectInput() override;
    int windowTop() const override;
    int windowLeft() const override;
    int windowWidth() const override;
    int windowHeight() const override;
    bool setWindowTop(int twips) override;
    bool setWindowLeft(int twips) override;
    bool setWindowWidth(int twips) override;
    bool setWindowHeight(int twips) override;
    bool isMaximized() const override { return QMainWindow::isMaximized(); }
    void setPopupUserStringCaption(int i, const QString& caption) override;
    void setMenuUserStringCaption(int i, const QString& caption) override;
    void setRecentFileCaption(int i, const QString& caption) override;
    void setRecentFileVisible(int i) override;
    void showRecentSeparator() override;
    void refreshStatus() override { m_logic.refreshPositionPanel(); }
    void showOpenDialog(bool insertMode) override;
    int timerInterval(int timer) const override;
    void setTimerInterval(int timer, int milliseconds) override;
    void setInputBlocked(bool blocked) override;
    void setMenuUserStringVisible(int i, bool visible) override;

    // Clipboards, menu states and the history viewers (MainWindowHistory.cpp).
    void setQuotedPanelText(int panel, const QString& label, const QString& body) override;
    void setItemEnabled(const QString& item, bool enabled) override;
    void setItemVisible(const QString& item, bool visible) override;
    void setItemCaption(const QString& item, const QString& caption) override;
    void syncImeItems(bool popup) override;
    bool fontStyle(FontStyle style) const override;
    void setFontStyle(FontStyle style, bool on) override;
    int imeMode() const override { return m_imeMode; }
    void setImeMode(int mode) override;
    bool showsMarks() const override;
    void setShowMarks(bool on) override;
    // The About box and the help window while they are open (both owned by this window).
    AboutDialog* aboutBox() const;
    HelpView* helpWindow() const;
    void setFormatText(const QString& text) override;
    QString formatText() const;
    int topPosition() const override;
    void scrollToTop(int position) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void buildStatusBar();
    void connectText1();
    void registerImeCommands();
    // Commands and timers of each subsystem, each in its own file (MainWindow<Subsystem>.cpp).
    void registerDocumentCommands();
    // Changes of the document's file by other programs, looked at whenever the window is
    // active and free to ask (MainWindowFileWatch.cpp).
    void registerFileWatch();
    void checkFileWhenFree();
    void registerHistoryCommands();
    void registerTimers();
    void registerStyle();
    // The main window is closing: a style conversion run stops and its dialog unloads.
    void unloadStyle();
    // Options, appearance, About and help (MainWindowOptions.cpp).
    void registerOptions();
    // A completed shutdown: the timers stop and the About box and help window go with the
    // main window, so nothing keeps the program running hidden.
    void unloadOptions();
    // Page setup, printing and the character count (MainWindowPrint.cpp).
    void registerPrintCommands();
    // 縦書きプレビュー and vertical printing (MainWindowVertical.cpp).
    void registerVertical();
    QPointer<VerticalPreview> m_verticalPreview;
    // Find, count, replace and jump; a replace-all run stops when the window closes.
    void registerSearch();
    void unloadSearch();
    void applyColors();
    void onTextMouseDown(int button, int shift, QPoint pos);

    TextBox m_text;
    UndoHistory m_history;
    DocumentSession m_document{*this};
    TextView* m_view = nullptr;
    MainLogic m_logic;
    CommandContext m_ctx;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_popEdit = nullptr;
    QLabel* m_panels[3] = {};
    QString m_panelTexts[3]; // exact; the labels show them on one line
    QTimer* m_timer1 = nullptr;
    QTimer* m_timer2 = nullptr;
    AutoBackup m_backup;
    AlarmClock m_alarm;
    QPointer<StyleConversionDialog> m_styleConversionDialog;
    QPointer<ProofreadDialog> m_proofreadDialog; // kept hidden when closed, with its list
    // The search dialogs while they are open; the replace variables outlive the dialog.
    QPointer<FindDialog> m_findDialog;
    QPointer<ReplaceDialog> m_replaceDialog;
    QPointer<JumpDialog> m_jumpDialog;
    search::ReplaceState m_replaceState;
    QHash<QString, QAction*> m_actions;
    QHash<QString, std::function<void(int)>> m_commands;
    QSet<QString> m_boundCommands;
    qint32 m_foreColor;
    qint32 m_backColor;
    TwipsGeometry m_geometry{*this};

    // A panel set from a label and a long text: the parts, kept exact, and shown as a preview.
    struct QuotedPanel {
        bool active = false;
        QString label, body;
    };
    QuotedPanel m_quoted[3];
    // The text tools (MainWindowTools.cpp).
    void registerTools();
    // A close request during a text extraction stops the run and closes once it has
    // returned; true when the request must wait.
    bool stopToolsBeforeClose();
    QPointer<EndingInsertionDialog> m_endingInsertionDialog;
    QPointer<UserStringsDialog> m_userStringsDialog;
    QPointer<ExtractionProgressDialog> m_extractionProgressDialog;
    // Ruby notation: the live count the count window and the status bar share, and the
    // conversion command (MainWindowNotation.cpp).
    void registerNotation(QWidget* statusRow);
    notation::NotationSession* m_notation = nullptr;
    QPointer<CharCountDialog> m_charCount;
    bool m_inputBlocked = false;
    bool m_closeAfterRun = false;
    QPointer<AboutDialog> m_aboutDialog;
    QPointer<HelpView> m_help;
    int m_imeMode = 4;
    // The status bar's format panel, right of the position panel.
    QLabel* m_formatPanel = nullptr;
    QTimer* m_fileCheckRetry = nullptr;
    bool m_checkingFile = false;
};
