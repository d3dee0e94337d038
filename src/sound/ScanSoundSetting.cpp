#include "sound/ScanSoundSetting.h"

#include "store/Database.h"

namespace sound {

namespace {

void addTableWhenMissing(store::Database &db)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"ScanSounds\" (\"SoundsOn\" INTEGER NOT NULL DEFAULT 1)"));
    db.exec(QStringLiteral("INSERT INTO \"ScanSounds\" SELECT 1 WHERE NOT EXISTS (SELECT * FROM \"ScanSounds\")"));
}

} // namespace

bool loadScanSoundsOn(store::Database &db)
{
    store::Transaction transaction(db);
    addTableWhenMissing(db);
    store::Statement row = db.prepare(QStringLiteral("SELECT \"SoundsOn\" FROM \"ScanSounds\" ORDER BY rowid LIMIT 1"));
    row.step();
    const bool on = row.integer(0) != 0;
    row.reset();
    transaction.commit();
    return on;
}

void saveScanSoundsOn(store::Database &db, bool on)
{
    store::Transaction transaction(db);
    addTableWhenMissing(db);
    db.prepare(QStringLiteral("UPDATE \"ScanSounds\" SET \"SoundsOn\" = ?")).bind(1, on ? 1 : 0).run();
    transaction.commit();
}

} // namespace sound
