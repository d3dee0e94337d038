#pragma once

#include <QString>

#include <stdexcept>

namespace app {

// The per-user data folder could not be made ready; the reason names what failed.
class ProgramFolderError : public std::runtime_error {
public:
    explicit ProgramFolderError(const QString &reason);
    QString reason() const { return QString::fromUtf8(what()); }
};

// The executable's folder keeps the data when it is writable and is not an installed package's
// folder, which is known by the prepared files installed beside it: root may write anywhere, so
// permissions alone cannot tell a package from a portable copy. Otherwise the data folder is used,
// first given every prepared file and folder it lacks; nothing already there is replaced.
QString chooseProgramFolder(const QString &executableFolder, const QString &installedFilesFolder,
                            const QString &dataFolder);

// The program folder of this run; on failure the teacher is told which folder and the result is empty.
QString programFolderOfRun(const QString &executableFolder);

} // namespace app
