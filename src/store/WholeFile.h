#pragma once

#include <QString>

#include <functional>

namespace store {

// The per-user data folder of an installed copy (empty when the system names none).
QString perUserDataFolder();

// New files are the teacher's alone (0600) in the per-user data folder; in a portable program
// folder they follow the umask, keeping the modes the teacher gave it.
bool keepsFilesPrivate(const QString &programFolder);

// Writes a new file whole or not at all: `write` fills a temporary file beside path, whose name
// it is given, and the file then takes its name, never replacing one. On any failure nothing of it
// is left and the error goes on; a temporary file left by an interrupted run is removed first.
void writeWhole(const QString &path, bool privateFile, const std::function<void(const QString &temporary)> &write);

} // namespace store
