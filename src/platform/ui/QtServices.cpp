#include "platform/ui/QtServices.h"

#include "platform/ColorValue.h"
#include "platform/ui/QtPrintJob.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

MsgAnswer QtPrompts::message(const QString& text, MsgButtons buttons, MsgIcon icon,
                             const QString& title) {
    QMessageBox box(m_parent);
    box.setWindowTitle(title);
    box.setText(text);
    switch (icon) {
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Exclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case MsgButtons::OK:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::OKCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    // The program speaks Japanese everywhere, its message boxes included.
    const std::pair<QMessageBox::StandardButton, const char16_t*> captions[] = {
        {QMessageBox::Yes, u"はい(&Y)"},
        {QMessageBox::No, u"いいえ(&N)"},
        {QMessageBox::Cancel, u"キャンセル"},
        {QMessageBox::Ok, u"OK"},
    };
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* b = box.button(which)) b->setText(QString::fromUtf16(caption));
    // The pointer may be busy for a long operation; a question needs the arrow.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = box.exec();
    QApplication::restoreOverrideCursor();
    switch (result) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Ok:
        return MsgAnswer::OK;
    default:
        // The close box answers as Cancel where there is one.
        return buttons == MsgButtons::OK || buttons == MsgButtons::YesNo
                   ? (buttons == MsgButtons::OK ? MsgAnswer::OK : MsgAnswer::No)
                   : MsgAnswer::Cancel;
    }
}

bool QtClipboard::text(QString& out) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) return false;
    out = clip->text();
    return true;
}

bool QtClipboard::setText(const QString& text) {
    QClipboard* clip = QGuiApplication::clipboard();
    if (!clip) return false;
    clip->setText(text);
    return true;
}

void QtEventPump::doEvents() {
    if (m_last.isValid() && m_last.nsecsElapsed() < kIntervalNs) return;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_last.start();
}

void QtMousePointer::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++m_depth;
    } else if (m_depth > 0) {
        QApplication::restoreOverrideCursor();
        --m_depth;
    }
}

QtCommonDialogs::QtCommonDialogs() = default;
QtCommonDialogs::~QtCommonDialogs() = default;

QPrinter& QtCommonDialogs::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

std::optional<QString> QtCommonDialogs::saveFileName(const QString& proposedName,
                                                     const QStringList& filters, int& filterIndex) {
    QFileDialog dialog(m_parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog, false);
    dialog.setDefaultSuffix(QString());
    QStringList nameFilters;
    for (const QString& f : filters) {
        const qsizetype bar = f.indexOf(u'|');
        nameFilters << (bar < 0 ? f : f.left(bar));
    }
    dialog.setNameFilters(nameFilters);
    if (filterIndex >= 1 && filterIndex <= nameFilters.size())
        dialog.selectNameFilter(nameFilters[filterIndex - 1]);
    if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    filterIndex = nameFilters.indexOf(dialog.selectedNameFilter()) + 1;
    return dialog.selectedFiles().first();
}

bool QtCommonDialogs::chooseFont(FontChoice& font) {
    QFont preset(font.name);
    if (font.size > 0) preset.setPointSizeF(font.size);
    preset.setBold(font.bold);
    preset.setItalic(font.italic);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, preset, m_parent);
    if (!ok) return false;
    font.name = chosen.family();
    font.size = chosen.pointSizeF();
    font.bold = chosen.bold();
    font.italic = chosen.italic();
    font.underline = chosen.underline();
    font.strikeOut = chosen.strikeOut();
    return true;
}

bool QtCommonDialogs::chooseColor(qint32& color) {
    // The default text colours are system colours: the dialog opens on what the text box
    // shows (window text, window), not on white.
    const QColor preset = colorvalue::toColor(color).value_or(QColor(Qt::white));
    const QColor chosen = QColorDialog::getColor(preset, m_parent);
    if (!chosen.isValid()) return false;
    color = colorvalue::fromColor(chosen);
    return true;
}

bool QtCommonDialogs::printerSetup(const QString& title) {
    QPageSetupDialog dialog(&printer(), m_parent);
    dialog.setWindowTitle(title);
    return dialog.exec() == QDialog::Accepted;
}

bool QtCommonDialogs::printDialog(const QString& title) {
    // Without a printer, PDF output is the only way to print at all.
    const bool toFile = QPrinterInfo::availablePrinterNames().isEmpty();
    if (toFile && !m_printFileProposal.isEmpty()) {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(m_printFileProposal);
    }
    QPrintDialog dialog(&printer(), m_parent);
    dialog.setWindowTitle(title);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, toFile);
    return dialog.exec() == QDialog::Accepted;
}

std::unique_ptr<PrintJob> QtCommonDialogs::printJob() {
    return std::make_unique<QtPrintJob>(printer());
}
