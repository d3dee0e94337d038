#include "tracking/DayRecords.h"

#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/MarkString.h"
#include "store/Schema.h"
#include "store/TextValue.h"

#include <algorithm>

using store::DatabaseError;
using store::Statement;
using store::Transaction;

namespace tracking {

namespace {

QString contentsByDate(int classNumber)
{
    return QStringLiteral("SELECT * FROM %1 WHERE \"日期\" = ?").arg(store::quoted(store::contentsTable(classNumber)));
}

QString marksByDate(int classNumber)
{
    return QStringLiteral("SELECT * FROM %1 WHERE \"日期\" = ?").arg(store::quoted(store::marksTable(classNumber)));
}

QString missingRowMessage(const QString &table, const QString &key)
{
    return QStringLiteral("数据库表“%1”中缺少日期 %2 的记录，当天的作业数据无法读取。").arg(table, key);
}

// Both rows of a new day, in one transaction: contents start as the empty text, which the day's
// first save would write anyway, so the day can be offered for publishing at once.
void newDayRows(store::HomeworkDb &db, const QString &key, int classNumber)
{
    const store::DateParts parts = store::把年月日进行拆分(key);
    const QString marks = store::newDayMarks(db.rowCount(store::namesTable(classNumber)));

    Transaction transaction(db.database());
    QString marksSql = QStringLiteral("INSERT INTO %1 (\"日期\", \"年份\", \"月份\", \"日子\"").arg(store::quoted(store::marksTable(classNumber)));
    QString values = QStringLiteral("?, ?, ?, ?");
    for (int s = 1; s <= store::kBooks; ++s) {
        marksSql += QStringLiteral(", ") + store::quoted(store::markColumn(s));
        values += QStringLiteral(", ?");
    }
    Statement &insertMarks = db.cached(marksSql + QStringLiteral(") VALUES (") + values + QLatin1Char(')'));
    insertMarks.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day);
    for (int s = 1; s <= store::kBooks; ++s)
        insertMarks.bind(4 + s, marks);
    insertMarks.run();
    insertMarks.reset();

    QString contentsSql =
        QStringLiteral("INSERT INTO %1 (\"日期\", \"年份\", \"月份\", \"日子\"").arg(store::quoted(store::contentsTable(classNumber)));
    QString contentValues = QStringLiteral("?, ?, ?, ?");
    for (int s = 1; s <= store::kBooks; ++s) {
        contentsSql += QStringLiteral(", ") + store::quoted(store::contentColumn(s));
        contentValues += QStringLiteral(", ''");
    }
    Statement &insertContents = db.cached(contentsSql + QStringLiteral(") VALUES (") + contentValues + QLatin1Char(')'));
    insertContents.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day).run();
    insertContents.reset();
    transaction.commit();
}

void readContents(store::HomeworkDb &db, core::DayState &day, int classNumber)
{
    Statement &row = db.cached(contentsByDate(classNumber));
    if (!row.bind(1, day.CurrentDateKey).step()) {
        row.reset();
        throw DatabaseError(missingRowMessage(store::contentsTable(classNumber), day.CurrentDateKey));
    }
    bool anyNull = false;
    for (int s = 1; s <= store::kBooks; ++s) {
        anyNull = anyNull || row.isNull(store::contents::kFirstBook + s - 1);
        day.Classes[classNumber].HomeworkContent[s] = row.text(store::contents::kFirstBook + s - 1);
    }
    row.reset();
    if (!anyNull)
        return;
    // A null content is repaired on load so that later readers see the empty text.
    Transaction transaction(db.database());
    QStringList sets;
    for (int s = 1; s <= store::kBooks; ++s)
        sets << QStringLiteral("%1 = ifnull(%1, '')").arg(store::quoted(store::contentColumn(s)));
    Statement &repair = db.cached(QStringLiteral("UPDATE %1 SET %2 WHERE \"日期\" = ?")
                                      .arg(store::quoted(store::contentsTable(classNumber)), sets.join(QStringLiteral(", "))));
    repair.bind(1, day.CurrentDateKey).run();
    repair.reset();
    transaction.commit();
}

} // namespace

void 当天数据环境生成(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll)
{
    const QString &key = day.CurrentDateKey;
    Statement &marks = db.cached(marksByDate(classNumber));
    const bool marksExist = marks.bind(1, key).step();
    marks.reset();
    Statement &contents = db.cached(contentsByDate(classNumber));
    const bool contentsExist = contents.bind(1, key).step();
    contents.reset();

    if (!marksExist && !contentsExist) {
        newDayRows(db, key, classNumber);
        day.Classes[classNumber].HomeworkContent.fill(QString());
    } else if (marksExist != contentsExist) {
        throw DatabaseError(missingRowMessage(
            marksExist ? store::contentsTable(classNumber) : store::marksTable(classNumber), key));
    } else {
        readContents(db, day, classNumber);
    }
    当天记录读入数组(db, day, classNumber, roll);
}

void 当天记录读入数组(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll)
{
    Statement &row = db.cached(marksByDate(classNumber));
    if (!row.bind(1, day.CurrentDateKey).step()) {
        row.reset();
        throw DatabaseError(missingRowMessage(store::marksTable(classNumber), day.CurrentDateKey));
    }
    core::ClassDay &records = day.Classes[classNumber];
    for (int s = 1; s <= store::kBooks; ++s) {
        store::MarkRow cells;
        std::copy_n(records.MarkGrid[s].begin(), cells.size(), cells.begin());
        store::decodeMarks(row.text(store::marks::kFirstBook + s - 1), cells, roll);
        std::copy(cells.begin(), cells.end(), records.MarkGrid[s].begin());
    }
    for (int s = 1; s <= store::kBooks; ++s) {
        const int flag = row.integer(store::marks::kFirstFlag + s - 1);
        records.ExcellentClosed[s] = flag;
        records.ExcellentClosedAtLoad[s] = flag;
    }
    row.reset();
}

void reloadDay(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll)
{
    readContents(db, day, classNumber);
    当天记录读入数组(db, day, classNumber, roll);
}

int 取得记录表中的顺序号(const QString &classAndBook) { return store::integerValue(classAndBook.mid(1, 2)); }

StatusView statusView(const core::DayState &day, const core::MasterRecords &master, const QString &classDigit,
                      const QString &bookDigits)
{
    const int slot = 取得记录表中的顺序号(classDigit + bookDigits);
    const int classNumber = store::integerValue(classDigit);

    StatusView view;
    const bool validSlot = slot >= 1 && slot <= core::kBooks;
    const bool validClass = classNumber == 1 || classNumber == 2;
    const int size = validClass ? master.roll(classNumber) : 0;
    int missing = 0;
    const core::ClassDay &records = day.Classes[validClass ? classNumber : 1];
    for (int n = 1; validSlot && n <= size; ++n) {
        const QString entry = QString::number(n) + QStringLiteral("：") + master.PupilNames[classNumber][n];
        if (records.MarkGrid[slot][n] == QLatin1String("0")) {
            ++missing;
            view.missingPupils << entry;
        } else {
            view.handedInPupils << (records.MarkGrid[slot][n] == QLatin1String("2") ? entry + QStringLiteral("  优") : entry);
        }
    }
    view.handedIn = QString::number(size - missing) + QStringLiteral("人");
    view.notHandedIn = QString::number(missing) + QStringLiteral("人");
    view.date = store::displayedDate(day.CurrentDateKey);
    view.className = master.ClassNames[validClass ? classNumber : 1];
    // Both classes hand in the same exercise books, under the same names.
    const QString bookName = validSlot ? master.BookNames[slot] : QString();
    view.homework = bookName + (validSlot ? records.HomeworkContent[slot] : QString());
    return view;
}

} // namespace tracking
