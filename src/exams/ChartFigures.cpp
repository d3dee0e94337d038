#include "exams/ChartFigures.h"

#include "exams/ScoreEntry.h"
#include "store/Database.h"

#include <algorithm>
#include <vector>

namespace exams {

namespace {

struct BandPlace {
    Band band;
    const char *name;
    int countBox;
    int rateBox;
};

constexpr BandPlace kBands[] = {
    {Band::Excellent, "优秀", 1, 6},
    {Band::Good, "良好", 2, 7},
    {Band::Fair, "一般", 3, 8},
    {Band::Fail, "不合格", 5, 10},
};

double countOf(const TestStatistics &statistics, Band band)
{
    switch (band) {
    case Band::Excellent: return statistics.S[4];
    case Band::Good: return statistics.S[6];
    case Band::Fair: return statistics.S[8];
    case Band::Fail: return statistics.S[10];
    }
    return 0;
}

} // namespace

QList<BandBar> bandBars(const TestStatistics &statistics)
{
    QList<BandBar> bars;
    if (!statistics.anyScore)
        return bars;
    const std::array<QString, 13> boxes = summaryTexts(statistics);
    for (const BandPlace &place : kBands)
        bars << BandBar{place.band, QString::fromUtf8(place.name), countOf(statistics, place.band), boxes[place.rateBox]};
    return bars;
}

int countBoxOf(Band band)
{
    for (const BandPlace &place : kBands)
        if (place.band == band)
            return place.countBox;
    return 0;
}

TestRange pageRange(const TestList &tests, int page)
{
    const QList<TestOption> options = testPage(tests, page).options;
    if (options.isEmpty())
        return {testNumber(page, 0), testNumber(page, kOptionsPerPage - 1)};
    return {testNumber(page, options.first().index), testNumber(page, options.last().index)};
}

QList<TestMean> testMeans(store::Database &db, int subjectIndex, int classSize, const TestList &tests)
{
    store::Statement rows =
        db.prepare(QStringLiteral("SELECT * FROM %1 ORDER BY rowid LIMIT ?").arg(store::quoted(subjectTable(subjectIndex))));
    rows.bind(1, std::max(0, classSize));
    const int columns = rows.columnCount();
    std::vector<QStringList> cells(tests.size());
    while (rows.step())
        for (int test = 1; test < int(tests.size()) && test < columns; ++test)
            cells[test] << rows.text(test);

    QList<TestMean> means;
    for (int test = 1; test < int(tests.size()); ++test) {
        if (tests[test][2].isEmpty())
            continue;
        const TestStatistics statistics = 取得各项显示数据(cells[test]);
        if (statistics.anyScore)
            means << TestMean{test, statistics.S[13]};
    }
    return means;
}

} // namespace exams
