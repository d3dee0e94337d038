#pragma once

#include <QList>
#include <QString>

namespace store {

class Database;

inline constexpr int kBooks = 32;
inline constexpr int kTestColumns = 99;
inline constexpr int kRecentRows = 11;
inline constexpr int kLatestRows = 8;

// The key of the connection string's "Database password".
QString databaseKey();
QString databaseFileName();

// Column position of each day-row part in the two day tables.
namespace contents {
inline constexpr int kDate = 0;
inline constexpr int kFirstBook = 1;      // 作业1 .. 作业32
inline constexpr int kFirstTestNumber = 33; // 语文检测编号 .. 科学检测编号
inline constexpr int kYear = 37;
}
namespace marks {
inline constexpr int kDate = 0;
inline constexpr int kFirstBook = 1;        // 完成1 .. 完成32
inline constexpr int kFirstFlag = 33;       // 优秀结束1 .. 优秀结束32
inline constexpr int kFirstTestNumber = 65; // 语文检测次数顺序号标记 .. 科学检测次数顺序号标记
inline constexpr int kYear = 69;
}

// The day tables and the name table of class 1 or 2.
QString contentsTable(int classNumber);
QString marksTable(int classNumber);
QString namesTable(int classNumber);

QString contentColumn(int slot);    // 作业n
QString markColumn(int slot);       // 完成n
QString flagColumn(int slot);       // 优秀结束n
QString scoreColumn(int test);      // the column at position `test` of a score table
QString subjectName(int subject);   // 1 语文 .. 4 科学
QString contentTestColumn(int subject); // 语文检测编号 ..
QString markTestColumn(int subject);    // 语文检测次数顺序号标记 ..

struct Column {
    QString name;
    QString type;
};

struct TableLayout {
    QString name;
    QList<Column> columns;
};

// Every table a new file gets, each in column order.
const QList<TableLayout> &programTables();
// Tables that later versions add, each created when first needed: a file may lack them.
const QList<TableLayout> &optionalTables();

// Every table in column order, with the rows the program expects, and the initial password.
void createSchema(Database &db);
// The second class's day tables in a file made before they existed; a file that has them is left alone.
void addSecondClassTables(Database &db);

} // namespace store
