#include "platform/QtServices.h"
#include "shell/frmMain.h"
#include "state/AppState.h"

#include <QApplication>

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
    window.Form_Load(args.join(u' '));
    window.show();
    return app.exec();
}
