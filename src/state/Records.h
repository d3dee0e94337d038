#pragma once

#include <QString>

#include <array>

namespace core {

inline constexpr int kBooks = 32;
inline constexpr int kPupils = 50;

// The master data loaded at start-up; changed only through MasterData.
struct MasterRecords {
    std::array<QString, 3> ClassNames{};
    std::array<int, 3> ClassSizes{};
    // Books 1..32.
    std::array<QString, 34> BookNames{};
    // The test book of 语文, 数学, 英语, 科学 (1..4).
    std::array<int, 5> SubjectTestBooks{};
    // 1 when book b is shown under subject row s.
    std::array<std::array<int, kBooks + 1>, 6> SubjectBookFlags{};
    // Rows 1 and 2: the pupils of each class by number.
    std::array<std::array<QString, 61>, 3> PupilNames{};

    // The pupils of a class the day's marks can hold: at most fifty.
    int roll(int classNumber) const;
};

// One class's records of the day being worked on.
struct ClassDay {
    // Rows 1..32: the state character of pupil n (column) for book i (row).
    std::array<std::array<QString, kPupils + 1>, kBooks + 1> MarkGrid{};
    std::array<QString, kBooks + 1> HomeworkContent{};
    std::array<int, kBooks + 1> ExcellentClosed{};
    std::array<int, kBooks + 1> ExcellentClosedAtLoad{};
};

// The day being worked on; changed only through WorkingDay.
struct DayState {
    QString TodayKey;
    QString CurrentDateKey;
    int HistoryDayChosen = 0;
    int CurrentSlot = 0;
    QString CurrentBookDigits;
    QString CurrentCode;
    // The class the status area shows, 1 or 2.
    int ShownClass = 1;
    // Entries 1 and 2 by class; the second holds nothing while that class has no pupils.
    std::array<ClassDay, 3> Classes{};
    // The slot shown on each of today's homework buttons 1..16.
    std::array<int, 17> TodaySlots{};

    const ClassDay &shown() const { return Classes[ShownClass]; }
};

// One remembered homework: fields 1 day key, 2 class digit, 3 slot, 4 the three joined, 5 caption.
using RememberedEntry = std::array<QString, 6>;
// Entries 0..20; the recent list shows 0..10, the latest-entered list 0..7.
using RememberedList = std::array<RememberedEntry, 21>;

inline constexpr int kRecentLast = 10;
inline constexpr int kLatestLast = 7;

// Rows 1..100 by test number: column 1 the number as text, column 2 the content.
using TestList = std::array<std::array<QString, 3>, 101>;

} // namespace core
