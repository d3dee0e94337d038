#pragma once

#include "state/Records.h"
#include "exams/TestStatistics.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace store {
class Database;
}

namespace exams {

inline constexpr int kOptionsPerPage = 20;
inline constexpr int kGridPupils = 56;
inline constexpr int kGridRows = 7;

// Fills the list from the days that carry content in the subject's (0..3) test book.
void 取得检测序号和内容(store::Database &db, int subjectIndex, int book, core::TestList &tests);

struct TestOption {
    int index = 0; // Option1(index)
    QString caption;
};

// previous and next are the pages the two buttons lead to, 0 where a button is hidden.
struct TestPage {
    QList<TestOption> options;
    int previous = 0;
    int next = 0;
};

using core::TestList;

// The tests of one page (1-based). Paging skips pages without a test: the next page is the first
// later one that holds a test, the previous one the last earlier one that does, else page 1.
TestPage testPage(const TestList &tests, int page);
int testNumber(int page, int option);

// Where pair k of the pupil grid sits: filled column by column, seven to a column.
struct GridPlace {
    int column = 0;
    int row = 0;
};
GridPlace gridPlace(int pair);

struct PupilScore {
    QString name;  // "k、name"
    QString score; // "100" for "00"
};

struct TestAnalysis {
    TestStatistics statistics;
    std::array<QString, 13> boxes;
    QList<PupilScore> pupils; // at most the 56 places of the grid
    int rosterSize = 0;
};

// Reads one test of a subject (index 0..3), counting the first classSize score rows; the null
// cells of the listed pupils become "" in the table.
TestAnalysis analyseTest(store::Database &db, int subjectIndex, int classSize, int test);

// Shown under the grid when the roster has more pupils than places.
QString morePupilsNotice(int rosterSize);

} // namespace exams
