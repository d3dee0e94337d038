#pragma once

#include "state/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {
class Database;
}

namespace exams {

inline constexpr int kEntryBoxes = 50;

// Subject index 0 语文 .. 3 科学, as the test windows count them.
QString subjectTable(int subjectIndex);
// Test 0 would address the name column; a table made elsewhere may hold fewer tests.
bool hasTestColumn(store::Database &db, int subjectIndex, int test);

// One six-character score code: test number, pupil number, score text as typed.
struct ScoreCode {
    QString code;
    int test = 0;
    int pupil = 0;
    QString score;
};

ScoreCode readScoreCode(const QString &code);

// The boxes joined without separators and cut into codes of six; a shorter tail is dropped.
QList<ScoreCode> groupScoreCodes(const QStringList &boxes);

enum class Rejection { PupilOutsideRoster, NoTestColumn, NoScoreRow, SharedName, BeyondMarkCells };

// Why a code or a correction was refused, as the teacher reads it.
QString rejectionReason(Rejection reason);

// A score row is addressed by the pupil's name; the name must be on exactly one row.
struct ScoreRow {
    int rowid = 0;
    std::optional<Rejection> refusal;
};
ScoreRow findScoreRow(store::Database &db, int subjectIndex, const QString &pupil);

struct RejectedCode {
    QString code;
    Rejection reason;
};

// A code whose pupil already had a score for the test; `stored` is that score, which stays.
struct KeptScore {
    QString code;
    QString stored;
};

// Every stored-or-not decision for one batch; the whole batch is one transaction.
struct ScoreStoreResult {
    int stored = 0;
    QList<RejectedCode> rejected;
    QList<KeptScore> kept;
};

// Writes each code's score into an empty cell only: the first score of a pupil and test wins.
// Scores are found by name, so a pupil whose name two score rows carry is refused.
// roster is the first class's names by pupil number.
ScoreStoreResult 成绩输入数据库(store::Database &db, int subjectIndex, const std::array<QString, 61> &roster,
                              const QStringList &boxes);

// Not empty when some code could not be stored or marked; names each such code.
QString rejectionMessage(const QList<RejectedCode> &rejected);
// Not empty when some code met a score already stored; names each such code with that score.
QString keptScoresMessage(const QList<KeptScore> &kept);
// The success text, then every code refused and every code whose score was not taken.
QString storedMessage(const QList<RejectedCode> &rejected, const QList<KeptScore> &kept);

struct MarkingResult {
    bool unknownTest = false;
    bool noTestBook = false;
    int marked = 0;
    QList<RejectedCode> rejected;
    // The test book, and the pupils marked on the shown day, whose marks in memory must follow.
    int book = 0;
    QList<int> shownDayPupils;
};

QString unknownTestMessage();
QString noTestBookMessage(int subjectIndex);

// Marks the test paper handed in, box by box, on the day that carries the test number; stops at
// the first empty box and at a test number no day carries.
MarkingResult 各科检测订正情况在扫描输入作业情况表中的登记(store::Database &db, const core::MasterRecords &master,
                                                         int subjectIndex, const QString &shownDateKey,
                                                         const QStringList &boxes);

} // namespace exams
