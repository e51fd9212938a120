#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "platform/PrintJob.h"

// Everything that would block or reach outside the program goes through these interfaces, so
// that tests can script every answer and record every message.

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
// The numeric codes the program keeps as decimal text (vbOK, vbCancel, vbYes, vbNo).
enum class MsgAnswer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

inline const QString kDefaultTitle = QStringLiteral("Pallo");

class Prompts {
public:
    virtual ~Prompts() = default;
    virtual MsgAnswer message(const QString& text, MsgButtons buttons = MsgButtons::OK,
                              MsgIcon icon = MsgIcon::None,
                              const QString& title = kDefaultTitle) = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // False when the clipboard cannot be read; a clipboard without text reads as "".
    virtual bool text(QString& out) = 0;
    virtual bool setText(const QString& text) = 0;
    // The text selected last in any program (the X11 primary selection, pasted by a middle
    // click); "" where the platform has no such selection.
    virtual QString selectionText() { return {}; }
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() = 0;
};

class EventPump {
public:
    virtual ~EventPump() = default;
    // DoEvents: let pending window events run.
    virtual void doEvents() = 0;
};

class MousePointer {
public:
    virtual ~MousePointer() = default;
    virtual void setBusy(bool busy) = 0;
};

// The font as the font dialog shows and returns it.
struct FontChoice {
    QString name;
    double size = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// The common dialogs. Each returns false (or nullopt) when the user cancels.
class CommonDialogs {
public:
    virtual ~CommonDialogs() = default;
    // The save dialog: asks before overwriting, sets no default extension. `filters` are
    // "description|pattern" pairs; `filterIndex` (1-based) is read and updated. nullopt when
    // the user cancels.
    virtual std::optional<QString> saveFileName(const QString& proposedName,
                                                const QStringList& filters, int& filterIndex) = 0;
    // Preset from and written back to `font`.
    virtual bool chooseFont(FontChoice& font) = 0;
    // A platform colour value (0x00BBGGRR), preset and written back.
    virtual bool chooseColor(qint32& color) = 0;
    // The printer setup and print dialogs; their choices stay with the printer.
    virtual bool printerSetup(const QString& title) = 0;
    virtual bool printDialog(const QString& title) = 0;

    // Printing. Where PDF output goes when the print dialog offers it (no printer installed).
    virtual void setPrintFileProposal(const QString& path) { (void)path; }
    // A job on the printer the dialogs configured; nullptr when there is none.
    virtual std::unique_ptr<PrintJob> printJob() { return nullptr; }
};

// The set handed to the main window and its logic.
struct Services {
    Prompts& prompts;
    Clipboard& clipboard;
    Clock& clock;
    EventPump& pump;
    MousePointer& pointer;
    CommonDialogs& dialogs;
};
