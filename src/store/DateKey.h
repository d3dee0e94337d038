#pragma once

#include <QDate>
#include <QString>

namespace store {

// The key of a school day: two-digit year, month and day unpadded (2014-05-17 gives 14-5-17),
// the same whatever the locale's short-date format.
QString dateKey(const QDate &date);

// "20" before the key, as the day is shown to the teacher.
QString displayedDate(const QString &key);

// A scratch row's key begins with "88"; such rows are never school days.
bool isScratchKey(const QString &key);

struct DateParts {
    int year = 0;
    int month = 0;
    int day = 0;
};

// 14-5-17 gives 14, 5 and 17.
DateParts 把年月日进行拆分(const QString &key);

// Today's date, injectable so that tests can choose the day.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const { return QDate::currentDate(); }
};

} // namespace store
