#include "store/Schema.h"

#include "store/Database.h"

#include <QStringList>

namespace store {

QString databaseKey() { return QStringLiteral("48160273591,7"); }
QString databaseFileName() { return QStringLiteral("作业查找数据库.mdb"); }

QString contentColumn(int slot) { return QStringLiteral("作业%1").arg(slot); }
QString markColumn(int slot) { return QStringLiteral("完成%1").arg(slot); }
QString flagColumn(int slot) { return QStringLiteral("优秀结束%1").arg(slot); }
QString scoreColumn(int test) { return QStringLiteral("测试%1").arg(test); }

QString subjectName(int subject)
{
    static const QString names[] = {QString(), QStringLiteral("语文"), QStringLiteral("数学"),
                                    QStringLiteral("英语"), QStringLiteral("科学")};
    return names[subject];
}

QString contentsTable(int classNumber)
{
    return classNumber == 2 ? QStringLiteral("52作业内容登记表") : QStringLiteral("作业内容登记表");
}

QString marksTable(int classNumber)
{
    return classNumber == 2 ? QStringLiteral("52扫描输入作业完成情况") : QStringLiteral("扫描输入作业完成情况");
}

QString namesTable(int classNumber) { return classNumber == 2 ? QStringLiteral("52姓名") : QStringLiteral("姓名"); }

QString contentTestColumn(int subject) { return subjectName(subject) + QStringLiteral("检测编号"); }
QString markTestColumn(int subject) { return subjectName(subject) + QStringLiteral("检测次数顺序号标记"); }

namespace {

QString column(const QString &name, const char *type) { return quoted(name) + QLatin1Char(' ') + QLatin1String(type); }

void createTable(Database &db, const QString &table, const QStringList &columns, const char *create = "CREATE TABLE")
{
    db.exec(QStringLiteral("%1 %2 (%3)").arg(QLatin1String(create), quoted(table), columns.join(QStringLiteral(", "))));
}

QStringList dayParts()
{
    return {column(QStringLiteral("年份"), "INTEGER"), column(QStringLiteral("月份"), "INTEGER"),
            column(QStringLiteral("日子"), "INTEGER")};
}

void insertRow(Database &db, const QString &table, int values, const QString &fill)
{
    QStringList placeholders;
    for (int i = 0; i < values; ++i)
        placeholders << fill;
    db.exec(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(table), placeholders.join(QLatin1Char(','))));
}

// The two day tables of a class, the second class's with the same columns as the first's.
void createDayTables(Database &db, int classNumber, const char *create)
{
    QStringList contentsColumns{column(QStringLiteral("日期"), "TEXT NOT NULL")};
    for (int i = 1; i <= kBooks; ++i)
        contentsColumns << column(contentColumn(i), "TEXT");
    for (int s = 1; s <= 4; ++s)
        contentsColumns << column(contentTestColumn(s), "INTEGER");
    createTable(db, contentsTable(classNumber), contentsColumns + dayParts(), create);

    QStringList marksColumns{column(QStringLiteral("日期"), "TEXT NOT NULL")};
    for (int i = 1; i <= kBooks; ++i)
        marksColumns << column(markColumn(i), "TEXT");
    for (int i = 1; i <= kBooks; ++i)
        marksColumns << column(flagColumn(i), "INTEGER NOT NULL DEFAULT 0");
    for (int s = 1; s <= 4; ++s)
        marksColumns << column(markTestColumn(s), "INTEGER");
    createTable(db, marksTable(classNumber), marksColumns + dayParts(), create);

    // A day is found by its key on every scan; the index keeps that independent of the days stored.
    for (const QString &table : {contentsTable(classNumber), marksTable(classNumber)})
        db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (\"日期\")")
                    .arg(quoted(table + QStringLiteral("_日期")), quoted(table)));
}

} // namespace

void addSecondClassTables(Database &db)
{
    Transaction transaction(db);
    createDayTables(db, 2, "CREATE TABLE IF NOT EXISTS");
    transaction.commit();
}

void createSchema(Database &db)
{
    Transaction transaction(db);

    createDayTables(db, 1, "CREATE TABLE");
    createDayTables(db, 2, "CREATE TABLE");

    createTable(db, QStringLiteral("姓名"), {column(QStringLiteral("姓名"), "TEXT")});
    createTable(db, QStringLiteral("52姓名"), {column(QStringLiteral("姓名"), "TEXT")});

    createTable(db, QStringLiteral("班级"), {column(QStringLiteral("班级1"), "TEXT"), column(QStringLiteral("班级2"), "TEXT")});
    insertRow(db, QStringLiteral("班级"), 2, QStringLiteral("''"));

    QStringList bookColumns{column(QStringLiteral("编号"), "INTEGER")};
    for (int i = 1; i <= kBooks; ++i)
        bookColumns << column(QStringLiteral("本子%1").arg(i), "TEXT");
    createTable(db, QStringLiteral("作业本名称"), bookColumns);
    insertRow(db, QStringLiteral("作业本名称"), kBooks + 1, QStringLiteral("''"));
    db.exec(QStringLiteral("UPDATE \"作业本名称\" SET \"编号\" = 1"));

    QStringList flagColumns;
    for (int s = 1; s <= 4; ++s)
        flagColumns << column(subjectName(s), "INTEGER NOT NULL DEFAULT 0");
    flagColumns << column(QStringLiteral("全部"), "INTEGER NOT NULL DEFAULT 0");
    createTable(db, QStringLiteral("学科显示作业本标记"), flagColumns);
    for (int b = 1; b <= kBooks; ++b)
        insertRow(db, QStringLiteral("学科显示作业本标记"), 5, QStringLiteral("0"));

    QStringList testBookColumns;
    for (int s = 1; s <= 4; ++s)
        testBookColumns << column(subjectName(s), "INTEGER NOT NULL DEFAULT 0");
    createTable(db, QStringLiteral("语数英科在作业本名称中的顺序号"), testBookColumns);
    insertRow(db, QStringLiteral("语数英科在作业本名称中的顺序号"), 4, QStringLiteral("0"));

    const QStringList rememberedColumns{column(QStringLiteral("日期"), "TEXT"), column(QStringLiteral("班级号"), "TEXT"),
                                        column(QStringLiteral("作业本号"), "TEXT"), column(QStringLiteral("组合键"), "TEXT"),
                                        column(QStringLiteral("显示标题"), "TEXT")};
    createTable(db, QStringLiteral("最近显示作业"), rememberedColumns);
    createTable(db, QStringLiteral("最新输入作业"), rememberedColumns);
    for (int i = 0; i < kRecentRows; ++i)
        insertRow(db, QStringLiteral("最近显示作业"), 5, QStringLiteral("''"));
    for (int i = 0; i < kLatestRows; ++i)
        insertRow(db, QStringLiteral("最新输入作业"), 5, QStringLiteral("''"));

    for (int s = 1; s <= 4; ++s) {
        QStringList scoreColumns{column(QStringLiteral("姓名"), "TEXT")};
        for (int t = 1; t <= kTestColumns; ++t)
            scoreColumns << column(scoreColumn(t), "TEXT");
        createTable(db, subjectName(s), scoreColumns);
    }

    createTable(db, QStringLiteral("管理密码"), {column(QStringLiteral("密码"), "TEXT")});
    db.exec(QStringLiteral("INSERT INTO \"管理密码\" VALUES ('730418')"));

    transaction.commit();
}

} // namespace store
