#pragma once

#include "exams/TestAnalysis.h"

#include <QList>
#include <QString>

namespace store {
class Database;
}

namespace exams {

// One bar of the band chart: its count and rate as the summary boxes show them.
struct BandBar {
    Band band = Band::Excellent;
    QString name;
    double count = 0;
    QString rate;
};

// The four bands in the order of the count boxes; none when nobody has a score, so that an
// unscored test is not drawn as four zeros.
QList<BandBar> bandBars(const TestStatistics &statistics);

// The count box of a band: a bar click takes the same way as a click on the box.
int countBoxOf(Band band);

struct TestMean {
    int test = 0;
    double mean = 0; // as the mean box shows it
};

// The first and last test the page lists, the line's range; the page's own numbers when it lists none.
struct TestRange {
    int first = 1;
    int last = 1;
};
TestRange pageRange(const TestList &tests, int page);

// The mean of every listed test that somebody has a score in, by test number; the first
// classSize score rows count, as in the analysis of one test.
QList<TestMean> testMeans(store::Database &db, int subjectIndex, int classSize, const TestList &tests);

} // namespace exams
