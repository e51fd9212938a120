#include "vertical/ui/VerticalPreview.h"

#include "notation/NotationSession.h"
#include "platform/TextBox.h"
#include "vertical/PageRenderer.h"
#include "vertical/VerticalFont.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using namespace vertical;

class VerticalPreview::Canvas : public QWidget {
public:
    explicit Canvas(VerticalPreview& owner) : QWidget(&owner), m_owner(owner) {
        setMinimumSize(240, 240);
        setFocusPolicy(Qt::StrongFocus);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0xF4, 0xF1, 0xEA));
        m_owner.paintPages(p, QRectF(rect()).adjusted(8, 8, -8, -8));
    }

private:
    VerticalPreview& m_owner;
};

VerticalPreview::VerticalPreview(TextBox& box, notation::NotationSession& notation,
                                 QString iniPath, std::function<QString()> fontName,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), m_box(box), m_notation(notation),
      m_iniPath(std::move(iniPath)), m_fontName(std::move(fontName)),
      m_settings(loadVerticalSettings(m_iniPath)), m_layout(box) {
    setObjectName(QStringLiteral("frmTate"));
    setWindowTitle(QStringLiteral("縦書きプレビュー"));
    m_formBox = new QComboBox(this);
    m_formBox->setObjectName(QStringLiteral("cboForm"));
    m_formBox->addItems({QStringLiteral("原稿用紙"), QStringLiteral("文庫"), QStringLiteral("自由")});
    m_formBox->setCurrentIndex(int(m_settings.kind));
    m_chars = new QSpinBox(this);
    m_columns = new QSpinBox(this);
    m_chars->setObjectName(QStringLiteral("spnChars"));
    m_columns->setObjectName(QStringLiteral("spnColumns"));
    for (QSpinBox* s : {m_chars, m_columns}) s->setRange(1, kFreeLimit);
    m_chars->setValue(m_settings.freeChars);
    m_columns->setValue(m_settings.freeColumns);
    m_chars->setSuffix(QStringLiteral("字"));
    m_columns->setSuffix(QStringLiteral("行"));
    m_next = new QPushButton(QStringLiteral("← 次"), this);
    m_previous = new QPushButton(QStringLiteral("前 →"), this);
    m_pageLabel = new QLabel(this);
    m_printVertical = new QCheckBox(QStringLiteral("縦書きで印刷"), this);
    m_printVertical->setChecked(m_settings.printVertical);
    auto* print = new QPushButton(QStringLiteral("印刷..."), this);
    for (QWidget* w : std::initializer_list<QWidget*>{m_next, m_previous, print})
        w->setFocusPolicy(Qt::NoFocus);

    auto* bar = new QHBoxLayout;
    bar->addWidget(m_formBox);
    bar->addWidget(m_chars);
    bar->addWidget(m_columns);
    bar->addStretch();
    bar->addWidget(m_next);
    bar->addWidget(m_pageLabel);
    bar->addWidget(m_previous);
    bar->addStretch();
    bar->addWidget(m_printVertical);
    bar->addWidget(print);
    m_canvas = new Canvas(*this);
    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(m_canvas, 1);
    resize(720, 560);

    connect(m_formBox, &QComboBox::currentIndexChanged, this, &VerticalPreview::settingsChanged);
    connect(m_chars, &QSpinBox::valueChanged, this, &VerticalPreview::settingsChanged);
    connect(m_columns, &QSpinBox::valueChanged, this, &VerticalPreview::settingsChanged);
    connect(m_printVertical, &QCheckBox::toggled, this, &VerticalPreview::settingsChanged);
    connect(m_next, &QPushButton::clicked, this, &VerticalPreview::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &VerticalPreview::previousPage);
    connect(print, &QPushButton::clicked, this, &VerticalPreview::printRequested);
    connect(&box, &TextBox::textReplaced, this, [this](int pos, int, const QString&) {
        m_layout.invalidateFrom(pos);
        followCaret();
    });
    connect(&box, &TextBox::selectionChanged, this, &VerticalPreview::followCaret);
    connect(&notation, &notation::NotationSession::countChanged, this, [this] {
        // The chosen notation or grid may have changed; an unchanged choice keeps the pages.
        applyOptions();
        m_canvas->update();
    });
    settingsChanged();
}

VerticalPreview::~VerticalPreview() = default;

vertical::PageForm VerticalPreview::form() {
    return pageForm(m_settings, m_notation.settings().grid);
}

int VerticalPreview::pagesShown() const {
    return m_settings.kind == PageForm::Kind::Bunko ? 2 : 1;
}

void VerticalPreview::applyOptions() {
    const notation::CountSettings& count = m_notation.settings();
    m_layout.setOptions(count.target, count.grid, form());
}

void VerticalPreview::settingsChanged() {
    VerticalSettings s;
    s.kind = PageForm::Kind(std::max(0, m_formBox->currentIndex()));
    s.freeChars = m_chars->value();
    s.freeColumns = m_columns->value();
    s.printVertical = m_printVertical->isChecked();
    m_chars->setEnabled(s.kind == PageForm::Kind::Free);
    m_columns->setEnabled(s.kind == PageForm::Kind::Free);
    if (s != m_settings) {
        m_settings = s;
        saveVerticalSettings(m_iniPath, s);
    }
    followCaret();
}

void VerticalPreview::followCaret() {
    applyOptions();
    const int page = m_layout.pageOf(m_box.selStart());
    showPage(page - page % pagesShown());
}

void VerticalPreview::showPage(int page) {
    m_page = std::max(0, page);
    m_next->setEnabled(m_layout.hasPage(m_page + pagesShown()));
    m_previous->setEnabled(m_page > 0);
    m_pageLabel->setText(pageText());
    m_canvas->update();
}

QString VerticalPreview::pageText() const {
    QString shown = QString::number(m_page + 1);
    if (pagesShown() == 2 && const_cast<VerticalLayout&>(m_layout).hasPage(m_page + 1))
        shown += QStringLiteral("–%1").arg(m_page + 2);
    if (!m_layout.complete()) return shown + QStringLiteral("頁");
    return shown + QStringLiteral(" / %1頁").arg(const_cast<VerticalLayout&>(m_layout).pageCount());
}

void VerticalPreview::nextPage() {
    applyOptions();
    if (m_layout.hasPage(m_page + pagesShown())) showPage(m_page + pagesShown());
}

void VerticalPreview::previousPage() {
    applyOptions();
    if (m_page > 0) showPage(m_page - pagesShown());
}

// Vertical books page to the left: ← is the next page, → the one before.
void VerticalPreview::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_PageDown:
        nextPage();
        return;
    case Qt::Key_Right:
    case Qt::Key_PageUp:
        previousPage();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void VerticalPreview::paintPages(QPainter& p, const QRectF& area) {
    applyOptions();
    const QString name = m_fontName();
    if (!m_font || m_font->font().family() != name) m_font = std::make_unique<VerticalFont>(QFont(name));
    PageGeometry g{form(), 0, pagesShown()};
    g.cell = PageGeometry::cellToFit(g.form, g.pages, area.width(), area.height());
    p.save();
    p.translate(area.left() + (area.width() - g.viewWidth()) / 2,
                area.top() + (area.height() - g.pageHeight()) / 2);
    p.setRenderHint(QPainter::Antialiasing);
    PageRenderer renderer(*m_font);
    PaintOptions options;
    options.caretPos = m_box.selStart();
    for (int side = 0; side < g.pages; ++side) {
        const double left = g.pages == 2 && side == 0 ? g.pageWidth() : 0;
        p.fillRect(QRectF(left, 0, g.pageWidth(), g.pageHeight()), Qt::white);
        if (!m_layout.hasPage(m_page + side)) continue;
        const Page& page = m_layout.page(m_page + side);
        // The text up to the end of the page's last line, read where it lies: asking for the
        // whole text would move everything behind the last edit at every key.
        const int end = page.columns.empty()
                            ? 0
                            : m_box.hardLineEnd(m_box.hardLineFromChar(page.columns.back().end));
        renderer.paint(p, m_box.view(0, end), page, g, side, options);
    }
    p.restore();
}

QImage VerticalPreview::render(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0xF4, 0xF1, 0xEA));
    QPainter p(&image);
    paintPages(p, QRectF(0, 0, width, height));
    return image;
}
