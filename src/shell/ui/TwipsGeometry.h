#pragma once

#include <optional>

class QWidget;

// A top-level window's frame geometry in twips (1440 per inch at the screen's logical
// resolution), as the settings store it. A value set is reported back as set while the pixels
// still match it, so a stored geometry survives the rounding to pixels unchanged.
class TwipsGeometry {
public:
    explicit TwipsGeometry(QWidget& window) : m_window(window) {}

    int top() const;
    int left() const;
    int width() const;
    int height() const;
    // False, and nothing moves, for a value far outside any screen.
    bool setTop(int twips);
    bool setLeft(int twips);
    bool setWidth(int twips);
    bool setHeight(int twips);

    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;

private:
    struct Remembered {
        std::optional<int> twips;
        int pixels = 0;
    };
    int reported(const Remembered& r, int pixels, bool horizontal) const;

    QWidget& m_window;
    Remembered m_top, m_left, m_width, m_height;
};
