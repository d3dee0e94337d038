#include "state/RememberedHomework.h"

#include "store/HomeworkDb.h"
#include "tracking/RememberedLists.h"

namespace core {

RememberedHomework::RememberedHomework(store::HomeworkDb &db, QObject *parent) : QObject(parent), db_(db) {}

void RememberedHomework::load()
{
    db_.最近打开作业导入(RecentShown);
    db_.最新输入作业导入(LatestEntered);
    emit changed();
}

void RememberedHomework::save()
{
    db_.最近打开作业保存(RecentShown);
    db_.最新输入作业保存(LatestEntered);
}

void RememberedHomework::rememberShown(const DayState &day, const QString &classDigit, const QString &slotText,
                                       const QString &caption)
{
    tracking::rememberShownHomework(RecentShown, day, classDigit, slotText, caption);
    emit changed();
}

void RememberedHomework::bringRecentToFront(int n)
{
    tracking::moveToFront(RecentShown, n);
    emit changed();
}

void RememberedHomework::addPublished(const RememberedEntry &entry)
{
    tracking::往下移一行(LatestEntered, kLatestLast, 5);
    LatestEntered[0] = entry;
    tracking::往下移一行(RecentShown, kRecentLast, 5);
    RecentShown[0] = entry;
    emit changed();
}

} // namespace core
