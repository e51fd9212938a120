#include "platform/ui/QtServices.h"
#include "shell/ui/MainWindow.h"
#include "state/AppState.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>

namespace {

// A large document takes a moment to read: the window shows first, and the document is read
// right after its first paint. Keys and clicks that arrive before are dropped, so nothing acts
// on the empty window the document is about to replace.
class LoadAfterFirstPaint : public QObject {
public:
    LoadAfterFirstPaint(MainWindow& window, QtServiceSet& services, QString commandLine)
        : m_window(window), m_services(services), m_commandLine(std::move(commandLine)) {}

    bool eventFilter(QObject* watched, QEvent* e) override {
        switch (e->type()) {
        case QEvent::Paint:
            if (!m_scheduled && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->window() == &m_window) {
                m_scheduled = true;
                QTimer::singleShot(0, this, [this] { load(); });
            }
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::Drop:
            return true;
        default:
            break;
        }
        return false;
    }

private:
    void load() {
        // A message shown while loading must take the keyboard and the mouse.
        qApp->removeEventFilter(this);
        m_services.pointer.setBusy(true);
        m_window.loadDocument(m_commandLine);
        // The busy pointer stays until the loaded document has been painted.
        QTimer::singleShot(0, this, [this] { m_services.pointer.setBusy(false); });
    }

    MainWindow& m_window;
    QtServiceSet& m_services;
    QString m_commandLine;
    bool m_scheduled = false;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pallo"));

    QtServiceSet services;
    AppState state;
    MainWindow window(state, services.services, QCoreApplication::applicationDirPath());
    services.prompts.setParentWidget(&window);
    services.dialogs.setParentWidget(&window);

    // The program takes one argument string, as it was typed.
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    LoadAfterFirstPaint loader(window, services, args.join(u' '));
    app.installEventFilter(&loader);
    window.loadWindow();
    window.show();
    // The program ends with its main window: no other window may keep it running hidden once
    // the shutdown has deleted the backup.
    QObject::connect(window.windowHandle(), &QWindow::visibleChanged, &app, [](bool visible) {
        if (!visible) QCoreApplication::quit();
    });
    return app.exec();
}
