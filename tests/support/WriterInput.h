#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QProcess>
#include <QWidget>

// What a writer does from outside the program: types Japanese text (one character to a key
// event, as an input method delivers it), moves the focus, and reads files with other tools.
namespace writer {

inline void type(const QString& text) {
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(QApplication::focusWidget(), &press);
    }
}

inline void focus(QWidget* widget) {
    QApplication::setActiveWindow(widget->window());
    widget->setFocus();
}

// The standard output of a program run to its end (at most a minute).
inline QString output(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace writer
