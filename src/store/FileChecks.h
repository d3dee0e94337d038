#pragma once

#include <QString>

namespace store {

class Database;

// Refuses a file that is not this program's database in sound condition, before anything is
// written to it: the engine's quick integrity check, which reads and decrypts every page, then
// every table the program uses with its columns in order (tables of later versions may be absent;
// other tables are left alone). Throws DatabaseError worded for the teacher, with SQLITE_NOTADB
// for another layout and SQLITE_CORRUPT for damage.
void checkProgramFile(Database &db);

// A damaged file, with what the engine found in brackets.
QString damagedFileText(const QString &finding);

} // namespace store
