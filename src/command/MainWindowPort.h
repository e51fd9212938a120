#pragma once

#include <QString>
#include <QtGlobal>

// What the logic of the main window asks of the window itself. The form implements it; the
// logic never touches a widget. Setters return false when the window refuses the value.
// The four font styles of Text1 that the menu switches one at a time.
enum class FontStyle { Bold, Italic, Underline, StrikeOut };

class MainWindowPort {
public:
    virtual ~MainWindowPort() = default;

    virtual QString title() const = 0;
    virtual void setTitle(const QString& title) = 0;

    // Status bar panels 1 to 3 and the bar's tool tip.
    virtual void setPanelText(int panel, const QString& text) = 0;
    virtual void setStatusToolTip(const QString& text) = 0;
    // False while the wrapped layout of a large document is still being built.
    virtual bool layoutComplete() const = 0;

    // Appearance of Text1. Colours are the platform's colour values (0x00BBGGRR, or a system
    // colour with the high bit set).
    virtual double fontSize() const = 0;
    virtual bool setFontSize(double points) = 0;
    virtual QString fontName() const = 0;
    virtual bool setFontName(const QString& name) = 0;
    virtual qint32 foreColor() const = 0;
    virtual bool setForeColor(qint32 color) = 0;
    virtual qint32 backColor() const = 0;
    virtual bool setBackColor(qint32 color) = 0;
    // The direct-input IME command (mnuIMEtyokusetu).
    virtual void setDirectInput() = 0;

    // Window geometry in twips.
    virtual int windowTop() const = 0;
    virtual int windowLeft() const = 0;
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;
    virtual bool setWindowTop(int twips) = 0;
    virtual bool setWindowLeft(int twips) = 0;
    virtual bool setWindowWidth(int twips) = 0;
    virtual bool setWindowHeight(int twips) = 0;
    virtual bool isMaximized() const = 0;

    // popsitei(i) and mnusitei(i) captions, 0..10.
    virtual QString popupUserStringCaption(int i) const = 0;
    virtual void setPopupUserStringCaption(int i, const QString& caption) = 0;
    virtual void setMenuUserStringCaption(int i, const QString& caption) = 0;
    // mnuRecentFile(i), 0..2; showing one also shows the separator mnuFileBar3.
    virtual QString recentFileCaption(int i) const = 0;
    virtual void showRecentFile(int i, const QString& caption) = 0;
    // The parts of showRecentFile one at a time: the caption alone, the item made visible, the
    // separator made visible. Items are never hidden again.
    virtual void setRecentFileCaption(int i, const QString& caption) = 0;
    virtual void setRecentFileVisible(int i) = 0;
    virtual void showRecentSeparator() = 0;

    // refreshPositionPanel: the status bar's line and position panel.
    virtual void refreshStatus() = 0;

    // The open dialog, shown modally; accepting a file runs the loading step itself.
    virtual void showOpenDialog(bool insertMode) = 0;

    // Timer1 (backup) and Timer2 (alarm): interval in milliseconds, 0 = stopped.
    virtual int timerInterval(int timer) const = 0;
    virtual void setTimerInterval(int timer, int milliseconds) = 0;

    // A panel showing a label and a quoted text: label + "「" + body + "」". The body may be a
    // whole second clipboard; a window may show a bounded preview of it and keep the exact
    // text beside it.
    virtual void setQuotedPanelText(int panel, const QString& label, const QString& body) {
        setPanelText(panel, label + QStringLiteral("「") + body + QStringLiteral("」"));
    }
    // States that menus and the popup take when they open; items by object name ("popCB(1)").
    virtual void setItemEnabled(const QString& item, bool enabled) = 0;
    virtual void setItemVisible(const QString& item, bool visible) = 0;
    // The caption as given: an "&" in it is a character, not the mark of an access key.
    virtual void setItemCaption(const QString& item, const QString& caption) = 0;
    // Runs the IME command of the 編集 menu's set (or of the popup's) that matches Text1's
    // current IME mode, so that the set's check marks show it.
    virtual void syncImeItems(bool popup) = 0;
    // While a long tool run lets events through, the window takes no input: no typing, no
    // menu, toolbar or popup command.
    virtual void setInputBlocked(bool blocked) = 0;
    // mnusitei(i) shown or hidden, 0..10.
    virtual void setMenuUserStringVisible(int i, bool visible) = 0;
    // Font styles and the IME mode of Text1 (3 direct input, 4 hiragana ... 8 single-byte
    // alphanumeric). The mode is kept as chosen even where the platform can only switch the
    // input method off or on, so the menus' check marks can follow it.
    virtual bool fontStyle(FontStyle style) const = 0;
    virtual void setFontStyle(FontStyle style, bool on) = 0;
    virtual int imeMode() const = 0;
    virtual void setImeMode(int mode) = 0;
    // The status bar's format panel: the document's encoding and line ends.
    virtual void setFormatText(const QString& text) = 0;
};
