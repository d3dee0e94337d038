#include "admin/OfficePupilListReader.h"

#include "office/OfficeError.h"
#include "office/SpreadsheetAutomation.h"

#include <QFileInfo>

namespace admin {

OfficePupilListReader::OfficePupilListReader(QString soffice) : soffice_(std::move(soffice)) {}

QStringList OfficePupilListReader::readColumnA(const QString &path, int rows)
{
    const QString program = soffice_.isEmpty() ? office::OfficeSession::defaultProgram() : soffice_;
    // The engine's own wording speaks of exporting.
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        throw PupilListReadError(QStringLiteral("未找到 LibreOffice（%1）。").arg(program.isEmpty() ? QStringLiteral("soffice") : program));
    try {
        office::SpreadsheetAutomation workbook(program);
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
