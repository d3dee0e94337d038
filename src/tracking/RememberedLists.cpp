#include "tracking/RememberedLists.h"

#include "store/TextValue.h"

#include <algorithm>

namespace tracking {

void 往下移一行(core::RememberedList &list, int last, int fields)
{
    last = std::min(last, int(list.size()) - 2);
    for (int e = last; e >= 0; --e)
        for (int f = 1; f <= fields; ++f)
            list[e + 1][f] = list[e][f];
}

RecentPosition 验证最近显示作业数组中是否存在相同的所选作业(const core::RememberedList &recentShown,
                                                           const core::DayState &day, const QString &classDigit,
                                                           const QString &slotText)
{
    const QString key = day.CurrentDateKey + classDigit + slotText;
    for (int e = 0; e <= core::kRecentLast; ++e)
        if (recentShown[e][4] == key)
            return {true, e};
    return {};
}

void rememberShownHomework(core::RememberedList &recentShown, const core::DayState &day, const QString &classDigit,
                           const QString &slotText, const QString &caption)
{
    const RecentPosition position = 验证最近显示作业数组中是否存在相同的所选作业(recentShown, day, classDigit, slotText);
    if (day.HistoryDayChosen == 1)
        往下移一行(recentShown, position.present ? position.entry - 1 : core::kRecentLast, 5);
    recentShown[0] = {QString(), day.CurrentDateKey, classDigit, slotText, day.CurrentDateKey + classDigit + slotText,
                      caption};
}

void moveToFront(core::RememberedList &list, int n)
{
    const core::RememberedEntry picked = list[n];
    往下移一行(list, n - 1, 5);
    list[0] = picked;
}

QList<TodayButton> todaysHomework(const core::DayState &day, const core::MasterRecords &master)
{
    QList<TodayButton> buttons;
    const core::ClassDay &shown = day.shown();
    const int roll = master.roll(day.ShownClass);
    for (int slot = 1; slot <= core::kBooks && buttons.size() < 16; ++slot) {
        if (shown.HomeworkContent[slot].isEmpty())
            continue;
        int missing = 0;
        for (int k = 1; k <= roll; ++k)
            missing += store::numericValue(shown.MarkGrid[slot][k]) == 0 ? 1 : 0;
        buttons.append({slot, QStringLiteral("%1、%2(%3)   未交：%4人")
                                  .arg(QString::number(slot), master.BookNames[slot], shown.HomeworkContent[slot],
                                       QString::number(missing))});
    }
    return buttons;
}

QString rememberedCaption(const core::RememberedEntry &entry, const core::MasterRecords &master)
{
    if (entry[5].isEmpty() || master.roll(2) == 0)
        return entry[5];
    const int classNumber = entry[2] == QLatin1String("2") ? 2 : 1;
    return master.ClassNames[classNumber] + QStringLiteral("班 ") + entry[5];
}

} // namespace tracking
