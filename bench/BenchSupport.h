#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace bench {

inline constexpr int kPupils = 50;

// 50 pupils in each class, 32 named books and `days` school days ending yesterday; contents(day,
// slot) empty leaves the slot without homework, missed(day, slot, pupil) says who did not hand it
// in. A second class gets the same days in its own tables.
void fillDatabase(const QString &folder, int days, const std::function<QString(int, int)> &contents,
                  const std::function<bool(int, int, int)> &missed, int classes = 1);

double median(std::vector<double> values);
double percentile99(std::vector<double> values);

} // namespace bench
