#include "store/Database.h"

#include <sqlite3.h>

namespace store {

namespace {

QString sentenceFor(int resultCode)
{
    switch (resultCode & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("磁盘已满，数据没有写入。请删除不需要的文件、腾出磁盘空间后再试。");
    case SQLITE_NOTADB:
        return QStringLiteral("文件不是本软件的数据库，或者是用别的密码加密的。");
    case SQLITE_READONLY:
        return QStringLiteral("数据库文件是只读的，无法写入。请修改文件和所在文件夹的权限使它们可以写入，"
                              "或者把程序文件夹复制到可以写入的地方。");
    case SQLITE_CORRUPT:
        return QStringLiteral("数据库文件已损坏。请在“数据恢复”中放回最近的备份。");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("数据库文件正被另一个程序使用。请关闭使用它的程序后再试。");
    case SQLITE_IOERR:
        return QStringLiteral("读写磁盘时出错，磁盘或U盘可能已拔出或已损坏。请检查磁盘后再试。");
    case SQLITE_CANTOPEN:
        return QStringLiteral("数据库文件或所在的文件夹不存在，或者没有访问权限。");
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("没有访问数据库文件的权限。");
    case SQLITE_NOMEM:
        return QStringLiteral("内存不足。请关闭其他程序后再试。");
    default:
        return QStringLiteral("数据库操作出错。");
    }
}

} // namespace

QString teacherText(int resultCode, const QString &engineText)
{
    const QString sentence = sentenceFor(resultCode);
    return engineText.isEmpty() ? sentence : sentence + QStringLiteral("（%1）").arg(engineText);
}

} // namespace store
