#pragma once

#include <QLatin1String>
#include <QWidget>
#include <gtest/gtest.h>

// A control of a form by its object name; a missing one fails the test that asked.
template <typename W> W* child(const QWidget* parent, const char* name) {
    W* w = parent->findChild<W*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}
