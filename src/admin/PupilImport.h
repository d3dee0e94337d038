#pragma once

#include "office/SpreadsheetAutomation.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <stdexcept>

namespace store {
class Database;
}

namespace admin {

inline constexpr int kClassRoom = 50;

// A workbook that could not be read, worded for the teacher.
class PupilListReadError : public std::runtime_error {
public:
    explicit PupilListReadError(const QString &message) : std::runtime_error(message.toStdString()), message_(message) {}
    QString message() const { return message_; }

private:
    QString message_;
};

class PupilListReader {
public:
    virtual ~PupilListReader() = default;
    // Column A of the workbook's active sheet from row 1 down to its last cell that is not empty,
    // each cell of the kind the workbook stores. Throws PupilListReadError.
    virtual QList<office::Cell> readColumnA(const QString &path) = 0;
};

// What the first step of an import found in a pupil list.
struct PupilList {
    enum class Outcome { Accepted, NoFirstName, TooMany, SharedNames, BadRows, Unreadable };
    Outcome outcome = Outcome::Unreadable;
    // When accepted: the names without surrounding blanks, in row order; row 1 is pupil number 1.
    QStringList names;
    // Why the list is refused and what to do, naming the file; empty when accepted and for
    // NoFirstName, which the restart notice tells.
    QString refusal;
};

// The first class's list "班级姓名.xls", the second's "班级姓名2.xls", in the program folder.
QString pupilListPath(const QString &programFolder, int classNumber = 1);

// Each name given to more than one pupil, with its rows: 王伟（第3、17行）.
QStringList sharedNames(const QStringList &names);

// First step: reads the list at path and checks it; nothing is written. A list is refused whole
// when the file is not an Excel 97 workbook, a row inside it is blank, a cell holds no text (a
// number, a date, an error) or a text with control characters, it holds more names than a class
// has room for, or two pupils share a name: scores are found by name.
PupilList readPupilList(PupilListReader &reader, const QString &path);

// Second step: the pupils of table (姓名 for the first class, 52姓名 for the second) become
// names, in one transaction. Throws store::DatabaseError; the table then stays as it was.
void replacePupils(store::Database &db, const QString &table, const QStringList &names);

// Told after a list was imported: 学生名单导入完成，共导入 40 名学生。
QString importedMessage(int count);

} // namespace admin
