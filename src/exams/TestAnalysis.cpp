#include "exams/TestAnalysis.h"

#include "exams/ScoreEntry.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <algorithm>
#include <cmath>

using store::Statement;
using store::quoted;

namespace exams {

void 取得检测序号和内容(store::Database &db, int subjectIndex, int book, core::TestList &tests)
{
    if (book < 1 || book > store::kBooks)
        return;
    const int subject = std::clamp(subjectIndex, 0, 3);
    Statement rows = db.prepare(QStringLiteral("SELECT %1, %2 FROM \"作业内容登记表\" ORDER BY rowid")
                                    .arg(quoted(store::contentColumn(book)), quoted(store::contentTestColumn(subject + 1))));
    while (rows.step()) {
        const QString content = rows.text(0);
        if (content.isEmpty())
            continue;
        const long number = std::lround(rows.number(1));
        // A day of the test book without a test number (or one beyond the list) is ordinary homework.
        if (number < 1 || number >= long(tests.size()))
            continue;
        tests[number][1] = QString::number(number);
        tests[number][2] = content;
    }
}

int testNumber(int page, int option) { return (page - 1) * kOptionsPerPage + option + 1; }

TestPage testPage(const TestList &tests, int page)
{
    TestPage result;
    for (int n = 1; n < int(tests.size()); ++n) {
        if (tests[n][2].isEmpty())
            continue;
        const int testsPage = (n - 1) / kOptionsPerPage + 1;
        if (testsPage == page)
            result.options << TestOption{n - testNumber(page, 0), QString::number(n) + QStringLiteral("、") + tests[n][2]};
        else if (testsPage < page)
            result.previous = testsPage;
        else if (result.next == 0)
            result.next = testsPage;
    }
    if (page >= 2 && result.previous == 0)
        result.previous = 1;
    return result;
}

GridPlace gridPlace(int pair) { return {pair / kGridRows, pair % kGridRows}; }

TestAnalysis analyseTest(store::Database &db, int subjectIndex, int classSize, int test)
{
    TestAnalysis result;
    const QString table = quoted(subjectTable(subjectIndex));
    const bool hasColumn = hasTestColumn(db, subjectIndex, test);

    QStringList cells;
    QList<int> nullRows; // rowid of a null cell by position, 0 for a filled one
    if (hasColumn) {
        Statement scores = db.prepare(
            QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid").arg(quoted(store::scoreColumn(test)), table));
        while (scores.step()) {
            cells << scores.text(1);
            nullRows << (scores.isNull(1) ? scores.integer(0) : 0);
        }
    }
    result.statistics = 取得各项显示数据(cells.mid(0, std::max(0, classSize)));
    result.boxes = summaryTexts(result.statistics);

    Statement roster = db.prepare(QStringLiteral("SELECT \"姓名\" FROM \"姓名\" ORDER BY rowid"));
    while (roster.step()) {
        const int k = result.rosterSize++;
        if (k >= kGridPupils)
            continue;
        const QString cell = k < cells.size() ? cells[k] : QString();
        result.pupils << PupilScore{QString::number(k + 1) + QStringLiteral("、") + roster.text(0), shownScore(cell)};
    }

    const int paired = std::min(result.rosterSize, int(nullRows.size()));
    if (std::any_of(nullRows.begin(), nullRows.begin() + paired, [](int rowid) { return rowid != 0; })) {
        Statement repair = db.prepare(QStringLiteral("UPDATE %1 SET %2 = '' WHERE rowid = ? AND %2 IS NULL")
                                          .arg(table, quoted(store::scoreColumn(test))));
        store::Transaction transaction(db);
        for (int k = 0; k < paired; ++k) {
            if (nullRows[k] != 0) {
                repair.bind(1, nullRows[k]).run();
                repair.reset();
            }
        }
        transaction.commit();
    }
    return result;
}

QString morePupilsNotice(int rosterSize)
{
    if (rosterSize <= kGridPupils)
        return {};
    return QStringLiteral("班级名单中共有 %1 名学生，这里只能显示前 %2 名。").arg(rosterSize).arg(kGridPupils);
}

} // namespace exams
