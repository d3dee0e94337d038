#pragma once

#include <QPointF>
#include <QString>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

namespace labels {

class LabelPages;

// Writes the pages as a vector PDF whose text reads as the labels do, everything shifted by
// `offset` (millimetres right and down); a file of that name is replaced only once the new one
// is whole. Returns the reason when it could not be written, empty on success.
QString writeLabelPdf(const LabelPages &pages, QPointF offset, const QString &path);

// Sends the pages the print dialog chose, shifted by `offset`, to the printer it set up.
QString printLabels(const LabelPages &pages, QPointF offset, QPrinter &printer);

// Scales a painter on a device to millimetres from the paper's corner.
void paintInMillimetres(QPainter &painter, double devicePixelsPerMm);

} // namespace labels
