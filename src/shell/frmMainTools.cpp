#include "history/RecordUndo.h"
#include "platform/TextView.h"
#include "shell/frmMain.h"
#include "tools/BlankRemoval.h"
#include "tools/CharConversions.h"
#include "tools/Form13.h"
#include "tools/Form4.h"
#include "tools/Form6.h"
#include "tools/HtmlTools.h"
#include "tools/UserStrings.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

namespace {

// The exact phrase of a user-string item: captions set at run time keep it beside the shown
// text, in which an "&" is doubled.
QString phraseOf(const QAction* item) {
    if (!item) return {};
    return item->data().isValid() ? item->data().toString() : item->text();
}

} // namespace

// Character classes, blank removal, the HTML tools, sentence-ending insertion and the user
// strings.
void frmMain::registerTools() {
    using charconv::Conversion;
    const std::pair<const char*, Conversion> conversions[] = {
        {"mnuLcase", Conversion::Lower},       {"mnuUcase", Conversion::Upper},
        {"mnuHiragana", Conversion::Hiragana}, {"mnuKatakana", Conversion::Katakana},
        {"mnuNarrow", Conversion::Narrow},     {"mnuWide", Conversion::Wide},
    };
    for (const auto& [name, conversion] : conversions)
        setCommand(QLatin1String(name),
                   [this, c = conversion](int) { charconv::convertDocument(m_ctx, c); });

    setCommand(QStringLiteral("mnukuuhaku"), [this](int) { blanks::RemoveSpaces(m_ctx); });
    setCommand(QStringLiteral("mnukuuhakugyou"), [this](int) { blanks::RemoveBlankLines(m_ctx); });
    setCommand(QStringLiteral("mnuryouhou"),
               [this](int) { blanks::RemoveSpacesAndBlankLines(m_ctx); });

    setCommand(QStringLiteral("mnuHTMLka"), [this](int) { html::MakeSimpleHtml(m_ctx); });
    setCommand(QStringLiteral("mnulink"), [this](int) { html::mnulink_Click(m_ctx); });
    setCommand(QStringLiteral("mnutxt"), [this](int) {
        if (m_form13) return;
        m_form13 = new Form13(m_ctx, this);
        m_form13->logic().ExtractText();
        delete m_form13;
        if (m_closeAfterRun) {
            m_closeAfterRun = false;
            QTimer::singleShot(0, this, &QWidget::close);
        }
    });

    setCommand(QStringLiteral("mnuGobi"), [this](int) {
        RecordUndo(m_ctx.state, m_text);
        if (!m_form4) m_form4 = new Form4(m_ctx, this);
        m_form4->show();
        m_form4->raise();
        m_form4->activateWindow();
        m_form4->focusWord();
    });

    setCommand(QStringLiteral("mnuUS"), [this](int) {
        if (!m_form6) m_form6 = new Form6(m_ctx, this);
        m_form6->show();
        m_form6->raise();
        m_form6->activateWindow();
        m_form6->focusInput();
    });
    for (const char* group : {"mnusitei", "popsitei"}) {
        const QString name = QLatin1String(group);
        setCommand(name, [this, name](int i) {
            userstrings::insertUserString(
                m_ctx, phraseOf(action(name + u'(' + QString::number(i) + u')')));
        });
    }
    if (QMenu* tools = action(QStringLiteral("mnutool"))->menu())
        connect(tools, &QMenu::aboutToShow, this, [this] { userstrings::mnutool_Click(*this); });
}

bool frmMain::stopToolsBeforeClose() {
    if (!m_form13 || !m_form13->logic().running()) return false;
    m_form13->logic().Command1_Click();
    m_closeAfterRun = true;
    return true;
}

void frmMain::setInputBlocked(bool blocked) {
    m_inputBlocked = blocked;
    menuBar()->setEnabled(!blocked);
    m_toolBar->setEnabled(!blocked);
    m_view->setEnabled(!blocked);
    if (!blocked) m_view->setFocus();
}

void frmMain::setMenuUserStringVisible(int i, bool visible) {
    if (QAction* item = action(QStringLiteral("mnusitei(%1)").arg(i))) item->setVisible(visible);
}
