#pragma once

#include "TestSupport.h"

#include "exams/ScoreEntry.h"
#include "exams/TestPreparation.h"
#include "state/Records.h"

namespace testing {

// Pupil n's cell of a test: row n of the score table, which the name import fills in roster order.
inline QVariant readScore(store::Database &db, const QString &subject, int pupil, int test)
{
    return value(db, QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                         .arg(store::quoted(store::scoreColumn(test)), store::quoted(subject)),
                 {pupil});
}

inline void writeScore(store::Database &db, const QString &subject, int pupil, int test, const QString &text)
{
    db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")
                   .arg(store::quoted(subject), store::quoted(store::scoreColumn(test))))
        .bind(1, text)
        .bind(2, pupil)
        .run();
}

// A class of named pupils already copied into the four score tables, with what a test session
// holds in memory: the roster, the chosen subject and the shown day.
struct ExamFolder {
    ProgramFolder folder;
    store::HomeworkDb homework;
    core::MasterRecords master;
    int subject = 0;
    QString shownDay = QStringLiteral("14-5-17");
    core::TestList tests{};

    explicit ExamFolder(int pupils = 40) : folder(pupils), homework(folder.path())
    {
        exams::姓名导入学科(db());
        loadRoster();
    }

    store::Database &db() { return homework.database(); }

    exams::ScoreStoreResult storeScores(const QStringList &boxes)
    {
        return exams::成绩输入数据库(db(), subject, master.PupilNames[1], boxes);
    }
    exams::MarkingResult markPapers(const QStringList &boxes)
    {
        return exams::各科检测订正情况在扫描输入作业情况表中的登记(db(), master, subject, shownDay, boxes);
    }

    void loadRoster()
    {
        const QStringList names = homework.pupilNames(QStringLiteral("姓名"));
        master.ClassSizes[1] = int(names.size());
        for (int n = 1; n < int(master.PupilNames[1].size()); ++n)
            master.PupilNames[1][n] = n <= names.size() ? names[n - 1] : QString();
    }

    // A day on which a test of the subject (1..4) was published in its test book.
    void addTestDay(const QString &key, int subject, int book, int test, const QString &content, const QString &marks)
    {
        db().prepare(QStringLiteral("INSERT INTO \"扫描输入作业完成情况\" (\"日期\", %1, %2) VALUES (?, ?, ?)")
                         .arg(store::quoted(store::markColumn(book)), store::quoted(store::markTestColumn(subject))))
            .bind(1, key)
            .bind(2, marks)
            .bind(3, test)
            .run();
        db().prepare(QStringLiteral("INSERT INTO \"作业内容登记表\" (\"日期\", %1, %2) VALUES (?, ?, ?)")
                         .arg(store::quoted(store::contentColumn(book)), store::quoted(store::contentTestColumn(subject))))
            .bind(1, key)
            .bind(2, content)
            .bind(3, test)
            .run();
    }

    QString marks(const QString &key, int book)
    {
        return value(db(), QStringLiteral("SELECT %1 FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?")
                               .arg(store::quoted(store::markColumn(book))),
                     {key})
            .toString();
    }
};

} // namespace testing
