#include "shell/ui/MainWindow.h"

#include "documents/DroppedFiles.h"
#include "platform/ColorValue.h"
#include "platform/ui/TextView.h"
#include "shell/Appearance.h"
#include "shell/FileDrops.h"
#include "shell/MenuTable.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

// The toolbar images live in the widget library, which nothing else refers to.
static void initResources() {
    Q_INIT_RESOURCE(pallo);
}

namespace {

// The designed client area, before any stored size is applied.
constexpr int kClientWidthTwips = 10125;
constexpr int kClientHeightTwips = 7890;

const char16_t* const kImeMenu[] = {u"mnuIMEhiragana",  u"mnuIMEtyokusetu", u"mnuIMEkatakana",
                                    u"mnuIMEHkatakana", u"mnuIMEeisuu",     u"mnuIMEHeisuu"};
const char16_t* const kImePopup[] = {u"pophiragana",  u"poptyokusetu", u"popkatakana",
                                     u"popHkatakana", u"popeisuu",     u"popHeisuu"};
// The part of a long panel text that the panel shows.
constexpr int kPanelPreview = 512;

// A status panel shows one line; the exact text is kept beside it.
QString oneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    return text;
}

// Captions set at run time are paths and phrases: an "&" in them is a character, not the
// mark of an access key. The exact caption is kept beside the shown one.
void setCaption(QAction* action, const QString& caption) {
    action->setText(QString(caption).replace(u'&', QStringLiteral("&&")));
    action->setData(caption);
}

QString caption(const QAction* action) {
    if (!action) return {};
    return action->data().isValid() ? action->data().toString() : action->text();
}

} // namespace

MainWindow::MainWindow(AppState& state, Services& services, QString programDir, QWidget* parent)
    : QMainWindow(parent),
      m_logic(state, m_text, services, *this, programDir, m_history, m_document), m_ctx{state, m_text, services, *this, programDir, m_history, m_document},
      m_foreColor(colorvalue::kWindowText), m_backColor(colorvalue::kWindow) {
    initResources();
    // Commands find Pallo.ini and PalloBackup.txt where start-up does.
    m_ctx.programDir = m_logic.settingsFolder();
    setObjectName(QStringLiteral("MainWindow"));
    m_view = new TextView(m_text, this);
    m_view->setObjectName(QStringLiteral("Text1"));
    setCentralWidget(m_view);
    // A file dropped anywhere on the window opens as 開く opens it; dropped text stays text.
    auto* drops = new FileDrops([this](const QStringList& paths) { openDroppedFiles(m_ctx, paths); }, this);
    m_view->viewport()->installEventFilter(drops);
    installEventFilter(drops);
    setAcceptDrops(true);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    connectText1();
    registerImeCommands();
    setCommand(QStringLiteral("mnuFileExit"), [this](int) { close(); });

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer2 = new QTimer(this);
    m_timer2->setObjectName(QStringLiteral("Timer2"));
    setTimerInterval(1, 30000);
    setTimerInterval(2, 0);

    registerDocumentCommands();
    registerHistoryCommands();
    registerTimers();
    registerStyle();
    registerTools();
    registerOptions();
    registerPrintCommands();
    registerSearch();

    resize(m_geometry.toPixelsX(kClientWidthTwips),
           m_geometry.toPixelsY(kClientHeightTwips) + menuBar()->sizeHint().height());
}

MainWindow::~MainWindow() {
    // The view reports into the model; detach it before the model goes.
    delete m_view;
    m_view = nullptr;
}

void MainWindow::load(const QString& commandLine) {
    m_logic.startup(commandLine);
}

void MainWindow::loadWindow() {
    m_logic.startupWindow();
}

void MainWindow::loadDocument(const QString& commandLine) {
    m_logic.startupDocument(commandLine);
}

// ---------------------------------------------------------------- building

void MainWindow::buildMenus() {
    m_popEdit = new QMenu(QStringLiteral("編集"), this);
    m_popEdit->setObjectName(QStringLiteral("popEdit"));

    const auto build = [this](std::span<const menus::MenuRow> rows, QMenu* root) {
        QList<QMenu*> parents; // parents[d] holds the items of depth d
        parents.append(root);
        for (size_t r = 0; r < rows.size(); ++r) {
            const menus::MenuRow& row = rows[r];
            const QString name = QString::fromUtf16(row.name);
            const QString caption = QString::fromUtf16(row.caption);
            parents.resize(row.depth + 1);
            QMenu* parent = parents[row.depth];
            const bool hasChildren = r + 1 < rows.size() && rows[r + 1].depth > row.depth;
            QAction* action = nullptr;
            if (hasChildren || (!parent && row.depth == 0)) {
                QMenu* menu = parent ? parent->addMenu(caption) : menuBar()->addMenu(caption);
                menu->setObjectName(name);
                action = menu->menuAction();
                parents.append(menu);
            } else if (caption == u"-") {
                action = parent ? parent->addSeparator() : menuBar()->addSeparator();
            }
            if (action) {
                action->setObjectName(name);
                action->setVisible(!(row.flags & menus::Hidden));
                action->setEnabled(!(row.flags & menus::Disabled));
                m_actions.insert(name, action);
                continue;
            }
            const QString command = row.twin ? QString::fromUtf16(row.twin) : name;
            for (int i = 0; i < std::max(row.count, 1); ++i) {
                const int index = row.count > 0 ? i : -1;
                QAction* item = parent->addAction(caption);
                item->setObjectName(menus::itemName(row, i));
                item->setVisible(!(row.flags & menus::Hidden));
                item->setEnabled(!(row.flags & menus::Disabled));
                item->setCheckable(row.flags & menus::Checkable);
                item->setChecked(row.flags & menus::Checked);
                if (row.shortcut) {
                    item->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut)));
                    item->setShortcutContext(Qt::WindowShortcut);
                }
                connect(item, &QAction::triggered, this,
                        [this, command, index] { runCommand(command, index); });
                m_boundCommands.insert(command);
                m_actions.insert(item->objectName(), item);
            }
        }
    };
    build(menus::mainMenu(), nullptr);
    build(menus::popupMenu(), m_popEdit);
}

void MainWindow::buildToolBar() {
    m_toolBar = new QToolBar(this);
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setIconSize(QSize(24, 24));
    m_toolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_toolBar->toggleViewAction()->setVisible(false);
    for (const menus::ToolButton& button : menus::toolbar()) {
        if (button.separatorBefore) m_toolBar->addSeparator();
        const QString key = QString::fromUtf16(button.key);
        QAction* action = m_toolBar->addAction(QIcon(QString::fromLatin1(button.icon)), key);
        action->setToolTip(QString::fromUtf16(button.toolTip));
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { onToolButtonClicked(key); });
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void MainWindow::buildStatusBar() {
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->setSizeGripEnabled(true);
    // The panels sit in a layout of their own: the status bar's does not follow a panel whose
    // width changes with its text.
    auto* row = new QWidget(this);
    row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(row);
        m_panels[i]->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        m_panels[i]->setTextFormat(Qt::PlainText);
        m_panels[i]->setFrameShape(QFrame::StyledPanel);
        m_panels[i]->setFrameShadow(QFrame::Sunken);
        m_panels[i]->setMinimumWidth(40);
        // The position panel is as wide as its text while the window has room for it; the
        // clipboard panels share what the position and format panels leave.
        m_panels[i]->setSizePolicy(i == 2 ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                   QSizePolicy::Preferred);
        layout->addWidget(m_panels[i], i == 2 ? 0 : 1);
    }
    m_formatPanel = new QLabel(row);
    m_formatPanel->setObjectName(QStringLiteral("PanelFormat"));
    m_formatPanel->setFrameShape(QFrame::StyledPanel);
    m_formatPanel->setFrameShadow(QFrame::Sunken);
    m_formatPanel->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    layout->addWidget(m_formatPanel, 0);
    registerNotation(row);
    statusBar()->addPermanentWidget(row, 1);
}

void MainWindow::connectText1() {
    connect(&m_text, &TextBox::changed, this,
            [this] { m_logic.onTextChanged(m_view && m_view->writerEditing()); });
    connect(m_view, &TextView::clicked, this, [this] { m_logic.onTextClicked(); });
    connect(m_view, &TextView::gotFocus, this, [this] { m_logic.onTextFocusIn(); });
    connect(m_view, &TextView::lostFocus, this, [this] { m_logic.onTextFocusOut(); });
    connect(m_view, &TextView::keyUp, this,
            [this](int key, int shift) { m_logic.onTextKeyUp(key, shift); });
    connect(m_view, &TextView::mouseDown, this, &MainWindow::onTextMouseDown);
    connect(m_view, &TextView::mouseMove, this,
            [this](int buttons, int shift, QPoint) { m_logic.onTextMouseMove(buttons, shift); });
    // A large document's line counts become exact in idle time; the panel follows then.
    connect(m_view, &TextView::layoutCompleted, this, [this] { m_logic.refreshPositionPanel(); });
}

void MainWindow::onTextMouseDown(int button, int shift, QPoint pos) {
    if (button == 2) m_popEdit->exec(m_view->mapToGlobal(pos));
    m_logic.onTextMouseDown(button, shift);
}

void MainWindow::registerImeCommands() {
    const auto check = [this](const char16_t* const(&set)[6], int item) {
        for (int i = 0; i < 6; ++i)
            if (QAction* a = action(QString::fromUtf16(set[i]))) a->setChecked(i == item);
    };
    const auto registerSet = [this, check](const char16_t* const(&set)[6], QMenu* menu) {
        for (int mode = 0; mode < 6; ++mode) {
            setCommand(QString::fromUtf16(set[mode]), [this, check, &set, mode](int) {
                check(set, mode);
                setImeMode(ime::kModes[mode]);
            });
        }
        // Each set shows Text1's mode when its menu opens, whichever set chose that mode.
        if (menu)
            connect(menu, &QMenu::aboutToShow, this,
                    [this, check, &set] { check(set, ime::itemOf(m_imeMode)); });
    };
    registerSet(kImeMenu, menuBar()->findChild<QMenu*>(QStringLiteral("mnuEdit")));
    registerSet(kImePopup, m_popEdit);
}

// ---------------------------------------------------------------- commands

void MainWindow::setCommand(const QString& menuName, std::function<void(int)> command) {
    m_commands.insert(menuName, std::move(command));
}

void MainWindow::runCommand(const QString& menuName, int index) {
    if (m_inputBlocked) return;
    const auto it = m_commands.constFind(menuName);
    if (it == m_commands.constEnd() || !*it) {
        // Every menu item, popup item and toolbar button is given a command when the window is
        // built; a name without one is a mistake in the wiring, not something a writer can cause.
        qCritical("No command is registered for %s", qUtf8Printable(menuName));
        return;
    }
    (*it)(index);
}

QStringList MainWindow::itemsWithoutCommand() const {
    QSet<QString> names = m_boundCommands;
    for (const menus::ToolButton& button : menus::toolbar())
        names.insert(QString::fromUtf16(button.command));
    QStringList missing;
    for (const QString& name : names)
        if (!m_commands.value(name)) missing.append(name);
    missing.sort();
    return missing;
}

void MainWindow::onToolButtonClicked(const QString& key) {
    for (const char16_t* candidate : menus::toolbarDispatchOrder()) {
        if (key != QStringView(candidate)) continue;
        for (const menus::ToolButton& button : menus::toolbar()) {
            if (QStringView(button.key) != key) continue;
            // A failure inside a command started from the toolbar is ignored.
            try {
                runCommand(QString::fromUtf16(button.command));
            } catch (...) {
            }
        }
        return;
    }
}

// ---------------------------------------------------------------- window events

void MainWindow::closeEvent(QCloseEvent* event) {
    if (stopToolsBeforeClose()) {
        event->ignore();
        return;
    }
    if (m_logic.shutdown()) {
        unloadStyle();
        unloadOptions();
        unloadSearch();
        event->accept();
    } else
        event->ignore();
}

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) m_logic.onActivate();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_logic.onResize();
}

// ---------------------------------------------------------------- status bar

void MainWindow::setPanelText(int panel, const QString& text) {
    if (panel < 1 || panel > 3) return;
    m_panelTexts[panel - 1] = text;
    m_quoted[panel - 1].active = false;
    m_panels[panel - 1]->setText(oneLine(text));
}

void MainWindow::setFormatText(const QString& text) {
    m_formatPanel->setText(text);
}

QString MainWindow::formatText() const {
    return m_formatPanel->text();
}

QString MainWindow::panelText(int panel) const {
    if (panel < 1 || panel > 3) return {};
    const QuotedPanel& q = m_quoted[panel - 1];
    if (q.active) return q.label + QStringLiteral("「") + q.body + QStringLiteral("」");
    return m_panelTexts[panel - 1];
}

void MainWindow::setStatusToolTip(const QString& text) {
    statusBar()->setToolTip(text);
}
QString MainWindow::statusToolTip() const {
    return statusBar()->toolTip();
}

bool MainWindow::layoutComplete() const {
    return m_view->layoutComplete();
}

// ---------------------------------------------------------------- appearance

double MainWindow::fontSize() const {
    return m_view->font().pointSizeF();
}

bool MainWindow::setFontSize(double points) {
    if (!(points > 0) || points > 2048) return false;
    QFont font = m_view->font();
    font.setPointSizeF(points);
    m_view->setFont(font);
    return true;
}

QString MainWindow::fontName() const {
    return m_view->font().family();
}

bool MainWindow::setFontName(const QString& name) {
    if (name.trimmed().isEmpty()) return false;
    QFont font = m_view->font();
    font.setFamily(name);
    m_view->setFont(font);
    return true;
}

bool MainWindow::setForeColor(qint32 color) {
    if (!colorvalue::toColor(color)) return false;
    m_foreColor = color;
    applyColors();
    return true;
}

bool MainWindow::setBackColor(qint32 color) {
    if (!colorvalue::toColor(color)) return false;
    m_backColor = color;
    applyColors();
    return true;
}

void MainWindow::applyColors() {
    QPalette pal = m_view->palette();
    pal.setColor(QPalette::Text, *colorvalue::toColor(m_foreColor));
    pal.setColor(QPalette::Base, *colorvalue::toColor(m_backColor));
    m_view->setPalette(pal);
}

void MainWindow::setDirectInput() {
    runCommand(QStringLiteral("mnuIMEtyokusetu"));
}

// ---------------------------------------------------------------- geometry

int MainWindow::windowTop() const {
    return m_geometry.top();
}
int MainWindow::windowLeft() const {
    return m_geometry.left();
}
int MainWindow::windowWidth() const {
    return m_geometry.width();
}
int MainWindow::windowHeight() const {
    return m_geometry.height();
}
bool MainWindow::setWindowTop(int twips) {
    return m_geometry.setTop(twips);
}
bool MainWindow::setWindowLeft(int twips) {
    return m_geometry.setLeft(twips);
}
bool MainWindow::setWindowWidth(int twips) {
    return m_geometry.setWidth(twips);
}
bool MainWindow::setWindowHeight(int twips) {
    return m_geometry.setHeight(twips);
}

// ---------------------------------------------------------------- menus filled from settings

void MainWindow::setPopupUserStringCaption(int i, const QString& caption) {
    if (QAction* a = action(QStringLiteral("popsitei(%1)").arg(i))) setCaption(a, caption);
}

void MainWindow::setMenuUserStringCaption(int i, const QString& caption) {
    if (QAction* a = action(QStringLiteral("mnusitei(%1)").arg(i))) setCaption(a, caption);
}

QString MainWindow::itemCaption(const QString& name) const {
    return caption(action(name));
}

void MainWindow::setRecentFileCaption(int i, const QString& caption) {
    if (QAction* item = action(QStringLiteral("mnuRecentFile(%1)").arg(i)))
        setCaption(item, caption);
}

void MainWindow::setRecentFileVisible(int i) {
    if (QAction* item = action(QStringLiteral("mnuRecentFile(%1)").arg(i))) item->setVisible(true);
}

void MainWindow::showRecentSeparator() {
    action(QStringLiteral("mnuFileBar3"))->setVisible(true);
}

// ---------------------------------------------------------------- timers

int MainWindow::timerInterval(int timer) const {
    const QTimer* t = timer == 1 ? m_timer1 : timer == 2 ? m_timer2 : nullptr;
    return t && t->isActive() ? t->interval() : 0;
}

// As with the platform's timers, an interval of 0 stops the timer and any other starts it.
void MainWindow::setTimerInterval(int timer, int milliseconds) {
    QTimer* t = timer == 1 ? m_timer1 : timer == 2 ? m_timer2 : nullptr;
    if (!t) return;
    if (milliseconds <= 0) {
        t->stop();
        return;
    }
    t->setInterval(milliseconds);
    t->start();
}

// ---------------------------------------------------------------- clipboards and menu states

// A second clipboard may hold a whole document: the panel shows its start, refreshed at every
// key release at the cost of the preview alone.
void MainWindow::setQuotedPanelText(int panel, const QString& label, const QString& body) {
    if (panel < 1 || panel > 3) return;
    m_quoted[panel - 1] = {true, label, body};
    m_panelTexts[panel - 1].clear();
    m_panels[panel - 1]->setText(
        oneLine(label + QStringLiteral("「") + body.left(kPanelPreview) + QStringLiteral("」")));
}

void MainWindow::setItemCaption(const QString& item, const QString& caption) {
    if (QAction* a = action(item)) setCaption(a, caption);
}

void MainWindow::syncImeItems(bool popup) {
    const auto& set = popup ? kImePopup : kImeMenu;
    for (int i = 0; i < 6; ++i)
        if (ime::kModes[i] == m_imeMode) runCommand(QString::fromUtf16(set[i]));
}
