#pragma once

#include "admin/PupilImport.h"

namespace admin {

// Reads the pupil list through a private LibreOffice, started for this one read.
class OfficePupilListReader : public PupilListReader {
public:
    // An empty soffice means the default program.
    explicit OfficePupilListReader(QString soffice = {});
    QList<office::Cell> readColumnA(const QString &path) override;

private:
    QString soffice_;
};

} // namespace admin
