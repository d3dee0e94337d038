#include "exams/ScoreEntry.h"

#include "exams/TestStatistics.h"
#include "store/Database.h"
#include "store/MarkString.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <algorithm>

using store::Database;
using store::Statement;
using store::quoted;

namespace exams {

namespace {

bool inRoster(const std::array<QString, 61> &roster, int pupil)
{
    return pupil >= 1 && pupil < int(roster.size()) && !roster[pupil].isEmpty();
}

// A heading over one line per code, a code typed twice named once; empty without lines.
QString section(const QString &heading, QStringList lines)
{
    lines.removeDuplicates();
    return lines.isEmpty() ? QString() : heading + QLatin1Char('\n') + lines.join(QLatin1Char('\n'));
}

} // namespace

QString rejectionReason(Rejection reason)
{
    switch (reason) {
    case Rejection::PupilOutsideRoster:
        return QStringLiteral("学生编号不在班级名单中");
    case Rejection::NoTestColumn:
        return QStringLiteral("成绩表中没有这个检测编号的列");
    case Rejection::NoScoreRow:
        return QStringLiteral("成绩表中没有这名学生的记录");
    case Rejection::SharedName:
        return QStringLiteral("成绩表中有同名的学生，成绩无法按姓名区分");
    case Rejection::BeyondMarkCells:
        return QStringLiteral("成绩已导入，但交作业记录只登记前 %1 名学生，试卷未登记为已交").arg(store::kMaxMarkCells);
    }
    return {};
}

ScoreRow findScoreRow(Database &db, int subjectIndex, const QString &pupil)
{
    Statement find = db.prepare(QStringLiteral("SELECT rowid FROM %1 WHERE \"姓名\" = ? ORDER BY rowid LIMIT 2")
                                    .arg(quoted(subjectTable(subjectIndex))));
    if (!find.bind(1, pupil).step())
        return {0, Rejection::NoScoreRow};
    const int rowid = find.integer(0);
    if (find.step())
        return {0, Rejection::SharedName};
    return {rowid, std::nullopt};
}

QString subjectTable(int subjectIndex) { return store::subjectName(std::clamp(subjectIndex, 0, 3) + 1); }

bool hasTestColumn(Database &db, int subjectIndex, int test)
{
    const QString table = quoted(subjectTable(subjectIndex));
    return test >= 1 && test < db.prepare(QStringLiteral("SELECT * FROM %1 LIMIT 0").arg(table)).columnCount();
}

ScoreCode readScoreCode(const QString &code)
{
    return {code, store::integerValue(code.mid(0, 2)), store::integerValue(code.mid(2, 2)), code.mid(4, 2)};
}

QList<ScoreCode> groupScoreCodes(const QStringList &boxes)
{
    const QString joined = boxes.join(QString());
    QList<ScoreCode> codes;
    for (qsizetype at = 0; at + 6 <= joined.size(); at += 6)
        codes << readScoreCode(joined.mid(at, 6));
    return codes;
}

ScoreStoreResult 成绩输入数据库(Database &db, int subjectIndex, const std::array<QString, 61> &roster,
                              const QStringList &boxes)
{
    const QString table = quoted(subjectTable(subjectIndex));

    ScoreStoreResult result;
    store::Transaction transaction(db);
    for (const ScoreCode &code : groupScoreCodes(boxes)) {
        if (!inRoster(roster, code.pupil)) {
            result.rejected << RejectedCode{code.code, Rejection::PupilOutsideRoster};
            continue;
        }
        if (!hasTestColumn(db, subjectIndex, code.test)) {
            result.rejected << RejectedCode{code.code, Rejection::NoTestColumn};
            continue;
        }
        const ScoreRow row = findScoreRow(db, subjectIndex, roster[code.pupil]);
        if (row.refusal) {
            result.rejected << RejectedCode{code.code, *row.refusal};
            continue;
        }
        const QString cell = quoted(store::scoreColumn(code.test));
        Statement current = db.prepare(QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?").arg(table, cell));
        current.bind(1, row.rowid).step();
        const QString stored = current.text(0);
        current.reset();
        if (!stored.isEmpty()) {
            result.kept << KeptScore{code.code, stored};
            continue;
        }
        db.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?").arg(table, cell))
            .bind(1, code.score)
            .bind(2, row.rowid)
            .run();
        ++result.stored;
    }
    transaction.commit();
    return result;
}

QString rejectionMessage(const QList<RejectedCode> &rejected)
{
    QStringList lines;
    for (const RejectedCode &r : rejected)
        lines << QStringLiteral("%1（%2）").arg(r.code, rejectionReason(r.reason));
    return section(QStringLiteral("以下编码未能处理："), lines);
}

QString keptScoresMessage(const QList<KeptScore> &kept)
{
    QStringList lines;
    for (const KeptScore &k : kept)
        lines << QStringLiteral("%1（已有成绩：%2）").arg(k.code, shownScore(k.stored));
    const QString listed = section(QStringLiteral("以下编码的学生这次检测已有成绩，原成绩保留，新输入的成绩未导入："), lines);
    return listed.isEmpty() ? listed : listed + QStringLiteral("\n如需改动已有成绩，请在“检测分析”中选这次检测，双击该学生的成绩。");
}

QString storedMessage(const QList<RejectedCode> &rejected, const QList<KeptScore> &kept)
{
    QStringList parts{QStringLiteral("所输检测成绩已成功导入数据库！"), rejectionMessage(rejected), keptScoresMessage(kept)};
    parts.removeAll(QString());
    return parts.join(QLatin1Char('\n'));
}

QString unknownTestMessage() { return QStringLiteral("此检测的编号不存在！请在“基础数据设定”中进行输入！"); }

QString noTestBookMessage(int subjectIndex)
{
    return QStringLiteral("%1还没有设定检测所用的作业本，交作业情况未登记！请在“基础数据设定”的“测试内容序号设置”中进行输入！")
        .arg(subjectTable(subjectIndex));
}

MarkingResult 各科检测订正情况在扫描输入作业情况表中的登记(Database &db, const core::MasterRecords &master,
                                                         int subjectIndex, const QString &shownDateKey,
                                                         const QStringList &boxes)
{
    MarkingResult result;
    if (boxes.isEmpty() || boxes.front().isEmpty())
        return result;
    const int subject = std::clamp(subjectIndex, 0, 3);
    const int book = master.SubjectTestBooks[subject + 1];
    if (book < 1 || book > store::kBooks) {
        result.noTestBook = true;
        return result;
    }
    const QString marks = quoted(store::markColumn(book));
    Statement find = db.prepare(QStringLiteral("SELECT rowid, \"日期\", %1 FROM \"扫描输入作业完成情况\" WHERE %2 = ? "
                                               "ORDER BY rowid LIMIT 1")
                                    .arg(marks, quoted(store::markTestColumn(subject + 1))));
    Statement write = db.prepare(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET %1 = ? WHERE rowid = ?").arg(marks));

    result.book = book;
    store::Transaction transaction(db);
    for (const QString &box : boxes) {
        if (box.isEmpty())
            break;
        const ScoreCode code = readScoreCode(box);
        if (!find.bind(1, code.test).step()) {
            result.unknownTest = true;
            break;
        }
        const int rowid = find.integer(0);
        const bool shownDay = find.text(1) == shownDateKey;
        const QString before = find.text(2);
        find.reset();
        if (!inRoster(master.PupilNames[1], code.pupil)) {
            result.rejected << RejectedCode{box, Rejection::PupilOutsideRoster};
            continue;
        }
        if (code.pupil > store::kMaxMarkCells) {
            result.rejected << RejectedCode{box, Rejection::BeyondMarkCells};
            continue;
        }
        store::MarkRow row;
        store::decodeMarks(before, row, master.ClassSizes[1]);
        row[code.pupil] = QStringLiteral("1");
        write.bind(1, store::encodeMarks(row)).bind(2, rowid).run();
        write.reset();
        ++result.marked;
        if (shownDay)
            result.shownDayPupils << code.pupil;
    }
    transaction.commit();
    return result;
}

} // namespace exams
