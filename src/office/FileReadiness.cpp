#include "office/FileReadiness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace office {

namespace {

QString shown(const QString &path) { return QDir::toNativeSeparators(path); }

// LibreOffice and Microsoft Office leave these beside a file they have open.
bool openElsewhere(const QString &path)
{
    const QFileInfo file(path);
    const QDir folder = file.absoluteDir();
    return QFileInfo::exists(folder.filePath(QStringLiteral(".~lock.%1#").arg(file.fileName())))
        || QFileInfo::exists(folder.filePath(QStringLiteral("~$%1").arg(file.fileName())));
}

QString inUse(const QString &path)
{
    return QStringLiteral("文件“%1”正被其他程序使用，请关闭后再导出。本次导出没有改动任何文件。").arg(shown(path));
}

QString missing(const QString &path)
{
    return QStringLiteral("找不到文件：%1\n本次导出没有改动任何文件，请把该文件放回程序文件夹后再导出。").arg(shown(path));
}

QString rewriteProblem(const QString &path)
{
    if (openElsewhere(path))
        return inUse(path);
    if (!QFileInfo(path).isFile())
        return missing(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return QStringLiteral("文件“%1”是只读的，无法写入。请在文件属性中取消只读后再导出。本次导出没有改动任何文件。")
            .arg(shown(path));
    return {};
}

QString readProblem(const QString &path)
{
    if (!QFileInfo(path).isFile())
        return missing(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("文件“%1”无法读取，请检查文件权限后再导出。").arg(shown(path));
    return {};
}

QString createProblem(const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("文件夹不存在：%1\n请建立该文件夹后再导出。").arg(shown(folder));
    if (QFileInfo::exists(path) || openElsewhere(path))
        return rewriteProblem(path);
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
    if (!probe.open())
        return QStringLiteral("文件夹“%1”无法写入（只读或磁盘已满），请检查后再导出。").arg(shown(folder));
    return {};
}

QString firstProblem(const QStringList &paths, QString (*check)(const QString &))
{
    for (const QString &path : paths) {
        const QString problem = check(path);
        if (!problem.isEmpty())
            return problem;
    }
    return {};
}

} // namespace

QString ExportFiles::problem() const
{
    QString found = firstProblem(read, readProblem);
    if (found.isEmpty())
        found = firstProblem(rewritten, rewriteProblem);
    if (found.isEmpty())
        found = firstProblem(created, createProblem);
    return found;
}

} // namespace office
