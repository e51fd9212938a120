#pragma once

#include "documents/DocumentSession.h"
#include "platform/Cp932Codec.h"
#include "platform/ui/QtServices.h"
#include "shell/ui/MainWindow.h"
#include "support/FakeServices.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <memory>

// The main window over scripted services in a folder of its own. With `livePump` the events a
// command lets through run for real, so a run's repaints are part of what is measured.
struct BenchWindow {
    QTemporaryDir programDir;
    FakeServiceSet fake;
    QtEventPump pump;
    Services services{fake.prompts, fake.clipboard, fake.clock, pump, fake.pointer, fake.dialogs};
    AppState state;
    std::unique_ptr<MainWindow> w;

    explicit BenchWindow(bool livePump = false)
        : w(std::make_unique<MainWindow>(state, livePump ? services : fake.services,
                                      programDir.path())) {}
    ~BenchWindow() {
        w->document().setDirty(false);
        w->close();
    }
    // `text` as a Shift_JIS file in the program's folder; its path.
    QString writeFile(const QString& name, const QString& text) const {
        const QString path = programDir.path() + u'/' + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(cp932::encode(text));
        return path;
    }
    // Starts with `path` as the document, shows the window and waits for the layout.
    void openDocument(const QString& path) {
        w->load(path);
        w->show();
        waitForLayout();
    }
    void waitForLayout() const {
        while (!w->layoutComplete())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
};
