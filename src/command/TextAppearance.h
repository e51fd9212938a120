#pragma once

#include <QString>
#include <QtGlobal>

// The four font styles of Text1 that the menu switches one at a time.
enum class FontStyle { Bold, Italic, Underline, StrikeOut };

// How Text1 looks and which input mode it takes. Setters return false when the window refuses
// the value. Colours are the platform's colour values (platform/ColorValue.h).
class TextAppearance {
public:
    virtual ~TextAppearance() = default;
    virtual double fontSize() const = 0;
    virtual bool setFontSize(double points) = 0;
    virtual QString fontName() const = 0;
    virtual bool setFontName(const QString& name) = 0;
    virtual qint32 foreColor() const = 0;
    virtual bool setForeColor(qint32 color) = 0;
    virtual qint32 backColor() const = 0;
    virtual bool setBackColor(qint32 color) = 0;
    virtual bool fontStyle(FontStyle style) const = 0;
    virtual void setFontStyle(FontStyle style, bool on) = 0;
    // The IME mode (3 direct input, 4 hiragana ... 8 single-byte alphanumeric). The mode is
    // kept as chosen even where the platform can only switch the input method off or on, so
    // the menus' check marks can follow it.
    virtual int imeMode() const = 0;
    virtual void setImeMode(int mode) = 0;
    // The direct-input IME command (mnuIMEtyokusetu).
    virtual void setDirectInput() = 0;
    // Full-width spaces, tabs and line ends drawn as faint marks in the text box.
    virtual bool showsMarks() const = 0;
    virtual void setShowMarks(bool on) = 0;
};
