#include "app/ProgramFolder.h"

#include "ui/MessagePresenter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace app {

ProgramFolderError::ProgramFolderError(const QString &reason) : std::runtime_error(reason.toStdString()) {}

namespace {

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw ProgramFolderError(QStringLiteral("无法创建文件夹“%1”").arg(QDir::toNativeSeparators(path)));
}

void copyFile(const QString &source, const QString &target)
{
    makeFolder(QFileInfo(target).path());
    QFile file(source);
    if (!file.copy(target))
        throw ProgramFolderError(QStringLiteral("无法复制“%1”：%2").arg(QDir::toNativeSeparators(target), file.errorString()));
    // Installed files are read-only; the teacher's copies are written by every export.
    QFile::setPermissions(target, QFile::permissions(target) | QFileDevice::WriteOwner);
}

void copyMissing(const QString &from, const QString &to)
{
    makeFolder(to);
    const QDir source(from);
    QDirIterator entries(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry(entries.next());
        const QString target = QDir(to).filePath(source.relativeFilePath(entry.filePath()));
        if (QFileInfo::exists(target))
            continue;
        if (entry.isDir())
            makeFolder(target);
        else
            copyFile(entry.filePath(), target);
    }
}

} // namespace

QString chooseProgramFolder(const QString &executableFolder, const QString &installedFilesFolder,
                            const QString &dataFolder)
{
    const bool installed = QFileInfo(installedFilesFolder).isDir();
    if (!installed && QFileInfo(executableFolder).isWritable())
        return executableFolder;
    // An empty location would otherwise mean the current folder.
    if (dataFolder.isEmpty())
        throw ProgramFolderError(QStringLiteral("找不到用户的数据文件夹"));
    if (installed)
        copyMissing(installedFilesFolder, dataFolder);
    else
        makeFolder(dataFolder);
    return dataFolder;
}

QString programFolderOfRun(const QString &executableFolder)
{
    const QString installedFiles = QDir::cleanPath(executableFolder + QLatin1Char('/') + QStringLiteral(INSTALLED_FILES_FROM_EXECUTABLE));
    const QString dataFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    try {
        return chooseProgramFolder(executableFolder, installedFiles, dataFolder);
    } catch (const ProgramFolderError &error) {
        ui::MessagePresenter::inform(nullptr, QStringLiteral("无法准备数据文件夹“%1”：%2。\n程序已停止。")
                                                  .arg(QDir::toNativeSeparators(dataFolder), error.reason()));
        return {};
    }
}

} // namespace app
