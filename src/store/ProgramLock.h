#pragma once

#include <QLockFile>
#include <QString>

#include <stdexcept>

namespace store {

// Another running copy holds the program folder.
class ProgramFolderInUse : public std::runtime_error {
public:
    ProgramFolderInUse() : std::runtime_error("program folder in use") {}
};

// Held for the whole run: two copies on one folder would each rewrite the day's marks from their
// own memory and undo each other's scans. A lock left by a copy that died is taken over.
class ProgramLock {
public:
    // Throws ProgramFolderInUse when a live copy holds the folder.
    explicit ProgramLock(const QString &programFolder);

    static QString filePath(const QString &programFolder);

private:
    QLockFile file_;
};

} // namespace store
