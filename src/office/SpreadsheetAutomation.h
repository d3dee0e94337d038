#pragma once

#include "office/OfficeSession.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace office {

// One workbook in a private office, opened, filled or read, saved in place and closed.
// Rows and columns count from 1; cells are those of the workbook's active sheet.
// Every failure is an OfficeError.
class SpreadsheetAutomation
{
public:
    explicit SpreadsheetAutomation(const QString &soffice = OfficeSession::defaultProgram());
    ~SpreadsheetAutomation();
    SpreadsheetAutomation(const SpreadsheetAutomation &) = delete;
    SpreadsheetAutomation &operator=(const SpreadsheetAutomation &) = delete;

    void open(const QString &path);
    // Empties values, texts, formulas and dates of a range such as "A2:AZ300"; formats stay.
    void clearRange(const QString &range);
    // An empty text leaves the cell empty.
    void writeCell(int row, int column, const QString &text);
    // texts go to row, columns firstColumn onwards, in one call to the office.
    void writeRow(int row, int firstColumn, const QStringList &texts);
    // The cell as shown; an empty cell gives an empty text.
    QString readCell(int row, int column) const;
    // Rewrites the opened file in its own format.
    void save();
    // Closes the workbook without saving again and ends the office.
    void quit();

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace office
