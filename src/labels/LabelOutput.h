#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace labels {

class LabelPages;

// Writes the pages as a vector PDF; a file of that name is replaced only once the new one is
// whole. Returns the reason when it could not be written, empty on success.
QString writeLabelPdf(const LabelPages &pages, const QString &path);

// Sends the pages to a printer already set up for them by the print dialog.
QString printLabels(const LabelPages &pages, QPrinter &printer);

// Scales a painter on a device to millimetres from the paper's corner.
void paintInMillimetres(QPainter &painter, double devicePixelsPerMm);

} // namespace labels
