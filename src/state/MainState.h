#pragma once

#include <QString>

#include <array>

namespace core {

inline constexpr int kBooks = 32;
inline constexpr int kPupils = 50;
inline constexpr int kFirstClassNamesRow = 33;

// One remembered homework: fields 1 day key, 2 class digit, 3 slot, 4 the three joined, 5 caption.
using RememberedEntry = std::array<QString, 6>;
// Entries 0..20; the recent list shows 0..10, the latest-entered list 0..7.
using RememberedList = std::array<RememberedEntry, 21>;

inline constexpr int kRecentLast = 10;
inline constexpr int kLatestLast = 7;

// Everything the main window holds for one run; indices as the tables and codes number them.
struct MainState {
    QString TodayKey;
    QString CurrentDateKey;
    int HistoryDayChosen = 0;
    int CurrentSlot = 0;
    QString CurrentBookDigits;
    QString CurrentCode;
    // Rows 1..32 the marks of book i by pupil; rows 33 and 34 the names of the two classes.
    std::array<std::array<QString, kPupils + 1>, 35> MarkGrid{};
    std::array<std::array<QString, 61>, 3> PupilNames{};
    std::array<QString, kBooks + 1> HomeworkContent{};
    std::array<int, kBooks + 1> ExcellentClosed{};
    std::array<int, kBooks + 1> ExcellentClosedAtLoad{};
    std::array<QString, 3> ClassNames{};
    std::array<int, 3> ClassSizes{};
    std::array<QString, 34> BookNames{};
    std::array<int, 5> SubjectTestBooks{};
    std::array<std::array<int, kBooks + 1>, 6> SubjectBookFlags{};
    RememberedList RecentShown{};
    RememberedList LatestEntered{};
    int RestartPending = 0;
    int DataCleared = 0;

    // The slot shown on each of today's homework buttons 1..16.
    std::array<int, 17> TodaySlots{};
    int CurrentSubject = 0; // 1 语文 .. 4 科学, last chosen for the main window's book query
    int AdminFunction = 0;
    int SelectedTestSubject = 0;
    // Rows 1..100 by test number: column 1 the number as text, column 2 the content.
    std::array<std::array<QString, 3>, 101> TestList{};
};

} // namespace core
