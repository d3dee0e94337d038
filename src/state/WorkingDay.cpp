#include "state/WorkingDay.h"

#include "state/MasterData.h"
#include "state/RunState.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/TextValue.h"

namespace core {

namespace {

void refuseWhenClosed(const RunState &run)
{
    if (!run.writable())
        throw store::WritesClosed(RunState::writesClosedMessage());
}

} // namespace

WorkingDay::WorkingDay(store::HomeworkDb &db, MasterData &master, RunState &run, const store::Clock &clock,
                       QObject *parent)
    : QObject(parent), db_(db), master_(master), run_(run), clock_(clock)
{
}

QString WorkingDay::todayKey() const { return store::dateKey(clock_.today()); }

QList<int> WorkingDay::classes() const { return master_.records().roll(2) > 0 ? QList<int>{1, 2} : QList<int>{1}; }

QString WorkingDay::storedDayAfterToday()
{
    const QString latest = tracking::latestSchoolDay(db_);
    const store::DateParts parts = store::把年月日进行拆分(latest);
    const QDate latestDate(2000 + parts.year, parts.month, parts.day);
    return latestDate.isValid() && latestDate > clock_.today() ? latest : QString();
}

void WorkingDay::start()
{
    day_.TodayKey = todayKey();
    day_.HistoryDayChosen = 0;
    当天数据环境生成();
}

void WorkingDay::当天数据环境生成()
{
    if (day_.HistoryDayChosen != 1)
        day_.CurrentDateKey = todayKey();
    master_.loadPupilNames();
    day_.Classes[2] = {};
    for (int classNumber : classes())
        tracking::当天数据环境生成(db_, day_, classNumber, master_.records().roll(classNumber));
    if (!classes().contains(day_.ShownClass))
        day_.ShownClass = 1;
    emit dayLoaded();
}

void WorkingDay::保存操作() { db_.保存操作(day_, classes()); }

WorkingDay::Tick WorkingDay::refresh()
{
    if (day_.HistoryDayChosen != 0 || todayKey() == day_.TodayKey) {
        for (int classNumber : classes())
            tracking::reloadDay(db_, day_, classNumber, master_.records().roll(classNumber));
        return Tick::Reloaded;
    }
    // A program left open overnight must record the morning's books on the morning's row.
    保存操作();
    day_.TodayKey = todayKey();
    day_.CurrentSlot = 0;
    day_.CurrentBookDigits.clear();
    day_.CurrentCode.clear();
    当天数据环境生成();
    emit turnedOver();
    return Tick::TurnedOver;
}

void WorkingDay::switchToDay(const QString &key)
{
    // Leaving a day that could not be stored would lose its scans: it stays current.
    保存操作();
    day_.HistoryDayChosen = 1;
    day_.CurrentDateKey = key;
    emit daySwitched();
    当天数据环境生成();
}

void WorkingDay::showBook(const QString &classDigit, const QString &bookDigits)
{
    day_.ShownClass = classDigit == QLatin1String("2") && classes().contains(2) ? 2 : 1;
    day_.CurrentBookDigits = bookDigits.size() == 1 ? QLatin1Char('0') + bookDigits : bookDigits;
    day_.CurrentSlot = tracking::取得记录表中的顺序号(classDigit + bookDigits);
    emit shownChanged();
}

void WorkingDay::showClass(int classNumber)
{
    day_.ShownClass = classes().contains(classNumber) ? classNumber : 1;
    emit shownChanged();
}

tracking::StatusView WorkingDay::status() const
{
    return tracking::statusView(day_, master_.records(), shownClass(), day_.CurrentBookDigits);
}

QString WorkingDay::caption(const QString &classDigit, const QString &bookDigits) const
{
    return tracking::取得相应班级相应本子编号的作业本名称和内容(day_, master_.records(), classDigit, bookDigits);
}

QList<tracking::TodayButton> WorkingDay::todaysHomework()
{
    const QList<tracking::TodayButton> buttons = tracking::todaysHomework(day_, master_.records());
    for (int n = 1; n <= int(buttons.size()); ++n)
        day_.TodaySlots[n] = buttons[n - 1].slot;
    return buttons;
}

ScanResult WorkingDay::scan(const QString &typed)
{
    const tracking::CheckedCode checked =
        tracking::checkBookCode(typed, day_.CurrentBookDigits, day_.ShownClass, master_.records());
    if (checked.check != tracking::CodeCheck::Accepted)
        return {ScanResult::Kind::Refused, tracking::codeMessage(checked.check), sound::ScanOutcome::Refused};
    day_.CurrentCode = checked.code;
    return 自动输入();
}

ScanResult WorkingDay::自动输入()
{
    const QString code = day_.CurrentCode;
    const int classNumber = code.at(1) == QLatin1Char('2') ? 2 : 1;
    const int slot = tracking::取得记录表中的顺序号(code.mid(1, 3));
    day_.CurrentSlot = slot;
    const int pupil = store::integerValue(code.right(2));
    if (!run_.writable())
        return {ScanResult::Kind::WritesClosed, RunState::writesClosedMessage(), sound::ScanOutcome::Refused};
    core::ClassDay &records = day_.Classes[classNumber];
    if (records.HomeworkContent[slot].isEmpty())
        return {ScanResult::Kind::NoHomework, QStringLiteral("请选择相应的作业才可输入！"), sound::ScanOutcome::NoHomework};

    const QString markBefore = records.MarkGrid[slot][pupil];
    const int flagBefore = records.ExcellentClosed[slot];
    const tracking::ExcellentPanel panel = tracking::recordScan(records, slot, pupil);
    // The scan is shown only once it is stored; a failed save leaves memory as the file has it.
    // Only the scanned class changed, so only its rows are written.
    try {
        db_.保存操作(day_, {classNumber});
    } catch (const store::DatabaseError &error) {
        records.MarkGrid[slot][pupil] = markBefore;
        records.ExcellentClosed[slot] = flagBefore;
        return {ScanResult::Kind::SaveFailed, error.message(), std::nullopt};
    }
    const QString markAfter = records.MarkGrid[slot][pupil];
    if (markAfter != markBefore)
        markHistory_.record({day_.CurrentDateKey, classNumber, slot, pupil, markBefore});
    showBook(code.mid(1, 1), code.mid(2, 2));
    return {ScanResult::Kind::Recorded, {}, sound::recordedOutcome(markBefore, markAfter), panel};
}

// Stored as a scan is, or memory goes back to what the file holds.
void WorkingDay::setMark(int classNumber, int slot, int pupil, const QString &mark)
{
    QString &cell = day_.Classes[classNumber].MarkGrid[slot][pupil];
    const QString before = cell;
    cell = mark;
    try {
        db_.保存操作(day_, {classNumber});
    } catch (const store::DatabaseError &) {
        day_.Classes[classNumber].MarkGrid[slot][pupil] = before;
        throw;
    }
}

bool WorkingDay::correctMark(int pupil, const QString &mark)
{
    const int slot = store::integerValue(day_.CurrentBookDigits);
    const int classNumber = day_.ShownClass;
    if (slot < 1 || slot > kBooks || pupil < 1 || pupil > master_.records().roll(classNumber))
        return false;
    refuseWhenClosed(run_);
    const QString before = day_.Classes[classNumber].MarkGrid[slot][pupil];
    if (before == mark)
        return false;
    setMark(classNumber, slot, pupil, mark);
    markHistory_.record({day_.CurrentDateKey, classNumber, slot, pupil, before});
    showBook(shownClass(), day_.CurrentBookDigits);
    return true;
}

bool WorkingDay::undo()
{
    if (!run_.writable())
        return false;
    const std::optional<tracking::MarkChange> change = markHistory_.takeLatest(day_.CurrentDateKey, day_.ShownClass);
    if (!change)
        return false;
    try {
        setMark(change->classNumber, change->slot, change->pupil, change->before);
    } catch (const store::DatabaseError &) {
        markHistory_.record(*change);
        throw;
    }
    showBook(QString::number(change->classNumber), store::twoDigits(change->slot));
    return true;
}

tracking::Publication WorkingDay::publish(int slot, const QString &date, const QString &content,
                                          const QString &testNumber, const QList<int> &forClasses)
{
    const tracking::Publication result =
        tracking::publishTask(db_, master_.records().SubjectTestBooks, slot, date, content, testNumber, forClasses);
    if (result == tracking::Publication::Published && date == day_.CurrentDateKey)
        for (int classNumber : forClasses)
            day_.Classes[classNumber].HomeworkContent[slot] = content;
    return result;
}

void WorkingDay::markedInStore(int book, const QList<int> &pupilsOfShownDay)
{
    // Test papers are the first class's.
    for (int pupil : pupilsOfShownDay)
        day_.Classes[1].MarkGrid[book][pupil] = QStringLiteral("1");
}

} // namespace core
