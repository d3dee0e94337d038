#include "store/HomeworkDb.h"

#include "store/MarkString.h"
#include "store/ProgramDatabase.h"
#include "store/Schema.h"

namespace store {

namespace {

QString selectAll(const QString &table)
{
    return QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(quoted(table));
}

} // namespace

HomeworkDb::HomeworkDb(const QString &programFolder) : db_(openProgramDatabase(programFolder)) {}

QString HomeworkDb::filePath(const QString &programFolder) { return databasePath(programFolder); }

Statement &HomeworkDb::cached(const QString &sql)
{
    auto &slot = statements_[sql];
    if (!slot)
        slot = std::make_unique<Statement>(db_.prepare(sql));
    return *slot;
}

void HomeworkDb::获取语数英科测试作业顺序号(core::MasterRecords &master)
{
    Statement &row = cached(selectAll(QStringLiteral("语数英科在作业本名称中的顺序号")) + QStringLiteral(" LIMIT 1"));
    const bool found = row.step();
    for (int i = 1; i <= 4; ++i)
        master.SubjectTestBooks[i] = found ? row.integer(i - 1) : 0;
    row.reset();
}

void HomeworkDb::取得班级名称导入数组(core::MasterRecords &master)
{
    Statement &row = cached(selectAll(QStringLiteral("班级")) + QStringLiteral(" LIMIT 1"));
    const bool found = row.step();
    master.ClassNames[1] = found ? row.text(0) : QString();
    master.ClassNames[2] = found ? row.text(1) : QString();
    row.reset();
}

void HomeworkDb::取得作业本名称导入数组(core::MasterRecords &master)
{
    Transaction transaction(db_);
    Statement row = db_.prepare(QStringLiteral("SELECT rowid, * FROM \"作业本名称\" ORDER BY rowid LIMIT 1"));
    if (!row.step())
        throw DatabaseError(QStringLiteral("表“作业本名称”中没有记录。"));
    const qint64 rowid = row.integer(0);
    QStringList repaired;
    for (int i = 1; i <= kBooks; ++i) {
        if (row.isNull(i + 1))
            repaired << QStringLiteral("\"本子%1\" = ''").arg(i);
        master.BookNames[i] = row.text(i + 1);
    }
    row.reset();
    if (!repaired.isEmpty())
        db_.prepare(QStringLiteral("UPDATE \"作业本名称\" SET %1 WHERE rowid = ?").arg(repaired.join(QStringLiteral(", "))))
            .bind(1, int(rowid))
            .run();
    transaction.commit();
}

int HomeworkDb::rowCount(const QString &table)
{
    Statement &count = cached(QStringLiteral("SELECT count(*) FROM %1").arg(quoted(table)));
    count.step();
    const int rows = count.integer(0);
    count.reset();
    return rows;
}

void HomeworkDb::取得两个班级的人数导入数组(core::MasterRecords &master)
{
    master.ClassSizes[1] = rowCount(QStringLiteral("姓名"));
    master.ClassSizes[2] = rowCount(QStringLiteral("52姓名"));
}

QStringList HomeworkDb::pupilNames(const QString &table)
{
    Statement &rows = cached(selectAll(table));
    QStringList names;
    while (rows.step())
        names << rows.text(0);
    return names;
}

void HomeworkDb::取得学科作业显示标记(core::MasterRecords &master)
{
    Statement &rows = cached(selectAll(QStringLiteral("学科显示作业本标记")));
    for (auto &subject : master.SubjectBookFlags)
        subject.fill(0);
    for (int b = 1; b <= kBooks && rows.step(); ++b)
        for (int s = 1; s <= 5; ++s)
            master.SubjectBookFlags[s][b] = rows.integer(s - 1);
    rows.reset();
}

void HomeworkDb::保存学科作业显示标记(const core::MasterRecords &master)
{
    Transaction transaction(db_);
    Statement rowids = db_.prepare(QStringLiteral("SELECT rowid FROM \"学科显示作业本标记\" ORDER BY rowid LIMIT 32"));
    Statement update = db_.prepare(QStringLiteral(
        "UPDATE \"学科显示作业本标记\" SET \"语文\" = ?, \"数学\" = ?, \"英语\" = ?, \"科学\" = ? WHERE rowid = ?"));
    QList<qint64> ids;
    while (rowids.step())
        ids << rowids.integer(0);
    for (int b = 1; b <= kBooks; ++b) {
        if (b > ids.size()) {
            db_.exec(QStringLiteral("INSERT INTO \"学科显示作业本标记\" VALUES (0, 0, 0, 0, 0)"));
            ids << db_.lastInsertRowId();
        }
        for (int s = 1; s <= 4; ++s)
            update.bind(s, master.SubjectBookFlags[s][b]);
        update.bind(5, int(ids[b - 1])).run();
        update.reset();
    }
    transaction.commit();
}

int HomeworkDb::loadRemembered(const QString &table, core::RememberedList &list, int limit)
{
    Statement &rows = cached(selectAll(table));
    int count = 0;
    while (count < limit && rows.step()) {
        if (rows.text(0).isEmpty())
            break;
        for (int f = 0; f < 5; ++f)
            list[count][f + 1] = rows.text(f);
        ++count;
    }
    rows.reset();
    return count;
}

int HomeworkDb::最近打开作业导入(core::RememberedList &recentShown)
{
    return loadRemembered(QStringLiteral("最近显示作业"), recentShown, core::kRecentLast + 1);
}

int HomeworkDb::最新输入作业导入(core::RememberedList &latestEntered)
{
    return loadRemembered(QStringLiteral("最新输入作业"), latestEntered, core::kLatestLast + 1);
}

void HomeworkDb::saveRemembered(const QString &table, const core::RememberedList &list, int last)
{
    Transaction transaction(db_);
    Statement rowids = db_.prepare(QStringLiteral("SELECT rowid FROM %1 ORDER BY rowid").arg(quoted(table)));
    QList<qint64> ids;
    while (rowids.step())
        ids << rowids.integer(0);
    Statement update = db_.prepare(
        QStringLiteral("UPDATE %1 SET \"日期\" = ?, \"班级号\" = ?, \"作业本号\" = ?, \"组合键\" = ?, \"显示标题\" = ? WHERE rowid = ?")
            .arg(quoted(table)));
    Statement insert = db_.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?, ?)").arg(quoted(table)));
    for (int i = 0; i <= last && !list[i][1].isEmpty(); ++i) {
        Statement &write = i < ids.size() ? update : insert;
        for (int f = 1; f <= 5; ++f)
            write.bind(f, list[i][f]);
        if (i < ids.size())
            write.bind(6, int(ids[i]));
        write.run();
        write.reset();
    }
    transaction.commit();
}

void HomeworkDb::最近打开作业保存(const core::RememberedList &recentShown)
{
    saveRemembered(QStringLiteral("最近显示作业"), recentShown, core::kRecentLast);
}

void HomeworkDb::最新输入作业保存(const core::RememberedList &latestEntered)
{
    saveRemembered(QStringLiteral("最新输入作业"), latestEntered, core::kLatestLast);
}

void HomeworkDb::保存操作(const core::DayState &day, const QList<int> &classes)
{
    // Built once: a scan saves the day, and the texts are the same every time.
    static const auto updates = [] {
        QStringList markSets, contentSets;
        for (int i = 1; i <= kBooks; ++i) {
            markSets << quoted(markColumn(i)) + QStringLiteral(" = ?");
            contentSets << quoted(contentColumn(i)) + QStringLiteral(" = ?");
        }
        for (int i = 1; i <= kBooks; ++i)
            markSets << quoted(flagColumn(i)) + QStringLiteral(" = ?");
        const QString update = QStringLiteral("UPDATE %1 SET %2 WHERE \"日期\" = ?");
        std::array<std::pair<QString, QString>, 3> sql;
        for (int c = 1; c <= 2; ++c)
            sql[c] = {update.arg(quoted(marksTable(c)), markSets.join(QStringLiteral(", "))),
                      update.arg(quoted(contentsTable(c)), contentSets.join(QStringLiteral(", ")))};
        return sql;
    }();

    Transaction transaction(db_);
    for (int classNumber : classes) {
        const core::ClassDay &records = day.Classes[classNumber];
        Statement &marks = cached(updates[classNumber].first);
        for (int i = 1; i <= kBooks; ++i) {
            MarkRow row;
            std::copy_n(records.MarkGrid[i].begin(), row.size(), row.begin());
            marks.bind(i, encodeMarks(row));
            marks.bind(kBooks + i, records.ExcellentClosed[i]);
        }
        marks.bind(2 * kBooks + 1, day.CurrentDateKey).run();
        marks.reset();
        const bool marksStored = db_.changes() == 1;

        Statement &contents = cached(updates[classNumber].second);
        for (int i = 1; i <= kBooks; ++i)
            contents.bind(i, records.HomeworkContent[i]);
        contents.bind(kBooks + 1, day.CurrentDateKey).run();
        contents.reset();
        const bool contentsStored = db_.changes() == 1;

        if (!marksStored || !contentsStored)
            throw DatabaseError(QStringLiteral("日期 %1 的记录在“%2”中不存在，本次保存未执行。")
                                    .arg(day.CurrentDateKey, marksStored ? contentsTable(classNumber) : marksTable(classNumber)));
    }
    transaction.commit();
}

} // namespace store
