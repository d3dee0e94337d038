#pragma once

#include "TestSupport.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

namespace testing {

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
