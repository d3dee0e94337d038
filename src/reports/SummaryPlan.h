#pragma once

#include "reports/UnfinishedHomework.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace reports {

inline constexpr int kShortItems = 30;
inline constexpr int kLongItems = 60;
inline constexpr int kItemLength = 19;

// The templates and the documents made from them, relative to the program folder.
QString shortTemplate();
QString longTemplate();
QString shortSummary();
QString longSummary();

struct CellText {
    int table = 0;
    int row = 0;
    int column = 0;
    QString text;
};

// What goes into the two summary documents: one table per pupil, up to 30 items in the short
// document, more in the long one.
struct SummaryPlan {
    QList<CellText> shortCells;
    QList<CellText> longCells;
    int shortTables = 0;
    int longTables = 0;

    // "1-2" for three tables two to a page; empty when nothing is to be printed.
    QString shortPages() const;
    QString longPages() const;
};

// Cells of consecutive rows, firstRow and on, in one column of one table.
struct ColumnRun {
    int table = 0;
    int firstRow = 0;
    int column = 0;
    QStringList texts;
};

// The cells in their order, each joined to the run before it when it is the next row below;
// written run by run they leave the same text as written cell by cell.
QList<ColumnRun> columnRuns(const QList<CellText> &cells);

// The pupils of UnfinishedList with at least lowerLimit items, in list order; each item's cell
// holds at most 19 characters after the slot digits. The list itself is left whole.
SummaryPlan planSummary(const QList<PupilRow> &unfinished, double lowerLimit, int pupils);

} // namespace reports
