#include "platform/QtImeMode.h"
#include "platform/TextView.h"
#include "shell/About.h"
#include "shell/Appearance.h"
#include "shell/Form12.h"
#include "shell/Form9.h"
#include "shell/HelpView.h"
#include "shell/frmMain.h"

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
void frmMain::registerOptions() {
    setCommand(QStringLiteral("mnuViewOptions"), [this](int) {
        Form9 dialog(context(), this);
        dialog.exec();
    });
    setCommand(QStringLiteral("mnuFont"), [this](int) { mnuFont_Click(context()); });
    setCommand(QStringLiteral("mnumainasu"), [this](int) { mnumainasu_Click(context()); });
    setCommand(QStringLiteral("mnupurasu"), [this](int) { mnupurasu_Click(context()); });
    for (const StyleItem& item : kStyleItems) {
        const QString name = QString::fromUtf16(item.name);
        setCommand(name, [this, name, style = item.style](int) {
            action(name)->setChecked(toggleFontStyle(context(), style));
        });
    }
    setCommand(QStringLiteral("mnuBackColor"), [this](int) { mnuBackColor_Click(context()); });
    setCommand(QStringLiteral("mnuStrColor"), [this](int) { mnuStrColor_Click(context()); });

    setCommand(QStringLiteral("mnuHelpContents"), [this](int) {
        if (!m_help) m_help = new HelpView(this);
        m_help->showAt(QCoreApplication::applicationDirPath(), help::kKeyword);
    });
    setCommand(QStringLiteral("mnuHelpAbout"), [this](int) {
        if (!m_form12) {
            m_form12 = new Form12(context(), this);
            m_form12->setAttribute(Qt::WA_DeleteOnClose);
        }
        m_form12->show();
        m_form12->raise();
        m_form12->activateWindow();
    });
}

void frmMain::unloadOptions() {
    setTimerInterval(1, 0);
    setTimerInterval(2, 0);
    delete m_form12;
    delete m_help;
}

Form12* frmMain::aboutBox() const {
    return m_form12;
}

HelpView* frmMain::helpWindow() const {
    return m_help;
}

bool frmMain::fontStyle(FontStyle style) const {
    return (m_view->font().*kStyleAccess[int(style)].get)();
}

void frmMain::setFontStyle(FontStyle style, bool on) {
    QFont f = m_view->font();
    (f.*kStyleAccess[int(style)].set)(on);
    m_view->setFont(f);
}

void frmMain::setImeMode(int mode) {
    m_imeMode = mode;
    applyImeMode(m_view, mode);
}
