#pragma once

// The main window's place and size in twips, as the settings keep them. Setters return false
// when the window refuses the value.
class WindowGeometry {
public:
    virtual ~WindowGeometry() = default;
    virtual int windowTop() const = 0;
    virtual int windowLeft() const = 0;
    virtual int windowWidth() const = 0;
    virtual int windowHeight() const = 0;
    virtual bool setWindowTop(int twips) = 0;
    virtual bool setWindowLeft(int twips) = 0;
    virtual bool setWindowWidth(int twips) = 0;
    virtual bool setWindowHeight(int twips) = 0;
    virtual bool isMaximized() const = 0;
};
