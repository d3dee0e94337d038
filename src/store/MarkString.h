#pragma once

#include <QString>

#include <array>

namespace store {

inline constexpr int kMaxMarkCells = 50;
using MarkRow = std::array<QString, kMaxMarkCells + 1>; // cells 1..50

// Pupil number as two digits and its state per cell, up to the last marked pupil, then "。".
// A gap inside the roll is written as "0", so a later pupil's mark is never cut off.
QString encodeMarks(const MarkRow &row);

// Reads at most 50 cells; stops at "。" or the end of the text (a null column gives no cell).
// Pupils of the class the text does not reach read as not handed in, never as another day's mark.
void decodeMarks(const QString &text, MarkRow &row, int classSize);

// The new day's string: every pupil of the class not handed in.
QString newDayMarks(int classSize);

} // namespace store
