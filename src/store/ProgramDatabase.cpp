#include "store/ProgramDatabase.h"

#include "store/Backups.h"
#include "store/Database.h"
#include "store/FileChecks.h"
#include "store/Schema.h"
#include "store/WholeFile.h"

#include <sqlite3.h>

#include <QDir>
#include <QFileInfo>

namespace store {

namespace {

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// Damage or another layout: the records must come back from a copy.
bool needsACopy(const DatabaseError &error)
{
    const int primary = error.resultCode() & 0xff;
    return primary == SQLITE_NOTADB || primary == SQLITE_CORRUPT;
}

QString restoreAdvice(const QString &programFolder)
{
    const Backups backups(programFolder);
    const std::optional<BackupInfo> copy = backups.newestUsable();
    if (!copy)
        return QStringLiteral("“%1”中没有可以恢复的完好备份。").arg(shown(backups.folder()));
    return QStringLiteral("最近一份完好的备份是“%1”（%2，%3）。要恢复它：先把出错的文件改名（例如改为“作业查找数据库-损坏.mdb”），"
                          "再把这份备份复制到“%4”并改名为“%5”，然后重新启动本软件。")
        .arg(shown(copy->path), copy->date.toString(Qt::ISODate), copy->reason, shown(programFolder), databaseFileName());
}

void create(const QString &path, bool privateFile)
{
    try {
        writeWhole(path, privateFile, [](const QString &temporary) {
            Database db = Database::createNew(temporary, databaseKey());
            createSchema(db);
        });
    } catch (const DatabaseError &error) {
        throw DatabaseOpenError(QStringLiteral("无法建立数据库文件“%1”：%2\n程序已停止，没有留下不完整的文件。").arg(shown(path), error.message()),
                                error);
    }
}

} // namespace

QString databasePath(const QString &programFolder) { return QDir(programFolder).filePath(databaseFileName()); }

Database openProgramDatabase(const QString &programFolder)
{
    const QString path = databasePath(programFolder);
    if (!QFileInfo::exists(path))
        create(path, keepsFilesPrivate(programFolder));
    try {
        return Database::openExisting(path, databaseKey(), checkProgramFile);
    } catch (const DatabaseError &error) {
        // Damage the engine met before the check: the advice to restore from within the program
        // cannot be followed when it stops.
        const QString reason = (error.resultCode() & 0xff) == SQLITE_CORRUPT ? damagedFileText(error.detail()) : error.message();
        const QString advice = needsACopy(error) ? restoreAdvice(programFolder) + QLatin1Char('\n') : QString();
        throw DatabaseOpenError(QStringLiteral("无法打开数据库文件“%1”：%2\n%3程序已停止，该文件未被改动。").arg(shown(path), reason, advice),
                                error);
    }
}

} // namespace store
