#include "exams/TestPreparation.h"

#include "store/Database.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

using store::Statement;
using store::quoted;

namespace exams {

std::array<int, 4> storeTestBooks(store::Database &db, const std::array<QString, 4> &boxes)
{
    std::array<int, 4> books{};
    for (int j = 0; j < 4; ++j)
        books[j] = int(std::lround(std::clamp(store::numericValue(boxes[j]), -1e9, 1e9)));

    const QString table = quoted(QStringLiteral("语数英科在作业本名称中的顺序号"));
    store::Transaction transaction(db);
    Statement first = db.prepare(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid LIMIT 1").arg(table));
    int rowid = 0;
    if (first.step()) {
        rowid = first.integer(0);
        first.reset();
    } else {
        db.exec(QStringLiteral("INSERT INTO %1 VALUES (0, 0, 0, 0)").arg(table));
        rowid = int(db.lastInsertRowId());
    }
    Statement update = db.prepare(QStringLiteral("UPDATE %1 SET %2 = ?, %3 = ?, %4 = ?, %5 = ? WHERE rowid = ?")
                                      .arg(table, quoted(store::subjectName(1)), quoted(store::subjectName(2)),
                                           quoted(store::subjectName(3)), quoted(store::subjectName(4))));
    for (int j = 0; j < 4; ++j)
        update.bind(j + 1, books[j]);
    update.bind(5, rowid).run();
    transaction.commit();
    return books;
}

void 姓名导入学科(store::Database &db)
{
    QStringList names;
    Statement source = db.prepare(QStringLiteral("SELECT \"姓名\" FROM \"姓名\" ORDER BY rowid"));
    while (source.step())
        names << source.text(0);

    store::Transaction transaction(db);
    for (int s = 1; s <= 4; ++s) {
        const QString target = quoted(store::subjectName(s));
        db.exec(QStringLiteral("DELETE FROM %1").arg(target));
        Statement add = db.prepare(QStringLiteral("INSERT INTO %1 (\"姓名\") VALUES (?)").arg(target));
        for (const QString &name : names) {
            add.bind(1, name).run();
            add.reset();
        }
    }
    transaction.commit();
}

} // namespace exams
