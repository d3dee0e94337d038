#include "admin/OfficePupilListReader.h"

#include "office/OfficeError.h"
#include "office/OfficeEngine.h"


namespace admin {

OfficePupilListReader::OfficePupilListReader(QString soffice) : soffice_(std::move(soffice)) {}

QStringList OfficePupilListReader::readColumnA(const QString &path, int rows)
{
    const QString program = soffice_.isEmpty() ? office::defaultProgram() : soffice_;
    try {
        const auto started = office::startSpreadsheet(program);
        office::SpreadsheetAutomation &workbook = *started;
        workbook.open(path);
        QStringList names;
        for (int row = 1; row <= rows; ++row) {
            const QString name = workbook.readCell(row, 1);
            if (name.isEmpty())
                break;
            names << name;
        }
        workbook.quit();
        return names;
    } catch (const office::OfficeError &error) {
        throw PupilListReadError(error.message());
    }
}

} // namespace admin
