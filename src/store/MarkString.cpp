#include "store/MarkString.h"

#include "store/TextValue.h"

#include <algorithm>

namespace store {

namespace {
const QChar kTerminator(0x3002); // 。
}

QString encodeMarks(const MarkRow &row)
{
    int last = 0;
    for (int n = 1; n <= kMaxMarkCells; ++n)
        if (!row[n].isEmpty())
            last = n;
    QString text;
    text.reserve(last * 3 + 1);
    for (int n = 1; n <= last; ++n)
        text += twoDigits(n) + (row[n].isEmpty() ? QStringLiteral("0") : row[n].left(1));
    return text + kTerminator;
}

void decodeMarks(const QString &text, MarkRow &row, int classSize)
{
    int n = 1;
    for (; n <= kMaxMarkCells; ++n) {
        const qsizetype j = qsizetype(n - 1) * 3;
        if (j >= text.size() || text[j] == kTerminator || j + 2 >= text.size())
            break;
        row[n] = text[j + 2];
    }
    const int roll = std::clamp(classSize, 0, kMaxMarkCells);
    for (; n <= kMaxMarkCells; ++n)
        row[n] = n <= roll ? QStringLiteral("0") : QString();
}

QString newDayMarks(int classSize)
{
    MarkRow row;
    for (int n = 1; n <= std::min(classSize, kMaxMarkCells); ++n)
        row[n] = QStringLiteral("0");
    return encodeMarks(row);
}

} // namespace store
