#pragma once


#include <QString>
#include <array>

namespace store {
class Database;
}

namespace exams {

// The leading number of each box, stored as the test-book slots of 语文..科学 and returned;
// any number is kept as typed.
std::array<int, 4> storeTestBooks(store::Database &db, const std::array<QString, 4> &boxes);

// Every score table gets exactly the first class's names in pupil order and no scores.
// The names are read before anything is deleted, and the four tables change together or not at all.
void 姓名导入学科(store::Database &db);

} // namespace exams
