#pragma once

#include <QString>
#include <QStringList>

namespace office {

struct ExportProblem {
    enum class Kind {
        None,
        Missing,     // a file to read or rewrite is not there
        NoFolder,    // the folder of a file is not there
        NotAFile,    // a folder stands where a file should be
        InUse,       // another program has the file open
        StaleLock,   // only lock files nobody holds any more stand in the way
        Unreadable,  // no permission to read
        ReadOnly,    // a file to rewrite may not be written
        WrongFormat, // not a whole Excel 97 workbook or Word 97 document, or password-protected
        NotWritable, // the folder takes no new files
    };
    Kind kind = Kind::None;
    // For the teacher; for StaleLock a question whether to remove the locks and go on.
    QString message;
    // For StaleLock: the lock files to remove with removeStaleLocks.
    QStringList staleLocks;
};

// Every file of one export is checked before the first is written, so that a file in use,
// damaged or missing leaves the whole export undone rather than half of a pair new.
// Files named .xls must be Excel 97 workbooks and files named .doc Word 97 documents.
struct ExportFiles {
    QStringList rewritten; // replaced by a new version, beside which the new one is written first
    QStringList read;      // opened for reading only
    QStringList created;   // written anew, their folder must exist and take files

    // The first problem found; stale locks are told only when nothing else stands in the way.
    ExportProblem check() const;
};

// Removes lock files that check() found stale, after making sure again that nobody has taken
// them up meanwhile. Throws OfficeError, worded for the teacher, and then removes no further one.
void removeStaleLocks(const QStringList &locks);

} // namespace office
