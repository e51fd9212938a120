#include "shell/ui/AboutDialog.h"

#include "platform/ui/QtObjectNames.h"
#include "shell/About.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

AboutDialog::AboutDialog(CommandContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("バージョン情報"));
    setModal(false);

    auto* picture1 = named(new QLabel(this), "Picture1");
    picture1->setPixmap(QIcon(QStringLiteral(":/icons/style.png")).pixmap(48, 48));
    picture1->setAlignment(Qt::AlignTop);

    auto* label1 = named(new QLabel(about::kVersion, this), "Label1");
    QFont big = label1->font();
    big.setPointSize(20);
    big.setBold(true);
    big.setItalic(true);
    label1->setFont(big);

    m_label2 = named(new QLabel(about::supportLabel(), this), "Label2");
    m_label2->setToolTip(QStringLiteral("クリックすると、URLをクリップボードにコピーできます。"));
    m_label4 = named(new QLabel(about::mailLabel(), this), "Label4");
    m_label4->setToolTip(
        QStringLiteral("クリックすると、メールアドレスをクリップボードにコピーできます。"));
    for (QLabel* link : {m_label2, m_label4}) {
        link->setTextFormat(Qt::PlainText);
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    auto* label3 = named(new QLabel(about::kNotice, this), "Label3");
    label3->setWordWrap(true);

    auto* command1 = named(new QPushButton(QStringLiteral("OK(&O)"), this), "Command1");
    command1->setDefault(true);
    connect(command1, &QPushButton::clicked, this, &QDialog::close);

    auto* texts = new QVBoxLayout;
    texts->addWidget(label1);
    texts->addSpacing(8);
    texts->addWidget(m_label2);
    texts->addWidget(m_label4);
    texts->addSpacing(8);
    texts->addWidget(label3);
    auto* top = new QHBoxLayout;
    top->addWidget(picture1);
    top->addSpacing(12);
    top->addLayout(texts);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_label2) onSupportLabelClicked();
        if (watched == m_label4) onMailLabelClicked();
    }
    return QDialog::eventFilter(watched, event);
}

void AboutDialog::onSupportLabelClicked() {
    about::copyAddress(m_ctx, about::kSupportPage);
}

void AboutDialog::onMailLabelClicked() {
    about::copyAddress(m_ctx, about::kMailCopied);
}
