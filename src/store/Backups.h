#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace store {

class Database;

// Why a copy was made; the text goes into its file name.
enum class BackupReason { Daily, BeforeClearing, BeforePupilImport, BeforeNameImport, BeforeRestore };

// What a copy's name says, and its file time.
struct BackupInfo {
    QString path;
    QDate date;
    QString reason;
    // 2 for "…(2).mdb", the second copy of that day and reason.
    int copy = 1;
    // Copying a folder gives every file the time of copying: never the copy's date.
    QDateTime written;
};

// What a copy holds.
struct BackupDetails {
    int schoolDays = 0;
    QString lastDay;
};

// Copies of the database in the folder "备份" of the program folder, each encrypted with the
// file's own key: one on the first start of each day (the 30 newest kept) and one before every
// action that replaces records wholesale (all kept).
class Backups {
public:
    explicit Backups(const QString &programFolder);

    QString folder() const;
    // Returns the copy's path; the copy is written whole or not at all. Throws DatabaseError,
    // worded for the teacher, when it cannot be written.
    QString make(Database &db, BackupReason reason, const QDate &date);
    // A daily copy unless one of that date exists; then the dailies beyond the 30 newest go.
    // True when a copy was made.
    bool makeDaily(Database &db, const QDate &today);
    // No daily copy of that date yet: whether makeDaily would make one.
    bool dailyDue(const QDate &today) const;
    // Newest first, from the names alone: no copy is opened, so a thousand list at once.
    QList<BackupInfo> list() const;
    // The newest copy that passes inspect.
    std::optional<BackupInfo> newestUsable() const;

    // Opening a copy derives its key, tens of milliseconds: read the details of the chosen copy
    // only, or off the window's thread. Throws DatabaseError, worded for the teacher.
    static BackupDetails details(const QString &path);
    // Checks a copy whole before it may replace the records: the file's key, every page's
    // integrity and this program's tables and columns, as a start-up checks the database; then
    // reads its details. Throws DatabaseError, worded for the teacher, naming what is wrong.
    static BackupDetails inspect(const QString &path);

    static constexpr int kDailyKept = 30;

private:
    // The daily copies, newest first.
    QList<BackupInfo> dailies() const;

    QString programFolder_;
};

} // namespace store
