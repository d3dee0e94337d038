#pragma once

#include <QString>
#include <QStringList>

namespace office {

// Every file of one export is checked before the first is written, so that a file in use,
// read-only or missing leaves the whole export undone rather than half of a pair new.
struct ExportFiles {
    QStringList rewritten; // changed in place
    QStringList read;      // opened for reading only
    QStringList created;   // written anew, their folder must exist and take files

    // The first problem found, worded for the teacher; empty when every file is ready.
    QString problem() const;
};

} // namespace office
