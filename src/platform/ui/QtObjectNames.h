#pragma once

#include <QLatin1String>

// Gives a control the name the program and its tests know it by, and hands it back, so that a
// form can create, name and keep a control in one line.
template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}
