#include "store/FileChecks.h"

#include "store/Database.h"
#include "store/Schema.h"

#include <sqlite3.h>

#include <QSet>
#include <QStringList>

namespace store {

namespace {

QStringList columnsIn(Database &db, const QString &table)
{
    Statement info = db.prepare(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(table)));
    QStringList names;
    while (info.step())
        names << info.text(1);
    return names;
}

QStringList columnsOf(const TableLayout &table)
{
    QStringList names;
    for (const Column &column : table.columns)
        names << column.name;
    return names;
}

QSet<QString> tablesIn(Database &db)
{
    Statement tables = db.prepare(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
    QSet<QString> names;
    while (tables.step())
        names << tables.text(0);
    return names;
}

void checkLayout(Database &db)
{
    const QSet<QString> present = tablesIn(db);
    for (const TableLayout &table : programTables())
        if (!present.contains(table.name))
            throw DatabaseError(QStringLiteral("它不是本软件的数据库（缺少表“%1”）。").arg(table.name), SQLITE_NOTADB);
    for (const QList<TableLayout> *tables : {&programTables(), &optionalTables()})
        for (const TableLayout &table : *tables)
            if (present.contains(table.name) && columnsIn(db, table.name) != columnsOf(table))
                throw DatabaseError(QStringLiteral("它不是本软件的数据库（表“%1”的列与本软件的不同）。").arg(table.name), SQLITE_NOTADB);
}

void checkIntegrity(Database &db)
{
    QString verdict;
    try {
        Statement check = db.prepare(QStringLiteral("PRAGMA quick_check(1)"));
        check.step();
        verdict = check.text(0);
        check.reset();
    } catch (const DatabaseError &error) {
        verdict = error.detail();
    }
    if (verdict == QLatin1String("ok"))
        return;
    // The check heads its findings with "*** in database main ***"; the last line says what it found.
    const QString finding = verdict.section(QLatin1Char('\n'), -1);
    throw DatabaseError(damagedFileText(finding), SQLITE_CORRUPT, finding);
}

} // namespace

QString damagedFileText(const QString &finding) { return QStringLiteral("文件已损坏。（%1）").arg(finding); }

void checkProgramFile(Database &db)
{
    // Damage first: a damaged schema would otherwise read as another layout.
    checkIntegrity(db);
    checkLayout(db);
}

} // namespace store
