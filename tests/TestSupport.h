#pragma once

#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/RunState.h"
#include "state/WorkingDay.h"
#include "store/Database.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <QDate>
#include <QFile>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>

namespace testing {

class FixedClock : public store::Clock {
public:
    explicit FixedClock(QDate date = QDate(2014, 5, 17)) : date_(date) {}
    QDate today() const override { return date_; }
    void set(QDate date) { date_ = date; }

private:
    QDate date_;
};

// A second connection to the program folder's file, as another reader would open it.
inline store::Database openFile(const QString &folder)
{
    return store::Database::openExisting(store::HomeworkDb::filePath(folder), store::databaseKey());
}

inline QVariant value(store::Database &db, const QString &sql, const QVariantList &binds = {})
{
    store::Statement statement = db.prepare(sql);
    for (int i = 0; i < binds.size(); ++i) {
        if (binds[i].typeId() == QMetaType::Int)
            statement.bind(i + 1, binds[i].toInt());
        else
            statement.bind(i + 1, binds[i].toString());
    }
    if (!statement.step())
        return {};
    const QVariant result = statement.isNull(0) ? QVariant() : QVariant(statement.text(0));
    statement.reset();
    return result;
}

inline QStringList column(store::Database &db, const QString &sql)
{
    store::Statement statement = db.prepare(sql);
    QStringList values;
    while (statement.step())
        values << statement.text(0);
    return values;
}

inline void addPupils(store::Database &db, int count, const QString &table = QStringLiteral("姓名"))
{
    store::Statement insert = db.prepare(QStringLiteral("INSERT INTO %1 VALUES (?)").arg(store::quoted(table)));
    for (int n = 1; n <= count; ++n) {
        insert.bind(1, QStringLiteral("学生%1").arg(n)).run();
        insert.reset();
    }
}

inline void setBookName(store::Database &db, int slot, const QString &name)
{
    db.prepare(QStringLiteral("UPDATE \"作业本名称\" SET \"本子%1\" = ?").arg(slot)).bind(1, name).run();
}

inline void setContent(store::Database &db, const QString &key, int slot, const QString &content)
{
    db.prepare(QStringLiteral("UPDATE \"作业内容登记表\" SET %1 = ? WHERE \"日期\" = ?").arg(store::quoted(store::contentColumn(slot))))
        .bind(1, content)
        .bind(2, key)
        .run();
}

// A program folder with a database holding a class and named books, and nothing else.
struct ProgramFolder {
    QTemporaryDir dir;
    QString path() const { return dir.path(); }

    explicit ProgramFolder(int pupils = 40, int books = 8)
    {
        store::HomeworkDb created(path());
        addPupils(created.database(), pupils);
        for (int b = 1; b <= books; ++b)
            setBookName(created.database(), b, QStringLiteral("《本子%1》").arg(b));
    }
};

// The database file and its journal as they lie on the disk.
inline QByteArray databaseBytes(const QString &folder)
{
    const QString file = store::HomeworkDb::filePath(folder);
    QByteArray all;
    for (const QString &path : {file, file + QStringLiteral("-wal")}) {
        QFile part(path);
        if (part.open(QIODevice::ReadOnly))
            all += part.readAll();
    }
    return all;
}

// A run of the program without its window: the owners of its state over a program folder, loaded
// as a start loads them.
struct OpenRun {
    FixedClock clock;
    QString folder;
    std::unique_ptr<core::AppContext> context;

    explicit OpenRun(const QString &programFolder, QDate today = QDate(2014, 5, 17)) : clock(today), folder(programFolder)
    {
        start();
    }

    void start()
    {
        context.reset();
        context = std::make_unique<core::AppContext>(folder, clock);
        context->open();
        context->master().load();
        context->remembered().load();
        context->day().start();
    }

    core::WorkingDay &day() { return context->day(); }
    const core::DayState &state() { return context->day().state(); }
    const core::MasterRecords &master() { return context->master().records(); }
    store::Database &db() { return context->db().database(); }
};

// "0120" gives the marks of four pupils: 010, 021, 032, 040 and the terminator.
inline QString markString(const QString &states)
{
    QString marks;
    for (int k = 1; k <= states.size(); ++k)
        marks += store::twoDigits(k) + states.at(k - 1);
    return marks + QStringLiteral("。");
}

// Both rows of one day of a class; slots not named, and contents "<null>", stay null.
inline void addDay(store::Database &db, const QString &key, const QMap<int, QString> &contents,
                   const QMap<int, QString> &states, int classNumber = 1)
{
    const store::DateParts parts = store::把年月日进行拆分(key);
    QStringList contentColumns{QStringLiteral("\"日期\""), QStringLiteral("\"年份\""), QStringLiteral("\"月份\""),
                               QStringLiteral("\"日子\"")};
    QStringList markColumns = contentColumns;
    for (int slot : contents.keys())
        contentColumns << store::quoted(store::contentColumn(slot));
    for (int slot : states.keys())
        markColumns << store::quoted(store::markColumn(slot));
    const auto insert = [&](const QString &table, const QStringList &columns, const QStringList &values) {
        QStringList places;
        for (int i = 0; i < columns.size(); ++i)
            places << QStringLiteral("?");
        store::Statement statement = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                    .arg(store::quoted(table), columns.join(QLatin1Char(',')),
                                                         places.join(QLatin1Char(','))));
        statement.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day);
        for (int i = 0; i < values.size(); ++i)
            values[i] == QLatin1String("<null>") ? statement.bindNull(5 + i) : statement.bind(5 + i, values[i]);
        statement.run();
    };
    insert(store::contentsTable(classNumber), contentColumns, contents.values());
    QStringList marks;
    for (const QString &s : states.values())
        marks << markString(s);
    insert(store::marksTable(classNumber), markColumns, marks);
}

} // namespace testing
