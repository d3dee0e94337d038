#pragma once

#include "state/Records.h"

#include <QList>
#include <QString>

namespace tracking {

// Entries 0..last move one place back (entry e+1 takes entry e), freeing entry 0.
void 往下移一行(core::RememberedList &list, int last, int fields);

struct RecentPosition {
    bool present = false;
    int entry = core::kRecentLast; // where the entry stands, or the last place when absent
};

// Looks for the shown day's homework of this class and slot among the recent entries.
RecentPosition 验证最近显示作业数组中是否存在相同的所选作业(const core::RememberedList &recentShown,
                                                           const core::DayState &day, const QString &classDigit,
                                                           const QString &slotText);

// Puts the shown day's homework at the front of the recent list. Outside history mode the
// front entry is simply overwritten; in history mode the others move back and no duplicate stays.
void rememberShownHomework(core::RememberedList &recentShown, const core::DayState &day, const QString &classDigit,
                           const QString &slotText, const QString &caption);

// Moves entry n of a list to the front; the entries before it move back by one.
void moveToFront(core::RememberedList &list, int n);

struct TodayButton {
    int slot = 0;
    QString caption;
};

// The homework registered on the shown day for the shown class, at most 16 books, with the pupils
// still missing each.
QList<TodayButton> todaysHomework(const core::DayState &day, const core::MasterRecords &master);

// A remembered entry's button text: with two classes the class's name comes first.
QString rememberedCaption(const core::RememberedEntry &entry, const core::MasterRecords &master);

} // namespace tracking
