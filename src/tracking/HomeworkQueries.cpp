#include "tracking/HomeworkQueries.h"

#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"
#include "store/TextValue.h"

namespace tracking {

using store::Statement;

void 把作业本分拆成语数英科学分科显示数组(store::HomeworkDb &db, SubjectBooks &books)
{
    for (auto &row : books)
        row.fill(QString());
    Statement &names = db.cached(QStringLiteral("SELECT * FROM \"作业本名称\" ORDER BY rowid LIMIT 1"));
    std::array<QString, 33> bookNames;
    if (names.step())
        for (int i = 1; i <= store::kBooks; ++i)
            bookNames[i] = names.isNull(i) ? QString() : names.text(i);
    names.reset();

    Statement &flags = db.cached(QStringLiteral("SELECT * FROM \"学科显示作业本标记\" ORDER BY rowid"));
    std::array<int, 5> next{0, 1, 1, 1, 1};
    for (int slot = 1; slot <= store::kBooks && !bookNames[slot].isEmpty(); ++slot) {
        if (!flags.step())
            break;
        for (int s = 1; s <= 4; ++s) {
            if (flags.integer(s - 1) != 1)
                continue;
            auto &row = books[next[s]];
            row[s + 5] = QString::number(slot);
            row[s + 10] = bookNames[slot];
            row[s + 15] = QString::number(s);
            row[s + 20] = QString::number(next[s]);
            ++next[s];
        }
    }
    flags.reset();
}

QStringList subjectBookNames(const SubjectBooks &books, int subject)
{
    QStringList names;
    for (int r = 1; r <= store::kBooks && !books[r][subject + 5].isEmpty(); ++r)
        names << books[r][subject + 10];
    return names;
}

int subjectBookSlot(const SubjectBooks &books, int subject, int position)
{
    return position >= 1 && position <= store::kBooks ? store::integerValue(books[position][subject + 5]) : 0;
}

void 清空作业内容日期一一对应二维表(BookHistory &history)
{
    for (auto &row : history)
        row.fill(QString());
}

void 取得某次作业的作业内容和日期的一一对应表(store::HomeworkDb &db, BookHistory &history, int slot, int classNumber)
{
    清空作业内容日期一一对应二维表(history);
    if (slot < 1 || slot > store::kBooks)
        return;
    Statement &rows = db.cached(QStringLiteral("SELECT \"日期\", %1 FROM %2 ORDER BY rowid")
                                    .arg(store::quoted(store::contentColumn(slot)), store::quoted(store::contentsTable(classNumber))));
    int k = 1;
    while (rows.step()) {
        const QString key = rows.text(0);
        if (store::isScratchKey(key) || rows.isNull(1) || rows.text(1).isEmpty())
            continue;
        if (k > 100)
            continue; // the first hundred days in table order are kept
        history[1][k] = key;
        history[2][k] = rows.text(1);
        history[3][k] = QString::number(slot);
        ++k;
    }
}

QStringList historyContents(const BookHistory &history)
{
    QStringList contents;
    for (int k = 1; k <= 100 && !history[2][k].isEmpty(); ++k)
        contents << history[2][k];
    return contents;
}

QStringList daysWithHomework(store::HomeworkDb &db, int classNumber)
{
    QStringList anyContent;
    for (int s = 1; s <= store::kBooks; ++s)
        anyContent << QStringLiteral("ifnull(%1, '') <> ''").arg(store::quoted(store::contentColumn(s)));
    Statement &rows = db.cached(QStringLiteral("SELECT \"日期\", (%1) FROM %2 ORDER BY rowid")
                                    .arg(anyContent.join(QStringLiteral(" OR ")), store::quoted(store::contentsTable(classNumber))));
    QStringList days;
    while (rows.step())
        if (!store::isScratchKey(rows.text(0)) && rows.integer(1) == 1)
            days << rows.text(0);
    return days;
}

QStringList daysOpenForBook(store::HomeworkDb &db, int slot, const QList<int> &classes)
{
    if (slot < 1 || slot > store::kBooks || classes.isEmpty())
        return {};
    // A day is offered when every chosen class has it open for the book.
    QString sql = QStringLiteral("SELECT \"日期\" FROM %1 WHERE %2 = '' AND NOT \"日期\" LIKE '88%'")
                      .arg(store::quoted(store::contentsTable(classes.first())), store::quoted(store::contentColumn(slot)));
    for (int other : classes.mid(1))
        sql += QStringLiteral(" AND \"日期\" IN (SELECT \"日期\" FROM %1 WHERE %2 = '')")
                   .arg(store::quoted(store::contentsTable(other)), store::quoted(store::contentColumn(slot)));
    Statement &rows = db.cached(sql + QStringLiteral(" ORDER BY \"年份\" DESC, \"月份\" DESC, \"日子\" DESC"));
    QStringList days;
    while (rows.step())
        days << rows.text(0);
    return days;
}

QString latestSchoolDay(store::HomeworkDb &db)
{
    Statement &latest = db.cached(QStringLiteral("SELECT \"日期\" FROM \"作业内容登记表\" WHERE NOT \"日期\" LIKE '88%' "
                                                 "ORDER BY \"年份\" DESC, \"月份\" DESC, \"日子\" DESC LIMIT 1"));
    const QString key = latest.step() ? latest.text(0) : QString();
    latest.reset();
    return key;
}

QString publicationMessage(Publication result)
{
    switch (result) {
    case Publication::NoDate:
        return QStringLiteral("可进行输入的日期还未选择，请先选择日期后再操作该确定按钮！");
    case Publication::NoContent:
        return QStringLiteral("作业或检测内容还未进行输入，请进行输入后再操作该确定按钮！");
    case Publication::NoTestNumber:
        return QStringLiteral("检测编号还未进行输入，请输入后再操作该确定按钮！");
    case Publication::MissingDay:
        return QStringLiteral("所选日期在数据库中缺少完整的当天记录，作业未发布。");
    case Publication::Published:
        break;
    }
    return QString();
}

Publication publishTask(store::HomeworkDb &db, const std::array<int, 5> &subjectTestBooks, int slot,
                        const QString &date, const QString &content, const QString &testNumber, const QList<int> &classes)
{
    if (date.isEmpty() || date == QStringLiteral("未选择"))
        return Publication::NoDate;
    if (content.isEmpty())
        return Publication::NoContent;
    QList<int> testSubjects;
    for (int j = 1; j <= 4; ++j)
        if (subjectTestBooks[j] == slot)
            testSubjects << j;
    if (!testSubjects.isEmpty() && testNumber.isEmpty())
        return Publication::NoTestNumber;

    store::Database &raw = db.database();
    store::Transaction transaction(raw);
    // One statement for each column of both day rows; a row that is not there changes nothing,
    // which is told and leaves every class as it was.
    const auto write = [&](const QString &table, const QString &column, auto value) {
        raw.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE \"日期\" = ?").arg(store::quoted(table), store::quoted(column)))
            .bind(1, value)
            .bind(2, date)
            .run();
        return raw.changes() == 1;
    };
    // Codes name a test by its leading digits, so "3a" and "3.7" are both test 3. Files made when
    // these columns were REAL still hold 3.0, which compares equal.
    const int number = store::integerValue(testNumber);
    for (int classNumber : classes) {
        if (!write(store::contentsTable(classNumber), store::contentColumn(slot), content))
            return Publication::MissingDay;
        for (int j : testSubjects)
            if (!write(store::contentsTable(classNumber), store::contentTestColumn(j), number)
                || !write(store::marksTable(classNumber), store::markTestColumn(j), number))
                return Publication::MissingDay;
    }
    transaction.commit();
    return Publication::Published;
}

} // namespace tracking
