#include "office/LockFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>

#include <dirent.h>
#include <unistd.h>

#include <cerrno>
#include <memory>

namespace office {

namespace {

const QString kLibreOfficePrefix = QStringLiteral(".~lock.");

// LibreOffice writes "name,user,host,time,profile;" with "\" escaping commas inside a field.
QString lockHost(const QString &lock)
{
    QFile file(lock);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(file.read(4096));
    QStringList fields{QString()};
    for (qsizetype i = 0; i < text.size() && text[i] != QLatin1Char(';'); ++i) {
        if (text[i] == QLatin1Char('\\') && i + 1 < text.size())
            fields.last() += text[++i];
        else if (text[i] == QLatin1Char(','))
            fields << QString();
        else
            fields.last() += text[i];
    }
    return fields.size() > 3 ? fields[2] : QString();
}

bool isOfficeProcess(const QByteArray &processDir)
{
    QFile comm(QString::fromLocal8Bit(processDir + "/comm"));
    if (!comm.open(QIODevice::ReadOnly))
        return false;
    const QByteArray name = comm.readAll().trimmed();
    return name == "soffice.bin" || name == "oosplash";
}

// Through /proc, whether any process has one of paths open.
bool openAnywhere(const QList<QByteArray> &paths)
{
    const std::unique_ptr<DIR, int (*)(DIR *)> processes(::opendir("/proc"), ::closedir);
    if (!processes)
        return true;
    while (const dirent *process = ::readdir(processes.get())) {
        if (process->d_name[0] < '1' || process->d_name[0] > '9')
            continue;
        const QByteArray processDir = QByteArray("/proc/") + process->d_name;
        const QByteArray fdDir = processDir + "/fd";
        const std::unique_ptr<DIR, int (*)(DIR *)> fds(::opendir(fdDir.constData()), ::closedir);
        if (!fds) {
            if (errno == EACCES && isOfficeProcess(processDir))
                return true;
            continue;
        }
        while (const dirent *fd = ::readdir(fds.get())) {
            char target[4096];
            const ssize_t length = ::readlink((fdDir + '/' + fd->d_name).constData(), target, sizeof target);
            if (length > 0 && paths.contains(QByteArray(target, length)))
                return true;
        }
    }
    return false;
}

} // namespace

QStringList lockFilesOf(const QString &document)
{
    const QFileInfo file(document);
    const QDir folder = file.absoluteDir();
    QStringList present;
    const QStringList names{kLibreOfficePrefix + file.fileName() + QLatin1Char('#'), QStringLiteral("~$") + file.fileName()};
    for (const QString &name : names) {
        const QString lock = folder.filePath(name);
        if (QFileInfo::exists(lock))
            present << lock;
    }
    return present;
}

QString documentOfLock(const QString &lock)
{
    const QFileInfo lockFile(lock);
    const QString name = lockFile.fileName();
    if (!name.startsWith(kLibreOfficePrefix) || !name.endsWith(QLatin1Char('#')))
        return {};
    return lockFile.absoluteDir().filePath(name.mid(kLibreOfficePrefix.size()).chopped(1));
}

bool lockIsStale(const QString &lock)
{
    const QString documentPath = documentOfLock(lock);
    if (documentPath.isEmpty())
        return false;
    // LibreOffice may write the host's full domain name where Qt gives the bare one.
    const QString host = lockHost(lock).section(QLatin1Char('.'), 0, 0);
    if (host.isEmpty() || host.compare(QSysInfo::machineHostName().section(QLatin1Char('.'), 0, 0), Qt::CaseInsensitive) != 0)
        return false;
    const QFileInfo document(documentPath);
    QList<QByteArray> paths{QFile::encodeName(QFileInfo(lock).canonicalFilePath())};
    if (document.exists())
        paths << QFile::encodeName(document.canonicalFilePath());
    return !openAnywhere(paths);
}

} // namespace office
