#include "state/ExamSession.h"

#include "exams/TestPreparation.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/HomeworkDb.h"

#include <algorithm>

namespace core {

ExamSession::ExamSession(store::HomeworkDb &db, MasterData &master, WorkingDay &day, QObject *parent)
    : QObject(parent), db_(db), master_(master), day_(day)
{
}

void ExamSession::chooseSubject(int subjectIndex)
{
    SelectedTestSubject = subjectIndex;
    for (int n = 1; n <= 100; ++n)
        TestList[n][1] = TestList[n][2] = QString();
}

const core::TestList &ExamSession::loadTests()
{
    const int subject = std::clamp(SelectedTestSubject, 0, 3);
    exams::取得检测序号和内容(db_.database(), subject, master_.records().SubjectTestBooks[subject + 1], TestList);
    return TestList;
}

exams::ScoreStoreResult ExamSession::storeScores(const QStringList &boxes)
{
    const exams::ScoreStoreResult stored =
        exams::成绩输入数据库(db_.database(), SelectedTestSubject, master_.records().PupilNames[1], boxes);
    emit scoresChanged();
    return stored;
}

exams::MarkingResult ExamSession::markTestPapers(const QStringList &boxes)
{
    const exams::MarkingResult marked = exams::各科检测订正情况在扫描输入作业情况表中的登记(
        db_.database(), master_.records(), SelectedTestSubject, day_.state().CurrentDateKey, boxes);
    day_.markedInStore(marked.book, marked.shownDayPupils);
    return marked;
}

exams::TestAnalysis ExamSession::analyse(int subjectIndex, int test)
{
    return exams::analyseTest(db_.database(), subjectIndex, master_.records().ClassSizes[1], test);
}

QList<exams::TestMean> ExamSession::means(int subjectIndex, const core::TestList &tests)
{
    return exams::testMeans(db_.database(), subjectIndex, master_.records().ClassSizes[1], tests);
}

exams::ScoreCell ExamSession::findScoreCell(int subjectIndex, int test, int rosterPlace)
{
    return exams::findScoreCell(db_.database(), subjectIndex, test, rosterPlace);
}

void ExamSession::correctScore(const exams::ScoreCell &cell, const QString &corrected)
{
    exams::correctScore(db_.database(), cell, corrected);
    emit scoresChanged();
}

void ExamSession::importSubjectNames() { exams::姓名导入学科(db_.database()); }

QString ExamSession::scoredClassName() const { return master_.records().ClassNames[1].trimmed(); }

} // namespace core
