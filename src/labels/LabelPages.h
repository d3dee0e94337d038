#pragma once

#include "labels/BarcodeSymbol.h"
#include "labels/LabelLayout.h"
#include "labels/LabelPlan.h"

#include <QFont>
#include <QFontMetricsF>

class QPainter;

namespace labels {

// The labels of a run of pages with their barcodes encoded, ready for paper or screen.
class LabelPages {
public:
    // Pages firstPage..lastPage (0-based) of the plan; throws BarcodeError.
    LabelPages(const LabelPlan &plan, const LabelSheet &sheet, int firstPage, int lastPage);

    int firstPage() const { return firstPage_; }
    int lastPage() const { return lastPage_; }
    // Empty when every label holds its barcode readably; otherwise the teacher's message.
    QString problem() const;

    // The painter's unit is one millimetre from the corner of the paper.
    void paintPage(QPainter &painter, int page) const;

private:
    struct Label {
        LabelText text;
        BarcodeSymbol symbol;
    };

    void paintLabel(QPainter &painter, const Label &label, const LabelLayout &layout) const;
    void paintLine(QPainter &painter, const QString &text, const QRectF &line) const;

    LabelSheet sheet_;
    int labelsPerPage_ = 1;
    int firstPage_ = 0;
    int lastPage_ = -1;
    QList<Label> labels_;
    QFont font_;
    QFontMetricsF metrics_;
};

} // namespace labels
