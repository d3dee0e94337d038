#pragma once

#include "labels/PrinterAdjustment.h"
#include "store/Backups.h"
#include "store/ProgramLock.h"

#include <QObject>

#include <future>
#include <memory>

namespace store {
class Clock;
class HomeworkDb;
}

namespace core {

class ExamSession;
class MasterData;
class RememberedHomework;
class RunState;
class WorkingDay;

// One run of the program on one program folder: its lock, its database, its clock and the owners
// of the run's state. Windows get the owners they need from here.
class AppContext : public QObject {
    Q_OBJECT
public:
    // Takes the folder's lock (throws store::ProgramFolderInUse) and starts opening the database
    // on another thread: deriving the file's key takes longer than building the main window.
    AppContext(const QString &programFolder, const store::Clock &clock, QObject *parent = nullptr);
    ~AppContext() override;

    // Waits for the database and makes the owners; throws store::DatabaseOpenError.
    void open();

    const QString &programFolder() const { return programFolder_; }
    store::HomeworkDb &db() { return *db_; }
    RunState &run() { return *run_; }
    MasterData &master() { return *master_; }
    WorkingDay &day() { return *day_; }
    RememberedHomework &remembered() { return *remembered_; }
    ExamSession &exams() { return *exams_; }

    // The first start of a day, and midnight, copy the database: on a thread of its own with a
    // connection of its own, so that the window shows as fast as on any other start. A failure
    // is told through dailyBackupFailed.
    void startDailyBackup();
    // Waits for the daily copy under way, if any.
    void finishDailyBackup();
    // A copy before an action that replaces records wholesale; gives its path.
    QString backUp(store::BackupReason reason);
    // The records are replaced by those of a copy; nothing more is written until the restart.
    void restore(const QString &copyPath);
    // Both day tables emptied and the links reset; nothing more is written until the restart.
    void clearRecords();

signals:
    void dailyBackupFailed(const QString &message);

public:
    bool scanSoundsOn();
    void setScanSoundsOn(bool on);
    labels::PrinterAdjustment labelAdjustment();
    void setLabelAdjustment(const labels::PrinterAdjustment &adjustment);

private:
    QString programFolder_;
    store::ProgramLock lock_;
    const store::Clock &clock_;
    std::future<std::unique_ptr<store::HomeworkDb>> opening_;
    std::unique_ptr<store::HomeworkDb> db_;
    std::unique_ptr<RunState> run_;
    std::unique_ptr<MasterData> master_;
    std::unique_ptr<WorkingDay> day_;
    std::unique_ptr<RememberedHomework> remembered_;
    std::unique_ptr<ExamSession> exams_;
    std::future<void> dailyBackup_;
};

} // namespace core
