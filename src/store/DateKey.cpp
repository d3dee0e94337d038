#include "store/DateKey.h"

#include "store/TextValue.h"

namespace store {

QString dateKey(const QDate &date)
{
    return QStringLiteral("%1-%2-%3").arg(twoDigits(date.year() % 100)).arg(date.month()).arg(date.day());
}

QString displayedDate(const QString &key) { return QStringLiteral("20") + key; }

bool isScratchKey(const QString &key) { return key.startsWith(QStringLiteral("88")); }

DateParts 把年月日进行拆分(const QString &key)
{
    const qsizetype first = key.indexOf(QLatin1Char('-'));
    const qsizetype second = first < 0 ? -1 : key.indexOf(QLatin1Char('-'), first + 1);
    DateParts parts;
    if (first < 0 || second < 0) {
        parts.year = integerValue(key);
        return parts;
    }
    parts.year = integerValue(key.left(first));
    parts.month = integerValue(key.mid(first + 1, second - first - 1));
    parts.day = integerValue(key.mid(second + 1));
    return parts;
}

} // namespace store
