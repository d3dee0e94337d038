#pragma once

namespace store {
class Database;
}

namespace sound {

// The teacher's choice lives in a one-row table; a file made before the table gets it, sounds on,
// the first time either is called.
bool loadScanSoundsOn(store::Database &db);
void saveScanSoundsOn(store::Database &db, bool on);

} // namespace sound
