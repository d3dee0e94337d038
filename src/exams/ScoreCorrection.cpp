#include "exams/ScoreCorrection.h"

#include "exams/TestStatistics.h"
#include "store/Database.h"
#include "store/Schema.h"

#include <QRegularExpression>

using store::Database;
using store::Statement;
using store::quoted;

namespace exams {

namespace {

QString scoreCellQuery(const ScoreCell &cell, const QString &verb)
{
    return verb.arg(quoted(subjectTable(cell.subject)), quoted(store::scoreColumn(cell.test)));
}

QString shownOrNone(const QString &score) { return score.isEmpty() ? QStringLiteral("无成绩") : shownScore(score); }

} // namespace

ScoreCell findScoreCell(Database &db, int subjectIndex, int test, int rosterPlace)
{
    ScoreCell cell;
    cell.subject = subjectIndex;
    cell.test = test;
    Statement roster = db.prepare(QStringLiteral("SELECT \"姓名\" FROM \"姓名\" ORDER BY rowid LIMIT 1 OFFSET ?"));
    if (rosterPlace < 0 || !roster.bind(1, rosterPlace).step()) {
        cell.refusal = Rejection::PupilOutsideRoster;
        return cell;
    }
    cell.pupil = roster.text(0);
    if (!hasTestColumn(db, subjectIndex, test)) {
        cell.refusal = Rejection::NoTestColumn;
        return cell;
    }
    const ScoreRow row = findScoreRow(db, subjectIndex, cell.pupil);
    cell.rowid = row.rowid;
    cell.refusal = row.refusal;
    if (cell.refusal)
        return cell;
    Statement current = db.prepare(scoreCellQuery(cell, QStringLiteral("SELECT %2 FROM %1 WHERE rowid = ?")));
    current.bind(1, cell.rowid).step();
    cell.stored = current.text(0);
    return cell;
}

std::optional<QString> correctedScore(const QString &typed)
{
    const QString text = typed.normalized(QString::NormalizationForm_KC).trimmed();
    if (text.isEmpty() || text == QStringLiteral("00"))
        return text;
    static const QRegularExpression number(QStringLiteral("^([0-9]{1,3})(?:\\.([0-9]))?$"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int whole = match.captured(1).toInt();
    const int tenth = match.captured(2).isEmpty() ? 0 : match.captured(2).toInt();
    if (whole * 10 + tenth > 1000)
        return std::nullopt;
    if (whole == 100)
        return QStringLiteral("00");
    return tenth == 0 ? QString::number(whole) : QStringLiteral("%1.%2").arg(whole).arg(tenth);
}

QString invalidScoreMessage(const QString &typed)
{
    return QStringLiteral("“%1”不是有效的成绩，成绩未修改。\n成绩应为 0 到 100 之间的数，最多一位小数（如 84.5）；"
                          "“00”表示 100 分；清空输入框则删除这次成绩。")
        .arg(typed);
}

QString refusedCorrectionMessage(const ScoreCell &cell)
{
    return QStringLiteral("%1的成绩无法修改：%2。").arg(cell.pupil, rejectionReason(*cell.refusal));
}

QString correctionQuestion(const ScoreCell &cell, const QString &corrected)
{
    return QStringLiteral("确定把%1的%2第%3次检测成绩由“%4”改为“%5”吗？")
        .arg(cell.pupil, subjectTable(cell.subject), QString::number(cell.test), shownOrNone(cell.stored),
             shownOrNone(corrected));
}

void correctScore(Database &db, const ScoreCell &cell, const QString &corrected)
{
    store::Transaction transaction(db);
    db.prepare(scoreCellQuery(cell, QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?")))
        .bind(1, corrected)
        .bind(2, cell.rowid)
        .run();
    transaction.commit();
}

} // namespace exams
