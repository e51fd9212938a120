#include "history/ui/HistoryViewerDialog.h"

#include "platform/ui/QtObjectNames.h"
#include "platform/ui/TextView.h"

#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QVBoxLayout>

HistoryViewerDialog::HistoryViewerDialog(CommandContext& ctx, HistoryViewer::Mode mode, QWidget* parent)
    : QDialog(parent), m_logic(ctx, m_box, *this, mode) {
    setObjectName(QStringLiteral("HistoryViewerDialog"));
    setWindowTitle(QStringLiteral("Undoデータの履歴"));
    setModal(true);

    const char* const names[6] = {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"};
    const QString texts[6] = {
        QStringLiteral("Undo履歴"), QStringLiteral("テキストの内容"),   QString(),
        QStringLiteral("データ"),   QStringLiteral("Undo履歴の総数："), QString()};
    for (int i = 0; i < 6; ++i) {
        m_labels[i] = named(new QLabel(texts[i], this), names[i]);
        m_labels[i]->setTextFormat(Qt::PlainText);
    }
    m_list1 = named(new QListWidget(this), "List1");
    m_list1->setToolTip(QStringLiteral("ダブルクリックでその状態にすることが出来ます。"));
    m_text1 = named(new TextView(m_box, this), "Text1");
    // Unwrapped, the box's lines are the text's CR LF lines: counting them needs no layout
    // of a long entry.
    m_text1->setWordWrap(false);
    m_box.setLineLayout(nullptr);

    auto* menu = new QMenuBar(this);
    QAction* close = menu->addAction(QStringLiteral("閉じる(&C)"));
    close->setObjectName(QStringLiteral("mnuclose"));
    connect(close, &QAction::triggered, this, &QDialog::reject);

    auto* left = new QVBoxLayout;
    left->addWidget(m_labels[0]);
    left->addWidget(m_list1, 1);
    left->addWidget(m_labels[4]);
    left->addWidget(m_labels[5]);
    left->addWidget(m_labels[2]);
    auto* right = new QVBoxLayout;
    right->addWidget(m_labels[3]);
    right->addWidget(m_labels[1]);
    right->addWidget(m_text1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(left, 1);
    layout->addLayout(right, 3);
    resize(720, 480);

    connect(m_list1, &QListWidget::currentRowChanged, this,
            [this](int row) { m_logic.onEntryClicked(row); });
    connect(m_list1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { m_logic.onEntryDoubleClicked(m_list1->row(item)); });

    m_logic.onLoad();
}

HistoryViewerDialog::~HistoryViewerDialog() {
    // The view reports into the box; it goes first.
    delete m_text1;
}

void HistoryViewerDialog::setLabelText(int label, const QString& text) {
    if (label < 1 || label > 6) return;
    // A label breaks its lines at LF; the CR of a CR LF would show as a mark.
    m_labels[label - 1]->setText(QString(text).remove(u'\r'));
}

void HistoryViewerDialog::addItem(const QString& item) {
    m_list1->addItem(item);
}

int HistoryViewerDialog::itemCount() const {
    return m_list1->count();
}

void HistoryViewerDialog::selectItem(int index) {
    if (m_list1->currentRow() == index)
        m_logic.onEntryClicked(index);
    else
        m_list1->setCurrentRow(index);
}

void HistoryViewerDialog::done(int result) {
    m_logic.onUnload();
    QDialog::done(result);
}
