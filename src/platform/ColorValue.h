#pragma once

#include <QColor>
#include <QtGlobal>
#include <optional>

// Colours as the settings and the font/colour commands keep them: 0x00BBGGRR, or a system
// colour (the high bit set, the element's number below) that follows the desktop's palette.
namespace colorvalue {

constexpr quint32 kSystemColor = 0x80000000u;
// The text box's defaults: the system colours "window text" and "window".
constexpr qint32 kWindowText = static_cast<qint32>(kSystemColor | 8);
constexpr qint32 kWindow = static_cast<qint32>(kSystemColor | 5);

// The colour a value shows in the application's palette; nothing for a value that is neither
// an RGB colour nor a known system colour.
std::optional<QColor> toColor(qint32 value);
qint32 fromColor(const QColor& color);

} // namespace colorvalue
