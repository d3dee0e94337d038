#pragma once

#include "state/MainState.h"
#include "store/DateKey.h"

#include <QStringList>

namespace store {
class HomeworkDb;
}

namespace tracking {

// The working day in memory: which day it is, its contents, marks and excellent-phase flags.
class DayRecords {
public:
    DayRecords(store::HomeworkDb &db, core::MainState &state, const store::Clock &clock);

    QString todayKey() const;

    // Fixes the day (today unless a day was picked from history), loads the class names,
    // creates both day rows when the day is new, and reads its contents and marks.
    void 当天数据环境生成();
    // Marks and flags of the current day as stored.
    void 当天记录读入数组();
    // The refresh tick: contents, marks and flags of the current day, without redrawing.
    void reload();

private:
    void 新的一天记录输入();
    void readContents();
    void loadPupilNames();

    store::HomeworkDb &db_;
    core::MainState &state_;
    const store::Clock &clock_;
};

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

// Makes the book current and works out the status area for it.
StatusView 显示(core::MainState &state, const QString &classDigit, const QString &bookDigits);

} // namespace tracking
