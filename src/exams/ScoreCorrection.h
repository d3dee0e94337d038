#pragma once

#include "exams/ScoreEntry.h"

#include <QString>

#include <optional>

namespace store {
class Database;
}

namespace exams {

// One pupil's score of one test, found the way score entry finds it: by name in the score table.
struct ScoreCell {
    int subject = 0; // 0 语文 .. 3 科学
    int test = 0;
    QString pupil;
    int rowid = 0;
    QString stored;
    std::optional<Rejection> refusal;
};

// The pupil at a 0-based place of the analysis window's list, which follows the roster's order.
ScoreCell findScoreCell(store::Database &db, int subjectIndex, int test, int rosterPlace);

// The text to store for a typed score, none when it is no score: "" clears the score; "00" and
// 100 give "00", the full score as score codes write it; other numbers 0..100 with at most one
// decimal are stored without leading zeros ("05" as "5"). Full-width digits from an input method
// count as digits.
std::optional<QString> correctedScore(const QString &typed);

QString invalidScoreMessage(const QString &typed);
QString refusedCorrectionMessage(const ScoreCell &cell);
QString correctionQuestion(const ScoreCell &cell, const QString &corrected);

// Replaces the stored score, in one transaction.
void correctScore(store::Database &db, const ScoreCell &cell, const QString &corrected);

} // namespace exams
