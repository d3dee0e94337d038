#include "store/Backups.h"

#include "store/Database.h"
#include "store/FileChecks.h"
#include "store/Schema.h"
#include "store/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <tuple>

namespace store {

namespace {

QString reasonText(BackupReason reason)
{
    switch (reason) {
    case BackupReason::Daily:
        return QStringLiteral("每日");
    case BackupReason::BeforeClearing:
        return QStringLiteral("清空前");
    case BackupReason::BeforePupilImport:
        return QStringLiteral("导入学生名单前");
    case BackupReason::BeforeNameImport:
        return QStringLiteral("导入检测姓名前");
    case BackupReason::BeforeRestore:
        return QStringLiteral("恢复前");
    }
    return {};
}

QString baseName() { return QFileInfo(databaseFileName()).completeBaseName(); }

// "作业查找数据库-2026-12-08-清空前.mdb", or "…-清空前(2).mdb" for the second of a day.
const QRegularExpression &namePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^%1-(\\d{4}-\\d{2}-\\d{2})-([^()]+)(?:\\((\\d+)\\))?\\.mdb$")
                                                .arg(QRegularExpression::escape(baseName())));
    return pattern;
}

QString fileName(const QDate &date, const QString &reason, int copy)
{
    const QString suffix = copy > 1 ? QStringLiteral("(%1)").arg(copy) : QString();
    return QStringLiteral("%1-%2-%3%4.mdb").arg(baseName(), date.toString(Qt::ISODate), reason, suffix);
}

// A file's time orders the copies of one day only when it falls on that day.
QDateTime soundTime(const BackupInfo &copy) { return copy.written.date() == copy.date ? copy.written : QDateTime(); }

BackupDetails readDetails(Database &copy)
{
    BackupDetails details;
    Statement days = copy.prepare(QStringLiteral("SELECT count(*) FROM \"作业内容登记表\" WHERE substr(\"日期\", 1, 2) <> '88'"));
    days.step();
    details.schoolDays = days.integer(0);
    days.reset();
    Statement last = copy.prepare(QStringLiteral(
        "SELECT \"日期\" FROM \"作业内容登记表\" WHERE substr(\"日期\", 1, 2) <> '88' "
        "ORDER BY \"年份\" DESC, \"月份\" DESC, \"日子\" DESC LIMIT 1"));
    if (last.step())
        details.lastDay = last.text(0);
    last.reset();
    return details;
}

BackupDetails readCopy(const QString &path, const std::function<void(Database &)> &check)
{
    try {
        Database copy = Database::openReadOnly(path, databaseKey());
        check(copy);
        return readDetails(copy);
    } catch (const DatabaseError &error) {
        throw DatabaseError(QStringLiteral("备份“%1”无法使用：它不是本软件用同一密码保存的数据库，或者已损坏。\n（%2）")
                                .arg(QDir::toNativeSeparators(path), error.detail()),
                            error.resultCode());
    }
}

} // namespace

Backups::Backups(const QString &programFolder) : programFolder_(programFolder) {}

QString Backups::folder() const { return QDir(programFolder_).filePath(QStringLiteral("备份")); }

QString Backups::make(Database &db, BackupReason reason, const QDate &date)
{
    const QString where = QDir::toNativeSeparators(folder());
    if (QFileInfo(folder()).exists() && !QFileInfo(folder()).isDir())
        throw DatabaseError(QStringLiteral("无法备份数据：“%1”是一个文件而不是文件夹，请把它改名或移走。").arg(where));
    if (!QDir().mkpath(folder()))
        throw DatabaseError(QStringLiteral("无法备份数据：不能建立文件夹“%1”（只读或磁盘已满）。").arg(where));
    int copy = 1;
    QString path;
    do
        path = QDir(folder()).filePath(fileName(date, reasonText(reason), copy++));
    while (QFileInfo::exists(path));
    try {
        writeWhole(path, keepsFilesPrivate(programFolder_), [&](const QString &temporary) { db.backupTo(temporary, databaseKey()); });
    } catch (const DatabaseError &error) {
        throw DatabaseError(QStringLiteral("无法在“%1”中写入数据备份（只读或磁盘已满？），数据库本身没有改动。\n（%2）")
                                .arg(where, error.detail()),
                            error.resultCode());
    }
    return path;
}

namespace {

bool noCopyOf(const QList<BackupInfo> &copies, const QDate &date)
{
    return std::none_of(copies.begin(), copies.end(), [&](const BackupInfo &copy) { return copy.date == date; });
}

} // namespace

QList<BackupInfo> Backups::dailies() const
{
    QList<BackupInfo> copies = list();
    copies.removeIf([daily = reasonText(BackupReason::Daily)](const BackupInfo &copy) { return copy.reason != daily; });
    return copies;
}

bool Backups::dailyDue(const QDate &today) const
{
    return noCopyOf(dailies(), today);
}

bool Backups::makeDaily(Database &db, const QDate &today)
{
    QList<BackupInfo> dailies = this->dailies();
    const bool due = noCopyOf(dailies, today);
    if (due)
        dailies.prepend(BackupInfo{make(db, BackupReason::Daily, today), today, reasonText(BackupReason::Daily), 1, {}});
    for (qsizetype i = kDailyKept; i < dailies.size(); ++i)
        QFile::remove(dailies[i].path);
    return due;
}

QList<BackupInfo> Backups::list() const
{
    QList<BackupInfo> copies;
    const QFileInfoList files = QDir(folder()).entryInfoList({QStringLiteral("*.mdb")}, QDir::Files);
    for (const QFileInfo &file : files) {
        const QRegularExpressionMatch match = namePattern().match(file.fileName());
        if (!match.hasMatch())
            continue;
        copies << BackupInfo{file.absoluteFilePath(), QDate::fromString(match.captured(1), Qt::ISODate), match.captured(2),
                             match.captured(3).isEmpty() ? 1 : match.captured(3).toInt(), file.lastModified()};
    }
    // Stable over the names' order, so that copies nothing tells apart keep one order.
    std::stable_sort(copies.begin(), copies.end(), [](const BackupInfo &a, const BackupInfo &b) {
        return std::make_tuple(a.date, soundTime(a), a.copy) > std::make_tuple(b.date, soundTime(b), b.copy);
    });
    return copies;
}

std::optional<BackupInfo> Backups::newestUsable() const
{
    for (const BackupInfo &copy : list()) {
        try {
            inspect(copy.path);
            return copy;
        } catch (const DatabaseError &) {
        }
    }
    return std::nullopt;
}

BackupDetails Backups::details(const QString &path)
{
    return readCopy(path, [](Database &) {});
}

BackupDetails Backups::inspect(const QString &path)
{
    return readCopy(path, checkProgramFile);
}

} // namespace store
