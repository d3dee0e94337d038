#pragma once

#include <QString>

#include <stdexcept>

namespace app {

// No folder may hold the data; the message, complete for the teacher, names which and why.
class ProgramFolderError : public std::runtime_error {
public:
    explicit ProgramFolderError(const QString &message);
    QString message() const { return QString::fromUtf8(what()); }
};

// An installed package's copy, known by the prepared files installed beside the executable (root
// may write anywhere, so permissions alone cannot tell a package from a portable copy), keeps its
// data in the per-user data folder: created for the owner alone on the first start, then given
// every prepared file and folder it lacks; nothing already there is replaced. Any other copy keeps
// its data beside the executable, and a read-only folder there is refused: a fresh database
// elsewhere would show the teacher no pupils and no books in place of the records.
QString chooseProgramFolder(const QString &executableFolder, const QString &installedFilesFolder,
                            const QString &dataFolder);

// The program folder of this run; on failure the teacher is told which folder and the result is empty.
QString programFolderOfRun(const QString &executableFolder);

} // namespace app
