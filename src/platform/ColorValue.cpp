#include "platform/ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

namespace colorvalue {

// The system colour elements, by number, mapped to the palette role that plays their part on
// this desktop.
std::optional<QColor> toColor(qint32 value) {
    const quint32 v = static_cast<quint32>(value);
    if (!(v & kSystemColor)) {
        if (v > 0xFFFFFFu) return std::nullopt;
        return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
    }
    if (v & 0x7F000000u) return std::nullopt;
    const QPalette pal = QGuiApplication::palette();
    switch (v & 0xFFFFFFu) {
    case 5:
        return pal.color(QPalette::Base);
    case 8:
        return pal.color(QPalette::Text);
    case 4:
    case 15:
        return pal.color(QPalette::Button);
    case 7:
    case 9:
    case 18:
        return pal.color(QPalette::ButtonText);
    case 13:
        return pal.color(QPalette::Highlight);
    case 14:
        return pal.color(QPalette::HighlightedText);
    case 16:
        return pal.color(QPalette::Dark);
    case 17:
        return pal.color(QPalette::PlaceholderText);
    case 20:
        return pal.color(QPalette::Light);
    case 0:
    case 1:
    case 2:
    case 3:
    case 6:
    case 10:
    case 11:
    case 12:
    case 19:
    case 21:
    case 22:
    case 23:
    case 24:
        return pal.color(QPalette::Window);
    default:
        return std::nullopt;
    }
}

qint32 fromColor(const QColor& color) {
    return static_cast<qint32>(color.red() | (color.green() << 8) | (color.blue() << 16));
}

} // namespace colorvalue
