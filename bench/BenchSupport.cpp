#include "BenchSupport.h"

#include "store/Database.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <QDate>
#include <QStringList>

#include <algorithm>

namespace bench {

namespace {

QString marksOf(const std::function<bool(int pupil)> &missed)
{
    QString marks;
    for (int k = 1; k <= kPupils; ++k)
        marks += store::twoDigits(k) + (missed(k) ? QLatin1Char('0') : QLatin1Char('1'));
    return marks + QStringLiteral("。");
}

} // namespace

void fillDatabase(const QString &folder, int days, const std::function<QString(int, int)> &contents,
                  const std::function<bool(int, int, int)> &missed, int classes)
{
    store::HomeworkDb db(folder);
    store::Database &raw = db.database();
    store::addSecondClassTables(raw);
    store::Transaction transaction(raw);
    for (int s = 1; s <= store::kBooks; ++s)
        raw.prepare(QStringLiteral("UPDATE \"作业本名称\" SET \"本子%1\" = ?").arg(s))
            .bind(1, QStringLiteral("《本子%1》").arg(s))
            .run();
    raw.exec(QStringLiteral("UPDATE \"班级\" SET \"班级1\" = '五(1)', \"班级2\" = '五(2)'"));

    QStringList contentColumns, markColumns, places;
    for (int s = 1; s <= store::kBooks; ++s) {
        contentColumns << store::quoted(store::contentColumn(s));
        markColumns << store::quoted(store::markColumn(s));
        places << QStringLiteral("?");
    }
    const QString insert = QStringLiteral("INSERT INTO %1 (\"日期\", \"年份\", \"月份\", \"日子\", %2) VALUES (?, ?, ?, ?, %3)");
    for (int c = 1; c <= classes; ++c) {
        store::Statement pupil = raw.prepare(QStringLiteral("INSERT INTO %1 VALUES (?)").arg(store::quoted(store::namesTable(c))));
        for (int n = 1; n <= kPupils; ++n) {
            pupil.bind(1, QStringLiteral("学生%1").arg(n)).run();
            pupil.reset();
        }
        store::Statement contentRow = raw.prepare(insert.arg(store::quoted(store::contentsTable(c)), contentColumns.join(QLatin1Char(',')),
                                                             places.join(QLatin1Char(','))));
        store::Statement markRow = raw.prepare(insert.arg(store::quoted(store::marksTable(c)), markColumns.join(QLatin1Char(',')),
                                                          places.join(QLatin1Char(','))));
        for (int d = 1; d <= days; ++d) {
            const QString key = store::dateKey(QDate::currentDate().addDays(d - days - 1));
            const store::DateParts parts = store::把年月日进行拆分(key);
            for (store::Statement *row : {&contentRow, &markRow})
                row->bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day);
            for (int s = 1; s <= store::kBooks; ++s) {
                contentRow.bind(4 + s, contents(d, s));
                markRow.bind(4 + s, marksOf([&](int k) { return missed(d, s, k); }));
            }
            contentRow.run();
            contentRow.reset();
            markRow.run();
            markRow.reset();
        }
    }
    transaction.commit();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile99(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() * 99 / 100];
}

} // namespace bench
