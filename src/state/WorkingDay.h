#pragma once

#include "sound/ScanOutcome.h"
#include "state/Records.h"
#include "tracking/BookCode.h"
#include "tracking/DayRecords.h"
#include "tracking/HomeworkQueries.h"
#include "tracking/MarkHistory.h"
#include "tracking/RememberedLists.h"

#include <QObject>

#include <optional>

namespace store {
class Clock;
class HomeworkDb;
}

namespace core {

class MasterData;
class RunState;

// What one scan came to: what the teacher hears, and what the window shows.
struct ScanResult {
    enum class Kind { Recorded, Refused, WritesClosed, NoHomework, SaveFailed };
    Kind kind = Kind::Refused;
    // The refusal for the message panel, or the text of the message box.
    QString message;
    std::optional<sound::ScanOutcome> sound;
    tracking::ExcellentPanel panel = tracking::ExcellentPanel::Keep;
};

// Owns the day being worked on: which day and book are shown, the marks, contents and
// excellent-phase flags, and the undo history. Every change of the day is saved here, by
// 保存操作, before it is shown. Operations that write throw store::DatabaseError (WritesClosed
// once the records were replaced) and leave memory as the file has it.
class WorkingDay : public QObject {
    Q_OBJECT
public:
    WorkingDay(store::HomeworkDb &db, MasterData &master, RunState &run, const store::Clock &clock,
               QObject *parent = nullptr);

    const DayState &state() const { return day_; }
    // The key of the clock's date now, which may be past the start's TodayKey.
    QString todayKey() const;
    // The class digit of the shown class, "1" or "2".
    QString shownClass() const { return QString::number(day_.ShownClass); }
    // The classes the day covers: the first, and the second once it has pupils.
    QList<int> classes() const;

    // The latest stored day when the clock's date lies before it (a clock set back), else empty.
    QString storedDayAfterToday();
    // The start of a run: today, in normal mode.
    void start();
    // Fixes the day (today unless one was picked from history), creates its rows when new and
    // reads its contents and marks.
    void 当天数据环境生成();
    // Both rows of the current day.
    void 保存操作();

    enum class Tick { Reloaded, TurnedOver };
    // The refresh tick: a new date turns today over (not while a history day is shown), otherwise
    // the day is read again without anything being redrawn.
    Tick refresh();

    // Saves the current day, then works on the given day as a pick from history does. Nothing
    // changes when the save fails.
    void switchToDay(const QString &key);
    // Makes a book of the current day and a class the shown ones.
    void showBook(const QString &classDigit, const QString &bookDigits);
    // The other class, with the same book.
    void showClass(int classNumber);
    tracking::StatusView status() const;
    QString caption(const QString &classDigit, const QString &bookDigits) const;
    // The current day's homework buttons; their slots are kept for the clicks.
    QList<tracking::TodayButton> todaysHomework();

    // A code as typed or scanned into the code box; a code of the other class shows that class.
    ScanResult scan(const QString &typed);
    // Sets a pupil of the shown book; false when nothing changed.
    bool correctMark(int pupil, const QString &mark);
    // Takes back the last scan or correction of the current day; false when there is none.
    bool undo();

    tracking::Publication publish(int slot, const QString &date, const QString &content, const QString &testNumber,
                                  const QList<int> &forClasses = {1});
    // Test papers marked handed in straight in the store; the shown day's marks follow.
    void markedInStore(int book, const QList<int> &pupilsOfShownDay);

signals:
    // The status area must show the shown book again.
    void shownChanged();
    // Midnight passed: today is a new day with nothing shown.
    void turnedOver();
    // The current day was read, or created, from the store.
    void dayLoaded();
    // Another day was made current.
    void daySwitched();

private:
    ScanResult 自动输入();
    void setMark(int classNumber, int slot, int pupil, const QString &mark);

    store::HomeworkDb &db_;
    MasterData &master_;
    RunState &run_;
    const store::Clock &clock_;
    DayState day_;
    tracking::MarkHistory markHistory_;
};

} // namespace core
