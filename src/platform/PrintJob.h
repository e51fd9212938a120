#pragma once

#include <QString>
#include <QStringView>

class QPainter;

// One document on the printer the print dialogs configured. Positions and sizes are
// millimetres from the top left corner of the printable area; a text's position is the top of
// its line.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Opens the printer or the output file; false when it cannot be opened.
    virtual bool begin() = 0;
    // Regular face: bold and italic are never carried over from the editor.
    virtual void setFont(const QString& name, double points) = 0;
    virtual double printableWidth() const = 0;
    virtual double printableHeight() const = 0;
    virtual double textWidth(QStringView text) const = 0;
    // The height of one printed line of the current font.
    virtual double textHeight() const = 0;
    virtual void drawText(double x, double y, QStringView text) = 0;
    // The painter of an open job, for layouts that draw glyphs themselves (device pixels).
    virtual QPainter* painter() { return nullptr; }
    virtual bool newPage() = 0;
    // Sends the document; false when it could not be completed.
    virtual bool end() = 0;
    // Discards the document: nothing is printed and no output file is left or changed.
    virtual void abort() = 0;
};
