#include "reports/UnfinishedHomework.h"

#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>

namespace reports {

void ExportState::emptyTables()
{
    days.clear();
    UnfinishedTable.assign(kTablePupils + 1, std::vector<QString>(kItems + 1));
    CompleteList.clear();
    UnfinishedList.clear();
    leftOut.clear();
}

void ExportState::flagAllSlots()
{
    SlotFilter.fill(1);
    SlotFilter[0] = 0;
}

namespace {

QString contentsSql(bool oneDay, int classNumber)
{
    const QString table = store::quoted(store::contentsTable(classNumber));
    return oneDay ? QStringLiteral("SELECT * FROM %1 WHERE \"日期\" = ?").arg(table)
                  : QStringLiteral("SELECT * FROM %1 ORDER BY \"日期\" ASC").arg(table);
}

QString marksSql(bool oneDay, int classNumber)
{
    const QString table = store::quoted(store::marksTable(classNumber));
    return oneDay ? QStringLiteral("SELECT * FROM %1 WHERE \"日期\" = ?").arg(table) : QStringLiteral("SELECT * FROM %1").arg(table);
}

struct NullContent {
    QString date;
    int slot;
};

void repairNulls(store::HomeworkDb &db, int classNumber, const QList<NullContent> &nulls)
{
    if (nulls.isEmpty())
        return;
    store::Transaction transaction(db.database());
    for (const NullContent &null : nulls) {
        const QString column = store::quoted(store::contentColumn(null.slot));
        db.cached(QStringLiteral("UPDATE %2 SET %1 = '' WHERE \"日期\" = ? AND %1 IS NULL")
                      .arg(column, store::quoted(store::contentsTable(classNumber))))
            .bind(1, null.date)
            .run();
    }
    transaction.commit();
}

// Both day tables of the range, matched by date key rather than by row position.
void readDayRows(store::HomeworkDb &db, const QString &todayKey, ExportState &run)
{
    const bool oneDay = run.RangeMode == TodayOnly;
    const int classNumber = run.SelectedClass + 1;
    QHash<QString, std::array<QString, core::kBooks + 1>> marksByDate;
    store::Statement &marks = db.cached(marksSql(oneDay, classNumber));
    if (oneDay)
        marks.bind(1, todayKey);
    while (marks.step()) {
        std::array<QString, core::kBooks + 1> row{};
        for (int j = 1; j <= core::kBooks; ++j)
            row[j] = marks.text(store::marks::kFirstBook + j - 1);
        marksByDate.insert(marks.text(store::marks::kDate), row);
    }

    QList<NullContent> nulls;
    int daysWithContent = 0;
    store::Statement &contents = db.cached(contentsSql(oneDay, classNumber));
    if (oneDay)
        contents.bind(1, todayKey);
    while (contents.step()) {
        DayRow day;
        day.date = contents.text(store::contents::kDate);
        bool hasContent = false;
        for (int j = 1; j <= core::kBooks; ++j) {
            const int column = store::contents::kFirstBook + j - 1;
            if (contents.isNull(column))
                nulls.append({day.date, j});
            day.contents[j] = contents.text(column);
            hasContent = hasContent || !day.contents[j].isEmpty();
        }
        if (store::isScratchKey(day.date) || !hasContent)
            continue;
        ++daysWithContent;
        if (run.days.size() == kDayRows)
            continue;
        day.marks = marksByDate.value(day.date);
        run.days.append(day);
    }
    repairNulls(db, classNumber, nulls);
    if (daysWithContent > kDayRows)
        run.leftOut << QStringLiteral("记录中有 %1 天布置了作业，只统计了按日期排在前面的 %2 天（到 %3 为止），其余 %4 天未统计。")
                           .arg(daysWithContent)
                           .arg(kDayRows)
                           .arg(run.days.constLast().date)
                           .arg(daysWithContent - kDayRows);
}

} // namespace

void 把实际的完成情况导入数组(store::HomeworkDb &db, const core::MasterRecords &master, const QString &todayKey,
                                    ExportState &run)
{
    readDayRows(db, todayKey, run);
    const int pupils = master.roll(run.SelectedClass + 1);
    for (int s = 1; s <= core::kBooks; ++s) {
        if (run.SlotFilter[s] != 1)
            continue;
        for (const DayRow &day : std::as_const(run.days))
            if (!day.contents[s].isEmpty())
                校迅通导出文件的原始数组生成(run, pupils, master.BookNames[s], day.contents[s], day.marks[s],
                                            store::twoDigits(s));
    }
    if (run.ItemCounter > kItems)
        run.leftOut << QStringLiteral("共有 %1 项作业记录，只统计了前 %2 项，其余 %3 项未统计。")
                           .arg(run.ItemCounter)
                           .arg(kItems)
                           .arg(run.ItemCounter - kItems);
    if (master.ClassSizes[run.SelectedClass + 1] > pupils)
        run.leftOut << QStringLiteral("班级共有 %1 名学生，只统计了前 %2 名。").arg(master.ClassSizes[run.SelectedClass + 1]).arg(pupils);
}

void 校迅通导出文件的原始数组生成(ExportState &run, int pupils, const QString &bookName, const QString &content,
                                   const QString &markString, const QString &slotDigits)
{
    run.ItemCounter += 1;
    if (run.ItemCounter > kItems)
        return;
    for (int k = 1; k <= std::min(pupils, kTablePupils); ++k)
        if (markString.mid(3 * k - 1, 1) == QLatin1String("0"))
            run.UnfinishedTable[k][run.ItemCounter] = slotDigits + bookName + content;
}

void 把校迅通导入文件数组的内容逼空(ExportState &run, const core::MasterRecords &master)
{
    const auto &names = master.PupilNames[1 + run.SelectedClass];
    for (int k = 1; k <= master.roll(run.SelectedClass + 1); ++k) {
        std::vector<QString> &row = run.UnfinishedTable[k];
        row[0] = names[k];
        int m = 1;
        for (int n = 1; n <= kItems; ++n) {
            if (row[n].isEmpty())
                continue;
            if (n != m) {
                row[m] = row[n];
                row[n].clear();
            }
            ++m;
        }
    }
}

void 把校迅通文件原始数组拆分成全部完成学生数组和未完成学生数组(ExportState &run)
{
    for (int k = 1; k <= kTablePupils; ++k) {
        const std::vector<QString> &row = run.UnfinishedTable[k];
        if (row[1].isEmpty()) {
            if (row[0].isEmpty())
                break;
            run.CompleteList.append({pupilLabel(k, row[0], PlainLabel, 0), {}});
            continue;
        }
        PupilRow pupil;
        int total = 0;
        while (total < kItems && !row[total + 1].isEmpty())
            ++total;
        for (int n = 1; n <= std::min(total, kListItems); ++n)
            pupil.items << row[n];
        pupil.label = pupilLabel(k, row[0], run.NameStyle, int(pupil.items.size()));
        if (total > kListItems)
            run.leftOut << QStringLiteral("%1 有 %2 项未完成作业，只列出了前 %3 项。").arg(row[0]).arg(total).arg(kListItems);
        run.UnfinishedList.append(pupil);
    }
}

void gatherUnfinished(store::HomeworkDb &db, const core::MasterRecords &master, const QString &todayKey,
                                    ExportState &run)
{
    run.emptyTables();
    把实际的完成情况导入数组(db, master, todayKey, run);
    把校迅通导入文件数组的内容逼空(run, master);
    把校迅通文件原始数组拆分成全部完成学生数组和未完成学生数组(run);
}

QString pupilLabel(int number, const QString &name, int nameStyle, int count)
{
    const QString prefix = store::twoDigits(number) + QLatin1Char('.');
    if (nameStyle != CountedLabel)
        return prefix + name;
    const QString spaced = name.size() == 2 ? name.left(1) + QStringLiteral("  ") + name.mid(1) : name;
    return prefix + spaced + QLatin1Char('(') + QString::number(count) + QLatin1Char(')');
}

QString completeWorkbook(int listMode)
{
    return listMode == TodayExport ? QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls")
                                   : QStringLiteral("校迅通导出文件/全部完成学生名单.xls");
}

QString unfinishedWorkbook(int listMode)
{
    return listMode == TodayExport ? QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单.xls")
                                   : QStringLiteral("校迅通导出文件/未完成作业学生名单.xls");
}

QString ofClass(const QString &relativePath, const core::MasterRecords &master, int classNumber)
{
    if (classNumber != 2)
        return relativePath;
    QString name = master.ClassNames[2].trimmed();
    // A class name is the teacher's text: it must not reach outside the folder or be unwritable.
    name.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]")), QStringLiteral("_"));
    const QString suffix = name.isEmpty() ? QStringLiteral("-第二个班") : QStringLiteral("-%1班").arg(name);
    const qsizetype dot = relativePath.lastIndexOf(QLatin1Char('.'));
    return relativePath.left(dot) + suffix + relativePath.mid(dot);
}

QString parentMessage(int listMode, const QString &relativePath, const QString &todayKey)
{
    QString ending;
    if (listMode == WholeRecordExport && relativePath == completeWorkbook(listMode))
        ending = QStringLiteral("的作业检查中发现已完成语数英科四门学科的全部作业，希继续保持良好的学习习惯，取得更加优异的成绩！");
    else if (listMode == WholeRecordExport && relativePath == unfinishedWorkbook(listMode))
        ending = QStringLiteral(
            "的作业检查中发现语数英科四门学科中还有如下作业没有完成，希家长在家能有效督促孩子及时完成相应的作业，谢谢合作！");
    else if (listMode == TodayExport && relativePath == completeWorkbook(listMode))
        ending = QStringLiteral(
            "的家庭作业检查中发现已完成语数英科四门学科的全部家庭作业，希继续保持良好的学习习惯，取得更加优异的成绩！");
    else if (listMode == TodayExport && relativePath == unfinishedWorkbook(listMode))
        ending = QStringLiteral(
            "的家庭作业检查中发现还有如下家庭作业没有完成，希家长在家能有效督促孩子及时完成相应的家庭作业，谢谢合作！");
    else
        return {};
    return QStringLiteral("您好！你的孩子在") + todayKey + ending;
}

QList<QStringList> workbookRows(const QList<PupilRow> &list, QStringList &leftOut)
{
    QList<QStringList> rows;
    for (const PupilRow &pupil : list) {
        const QString name = pupil.label.mid(3);
        if (name.isEmpty() || rows.size() == kWorkbookRows)
            break;
        QStringList cells{name, QString()};
        for (const QString &item : pupil.items.mid(0, kRowItems))
            cells << item.mid(2);
        if (pupil.items.size() > kRowItems)
            leftOut << QStringLiteral("%1 有 %2 项未完成作业，表格中只导出了前 %3 项。")
                           .arg(name)
                           .arg(pupil.items.size())
                           .arg(kRowItems);
        rows << cells;
    }
    return rows;
}

QString progressText(int exportedRows, int pupils)
{
    const int percent = pupils > 0 ? qRound(100.0 * exportedRows / pupils) : 100;
    if (percent >= 100)
        return QStringLiteral("导出已完成!");
    return QStringLiteral("导出已完成%1%，请耐心等待！").arg(percent);
}

} // namespace reports
