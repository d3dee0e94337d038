#include "store/WholeFile.h"

#include "store/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace store {

QString perUserDataFolder() { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

bool keepsFilesPrivate(const QString &programFolder)
{
    const QString dataFolder = QFileInfo(perUserDataFolder()).canonicalFilePath();
    return !dataFolder.isEmpty() && dataFolder == QFileInfo(programFolder).canonicalFilePath();
}

void writeWhole(const QString &path, bool privateFile, const std::function<void(const QString &temporary)> &write)
{
    const QString temporary = path + QStringLiteral(".part");
    const auto removeTemporary = [&] {
        // The engine's journals of the temporary file go with it.
        for (const QString &suffix : {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")})
            QFile::remove(temporary + suffix);
    };
    removeTemporary();
    try {
        write(temporary);
        if (privateFile && !QFile::setPermissions(temporary, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
            throw DatabaseError(QStringLiteral("无法设置文件“%1”的权限。").arg(QDir::toNativeSeparators(temporary)));
        if (!QFile::rename(temporary, path))
            throw DatabaseError(QStringLiteral("无法把写好的文件改名为“%1”（已有同名文件，或者没有权限）。").arg(QDir::toNativeSeparators(path)));
    } catch (...) {
        removeTemporary();
        throw;
    }
}

} // namespace store
