#include "admin/AdminStore.h"

#include "store/Database.h"
#include "store/Schema.h"

namespace admin {

using store::quoted;

namespace {

// Columns addressed by position, whatever the file names them.
QStringList columnNames(store::Database &db, const QString &table)
{
    store::Statement info = db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    QStringList names;
    while (info.step())
        names << info.text(1);
    if (names.isEmpty())
        throw store::DatabaseError(QStringLiteral("数据库中没有表“%1”。").arg(table));
    return names;
}

QString assignments(const QStringList &columns, const QString &value)
{
    QStringList sets;
    for (const QString &column : columns)
        sets << quoted(column) + QStringLiteral(" = ") + value;
    return sets.join(QStringLiteral(", "));
}

QString firstRows(const QString &table, int rows)
{
    return QStringLiteral("rowid IN (SELECT rowid FROM %1 ORDER BY rowid LIMIT %2)").arg(quoted(table)).arg(rows);
}

// Binds values 1..n to the columns and updates the table's first row; false when it has none.
bool updateFirstRow(store::Database &db, const QString &table, const QStringList &columns, const QStringList &values)
{
    store::Statement update = db.prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(quoted(table), assignments(columns, QStringLiteral("?")), firstRows(table, 1)));
    for (int i = 0; i < values.size(); ++i)
        update.bind(i + 1, values[i]);
    update.run();
    return db.changes() == 1;
}

[[noreturn]] void missingRow(const QString &table)
{
    throw store::DatabaseError(QStringLiteral("表“%1”中没有记录。").arg(table));
}

const QString kPasswordTable = QStringLiteral("管理密码");

} // namespace

QString readPassword(store::Database &db)
{
    store::Statement row = db.prepare(QStringLiteral("SELECT \"密码\" FROM \"管理密码\" ORDER BY rowid LIMIT 1"));
    if (!row.step())
        missingRow(kPasswordTable);
    const QString password = row.text(0);
    row.reset();
    return password;
}

void writePassword(store::Database &db, const QString &password)
{
    store::Transaction transaction(db);
    if (!updateFirstRow(db, kPasswordTable, {QStringLiteral("密码")}, {password}))
        missingRow(kPasswordTable);
    transaction.commit();
}

void 数据清空(store::Database &db)
{
    store::Transaction transaction(db);
    for (int classNumber = 1; classNumber <= 2; ++classNumber)
        for (const QString &table : {store::marksTable(classNumber), store::contentsTable(classNumber)})
            db.exec(QStringLiteral("DELETE FROM %1").arg(quoted(table)));

    const QString flags = QStringLiteral("学科显示作业本标记");
    db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                .arg(quoted(flags), assignments(columnNames(db, flags).mid(0, 4), QStringLiteral("0")),
                     firstRows(flags, store::kBooks)));

    const std::pair<QString, int> remembered[] = {{QStringLiteral("最近显示作业"), store::kRecentRows},
                                                  {QStringLiteral("最新输入作业"), store::kLatestRows}};
    for (const auto &[table, rows] : remembered)
        db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                    .arg(quoted(table), assignments(columnNames(db, table).mid(0, 5), QStringLiteral("''")),
                         firstRows(table, rows)));

    const QString testBooks = QStringLiteral("语数英科在作业本名称中的顺序号");
    db.exec(QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                .arg(quoted(testBooks), assignments(columnNames(db, testBooks).mid(0, 4), QStringLiteral("0")),
                     firstRows(testBooks, 1)));
    transaction.commit();
}

void saveClassNames(store::Database &db, const QString &first, const QString &second)
{
    const QString table = QStringLiteral("班级");
    store::Transaction transaction(db);
    if (!updateFirstRow(db, table, columnNames(db, table).mid(0, 2), {first, second}))
        missingRow(table);
    transaction.commit();
}

QStringList readBookNames(store::Database &db)
{
    store::Statement row = db.prepare(QStringLiteral("SELECT * FROM \"作业本名称\" ORDER BY rowid LIMIT 1"));
    if (!row.step())
        missingRow(QStringLiteral("作业本名称"));
    QStringList names;
    for (int book = 1; book <= store::kBooks; ++book)
        names << row.text(book);
    row.reset();
    return names;
}

void saveBookNames(store::Database &db, const QStringList &names)
{
    const QString table = QStringLiteral("作业本名称");
    store::Transaction transaction(db);
    if (!updateFirstRow(db, table, columnNames(db, table).mid(1, store::kBooks), names))
        missingRow(table);
    transaction.commit();
}

int listedBookCount(const std::array<QString, 34> &bookNames)
{
    for (int book = 1; book < store::kBooks; ++book)
        if (bookNames[book + 1].isEmpty())
            return book;
    return store::kBooks;
}

} // namespace admin
