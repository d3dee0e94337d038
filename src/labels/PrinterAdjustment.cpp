#include "labels/PrinterAdjustment.h"

#include "store/Database.h"

namespace labels {

namespace {

void addTableWhenMissing(store::Database &db)
{
    db.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS \"LabelPrinting\" (\"OffsetAcross\" REAL NOT NULL DEFAULT 0, "
                           "\"OffsetDown\" REAL NOT NULL DEFAULT 0, \"CutBorders\" INTEGER NOT NULL DEFAULT 0)"));
    db.exec(QStringLiteral("INSERT INTO \"LabelPrinting\" SELECT 0, 0, 0 WHERE NOT EXISTS (SELECT * FROM \"LabelPrinting\")"));
}

} // namespace

PrinterAdjustment loadPrinterAdjustment(store::Database &db)
{
    store::Transaction transaction(db);
    addTableWhenMissing(db);
    store::Statement row = db.prepare(QStringLiteral(
        "SELECT \"OffsetAcross\", \"OffsetDown\", \"CutBorders\" FROM \"LabelPrinting\" ORDER BY rowid LIMIT 1"));
    row.step();
    const PrinterAdjustment adjustment{row.number(0), row.number(1), row.integer(2) != 0};
    row.reset();
    transaction.commit();
    return adjustment;
}

void savePrinterAdjustment(store::Database &db, const PrinterAdjustment &adjustment)
{
    store::Transaction transaction(db);
    addTableWhenMissing(db);
    db.prepare(QStringLiteral("UPDATE \"LabelPrinting\" SET \"OffsetAcross\" = ?, \"OffsetDown\" = ?, \"CutBorders\" = ?"))
        .bind(1, adjustment.across)
        .bind(2, adjustment.down)
        .bind(3, adjustment.cutBorders ? 1 : 0)
        .run();
    transaction.commit();
}

} // namespace labels
