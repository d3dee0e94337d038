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

Column text(const QString &name) { return {name, QStringLiteral("TEXT")}; }
Column integer(const QString &name) { return {name, QStringLiteral("INTEGER")}; }
Column defaultZero(const QString &name) { return {name, QStringLiteral("INTEGER NOT NULL DEFAULT 0")}; }

QList<Column> dayParts() { return {integer(QStringLiteral("年份")), integer(QStringLiteral("月份")), integer(QStringLiteral("日子"))}; }

QList<Column> contentsColumns()
{
    QList<Column> columns{{QStringLiteral("日期"), QStringLiteral("TEXT NOT NULL")}};
    for (int i = 1; i <= kBooks; ++i)
        columns << text(contentColumn(i));
    for (int s = 1; s <= 4; ++s)
        columns << integer(contentTestColumn(s));
    return columns + dayParts();
}

QList<Column> marksColumns()
{
    QList<Column> columns{{QStringLiteral("日期"), QStringLiteral("TEXT NOT NULL")}};
    for (int i = 1; i <= kBooks; ++i)
        columns << text(markColumn(i));
    for (int i = 1; i <= kBooks; ++i)
        columns << defaultZero(flagColumn(i));
    for (int s = 1; s <= 4; ++s)
        columns << integer(markTestColumn(s));
    return columns + dayParts();
}

void createTable(Database &db, const TableLayout &table, const char *create)
{
    QStringList columns;
    for (const Column &column : table.columns)
        columns << quoted(column.name) + QLatin1Char(' ') + column.type;
    db.exec(QStringLiteral("%1 %2 (%3)").arg(QLatin1String(create), quoted(table.name), columns.join(QStringLiteral(", "))));
}

// A day is found by its key on every scan; the index keeps that independent of the days stored.
void indexByDate(Database &db, const QString &table)
{
    db.exec(QStringLiteral("CREATE UNIQUE INDEX IF NOT EXISTS %1 ON %2 (\"日期\")")
                .arg(quoted(table + QStringLiteral("_日期")), quoted(table)));
}

void insertRow(Database &db, const QString &table, int values, const QString &fill)
{
    QStringList placeholders;
    for (int i = 0; i < values; ++i)
        placeholders << fill;
    db.exec(QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoted(table), placeholders.join(QLatin1Char(','))));
}

} // namespace

const QList<TableLayout> &programTables()
{
    static const QList<TableLayout> tables = [] {
        QList<Column> books{integer(QStringLiteral("编号"))};
        for (int i = 1; i <= kBooks; ++i)
            books << text(QStringLiteral("本子%1").arg(i));
        QList<Column> subjectFlags, testBooks;
        for (int s = 1; s <= 4; ++s) {
            subjectFlags << defaultZero(subjectName(s));
            testBooks << defaultZero(subjectName(s));
        }
        subjectFlags << defaultZero(QStringLiteral("全部"));
        const QList<Column> remembered{text(QStringLiteral("日期")), text(QStringLiteral("班级号")), text(QStringLiteral("作业本号")),
                                       text(QStringLiteral("组合键")), text(QStringLiteral("显示标题"))};
        QList<Column> scores{text(QStringLiteral("姓名"))};
        for (int t = 1; t <= kTestColumns; ++t)
            scores << text(scoreColumn(t));

        QList<TableLayout> all{{QStringLiteral("作业内容登记表"), contentsColumns()},
                               {QStringLiteral("扫描输入作业完成情况"), marksColumns()},
                               {QStringLiteral("姓名"), {text(QStringLiteral("姓名"))}},
                               {QStringLiteral("52姓名"), {text(QStringLiteral("姓名"))}},
                               {QStringLiteral("班级"), {text(QStringLiteral("班级1")), text(QStringLiteral("班级2"))}},
                               {QStringLiteral("作业本名称"), books},
                               {QStringLiteral("学科显示作业本标记"), subjectFlags},
                               {QStringLiteral("语数英科在作业本名称中的顺序号"), testBooks},
                               {QStringLiteral("最近显示作业"), remembered},
                               {QStringLiteral("最新输入作业"), remembered}};
        for (int s = 1; s <= 4; ++s)
            all << TableLayout{subjectName(s), scores};
        all << TableLayout{QStringLiteral("管理密码"), {text(QStringLiteral("密码"))}};
        return all;
    }();
    return tables;
}

const QList<TableLayout> &optionalTables()
{
    static const QList<TableLayout> tables{{QStringLiteral("ScanSounds"), {{QStringLiteral("SoundsOn"), QStringLiteral("INTEGER NOT NULL DEFAULT 1")}}},
                                           {QStringLiteral("52作业内容登记表"), contentsColumns()},
                                           {QStringLiteral("52扫描输入作业完成情况"), marksColumns()}};
    return tables;
}

void createSchema(Database &db)
{
    Transaction transaction(db);

    for (const TableLayout &table : programTables())
        createTable(db, table, "CREATE TABLE");
    indexByDate(db, contentsTable(1));
    indexByDate(db, marksTable(1));

    insertRow(db, QStringLiteral("班级"), 2, QStringLiteral("''"));
    insertRow(db, QStringLiteral("作业本名称"), kBooks + 1, QStringLiteral("''"));
    db.exec(QStringLiteral("UPDATE \"作业本名称\" SET \"编号\" = 1"));
    for (int b = 1; b <= kBooks; ++b)
        insertRow(db, QStringLiteral("学科显示作业本标记"), 5, QStringLiteral("0"));
    insertRow(db, QStringLiteral("语数英科在作业本名称中的顺序号"), 4, QStringLiteral("0"));
    for (int i = 0; i < kRecentRows; ++i)
        insertRow(db, QStringLiteral("最近显示作业"), 5, QStringLiteral("''"));
    for (int i = 0; i < kLatestRows; ++i)
        insertRow(db, QStringLiteral("最新输入作业"), 5, QStringLiteral("''"));
    db.exec(QStringLiteral("INSERT INTO \"管理密码\" VALUES ('730418')"));

    transaction.commit();
}

void addSecondClassTables(Database &db)
{
    Transaction transaction(db);
    for (const TableLayout &table : optionalTables())
        if (table.name == contentsTable(2) || table.name == marksTable(2)) {
            createTable(db, table, "CREATE TABLE IF NOT EXISTS");
            indexByDate(db, table.name);
        }
    transaction.commit();
}

} // namespace store
