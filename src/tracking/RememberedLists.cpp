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

RecentPosition 验证最近显示作业数组中是否存在相同的所选作业(const core::MainState &state, const QString &classDigit,
                                                           const QString &slotText)
{
    const QString key = state.CurrentDateKey + classDigit + slotText;
    for (int e = 0; e <= core::kRecentLast; ++e)
        if (state.RecentShown[e][4] == key)
            return {true, e};
    return {};
}

void rememberShownHomework(core::MainState &state, const QString &classDigit, const QString &slotText,
                           const QString &caption)
{
    const RecentPosition position = 验证最近显示作业数组中是否存在相同的所选作业(state, classDigit, slotText);
    if (state.HistoryDayChosen == 1)
        往下移一行(state.RecentShown, position.present ? position.entry - 1 : core::kRecentLast, 5);
    state.RecentShown[0] = {QString(), state.CurrentDateKey, classDigit, slotText,
                            state.CurrentDateKey + classDigit + slotText, caption};
}

void moveToFront(core::RememberedList &list, int n)
{
    const core::RememberedEntry picked = list[n];
    往下移一行(list, n - 1, 5);
    list[0] = picked;
}

QList<TodayButton> todaysHomework(core::MainState &state)
{
    QList<TodayButton> buttons;
    const int roll = std::min(state.ClassSizes[1], core::kPupils);
    for (int slot = 1; slot <= core::kBooks && buttons.size() < 16; ++slot) {
        if (state.HomeworkContent[slot].isEmpty())
            continue;
        int missing = 0;
        for (int k = 1; k <= roll; ++k)
            missing += store::numericValue(state.MarkGrid[slot][k]) == 0 ? 1 : 0;
        buttons.append({slot, QStringLiteral("%1、%2(%3)   未交：%4人")
                                  .arg(QString::number(slot), state.BookNames[slot], state.HomeworkContent[slot],
                                       QString::number(missing))});
        state.TodaySlots[buttons.size()] = slot;
    }
    return buttons;
}

} // namespace tracking
