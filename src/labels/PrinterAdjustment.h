#pragma once

#include <QPointF>

namespace store {
class Database;
}

namespace labels {

// How the labels meet the school's printer: everything printed shifted right and down by so many
// millimetres (negative: left and up), and thin cut lines round each label. The program has no
// settings file, so the choice lives in a one-row table that a file made before it gets, all
// zero, the first time either function is called.
struct PrinterAdjustment {
    double across = 0;
    double down = 0;
    bool cutBorders = false;

    QPointF offset() const { return {across, down}; }
    bool operator==(const PrinterAdjustment &) const = default;
};

PrinterAdjustment loadPrinterAdjustment(store::Database &db);
void savePrinterAdjustment(store::Database &db, const PrinterAdjustment &adjustment);

} // namespace labels
