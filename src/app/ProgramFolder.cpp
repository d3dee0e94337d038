#include "app/ProgramFolder.h"

#include "store/WholeFile.h"
#include "ui/MessagePresenter.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace app {

ProgramFolderError::ProgramFolderError(const QString &message) : std::runtime_error(message.toStdString()) {}

namespace {

ProgramFolderError cannotCreate(const QString &folder)
{
    return ProgramFolderError(QStringLiteral("无法创建文件夹“%1”").arg(QDir::toNativeSeparators(folder)));
}

void makeFolder(const QString &path)
{
    if (!QDir().mkpath(path))
        throw cannotCreate(path);
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

void makePrivateFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        return;
    makeFolder(QFileInfo(path).path());
    if (!QDir().mkdir(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner))
        throw cannotCreate(path);
}

} // namespace

QString chooseProgramFolder(const QString &executableFolder, const QString &installedFilesFolder,
                            const QString &dataFolder)
{
    if (!QFileInfo(installedFilesFolder).isDir()) {
        if (QFileInfo(executableFolder).isWritable())
            return executableFolder;
        throw ProgramFolderError(QStringLiteral("程序文件夹“%1”是只读的，本软件无法在其中保存数据。\n"
                                                "请把整个程序文件夹复制到可以写入的地方（例如“文档”文件夹或U盘）再从那里启动，"
                                                "或者修改该文件夹的权限使它可以写入。\n程序已停止，没有改动任何文件。")
                                     .arg(QDir::toNativeSeparators(executableFolder)));
    }
    try {
        // An empty location would otherwise mean the current folder.
        if (dataFolder.isEmpty())
            throw ProgramFolderError(QStringLiteral("找不到用户的数据文件夹"));
        makePrivateFolder(dataFolder);
        copyMissing(installedFilesFolder, dataFolder);
    } catch (const ProgramFolderError &error) {
        throw ProgramFolderError(QStringLiteral("无法准备数据文件夹“%1”：%2。\n程序已停止。").arg(QDir::toNativeSeparators(dataFolder), error.message()));
    }
    return dataFolder;
}

QString programFolderOfRun(const QString &executableFolder)
{
    const QString installedFiles = QDir::cleanPath(executableFolder + QLatin1Char('/') + QStringLiteral(INSTALLED_FILES_FROM_EXECUTABLE));
    try {
        return chooseProgramFolder(executableFolder, installedFiles, store::perUserDataFolder());
    } catch (const ProgramFolderError &error) {
        ui::MessagePresenter::inform(nullptr, error.message());
        return {};
    }
}

} // namespace app
