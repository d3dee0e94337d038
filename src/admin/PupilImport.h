#pragma once

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
    // Column A of the workbook's active sheet from row 1 down to the first empty cell, at most
    // `rows` cells. Throws PupilListReadError.
    virtual QStringList readColumnA(const QString &path, int rows) = 0;
};

struct PupilImportResult {
    enum class Outcome { Imported, NoFirstName, TooMany, SharedNames, Unreadable };
    Outcome outcome = Outcome::Unreadable;
    // Why nothing was imported, for a message box; empty otherwise.
    QString refusal;
    int imported = 0;
};

QString pupilListPath(const QString &programFolder);

// Each name given to more than one pupil, with its rows: 王伟（第3、17行）.
QStringList sharedNames(const QStringList &names);

// Reads the pupil list of the first class and replaces 姓名 with it in one transaction;
// the table is left as it was unless the whole list was read and accepted. Scores are found by
// name, so a list in which two pupils share a name is refused.
PupilImportResult 导入班级姓名(store::Database &db, PupilListReader &reader, const QString &programFolder);

} // namespace admin
