#include "shell/ui/TwipsGeometry.h"

#include <QWidget>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kTwipsPerInch = 1440;
// Geometry the window refuses: far outside any screen.
constexpr int kMaxPixels = 32000;

int scaled(int value, double numerator, double denominator) {
    return static_cast<int>(std::lround(double(value) * numerator / denominator));
}

} // namespace

int TwipsGeometry::toPixelsX(int twips) const {
    return scaled(twips, m_window.logicalDpiX(), kTwipsPerInch);
}
int TwipsGeometry::toPixelsY(int twips) const {
    return scaled(twips, m_window.logicalDpiY(), kTwipsPerInch);
}

int TwipsGeometry::reported(const Remembered& r, int pixels, bool horizontal) const {
    if (r.twips && r.pixels == pixels) return *r.twips;
    return scaled(pixels, kTwipsPerInch, horizontal ? m_window.logicalDpiX() : m_window.logicalDpiY());
}

int TwipsGeometry::top() const {
    return reported(m_top, m_window.frameGeometry().y(), false);
}
int TwipsGeometry::left() const {
    return reported(m_left, m_window.frameGeometry().x(), true);
}
int TwipsGeometry::width() const {
    return reported(m_width, m_window.frameGeometry().width(), true);
}
int TwipsGeometry::height() const {
    return reported(m_height, m_window.frameGeometry().height(), false);
}

bool TwipsGeometry::setTop(int twips) {
    const int px = toPixelsY(twips);
    if (std::abs(px) > kMaxPixels) return false;
    m_window.move(m_window.frameGeometry().x(), px);
    m_top = {twips, m_window.frameGeometry().y()};
    return true;
}

bool TwipsGeometry::setLeft(int twips) {
    const int px = toPixelsX(twips);
    if (std::abs(px) > kMaxPixels) return false;
    m_window.move(px, m_window.frameGeometry().y());
    m_left = {twips, m_window.frameGeometry().x()};
    return true;
}

bool TwipsGeometry::setWidth(int twips) {
    const int px = toPixelsX(twips);
    const int frame = m_window.frameGeometry().width() - m_window.width();
    if (px - frame < 1 || px > kMaxPixels) return false;
    m_window.resize(px - frame, m_window.height());
    m_width = {twips, m_window.frameGeometry().width()};
    return true;
}

bool TwipsGeometry::setHeight(int twips) {
    const int px = toPixelsY(twips);
    const int frame = m_window.frameGeometry().height() - m_window.height();
    if (px - frame < 1 || px > kMaxPixels) return false;
    m_window.resize(m_window.width(), px - frame);
    m_height = {twips, m_window.frameGeometry().height()};
    return true;
}
