#pragma once

#include <QString>
#include <QStringList>

namespace office {

// One workbook in a private office, opened, filled or read, saved in place and closed.
// Rows and columns count from 1; cells are those of the workbook's active sheet.
// Every failure is an OfficeError. Made by startSpreadsheet (office/OfficeEngine.h).
class SpreadsheetAutomation
{
public:
    virtual ~SpreadsheetAutomation() = default;

    virtual void open(const QString &path) = 0;
    // Empties values, texts, formulas and dates of a range such as "A2:AZ300"; formats stay.
    virtual void clearRange(const QString &range) = 0;
    // An empty text leaves the cell empty.
    virtual void writeCell(int row, int column, const QString &text) = 0;
    // texts go to row, columns firstColumn onwards, in one call to the office.
    virtual void writeRow(int row, int firstColumn, const QStringList &texts) = 0;
    // The cell as shown; an empty cell gives an empty text.
    virtual QString readCell(int row, int column) const = 0;
    // Rewrites the opened file in its own format.
    virtual void save() = 0;
    // Closes the workbook without saving again and ends the office.
    virtual void quit() = 0;
};

} // namespace office
