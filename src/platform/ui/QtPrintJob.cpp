#include "platform/ui/QtPrintJob.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>
#include <cstdio>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

// The temporary file is private (0600); the PDF gets the mode of the file it replaces, or the
// mode a new file gets (0666 less the umask), as any other program's output would.
bool takeUsualMode(const QString& partial, const QString& target) {
#ifdef Q_OS_UNIX
    struct stat st {};
    mode_t mode;
    if (::stat(QFile::encodeName(target).constData(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    return ::chmod(QFile::encodeName(partial).constData(), mode) == 0;
#else
    Q_UNUSED(partial);
    Q_UNUSED(target);
    return true;
#endif
}

} // namespace

QtPrintJob::QtPrintJob(QPrinter& printer) : m_printer(printer) {
    m_pixelsPerMm = printer.resolution() / 25.4;
}

QtPrintJob::~QtPrintJob() {
    if (m_painter.isActive()) abort();
}

bool QtPrintJob::begin() {
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty()) {
        m_target = m_printer.outputFileName();
        QTemporaryFile partial(m_target + QStringLiteral(".XXXXXX.pdf"));
        partial.setAutoRemove(false);
        if (!partial.open()) return false;
        m_partial = partial.fileName();
        m_printer.setOutputFileName(m_partial);
    }
    if (m_painter.begin(&m_printer)) return true;
    abort();
    return false;
}

void QtPrintJob::setFont(const QString& name, double points) {
    m_font = QFont(name);
    if (points > 0) m_font.setPointSizeF(points);
    m_font.setBold(false);
    m_font.setItalic(false);
    if (m_painter.isActive()) m_painter.setFont(m_font);
    m_metrics = QFontMetricsF(m_font, &m_printer);
    m_advances.clear();
    m_ascent = m_metrics.ascent();
}

double QtPrintJob::printableWidth() const {
    return m_printer.pageLayout().paintRect(QPageLayout::Millimeter).width();
}

double QtPrintJob::printableHeight() const {
    return m_printer.pageLayout().paintRect(QPageLayout::Millimeter).height();
}

// The sum of the characters' advances: plain text has no kerning worth a shaping pass.
double QtPrintJob::textWidth(QStringView text) const {
    double pixels = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t key =
            pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        auto it = m_advances.constFind(key);
        if (it == m_advances.constEnd())
            it = m_advances.insert(
                key, m_metrics.horizontalAdvance(text.mid(i, pair ? 2 : 1).toString()));
        pixels += *it;
        if (pair) ++i;
    }
    return toMm(pixels);
}

double QtPrintJob::textHeight() const {
    return toMm(m_metrics.height());
}

void QtPrintJob::drawText(double x, double y, QStringView text) {
    m_painter.drawText(QPointF(x * m_pixelsPerMm, y * m_pixelsPerMm + m_ascent), text.toString());
}

bool QtPrintJob::newPage() {
    return m_printer.newPage();
}

bool QtPrintJob::end() {
    bool ok = m_painter.end() && m_printer.printerState() != QPrinter::Error;
    if (!m_partial.isEmpty()) {
        // rename() replaces the earlier file in one step.
        ok = ok && takeUsualMode(m_partial, m_target) &&
             std::rename(QFile::encodeName(m_partial).constData(),
                               QFile::encodeName(m_target).constData()) == 0;
        if (!ok) QFile::remove(m_partial);
    }
    restoreOutputName();
    return ok;
}

void QtPrintJob::abort() {
    m_printer.abort();
    if (m_painter.isActive()) m_painter.end();
    if (!m_partial.isEmpty()) QFile::remove(m_partial);
    restoreOutputName();
}

void QtPrintJob::restoreOutputName() {
    if (!m_target.isEmpty()) m_printer.setOutputFileName(m_target);
    m_target.clear();
    m_partial.clear();
}
