#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

namespace store {

class Database;

// Why a copy was made; the text goes into its file name.
enum class BackupReason { Daily, BeforeClearing, BeforePupilImport, BeforeNameImport, BeforeRestore };

struct BackupInfo {
    QString path;
    QDate date;
    QString reason;
    QDateTime written;
    // From the copy itself; schoolDays is -1 when it cannot be read with the key.
    int schoolDays = -1;
    QString lastDay;
};

// Copies of the database in the folder "备份" of the program folder, each encrypted with the
// file's own key: one on the first start of each day (the 30 newest kept) and one before every
// action that replaces records wholesale (all kept).
class Backups {
public:
    explicit Backups(const QString &programFolder);

    QString folder() const;
    // Returns the copy's path. Throws DatabaseError, worded for the teacher, when it cannot be written.
    QString make(Database &db, BackupReason reason, const QDate &date);
    // A daily copy unless one of that date exists; then the dailies beyond the 30 newest go.
    // True when a copy was made.
    bool makeDaily(Database &db, const QDate &today);
    // Newest first.
    QList<BackupInfo> list() const;

    // Opens a copy read-only with the file's key and checks it holds this program's tables.
    // Throws DatabaseError, worded for the teacher, naming what is wrong.
    static BackupInfo inspect(const QString &path);

    static constexpr int kDailyKept = 30;

private:
    QString programFolder_;
};

} // namespace store
