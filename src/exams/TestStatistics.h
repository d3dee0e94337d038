#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace exams {

enum class Band { Excellent, Good, Fair, Fail };

// "00" is a full score; any other text counts by its leading number.
double scoreValue(const QString &cell);
// A stored score as the teacher reads it: "00" is 100, anything else as typed.
QString shownScore(const QString &cell);
Band bandOf(double value);

// The thirteen figures of one test, indexed 1..13 (2 unused).
struct TestStatistics {
    std::array<double, 14> S{};
    bool anyScore = false;
};

// One cell per pupil in table order; an empty cell is no score.
TestStatistics 取得各项显示数据(const QStringList &cells);

// Texts of the boxes Text1(0..12); all empty when nobody has a score. Box 11 is the composite mark.
std::array<QString, 13> summaryTexts(const TestStatistics &statistics);

// The Text1 boxes of the four counts, the boxes a click highlights.
bool isCountBox(int box);
Band bandOfCountBox(int box);

// Whether a pupil's shown score falls in the band of a count box; a pupil without a score never does.
bool highlighted(const QString &scoreCaption, Band band);

} // namespace exams
