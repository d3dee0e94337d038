#pragma once

#include "TestSupport.h"

#include "store/TextValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace testing {

// "0120" gives the marks of four pupils: 010, 021, 032, 040 and the terminator.
inline QString markString(const QString &states)
{
    QString marks;
    for (int k = 1; k <= states.size(); ++k)
        marks += store::twoDigits(k) + states.at(k - 1);
    return marks + QStringLiteral("。");
}

// Both rows of one day; slots not named, and contents "<null>", stay null.
inline void addDay(store::Database &db, const QString &key, const QMap<int, QString> &contents,
                   const QMap<int, QString> &states)
{
    const store::DateParts parts = store::把年月日进行拆分(key);
    QStringList contentColumns{QStringLiteral("\"日期\""), QStringLiteral("\"年份\""), QStringLiteral("\"月份\""),
                               QStringLiteral("\"日子\"")};
    QStringList markColumns = contentColumns;
    for (int slot : contents.keys())
        contentColumns << store::quoted(store::contentColumn(slot));
    for (int slot : states.keys())
        markColumns << store::quoted(store::markColumn(slot));
    const auto insert = [&](const QString &table, const QStringList &columns, const QStringList &values) {
        QStringList places;
        for (int i = 0; i < columns.size(); ++i)
            places << QStringLiteral("?");
        store::Statement statement = db.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                    .arg(store::quoted(table), columns.join(QLatin1Char(',')),
                                                         places.join(QLatin1Char(','))));
        statement.bind(1, key).bind(2, parts.year).bind(3, parts.month).bind(4, parts.day);
        for (int i = 0; i < values.size(); ++i)
            values[i] == QLatin1String("<null>") ? statement.bindNull(5 + i) : statement.bind(5 + i, values[i]);
        statement.run();
    };
    insert(QStringLiteral("作业内容登记表"), contentColumns, contents.values());
    QStringList marks;
    for (const QString &s : states.values())
        marks << markString(s);
    insert(QStringLiteral("扫描输入作业完成情况"), markColumns, marks);
}

#ifdef PROGRAM_FOLDER
// The prepared workbooks, templates and output folder of the build, copied into a test's folder.
inline bool copyProgramFiles(const QString &folder)
{
    const QDir source(QStringLiteral(PROGRAM_FOLDER));
    for (const QString &relative :
         {QStringLiteral("校迅通导出文件/全部完成学生名单.xls"), QStringLiteral("校迅通导出文件/未完成作业学生名单.xls"),
          QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls"),
          QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单.xls"),
          QStringLiteral("文本模板/未完成作业汇总(不超30次)导出模板.doc"),
          QStringLiteral("文本模板/未完成作业汇总(超过30次)导出模板.doc")}) {
        const QString target = QDir(folder).filePath(relative);
        QDir().mkpath(QFileInfo(target).path());
        QFile::remove(target);
        if (!QFile::copy(source.filePath(relative), target))
            return false;
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    }
    return QDir().mkpath(QDir(folder).filePath(QStringLiteral("文本生成/未完作业汇总")));
}
#endif

} // namespace testing
