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
                  const std::function<bool(int, int, int)> &missed)
{
    store::HomeworkDb db(folder);
    store::Database &raw = db.database();
    store::Transaction transaction(raw);
    store::Statement pupil = raw.prepare(QStringLiteral("INSERT INTO \"姓名\" VALUES (?)"));
    for (int n = 1; n <= kPupils; ++n) {
        pupil.bind(1, QStringLiteral("学生%1").arg(n)).run();
        pupil.reset();
    }
    for (int s = 1; s <= store::kBooks; ++s)
        raw.prepare(QStringLiteral("UPDATE \"作业本名称\" SET \"本子%1\" = ?").arg(s))
            .bind(1, QStringLiteral("《本子%1》").arg(s))
            .run();

    QStringList contentColumns, markColumns, places;
    for (int s = 1; s <= store::kBooks; ++s) {
        contentColumns << store::quoted(store::contentColumn(s));
        markColumns << store::quoted(store::markColumn(s));
        places << QStringLiteral("?");
    }
    const QString insert = QStringLiteral("INSERT INTO \"%1\" (\"日期\", \"年份\", \"月份\", \"日子\", %2) VALUES (?, ?, ?, ?, %3)");
    store::Statement contentRow = raw.prepare(insert.arg(QStringLiteral("作业内容登记表"), contentColumns.join(QLatin1Char(',')),
                                                         places.join(QLatin1Char(','))));
    store::Statement markRow = raw.prepare(insert.arg(QStringLiteral("扫描输入作业完成情况"), markColumns.join(QLatin1Char(',')),
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
