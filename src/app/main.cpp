#include "platform/QtServices.h"
#include "shell/frmMain.h"
#include "state/AppState.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pallo"));

    QtServiceSet services;
    AppState state;
    frmMain window(state, services.services, QCoreApplication::applicationDirPath());
    services.prompts.setParentWidget(&window);
    services.dialogs.setParentWidget(&window);

    // The program takes one argument string, as it was typed.
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    // A large document takes a moment to read and lay out: busy until the first paint.
    services.pointer.setBusy(true);
    window.Form_Load(args.join(u' '));
    window.show();
    // The program ends with its main window: no other window may keep it running hidden once
    // the shutdown has deleted the backup.
    QObject::connect(window.windowHandle(), &QWindow::visibleChanged, &app, [](bool visible) {
        if (!visible) QCoreApplication::quit();
    });
    QTimer::singleShot(0, &window, [&services] { services.pointer.setBusy(false); });
    return app.exec();
}
