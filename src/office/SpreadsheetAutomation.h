#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace office {

// What a cell holds, as the workbook stores it: a formula counts by its result.
struct Cell
{
    enum class Kind { Empty, Text, Number, Date, Error };
    Kind kind = Kind::Empty;
    // The text of a Text cell; empty for every other kind.
    QString text;

    bool operator==(const Cell &) const = default;
};

// One workbook in a private office, opened, filled or read, saved and closed.
// Rows and columns count from 1; cells are those of the workbook's active sheet.
// Every failure is an OfficeError. Made by startSpreadsheet (office/OfficeEngine.h).
class SpreadsheetAutomation
{
public:
    virtual ~SpreadsheetAutomation() = default;

    // Opens an Excel 97 workbook, read-only files and files another office has open included;
    // anything else, a password-protected workbook among them, is refused before the office sees it.
    virtual void open(const QString &path) = 0;
    // Empties values, texts, formulas and dates of a range such as "A2:AZ300"; formats stay.
    virtual void clearRange(const QString &range) = 0;
    // An empty text leaves the cell empty.
    virtual void writeCell(int row, int column, const QString &text) = 0;
    // texts go to row, columns firstColumn onwards, in one call to the office.
    virtual void writeRow(int row, int firstColumn, const QStringList &texts) = 0;
    // The cell as shown; an empty cell gives an empty text.
    virtual QString readCell(int row, int column) const = 0;
    // The cells of a column from row 1 down to its last cell that is not empty.
    virtual QList<Cell> readColumn(int column) const = 0;
    // Rewrites the opened file in place, in its own format; refused when it was opened read-only.
    virtual void save() = 0;
    // Stores the workbook as an MS Excel 97 file at path, which may be another file than the one
    // opened (a staged file, office/StagedFiles.h); the opened file stays as it is.
    virtual void saveTo(const QString &path) = 0;
    // Closes the workbook without saving again and ends the office.
    virtual void quit() = 0;
};

} // namespace office
