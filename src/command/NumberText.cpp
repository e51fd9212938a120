#include "command/NumberText.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace numtext {

std::optional<double> toDouble(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

template <typename T> static std::optional<T> toWhole(const QString& text) {
    const auto v = toDouble(text);
    if (!v) return std::nullopt;
    const double r = std::nearbyint(*v);
    if (r < std::numeric_limits<T>::min() || r > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(r);
}

std::optional<qint32> toInt32(const QString& text) {
    return toWhole<qint32>(text);
}
std::optional<qint16> toInt16(const QString& text) {
    return toWhole<qint16>(text);
}

} // namespace numtext
