#include "office/FileReadiness.h"

#include "office/FileFormat.h"
#include "office/FileProblems.h"
#include "office/LockFiles.h"
#include "office/OfficeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <optional>

namespace office {

namespace {

using Kind = ExportProblem::Kind;

const QString kNothingChanged = QStringLiteral("本次导出没有改动任何文件。");

QString inUse(const QString &path)
{
    return QStringLiteral("文件“%1”正被其他程序使用，请关闭后再导出。%2").arg(shownPath(path), kNothingChanged);
}

std::optional<OfficeFormat> formatOfName(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("xls"))
        return OfficeFormat::Excel97Workbook;
    if (suffix == QLatin1String("doc"))
        return OfficeFormat::Word97Document;
    return std::nullopt;
}

// Walks the files, stopping at the first problem and collecting the stale locks on the way.
class Check
{
public:
    ExportProblem found;
    QStringList staleLocks;

    bool ok() const { return found.kind == Kind::None; }

    void existing(const QString &path)
    {
        const QFileInfo file(path);
        if (file.isDir())
            fail(Kind::NotAFile, QStringLiteral("%1\n%2").arg(folderNotFileText(path), kNothingChanged));
        else if (!file.isFile())
            fail(Kind::Missing, QStringLiteral("%1\n%2请把该文件放回程序文件夹后再导出。").arg(missingFileText(path), kNothingChanged));
        else if (QFile readable(path); !readable.open(QIODevice::ReadOnly))
            fail(Kind::Unreadable, QStringLiteral("文件“%1”无法读取，请检查文件权限后再导出。").arg(shownPath(path)));
        else if (const auto format = formatOfName(path)) {
            const FormatVerdict verdict = inspectFormat(path, *format);
            if (verdict != FormatVerdict::Whole)
                fail(Kind::WrongFormat, QStringLiteral("文件“%1”无法使用：%2\n%3")
                                            .arg(shownPath(path), formatCause(*format, verdict), kNothingChanged));
        }
    }

    // The office refuses to change a file it may not write, though a new version could replace it.
    void writable(const QString &path)
    {
        if (QFile file(path); !file.open(QIODevice::ReadWrite))
            fail(Kind::ReadOnly, QStringLiteral("文件“%1”是只读的，无法写入。请在文件属性中取消只读后再导出。%2")
                                     .arg(shownPath(path), kNothingChanged));
    }

    void notLocked(const QString &path)
    {
        for (const QString &lock : lockFilesOf(path)) {
            if (!lockIsStale(lock))
                return fail(Kind::InUse, inUse(path));
            staleLocks << lock;
        }
    }

    // The new version is written beside the old one and then takes its name.
    void folderTakesFiles(const QString &path)
    {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QFileInfo(folder).isDir())
            return fail(Kind::NoFolder, QStringLiteral("文件夹不存在：%1\n请建立该文件夹后再导出。").arg(shownPath(folder)));
        if (QFileInfo(path).isDir())
            return fail(Kind::NotAFile, QStringLiteral("%1\n%2").arg(folderNotFileText(path), kNothingChanged));
        QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".probe-XXXXXX")));
        if (!probe.open())
            fail(Kind::NotWritable, QStringLiteral("文件夹“%1”无法写入（只读或磁盘已满），请检查后再导出。%2")
                                        .arg(shownPath(folder), kNothingChanged));
    }

    void each(const QStringList &paths, void (Check::*step)(const QString &))
    {
        for (const QString &path : paths)
            if (ok())
                (this->*step)(path);
    }

private:
    void fail(Kind kind, const QString &message) { found = {kind, message, {}}; }
};

QString staleLockQuestion(const QStringList &locks)
{
    QStringList documents;
    for (const QString &lock : locks)
        documents << shownPath(documentOfLock(lock));
    return QStringLiteral("下列文件带有过时的锁定标记，多半是 LibreOffice 上次异常退出时留下的，"
                          "现在没有任何程序在使用它们：\n%1\n删除这些锁定标记并继续导出吗？")
        .arg(documents.join(QLatin1Char('\n')));
}

} // namespace

ExportProblem ExportFiles::check() const
{
    Check check;
    check.each(read, &Check::existing);
    check.each(rewritten, &Check::notLocked);
    check.each(rewritten, &Check::existing);
    check.each(rewritten, &Check::writable);
    check.each(rewritten, &Check::folderTakesFiles);
    check.each(created, &Check::notLocked);
    check.each(created, &Check::folderTakesFiles);
    if (check.ok() && !check.staleLocks.isEmpty())
        return {Kind::StaleLock, staleLockQuestion(check.staleLocks), check.staleLocks};
    return check.found;
}

void removeStaleLocks(const QStringList &locks)
{
    for (const QString &lock : locks) {
        if (!QFileInfo::exists(lock))
            continue;
        if (!lockIsStale(lock))
            throw OfficeError(inUse(documentOfLock(lock)));
        if (QFile file(lock); !file.remove())
            throw OfficeError(QStringLiteral("无法删除锁定标记“%1”：%2。请手动删除它后再导出。")
                                  .arg(shownPath(lock), file.errorString()));
    }
}

} // namespace office
