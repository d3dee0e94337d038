#include "admin/OfficePupilListReader.h"

#include "office/OfficeError.h"
#include "office/OfficeEngine.h"

namespace admin {

OfficePupilListReader::OfficePupilListReader(QString soffice) : soffice_(std::move(soffice)) {}

QList<office::Cell> OfficePupilListReader::readColumnA(const QString &path)
{
    const QString program = soffice_.isEmpty() ? office::defaultProgram() : soffice_;
    try {
        const auto workbook = office::startSpreadsheet(program);
        workbook->open(path);
        const QList<office::Cell> cells = workbook->readColumn(1);
        workbook->quit();
        return cells;
    } catch (const office::OfficeError &error) {
        throw PupilListReadError(error.message());
    }
}

} // namespace admin
