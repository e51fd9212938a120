#include "proofread/ui/ProofreadDialog.h"

#include "platform/ui/QtObjectNames.h"
#include "proofread/MorphAnalyzer.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

using proofread::Check;
using proofread::Finding;

// The findings as rows: the view asks only for the rows it shows, so a list of thousands is
// replaced cheaply after every edit. The model keeps its own copy (the strings are shared), so
// the view can still ask while the window is being torn down.
class FindingsModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setFindings(const std::vector<Finding>& findings) {
        beginResetModel();
        m_findings = findings;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(m_findings.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 5;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const Finding& f = m_findings[std::size_t(index.row())];
        switch (index.column()) {
        case 0:
            return f.line;
        case 1:
            return f.column;
        case 2:
            return proofread::checkName(f.check);
        case 3: {
            // A passage over a line or longer than fits is shown by its start.
            QString shown = f.passage.left(40);
            shown.replace(QStringLiteral("\r\n"), QStringLiteral("↵"));
            return f.passage.size() > 40 ? shown + u'…' : shown;
        }
        case 4:
            return f.reason;
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char16_t* const titles[] = {u"行", u"文字位置", u"項目", u"箇所", u"理由"};
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        return QString::fromUtf16(titles[section]);
    }

private:
    std::vector<Finding> m_findings;
};

ProofreadDialog::ProofreadDialog(CommandContext& ctx, QWidget* parent,
                                 const QString& analyzerArguments)
    : QDialog(parent, Qt::Window), m_ctx(ctx),
      m_analyzer(std::make_unique<proofread::MorphAnalyzer>(analyzerArguments)) {
    setObjectName(QStringLiteral("frmKousei"));
    setWindowTitle(QStringLiteral("校正"));
    setModal(false);
    resize(760, 460);

    m_problem = named(new QLabel(this), "lblProblem");
    m_problem->setWordWrap(true);
    m_problem->setTextFormat(Qt::PlainText);
    m_problem->setStyleSheet(QStringLiteral("color: #a00000;"));

    auto* checks = new QGridLayout;
    for (int i = 0; i < proofread::kCheckCount; ++i) {
        auto* box = new QCheckBox(proofread::checkName(Check(i)), this);
        box->setObjectName(QStringLiteral("chkCheck%1").arg(i));
        m_checks[std::size_t(i)] = box;
        checks->addWidget(box, i / 4, i % 4);
    }
    m_maxLength = named(new QSpinBox(this), "spnMaxLength");
    m_maxLength->setRange(1, 9999);
    m_maxLength->setSuffix(QStringLiteral("文字まで"));
    m_maxCommas = named(new QSpinBox(this), "spnMaxCommas");
    m_maxCommas->setRange(0, 99);
    m_maxCommas->setSuffix(QStringLiteral("つまで"));
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel(QStringLiteral("一文の長さ:"), this));
    numbers->addWidget(m_maxLength);
    numbers->addSpacing(16);
    numbers->addWidget(new QLabel(QStringLiteral("一文の読点:"), this));
    numbers->addWidget(m_maxCommas);
    numbers->addStretch();

    m_recheck = named(new QPushButton(QStringLiteral("再チェック(&R)"), this), "cmdRecheck");
    m_live = named(new QCheckBox(QStringLiteral("入力に合わせて更新(&L)"), this), "chkLive");
    m_selectionOnly =
        named(new QCheckBox(QStringLiteral("選択範囲だけ調べる(&S)"), this), "chkSelection");
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(m_recheck);
    runRow->addWidget(m_live);
    runRow->addWidget(m_selectionOnly);
    runRow->addStretch();

    m_model = new FindingsModel(this);
    m_list = named(new QTableView(this), "lstFindings");
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->verticalHeader()->hide();
    m_list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setWordWrap(false);
    m_list->setColumnWidth(0, 48);
    m_list->setColumnWidth(1, 72);
    m_list->setColumnWidth(2, 120);
    m_list->setColumnWidth(3, 220);

    m_progress = named(new QProgressBar(this), "prgRun");
    m_cancel = named(new QPushButton(QStringLiteral("キャンセル"), this), "cmdCancel");
    m_status = named(new QLabel(this), "lblStatus");
    m_close = named(new QPushButton(QStringLiteral("閉じる(&C)"), this), "cmdClose");
    m_close->setAutoDefault(false);
    m_recheck->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_status, 1);
    bottom->addWidget(m_progress, 1);
    bottom->addWidget(m_cancel);
    bottom->addWidget(m_close);
    showProgress(0, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_problem);
    layout->addLayout(checks);
    layout->addLayout(numbers);
    layout->addLayout(runRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    m_session = std::make_unique<proofread::ProofreadSession>(ctx, *this, m_analyzer.get());
    m_session->load();
    const proofread::ProofreadOptions& options = m_session->options();
    for (int i = 0; i < proofread::kCheckCount; ++i)
        m_checks[std::size_t(i)]->setChecked(options.isOn(Check(i)));
    m_maxLength->setValue(options.maxSentenceLength);
    m_maxCommas->setValue(options.maxCommas);
    m_live->setChecked(m_session->live());
    m_selectionOnly->setChecked(m_session->selectionOnly());

    for (int i = 0; i < proofread::kCheckCount; ++i)
        connect(m_checks[std::size_t(i)], &QCheckBox::toggled, this,
                [this, i](bool on) { m_session->setCheckEnabled(Check(i), on); });
    connect(m_maxLength, &QSpinBox::valueChanged, this,
            [this](int n) { m_session->setMaxSentenceLength(n); });
    connect(m_maxCommas, &QSpinBox::valueChanged, this,
            [this](int n) { m_session->setMaxCommas(n); });
    connect(m_live, &QCheckBox::toggled, this, [this](bool on) { m_session->setLive(on); });
    connect(m_selectionOnly, &QCheckBox::toggled, this,
            [this](bool on) { m_session->setSelectionOnly(on); });
    connect(m_recheck, &QPushButton::clicked, this, [this] { m_session->recheck(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_session->cancel(); });
    connect(m_close, &QPushButton::clicked, this, &ProofreadDialog::reject);
    connect(m_list->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& index) { onRowChosen(index.row(), false); });
    connect(m_list, &QTableView::activated, this,
            [this](const QModelIndex& index) { onRowChosen(index.row(), true); });
    connect(&ctx.text, &TextBox::textReplaced, this,
            [this](int pos, int removed, const QString& inserted) {
                m_session->textReplaced(pos, removed, inserted);
            });
    connect(&ctx.text, &TextBox::batchEnded, this, [this] { m_session->batchEnded(); });
}

ProofreadDialog::~ProofreadDialog() = default;

void ProofreadDialog::placeBeside(const QWidget& mainWindow) {
    const QRect main = mainWindow.frameGeometry();
    const QScreen* screen = mainWindow.screen();
    const QRect room = screen ? screen->availableGeometry() : QRect();
    QPoint at(main.right() + 1, main.top());
    if (!room.isEmpty() && at.x() + width() > room.right())
        at.setX(std::max(room.left(), room.right() - width()));
    move(at);
}

void ProofreadDialog::showFindings(const std::vector<Finding>& findings) {
    const int row = m_list->currentIndex().row();
    m_model->setFindings(findings);
    // The list keeps its place while it follows the writer's typing.
    if (row >= 0 && row < int(findings.size())) {
        const QSignalBlocker quiet(m_list->selectionModel());
        m_list->setCurrentIndex(m_model->index(row, 0));
    }
}

void ProofreadDialog::showStatus(const QString& status) {
    m_status->setText(status);
}

void ProofreadDialog::showProblem(const QString& problem) {
    m_problem->setText(problem);
    m_problem->setVisible(!problem.isEmpty());
}

void ProofreadDialog::showProgress(int done, int total) {
    m_progress->setVisible(total > 0);
    m_cancel->setVisible(total > 0);
    m_recheck->setEnabled(total == 0);
    if (total > 0) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
    }
}

void ProofreadDialog::onRowChosen(int row, bool goToText) {
    m_session->select(row);
    if (!goToText || !parentWidget()) return;
    parentWidget()->activateWindow();
    if (QWidget* text = parentWidget()->findChild<QWidget*>(QStringLiteral("Text1")))
        text->setFocus();
}

void ProofreadDialog::reject() {
    m_session->cancel();
    hide();
}
