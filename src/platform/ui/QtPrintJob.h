#pragma once

#include "platform/PrintJob.h"

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPainter>

class QPrinter;

// A print job on a QPrinter. PDF output is written to a file beside the chosen one and takes
// its name only when the document ends, so a cancelled or failed job leaves an earlier file as
// it was (the PDF engine cannot abort: it would complete the file).
class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(QPrinter& printer);
    ~QtPrintJob() override;

    bool begin() override;
    void setFont(const QString& name, double points) override;
    double printableWidth() const override;
    double printableHeight() const override;
    double textWidth(QStringView text) const override;
    double textHeight() const override;
    void drawText(double x, double y, QStringView text) override;
    QPainter* painter() override { return m_painter.isActive() ? &m_painter : nullptr; }
    bool newPage() override;
    bool end() override;
    void abort() override;

private:
    void restoreOutputName();
    double toMm(double pixels) const { return pixels / m_pixelsPerMm; }

    QPrinter& m_printer;
    QPainter m_painter;
    QFont m_font;
    QFontMetricsF m_metrics{QFont()};
    // Advances by character: a printout of a long document is otherwise shaped twice, once to
    // break its lines and once to print them.
    mutable QHash<char32_t, double> m_advances;
    double m_pixelsPerMm = 1;
    double m_ascent = 0;
    QString m_target;  // the PDF the writer chose; empty for a printer
    QString m_partial; // where the PDF is written until the document ends
};
