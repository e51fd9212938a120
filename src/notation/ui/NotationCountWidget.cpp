#include "notation/ui/NotationCountWidget.h"

#include "platform/ui/QtObjectNames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The grids contests ask for; another is kept when Pallo.ini names it.
const int kGrids[][2] = {{20, 20}, {40, 40}, {20, 10}};

// The problem list is rebuilt at most this often while the writer types.
constexpr int kProblemsDelayMs = 150;

QString gridCaption(int columns, int rows) {
    return QStringLiteral("%1×%2").arg(columns).arg(rows);
}

} // namespace

NotationCountWidget::NotationCountWidget(notation::NotationSession& session,
                                         const QString& iniPath, QWidget* parent)
    : QGroupBox(QStringLiteral("投稿先の数え方"), parent), m_session(session),
      m_iniPath(iniPath) {
    setObjectName(QStringLiteral("fraNotation"));
    const notation::CountSettings s = session.settings();

    m_target = named(new QComboBox(this), "cboNotation");
    for (int i = 0; i < notation::kTargetCount; ++i)
        m_target->addItem(notation::targetName(notation::Target(i)), i);
    m_target->setCurrentIndex(m_target->findData(int(s.target)));

    m_grid = named(new QComboBox(this), "cboGrid");
    for (const auto& g : kGrids)
        m_grid->addItem(gridCaption(g[0], g[1]), QList<QVariant>{g[0], g[1]});
    if (m_grid->findText(gridCaption(s.grid.columns, s.grid.rows)) < 0)
        m_grid->addItem(gridCaption(s.grid.columns, s.grid.rows),
                        QList<QVariant>{s.grid.columns, s.grid.rows});
    m_grid->setCurrentIndex(m_grid->findText(gridCaption(s.grid.columns, s.grid.rows)));

    m_share = named(new QCheckBox(QStringLiteral("。」を1マスに"), this), "chkShare");
    m_share->setChecked(s.grid.closingShares);
    m_pair = named(new QCheckBox(QStringLiteral("半角英数字は2文字で1マス"), this), "chkPair");
    m_pair->setChecked(s.grid.narrowPairs);
    m_status = named(new QCheckBox(QStringLiteral("ステータスバーに表示"), this), "chkStatus");
    m_status->setChecked(s.statusPanel);

    auto* layout = new QVBoxLayout(this);
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("投稿先 :"), this));
    choice->addWidget(m_target, 1);
    choice->addWidget(m_status);
    layout->addLayout(choice);
    for (int i = 0; i < 5; ++i) {
        m_figures[i] = new QLabel(this);
        m_figures[i]->setObjectName(QStringLiteral("lblNotation%1").arg(i + 1));
        m_figures[i]->setTextFormat(Qt::PlainText);
        layout->addWidget(m_figures[i]);
        if (i == 3) {
            auto* options = new QHBoxLayout;
            options->addSpacing(16);
            options->addWidget(m_grid);
            options->addWidget(m_share);
            options->addWidget(m_pair);
            options->addStretch(1);
            layout->addLayout(options);
        }
    }
    m_problems = named(new QListWidget(this), "lstProblems");
    m_problems->setMinimumHeight(90);
    layout->addWidget(m_problems, 1);

    m_problemsLater = new QTimer(this);
    m_problemsLater->setSingleShot(true);
    m_problemsLater->setInterval(kProblemsDelayMs);
    connect(m_problemsLater, &QTimer::timeout, this, &NotationCountWidget::refreshProblems);

    for (QComboBox* box : {m_target, m_grid})
        connect(box, &QComboBox::currentIndexChanged, this, &NotationCountWidget::applyChoices);
    for (QCheckBox* box : {m_share, m_pair, m_status})
        connect(box, &QCheckBox::toggled, this, &NotationCountWidget::applyChoices);
    connect(m_problems, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = m_problems->row(item);
        if (row >= 0 && row < int(m_shown.size())) m_session.select(m_shown[std::size_t(row)]);
    });
    connect(&m_session, &notation::NotationSession::countChanged, this, [this] {
        refreshFigures();
        m_problemsLater->start();
    });

    m_session.hold();
    m_held = &m_session;
    refreshFigures();
    refreshProblems();
}

NotationCountWidget::~NotationCountWidget() {
    if (m_held) m_held->release();
}

void NotationCountWidget::applyChoices() {
    notation::CountSettings s = m_session.settings();
    s.target = notation::Target(m_target->currentData().toInt());
    const QList<QVariant> grid = m_grid->currentData().toList();
    if (grid.size() == 2) s.grid.columns = grid[0].toInt(), s.grid.rows = grid[1].toInt();
    s.grid.closingShares = m_share->isChecked();
    s.grid.narrowPairs = m_pair->isChecked();
    s.statusPanel = m_status->isChecked();
    notation::saveCountSettings(m_iniPath, s);
    m_session.setSettings(s);
    refreshProblems();
}

void NotationCountWidget::refreshFigures() {
    const QStringList lines = m_session.summary();
    for (int i = 0; i < 5 && i < lines.size(); ++i)
        m_figures[i]->setText(lines[i]);
}

void NotationCountWidget::refreshProblems() {
    m_problemsLater->stop();
    m_shown = m_session.problems();
    m_problems->clear();
    for (const notation::LineProblem& p : m_shown)
        m_problems->addItem(m_session.problemLine(p));
}
