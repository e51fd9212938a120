#pragma once

#include <QString>
#include <optional>

// Reading stored text as numbers the way the settings are read: blanks around the number are
// allowed, anything else makes the value unreadable. Whole-number conversions round half to
// even and fail outside their range.
namespace numtext {

std::optional<double> toDouble(const QString& text);
std::optional<qint32> toInt32(const QString& text);
std::optional<qint16> toInt16(const QString& text);

} // namespace numtext
