#include "style/ui/StyleConversionDialog.h"

#include "platform/ui/QtObjectNames.h"
#include "style/ui/EndingConfirmationDialog.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

StyleConversionDialog::StyleConversionDialog(CommandContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog), m_logic(ctx, *this) {
    setObjectName(QStringLiteral("StyleConversionDialog"));
    setWindowTitle(QStringLiteral("文体変換（だである調←→ですます調）"));
    setModal(false);

    m_frame1 = named(new QGroupBox(QStringLiteral("どちらか選択"), this), "Frame1");
    m_option1 =
        named(new QRadioButton(QStringLiteral("だである調→ですます調変換"), m_frame1), "Option1");
    m_option2 =
        named(new QRadioButton(QStringLiteral("ですます調→だである調変換"), m_frame1), "Option2");
    m_option1->setChecked(true);
    m_command1 = named(new QPushButton(QStringLiteral("変換(&C)"), this), "Command1");
    m_command2 = named(new QPushButton(QStringLiteral("キャンセル"), this), "Command2");
    m_command1->setDefault(true);
    m_label1 = named(new QLabel(QStringLiteral("レポート"), this), "Label1");
    m_label1->setTextFormat(Qt::PlainText);
    m_text1 = named(new QPlainTextEdit(this), "Text1");
    m_text1->setReadOnly(true);
    m_text1->setUndoRedoEnabled(false);
    m_text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_label1->setBuddy(m_text1);

    auto* options = new QVBoxLayout(m_frame1);
    options->addWidget(m_option1);
    options->addWidget(m_option2);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(m_frame1, 1);
    top->addSpacing(8);
    top->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(6);
    layout->addWidget(m_label1);
    layout->addWidget(m_text1, 1);
    layout->setContentsMargins(12, 10, 12, 12);
    resize(440, 380);

    connect(m_command1, &QPushButton::clicked, this, &StyleConversionDialog::onConvertClicked);
    connect(m_command2, &QPushButton::clicked, this, &StyleConversionDialog::onCancelClicked);

    m_refresh.setSingleShot(true);
    m_refresh.setInterval(0);
    connect(&m_refresh, &QTimer::timeout, this, &StyleConversionDialog::flushReport);

    m_logic.onLoad();
}

void StyleConversionDialog::onConvertClicked() {
    m_logic.onConvertClicked();
    flushReport();
    // Unloaded while the run was going: the run has returned now, so the form may go.
    if (m_unloaded) deleteLater();
}

void StyleConversionDialog::onCancelClicked() {
    m_logic.onCancelClicked();
}

void StyleConversionDialog::reject() {
    if (!m_unloaded) m_logic.stopAndUnload();
}

// Keeps the newest report line in view.
void StyleConversionDialog::onReportChanged() {
    m_text1->moveCursor(QTextCursor::End);
    m_text1->ensureCursorVisible();
}

// ---------------------------------------------------------------- StyleDialogPort

bool StyleConversionDialog::plainToPolite() const {
    return m_option1->isChecked();
}

void StyleConversionDialog::clearReport() {
    m_pendingReport.clear();
    m_text1->clear();
    onReportChanged();
}

void StyleConversionDialog::appendReport(const QString& piece) {
    m_pendingReport += piece;
    m_refresh.start();
}

void StyleConversionDialog::setReportCaption(const QString& caption) {
    m_pendingCaption = caption;
    m_captionPending = true;
    m_refresh.start();
}

// The report only ever grows at its end: append there instead of resetting the whole box,
// which would cost a full layout on a long run. Inserted text turns each CR LF into a
// paragraph break.
void StyleConversionDialog::flushReport() {
    m_refresh.stop();
    if (m_captionPending) {
        m_captionPending = false;
        m_label1->setText(m_pendingCaption);
    }
    if (m_pendingReport.isEmpty()) return;
    QTextCursor end(m_text1->document());
    end.movePosition(QTextCursor::End);
    end.insertText(m_pendingReport);
    m_pendingReport.clear();
    onReportChanged();
}

void StyleConversionDialog::setConvertEnabled(bool enabled) {
    m_command1->setEnabled(enabled);
}

void StyleConversionDialog::setCloseCaption(const QString& caption) {
    flushReport();
    m_command2->setText(caption);
}

void StyleConversionDialog::showConfirmation(style::EndingConfirmation& confirmation) {
    flushReport();
    // The run's busy pointer is for the main window; the writer types the new ending here.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    EndingConfirmationDialog dialog(confirmation, this);
    dialog.exec();
    QApplication::restoreOverrideCursor();
}

void StyleConversionDialog::unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    hide();
    if (!m_logic.running()) deleteLater();
}
