#include "store/ProgramLock.h"

#include <QDir>

namespace store {

ProgramLock::ProgramLock(const QString &programFolder) : file_(filePath(programFolder))
{
    // Never stale by age: the program stays open all day; a dead owner is recognised by its pid.
    file_.setStaleLockTime(0);
    // A folder that cannot hold the lock at all is the database's to report, not a second copy.
    if (!file_.tryLock(0) && file_.error() == QLockFile::LockFailedError)
        throw ProgramFolderInUse();
}

QString ProgramLock::filePath(const QString &programFolder)
{
    return QDir(programFolder).filePath(QStringLiteral("作业查找数据库.lock"));
}

} // namespace store
