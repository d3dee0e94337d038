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
    // Pages firstPage..lastPage (0-based) of the plan, with thin cut lines round each label when
    // asked; throws BarcodeError.
    LabelPages(const LabelPlan &plan, const LabelSheet &sheet, int firstPage, int lastPage, bool cutBorders);

    int firstPage() const { return firstPage_; }
    int lastPage() const { return lastPage_; }
    // Empty when every label holds its barcode readably; otherwise the teacher's message.
    QString problem() const;

    // The painter's unit is one millimetre from the corner of the paper.
    void paintPage(QPainter &painter, int page) const;

    // The least distance in millimetres from any text of these pages to the paper's edge, each
    // text shifted by `offset`.
    double textClearanceFromEdge(QPointF offset) const;

    // Every character the labels are drawn with, and the font they are drawn in.
    QString drawnText() const;
    const QFont &font() const { return font_; }

private:
    struct Label {
        LabelText text;
        BarcodeSymbol symbol;
    };
    // A text set in its line: the font size it fits at and the box its glyphs' ink takes, in millimetres.
    struct SetLine {
        QFont font;
        QRectF box;
    };

    void paintLabel(QPainter &painter, const Label &label, const LabelLayout &layout) const;
    void paintLine(QPainter &painter, const QString &text, const QRectF &line) const;
    SetLine setLine(const QString &text, const QRectF &line) const;
    // Calls visit(label, its layout, its place on the page) for each label of a page that can hold its barcode.
    template <typename Visit> void forEachLabel(int page, Visit visit) const;

    LabelSheet sheet_;
    int labelsPerPage_ = 1;
    int firstPage_ = 0;
    int lastPage_ = -1;
    bool cutBorders_ = false;
    QList<Label> labels_;
    QFont font_;
    QFontMetricsF metrics_;
};

} // namespace labels
