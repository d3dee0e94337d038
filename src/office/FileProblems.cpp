#include "office/FileProblems.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace office {

namespace {

// Below this a failed write is put down to a full disk: no document of the program comes close.
constexpr qint64 kNearlyFull = 1024 * 1024;

QString withDetail(const QString &text, const QString &detail)
{
    return detail.isEmpty() ? text : QStringLiteral("%1\n（%2）").arg(text, detail);
}

} // namespace

QString shownPath(const QString &path) { return QDir::toNativeSeparators(path); }

QString missingFileText(const QString &path) { return QStringLiteral("找不到文件：%1").arg(shownPath(path)); }

QString folderNotFileText(const QString &path)
{
    return QStringLiteral("“%1”是一个文件夹，不是文件。请把这个文件夹改名或移走，放回原来的文件后再试。").arg(shownPath(path));
}

QString notWrittenText(const QString &path, const QString &detail)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    if (!QFileInfo(folder).isDir())
        return withDetail(QStringLiteral("文件夹不存在：%1").arg(shownPath(folder)), detail);
    if (!QFileInfo(folder).isWritable())
        return withDetail(QStringLiteral("文件夹“%1”是只读的，无法保存“%2”。请取消该文件夹的只读属性后再试。")
                              .arg(shownPath(folder), file.fileName()),
                          detail);
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < qMax(kNearlyFull, 2 * file.size()))
        return withDetail(QStringLiteral("磁盘空间不足（只剩 %1 KB），文件“%2”没有保存。请腾出磁盘空间后再试。")
                              .arg(storage.bytesAvailable() / 1024)
                              .arg(shownPath(path)),
                          detail);
    return withDetail(QStringLiteral("文件“%1”没有保存成功。请确认磁盘可以写入后再试。").arg(shownPath(path)), detail);
}

} // namespace office
