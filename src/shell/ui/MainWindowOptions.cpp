#include "platform/ui/QtImeMode.h"
#include "platform/ui/TextView.h"
#include "shell/About.h"
#include "shell/Appearance.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/OptionsDialog.h"
#include "shell/ui/HelpView.h"
#include "shell/ui/MainWindow.h"
#include "shell/ui/SingleWindow.h"

#include <QAction>
#include <QCoreApplication>

namespace {

struct StyleItem {
    const char16_t* name;
    FontStyle style;
};
constexpr StyleItem kStyleItems[] = {{u"mnubold", FontStyle::Bold},
                                     {u"mnuitl", FontStyle::Italic},
                                     {u"mnuuline", FontStyle::Underline},
                                     {u"mnutorikesi", FontStyle::StrikeOut}};

// In the order of FontStyle.
struct StyleAccess {
    bool (QFont::*get)() const;
    void (QFont::*set)(bool);
};
constexpr StyleAccess kStyleAccess[] = {{&QFont::bold, &QFont::setBold},
                                        {&QFont::italic, &QFont::setItalic},
                                        {&QFont::underline, &QFont::setUnderline},
                                        {&QFont::strikeOut, &QFont::setStrikeOut}};

} // namespace

// The options dialog, the font, colour and size commands, the About box and the help.
void MainWindow::registerOptions() {
    setCommand(QStringLiteral("mnuViewOptions"), [this](int) {
        OptionsDialog dialog(context(), this);
        dialog.exec();
    });
    setCommand(QStringLiteral("mnuFont"), [this](int) { chooseFont(context()); });
    setCommand(QStringLiteral("mnumainasu"), [this](int) { shrinkFont(context()); });
    setCommand(QStringLiteral("mnupurasu"), [this](int) { growFont(context()); });
    for (const StyleItem& item : kStyleItems) {
        const QString name = QString::fromUtf16(item.name);
        setCommand(name, [this, name, style = item.style](int) {
            action(name)->setChecked(toggleFontStyle(context(), style));
        });
    }
    setCommand(QStringLiteral("mnumarks"), [this](int) { setShowMarks(!showsMarks()); });
    setCommand(QStringLiteral("mnuBackColor"), [this](int) { chooseBackColor(context()); });
    setCommand(QStringLiteral("mnuStrColor"), [this](int) { chooseForeColor(context()); });

    // Hidden and disabled: the item is kept for its place in the menu and does nothing.
    setCommand(QStringLiteral("mnuHelpSearchForHelpOn"), [](int) {});
    setCommand(QStringLiteral("mnuHelpContents"), [this](int) {
        if (!m_help) m_help = new HelpView(this);
        m_help->showAt(QCoreApplication::applicationDirPath(), help::kKeyword);
    });
    setCommand(QStringLiteral("mnuHelpAbout"), [this](int) {
        showSingleWindow(m_aboutDialog, [this] {
            auto* about = new AboutDialog(context(), this);
            about->setAttribute(Qt::WA_DeleteOnClose);
            return about;
        });
    });
}

void MainWindow::unloadOptions() {
    setTimerInterval(1, 0);
    setTimerInterval(2, 0);
    delete m_aboutDialog;
    delete m_help;
}

AboutDialog* MainWindow::aboutBox() const {
    return m_aboutDialog;
}

HelpView* MainWindow::helpWindow() const {
    return m_help;
}

bool MainWindow::fontStyle(FontStyle style) const {
    return (m_view->font().*kStyleAccess[int(style)].get)();
}

void MainWindow::setFontStyle(FontStyle style, bool on) {
    QFont f = m_view->font();
    (f.*kStyleAccess[int(style)].set)(on);
    m_view->setFont(f);
}

bool MainWindow::showsMarks() const {
    return m_view->showMarks();
}

void MainWindow::setShowMarks(bool on) {
    m_view->setShowMarks(on);
    action(QStringLiteral("mnumarks"))->setChecked(on);
}

void MainWindow::setImeMode(int mode) {
    m_imeMode = mode;
    applyImeMode(m_view, mode);
}
