#pragma once

#include "state/MainState.h"

#include <QString>
#include <array>

namespace store {
class Database;
}

namespace exams {

// The leading number of each box, stored as the test-book slots of 语文..科学 and, once
// stored, taken into SubjectTestBooks; any number is kept as typed.
void storeTestBooks(store::Database &db, core::MainState &state, const std::array<QString, 4> &boxes);

// Every score table gets exactly the first class's names in pupil order and no scores.
// The names are read before anything is deleted, and the four tables change together or not at all.
void 姓名导入学科(store::Database &db);

} // namespace exams
