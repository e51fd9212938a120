#include "platform/ui/QtImeMode.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

#ifdef Q_OS_WIN
#include <imm.h>
#include <windows.h>

namespace {

// The conversion mode of each IME mode 4..8; the romaji bit the user chose is kept.
void setConversion(QWidget* widget, int mode) {
    const HWND hwnd = reinterpret_cast<HWND>(widget->winId());
    const HIMC context = ImmGetContext(hwnd);
    if (!context) return;
    DWORD conversion = 0, sentence = 0;
    ImmGetConversionStatus(context, &conversion, &sentence);
    DWORD wanted = 0;
    switch (mode) {
    case 4:
        wanted = IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE;
        break;
    case 5:
        wanted = IME_CMODE_NATIVE | IME_CMODE_KATAKANA | IME_CMODE_FULLSHAPE;
        break;
    case 6:
        wanted = IME_CMODE_NATIVE | IME_CMODE_KATAKANA;
        break;
    case 7:
        wanted = IME_CMODE_FULLSHAPE;
        break;
    default:
        wanted = IME_CMODE_ALPHANUMERIC;
        break;
    }
    ImmSetOpenStatus(context, TRUE);
    ImmSetConversionStatus(context, wanted | (conversion & IME_CMODE_ROMAN), sentence);
    ImmReleaseContext(hwnd, context);
}

} // namespace
#endif

void applyImeMode(QWidget* widget, int mode) {
    if (!widget) return;
    const bool on = mode != 3;
    widget->setAttribute(Qt::WA_InputMethodEnabled, on);
    if (widget->hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
#ifdef Q_OS_WIN
    if (on) setConversion(widget, mode);
#endif
}
