#pragma once

#include <QString>

namespace store {

class Database;

// The database file of a program folder.
QString databasePath(const QString &programFolder);

// Opens the program folder's database for the run, or creates it whole when it is absent. A file
// that is there but not this program's sound database is refused before anything is written to it
// (no table added, no journal mode switched, no copy made). Throws DatabaseOpenError whose message
// is complete for the teacher: the file, what is wrong, and for a damaged or foreign file the
// newest sound copy in 备份/ to put back, or that there is none.
Database openProgramDatabase(const QString &programFolder);

} // namespace store
