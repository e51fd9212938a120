#pragma once

#include "command/CommandContext.h"
#include "command/MainWindowPort.h"
#include "documents/DocumentFile.h"
#include "platform/Services.h"
#include "platform/TextBox.h"
#include "state/AppState.h"

#include <QString>

class DocumentSession;
class UndoHistory;

// The main window's behaviour: start-up, shutdown, the status bar and the events of Text1.
class MainLogic {
public:
    MainLogic(AppState& state, TextBox& text, Services& services, MainWindowPort& window,
              QString programDir, UndoHistory& history, DocumentSession& document);

    // Pallo.ini and PalloBackup.txt: in the program's folder, or in the settings folder when
    // the program's folder cannot be written.
    QString settingsFolder() const { return m_programDir; }
    QString iniPath() const;
    QString backupPath() const;

    // Start-up phases A, B and C; `commandLine` is the program's one argument string.
    void startup(const QString& commandLine);
    // startup() in two steps, so that the window can show between them.
    void startupWindow();
    void startupDocument(const QString& commandLine);
    // The close request: false when the close must be refused.
    bool shutdown();

    // Status bar.
    // Refreshes panel 3. While a large document's wrapped layout is still being built the
    // panel waits for it (the window calls refreshPositionPanel again when it completes) unless `exact`.
    void refreshPositionPanel(bool exact = false);
    void refreshClipboardPanel();
    void refreshSecondClipboardPanel();

    // Events of the main window and of Text1.
    void onActivate();
    void onResize();
    // `byWriter`: the writer edited Text1 itself (typing, deleting, dropping).
    void onTextChanged();
    void onTextClicked();
    void onTextFocusIn();
    void onTextKeyUp(int keyCode, int shift);
    void onTextFocusOut();
    void onTextMouseMove(int buttons, int shift);
    // After the popup shown for a right click has closed.
    void onTextMouseDown(int button, int shift);

    // Today's date in the short date format ("2026/12/08").
    static QString shortDate(const QDate& date);

private:
    void phaseA();
    void phaseB(const QString& commandLine);
    void phaseC();
    // An unreadable backup is renamed aside and the writer told; false when it stays in place.
    bool keepUnreadableBackup(const QString& backupFile);
    bool loadInto(const QString& path, qint64 maxBytes = kMaxDocumentBytes);
    CommandContext context();
    void windowSettings();
    QString read(const QString& key) const;

    AppState& m_state;
    TextBox& m_text;
    Services& m_services;
    MainWindowPort& m_window;
    QString m_programDir;
    UndoHistory& m_history;
    DocumentSession& m_document;
    // The command line named a file that does not exist yet: the document's name.
    QString m_newFilePath;
};
