#pragma once

#include <QString>

namespace store {

// The leading number of a text: blanks skipped, reading stops at the first character that
// cannot continue a number, no digits give 0 ("07" 7, "7a" 7, "ab" 0, " 3.5x" 3.5).
double numericValue(const QString &text);
int integerValue(const QString &text);

// "0" before single digits: 7 gives "07", 12 gives "12".
QString twoDigits(int number);

} // namespace store
