#include "platform/QtTranslations.h"
#include "platform/ui/QtServices.h"
#include "shell/CommandLine.h"
#include "shell/ui/MainWindow.h"
#include "state/AppState.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <cstdio>

namespace {

// A large document takes a moment to read: the window shows first, and the document is read
// right after its first paint. Keys and clicks that arrive before are dropped, so nothing acts
// on the empty window the document is about to replace.
class LoadAfterFirstPaint : public QObject {
public:
    LoadAfterFirstPaint(MainWindow& window, QtServiceSet& services, QString commandLine,
                        QString notice)
        : m_window(window), m_services(services), m_commandLine(std::move(commandLine)),
          m_notice(std::move(notice)) {}

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
        // Several files named: the writer learns which one opens.
        if (!m_notice.isEmpty())
            m_services.prompts.message(m_notice, MsgButtons::OK, MsgIcon::Information, kDefaultTitle);
        m_services.pointer.setBusy(true);
        m_window.loadDocument(m_commandLine);
        // The busy pointer stays until the loaded document has been painted.
        QTimer::singleShot(0, this, [this] { m_services.pointer.setBusy(false); });
    }

    MainWindow& m_window;
    QtServiceSet& m_services;
    QString m_commandLine;
    QString m_notice;
    bool m_scheduled = false;
};

} // namespace

int main(int argc, char** argv) {
    // --help, --version and a long option not known answer without a display. Qt's own
    // options (one dash) are only known, and taken out, once the application exists: the
    // rest is read after it.
    const auto isFile = [](const QString& path) { return QFileInfo(path).isFile(); };
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));
    const cmdline::Parsed early = cmdline::parse(raw, isFile);
    if (early.action == cmdline::Action::Help || early.action == cmdline::Action::Version) {
        const QString text = early.action == cmdline::Action::Help ? cmdline::helpText()
                                                                   : cmdline::versionText();
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    const auto refuse = [](const cmdline::Parsed& parsed) {
        std::fputs((parsed.message + u'\n').toLocal8Bit().constData(), stderr);
        return 2;
    };
    if (early.action == cmdline::Action::Error && early.option.startsWith(u"--"))
        return refuse(early);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pallo"));
    installQtTranslations(app);

    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    const cmdline::Parsed parsed = cmdline::parse(args, isFile);
    if (parsed.action == cmdline::Action::Error) return refuse(parsed);

    QtServiceSet services;
    AppState state;
    MainWindow window(state, services.services, QCoreApplication::applicationDirPath());
    services.prompts.setParentWidget(&window);
    services.dialogs.setParentWidget(&window);

    LoadAfterFirstPaint loader(window, services, parsed.path, parsed.message);
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
