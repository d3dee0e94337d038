#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace store {
class Database;
}

namespace admin {

// The administrator password: column 密码 of the first row of 管理密码.
QString readPassword(store::Database &db);
void writePassword(store::Database &db, const QString &password);

// Empties both day tables and resets subject-book links, remembered homework and test books,
// in one transaction; tables holding fewer rows than expected are reset as far as they go.
void 数据清空(store::Database &db);

void saveClassNames(store::Database &db, const QString &first, const QString &second);
// Names of books 1..32 at list positions 0..31, as stored (null as empty).
QStringList readBookNames(store::Database &db);
void saveBookNames(store::Database &db, const QStringList &names);

// The number of books the subject lists show: the first book whose following name is empty.
int listedBookCount(const std::array<QString, 34> &bookNames);

} // namespace admin
