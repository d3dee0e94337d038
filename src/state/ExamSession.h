#pragma once

#include "exams/ChartFigures.h"
#include "exams/ScoreCorrection.h"
#include "exams/ScoreEntry.h"
#include "exams/TestAnalysis.h"
#include "state/Records.h"

#include <QObject>

namespace store {
class HomeworkDb;
}

namespace core {

class MasterData;
class WorkingDay;

// Owns the class-test session: the chosen subject and its tests, and every read and write of the
// score tables.
class ExamSession : public QObject {
    Q_OBJECT
public:
    ExamSession(store::HomeworkDb &db, MasterData &master, WorkingDay &day, QObject *parent = nullptr);

    // 0 语文 .. 3 科学.
    int selectedSubject() const { return SelectedTestSubject; }
    const core::TestList &tests() const { return TestList; }

    // A new subject starts with no tests listed.
    void chooseSubject(int subjectIndex);
    // Adds the chosen subject's tests, as its test book's days carry them, and gives the list.
    const core::TestList &loadTests();

    exams::ScoreStoreResult storeScores(const QStringList &boxes);
    // Marks the test papers handed in; the shown day's marks follow.
    exams::MarkingResult markTestPapers(const QStringList &boxes);
    exams::TestAnalysis analyse(int subjectIndex, int test);
    QList<exams::TestMean> means(int subjectIndex, const core::TestList &tests);
    exams::ScoreCell findScoreCell(int subjectIndex, int test, int rosterPlace);
    void correctScore(const exams::ScoreCell &cell, const QString &corrected);
    // Every score table gets the first class's names and no scores.
    void importSubjectNames();
    // The class whose pupils the score tables hold: the first.
    QString scoredClassName() const;

signals:
    void scoresChanged();

private:
    store::HomeworkDb &db_;
    MasterData &master_;
    WorkingDay &day_;
    int SelectedTestSubject = 0;
    core::TestList TestList{};
};

} // namespace core
