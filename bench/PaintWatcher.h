#pragma once

#include <QEvent>
#include <QObject>

// Notes the first paint of the widget it watches.
class PaintWatcher : public QObject {
public:
    bool painted = false;
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) {
            painted = true;
            ++paints;
        }
        return false;
    }
};
