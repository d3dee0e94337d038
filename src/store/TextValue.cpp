#include "store/TextValue.h"

#include <cmath>
#include <limits>

namespace store {

double numericValue(const QString &text)
{
    int i = 0;
    const int n = int(text.size());
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    double value = 0;
    while (i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        value = value * 10 + (text[i++].unicode() - '0');
    if (i < n && text[i] == QLatin1Char('.')) {
        double scale = 0.1;
        for (++i; i < n && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i, scale /= 10)
            value += (text[i].unicode() - '0') * scale;
    }
    return negative ? -value : value;
}

int integerValue(const QString &text)
{
    const double value = std::trunc(numericValue(text));
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return int(value);
}

QString twoDigits(int number)
{
    return number < 10 ? QLatin1Char('0') + QString::number(number) : QString::number(number);
}

} // namespace store
