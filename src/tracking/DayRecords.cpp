#include "tracking/DayRecords.h"

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

const QString kContentsByDate = QStringLiteral("SELECT * FROM \"作业内容登记表\" WHERE \"日期\" = ?");
const QString kMarksByDate = QStringLiteral("SELECT * FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?");

QString missingRowMessage(const QString &table, const QString &key)
{
    return QStringLiteral("数据库表“%1”中缺少日期 %2 的记录，当天的作业数据无法读取。").arg(table, key);
}

int roll(const core::MainState &state) { return std::min(state.ClassSizes[1], core::kPupils); }

} // namespace

DayRecords::DayRecords(store::HomeworkDb &db, core::MainState &state, const store::Clock &clock)
    : db_(db), state_(state), clock_(clock)
{
}

QString DayRecords::todayKey() const { return store::dateKey(clock_.today()); }

void DayRecords::loadPupilNames()
{
    const QString tables[] = {QStringLiteral("姓名"), QStringLiteral("52姓名")};
    for (int c = 1; c <= 2; ++c) {
        const QStringList names = db_.pupilNames(tables[c - 1]);
        auto &grid = state_.MarkGrid[core::kFirstClassNamesRow + c - 1];
        auto &pupils = state_.PupilNames[c];
        for (int n = 1; n <= core::kPupils; ++n)
            grid[n] = n <= names.size() ? names[n - 1] : QString();
        for (int n = 1; n < int(pupils.size()); ++n)
            pupils[n] = n <= names.size() ? names[n - 1] : QString();
    }
}

void DayRecords::当天数据环境生成()
{
    if (state_.HistoryDayChosen != 1)
        state_.CurrentDateKey = todayKey();
    loadPupilNames();

    const QString &key = state_.CurrentDateKey;
    Statement &marks = db_.cached(kMarksByDate);
    const bool marksExist = marks.bind(1, key).step();
    marks.reset();
    Statement &contents = db_.cached(kContentsByDate);
    const bool contentsExist = contents.bind(1, key).step();
    contents.reset();

    if (!marksExist && !contentsExist) {
        新的一天记录输入();
    } else if (marksExist != contentsExist) {
        throw DatabaseError(missingRowMessage(
            marksExist ? QStringLiteral("作业内容登记表") : QStringLiteral("扫描输入作业完成情况"), key));
    } else {
        readContents();
    }
    当天记录读入数组();
}

void DayRecords::新的一天记录输入()
{
    const QString &key = state_.CurrentDateKey;
    const store::DateParts parts = store::把年月日进行拆分(key);
    const QString marks = store::newDayMarks(db_.rowCount(QStringLiteral("姓名")));

    store::Database &db = db_.database();
    Transaction transaction(db);
    QString marksSql = QStringLiteral("INSERT INTO \"扫描输入作业完成情况\" (\"日期\", \"年份\", \"月份\", \"日子\"");
    QString values = QStringLiteral("?, ?, ?, ?");
    for (int s = 1; s <= store::kBooks; ++s) {
        marksSql += QStringLiteral(", ") + store::quoted(store::markColumn(s));
        values += QStringLiteral(", ?");
    }
    Statement &insertMarks = db_.cached(marksSql + QStringLiteral(") VALUES (") + values + QLatin1Char(')'));
    insertMarks.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day);
    for (int s = 1; s <= store::kBooks; ++s)
        insertMarks.bind(4 + s, marks);
    insertMarks.run();
    insertMarks.reset();

    // Contents start as the empty text, which the day's first save would write anyway, so the day
    // can be offered for publishing at once.
    QString contentsSql = QStringLiteral("INSERT INTO \"作业内容登记表\" (\"日期\", \"年份\", \"月份\", \"日子\"");
    QString contentValues = QStringLiteral("?, ?, ?, ?");
    for (int s = 1; s <= store::kBooks; ++s) {
        contentsSql += QStringLiteral(", ") + store::quoted(store::contentColumn(s));
        contentValues += QStringLiteral(", ''");
    }
    Statement &insertContents = db_.cached(contentsSql + QStringLiteral(") VALUES (") + contentValues + QLatin1Char(')'));
    insertContents.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day).run();
    insertContents.reset();
    transaction.commit();
}

void DayRecords::readContents()
{
    Statement &row = db_.cached(kContentsByDate);
    if (!row.bind(1, state_.CurrentDateKey).step()) {
        row.reset();
        throw DatabaseError(missingRowMessage(QStringLiteral("作业内容登记表"), state_.CurrentDateKey));
    }
    bool anyNull = false;
    for (int s = 1; s <= store::kBooks; ++s) {
        anyNull = anyNull || row.isNull(store::contents::kFirstBook + s - 1);
        state_.HomeworkContent[s] = row.text(store::contents::kFirstBook + s - 1);
    }
    row.reset();
    if (!anyNull)
        return;
    // A null content is repaired on load so that later readers see the empty text.
    QStringList sets;
    for (int s = 1; s <= store::kBooks; ++s)
        sets << QStringLiteral("%1 = ifnull(%1, '')").arg(store::quoted(store::contentColumn(s)));
    Statement &repair = db_.cached(
        QStringLiteral("UPDATE \"作业内容登记表\" SET %1 WHERE \"日期\" = ?").arg(sets.join(QStringLiteral(", "))));
    repair.bind(1, state_.CurrentDateKey).run();
    repair.reset();
}

void DayRecords::当天记录读入数组()
{
    Statement &row = db_.cached(kMarksByDate);
    if (!row.bind(1, state_.CurrentDateKey).step()) {
        row.reset();
        throw DatabaseError(missingRowMessage(QStringLiteral("扫描输入作业完成情况"), state_.CurrentDateKey));
    }
    for (int s = 1; s <= store::kBooks; ++s) {
        store::MarkRow cells;
        std::copy_n(state_.MarkGrid[s].begin(), cells.size(), cells.begin());
        store::decodeMarks(row.text(store::marks::kFirstBook + s - 1), cells, roll(state_));
        std::copy(cells.begin(), cells.end(), state_.MarkGrid[s].begin());
    }
    for (int s = 1; s <= store::kBooks; ++s) {
        const int flag = row.integer(store::marks::kFirstFlag + s - 1);
        state_.ExcellentClosed[s] = flag;
        state_.ExcellentClosedAtLoad[s] = flag;
    }
    row.reset();
}

void DayRecords::reload()
{
    readContents();
    当天记录读入数组();
}

int 取得记录表中的顺序号(const QString &classAndBook) { return store::integerValue(classAndBook.mid(1, 2)); }

StatusView 显示(core::MainState &state, const QString &classDigit, const QString &bookDigits)
{
    state.CurrentBookDigits = bookDigits.size() == 1 ? QLatin1Char('0') + bookDigits : bookDigits;
    const int slot = 取得记录表中的顺序号(classDigit + bookDigits);
    state.CurrentSlot = slot;
    const int classNumber = store::integerValue(classDigit);

    StatusView view;
    const bool validSlot = slot >= 1 && slot <= core::kBooks;
    const bool validClass = classNumber == 1 || classNumber == 2;
    const int size = validClass ? std::min(state.ClassSizes[classNumber], core::kPupils) : 0;
    int missing = 0;
    for (int n = 1; validSlot && n <= size; ++n) {
        const QString entry = QString::number(n) + QStringLiteral("：") + state.MarkGrid[32 + classNumber][n];
        if (state.MarkGrid[slot][n] == QLatin1String("0")) {
            ++missing;
            view.missingPupils << entry;
        } else {
            view.handedInPupils << (state.MarkGrid[slot][n] == QLatin1String("2") ? entry + QStringLiteral("  优") : entry);
        }
    }
    view.handedIn = QString::number(size - missing) + QStringLiteral("人");
    view.notHandedIn = QString::number(missing) + QStringLiteral("人");
    view.date = store::displayedDate(state.CurrentDateKey);
    view.className = state.ClassNames[1];
    // The second class's books are numbered on from 16.
    const int nameIndex = (classNumber - 1) * 16 + store::integerValue(bookDigits);
    const QString bookName = nameIndex >= 1 && nameIndex <= core::kBooks ? state.BookNames[nameIndex] : QString();
    view.homework = bookName + (validSlot ? state.HomeworkContent[slot] : QString());
    return view;
}

} // namespace tracking
