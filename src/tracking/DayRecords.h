#pragma once

#include "state/Records.h"

#include <QStringList>

namespace store {
class HomeworkDb;
}

namespace tracking {

// The rows of the current day of one class (1 or 2) in the store; roll is the number of the class's
// pupils the marks hold.

// Creates both day rows when the day is new, and reads its contents and marks.
void 当天数据环境生成(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll);
// Marks and flags of the current day as stored.
void 当天记录读入数组(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll);
// The refresh tick: contents, marks and flags of the current day.
void reloadDay(store::HomeworkDb &db, core::DayState &day, int classNumber, int roll);

// What the status area shows for one class and book.
struct StatusView {
    QStringList missingPupils; // "7：name"
    QStringList handedInPupils; // "7：name", "7：name  优" for an excellent one
    QString handedIn;
    QString notHandedIn;
    QString date;
    QString className;
    QString homework;
};

// Characters 2-3 of a class digit and two book digits: the slot.
int 取得记录表中的顺序号(const QString &classAndBook);

// The status area for the shown book of a class.
StatusView statusView(const core::DayState &day, const core::MasterRecords &master, const QString &classDigit,
                      const QString &bookDigits);

} // namespace tracking
