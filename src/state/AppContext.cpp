#include "state/AppContext.h"
#include "store/DateKey.h"

#include "admin/AdminStore.h"
#include "sound/ScanSoundSetting.h"
#include "state/ExamSession.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/RunState.h"
#include "state/WorkingDay.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"

namespace core {

AppContext::AppContext(const QString &programFolder, const store::Clock &clock, QObject *parent)
    : QObject(parent), programFolder_(programFolder), lock_(programFolder), clock_(clock),
      opening_(std::async(std::launch::async, [programFolder] {
          auto db = std::make_unique<store::HomeworkDb>(programFolder);
          // Files from before the second class had its own days get its tables here, off the window's thread.
          store::addSecondClassTables(db->database());
          return db;
      }))
{
}

AppContext::~AppContext()
{
    finishDailyBackup();
    // Owners refer to each other and to the database: the users go first.
    exams_.reset();
    remembered_.reset();
    day_.reset();
    master_.reset();
    run_.reset();
    if (opening_.valid())
        opening_.wait();
}

void AppContext::open()
{
    // The connection is used by this thread alone once it is open.
    db_ = opening_.get();
    run_ = std::make_unique<RunState>(db_->database());
    master_ = std::make_unique<MasterData>(*db_);
    day_ = std::make_unique<WorkingDay>(*db_, *master_, *run_, clock_);
    remembered_ = std::make_unique<RememberedHomework>(*db_);
    exams_ = std::make_unique<ExamSession>(*db_, *master_, *day_);
}

void AppContext::startDailyBackup()
{
    // A copy still under way (midnight right after the start) finishes first: the next may be due.
    finishDailyBackup();
    const QString file = store::HomeworkDb::filePath(programFolder_);
    dailyBackup_ = std::async(std::launch::async, [this, file, folder = programFolder_, today = clock_.today()] {
        try {
            // Deriving the key costs more than the rest of the start: only when a copy is due.
            store::Backups backups(folder);
            if (!backups.dailyDue(today))
                return;
            store::Database source = store::Database::openReadOnly(file, store::databaseKey());
            backups.makeDaily(source, today);
        } catch (const store::DatabaseError &error) {
            QMetaObject::invokeMethod(this, [this, message = error.message()] { emit dailyBackupFailed(message); },
                                      Qt::QueuedConnection);
        }
    });
}

void AppContext::finishDailyBackup()
{
    if (dailyBackup_.valid())
        dailyBackup_.wait();
}

QString AppContext::backUp(store::BackupReason reason)
{
    return store::Backups(programFolder_).make(db_->database(), reason, clock_.today());
}

void AppContext::restore(const QString &copyPath)
{
    store::Database copy = store::Database::openReadOnly(copyPath, store::databaseKey());
    db_->database().restoreFrom(copy);
    run_->recordsReplaced(QStringLiteral("数据已恢复，请重启软件！"));
}

void AppContext::clearRecords()
{
    admin::数据清空(db_->database());
    run_->recordsReplaced(QStringLiteral("有关数据已清除，请重启软件！"));
}

bool AppContext::scanSoundsOn() { return sound::loadScanSoundsOn(db_->database()); }

void AppContext::setScanSoundsOn(bool on) { sound::saveScanSoundsOn(db_->database(), on); }

labels::PrinterAdjustment AppContext::labelAdjustment() { return labels::loadPrinterAdjustment(db_->database()); }

void AppContext::setLabelAdjustment(const labels::PrinterAdjustment &adjustment)
{
    labels::savePrinterAdjustment(db_->database(), adjustment);
}

} // namespace core
