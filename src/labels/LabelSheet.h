#pragma once

#include <QList>
#include <QRectF>
#include <QString>

namespace labels {

inline constexpr double kPageWidth = 210;
inline constexpr double kPageHeight = 297;

// An A4 sheet of self-adhesive labels, every length in millimetres.
struct LabelSheet {
    int rows = 8;
    int columns = 3;
    double labelWidth = 70;
    double labelHeight = 37;
    double marginLeft = 0;
    double marginTop = 0.5;
    double gapX = 0;
    double gapY = 0;

    int labelsPerPage() const { return rows * columns; }
    // Labels fill a page row by row.
    QRectF labelRect(int indexOnPage) const;

    bool operator==(const LabelSheet &) const = default;
};

struct SheetPreset {
    QString name;
    LabelSheet sheet;
};

// The A4 label sheets sold everywhere, the first one the usual choice.
QList<SheetPreset> sheetPresets();

// Columns by rows, "3×8", as a file name tells sheets apart; "自定义3×8" for a sheet of the
// teacher's own measures.
QString sheetShortName(const LabelSheet &sheet);

// Why the labels of a sheet cannot lie on an A4 page, in the teacher's words; empty when they can.
QString sheetProblem(const LabelSheet &sheet);

} // namespace labels
