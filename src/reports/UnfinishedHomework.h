#pragma once

#include "state/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace store {
class HomeworkDb;
}

namespace reports {

// The sizes of the gathering's tables: what does not fit is left out and told.
inline constexpr int kDayRows = 150;
inline constexpr int kItems = 400;
inline constexpr int kTablePupils = 60;
inline constexpr int kListItems = 200;
inline constexpr int kRowItems = 50;
inline constexpr int kWorkbookRows = 60;

// Which pupils and days a gathering covers.
enum ListModes { ByName = 4, WholeRecordExport = 5, TodayExport = 6 };
enum RangeModes { AllDays = 1, TodayOnly = 2 };
enum NameStyles { CountedLabel = 1, PlainLabel = 2 };

// One day as both day tables hold it: fields 1..32 by slot.
struct DayRow {
    QString date;
    std::array<QString, core::kBooks + 1> contents{};
    std::array<QString, core::kBooks + 1> marks{};
};

// A row of CompleteList or UnfinishedList: the pupil's label and the items, each beginning with
// the two slot digits.
struct PupilRow {
    QString label;
    QStringList items;
};

// Everything one run of the gathering, the by-name list and the exports keep between clicks.
struct ExportState {
    int ListMode = 0;
    int RangeMode = 0;
    int NameStyle = 0;
    int ItemCounter = 0;
    int ExportedRowCounter = 0;
    std::array<int, core::kBooks + 1> SlotFilter{};
    int SelectedClass = 0;

    QList<DayRow> days;
    // Rows 0..60 by pupil number; column 0 the name, columns 1..400 the items.
    std::vector<std::vector<QString>> UnfinishedTable;
    QList<PupilRow> CompleteList;
    QList<PupilRow> UnfinishedList;
    // What the limits kept out of the latest gathering and export, worded for the teacher.
    QStringList leftOut;

    void emptyTables();
    void flagAllSlots();
};

// Day rows of the range, in date-key text order; nulls in the contents are stored back as ''.
// Scratch rows and days without any content are left out.
void 把实际的完成情况导入数组(store::HomeworkDb &db, const core::MasterRecords &master, const QString &todayKey,
                                    ExportState &run);
void 校迅通导出文件的原始数组生成(ExportState &run, int pupils, const QString &bookName, const QString &content,
                                   const QString &markString, const QString &slotDigits);
void 把校迅通导入文件数组的内容逼空(ExportState &run, const core::MasterRecords &master);
void 把校迅通文件原始数组拆分成全部完成学生数组和未完成学生数组(ExportState &run);

// Empties the tables, then reads, squeezes and splits.
void gatherUnfinished(store::HomeworkDb &db, const core::MasterRecords &master, const QString &todayKey,
                                    ExportState &run);

// "07.王小明", with NameStyle 1 "07.王小明(3)" and "07.王  明(3)" for a two-character name.
QString pupilLabel(int number, const QString &name, int nameStyle, int count);

// The prepared workbooks, relative to the program folder.
QString completeWorkbook(int listMode);
QString unfinishedWorkbook(int listMode);

// The file of a class: the second class's carries its name ("全部完成学生名单-五(2)班.xls"), in
// the same folder as the first class's, which keeps its name.
QString ofClass(const QString &relativePath, const core::MasterRecords &master, int classNumber);

// The message to parents in B1; empty when that workbook keeps its own.
QString parentMessage(int listMode, const QString &relativePath, const QString &todayKey);

// The worksheet rows of one list from row 2: column A the name, B empty, C.. the first 50 items.
QList<QStringList> workbookRows(const QList<PupilRow> &list, QStringList &leftOut);

// "导出已完成20%，请耐心等待！" until every pupil is written, then "导出已完成!".
QString progressText(int exportedRows, int pupils);

} // namespace reports
