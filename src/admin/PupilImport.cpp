#include "admin/PupilImport.h"

#include "store/Database.h"

#include <QDir>
#include <QFileInfo>

namespace admin {

QString pupilListPath(const QString &programFolder) { return QDir(programFolder).filePath(QStringLiteral("班级姓名.xls")); }

QStringList sharedNames(const QStringList &names)
{
    QStringList shared;
    for (int i = 0; i < names.size(); ++i) {
        if (names.indexOf(names[i]) < i)
            continue;
        QStringList rows;
        for (int j = i; j < names.size(); ++j)
            if (names[j] == names[i])
                rows << QString::number(j + 1);
        if (rows.size() > 1)
            shared << QStringLiteral("%1（第%2行）").arg(names[i], rows.join(QStringLiteral("、")));
    }
    return shared;
}

PupilImportResult 导入班级姓名(store::Database &db, PupilListReader &reader, const QString &programFolder)
{
    using Outcome = PupilImportResult::Outcome;
    const QString path = pupilListPath(programFolder);
    if (!QFileInfo(path).isFile())
        return {Outcome::Unreadable, QStringLiteral("找不到学生名单文件“%1”，本次导入无效！").arg(QDir::toNativeSeparators(path))};

    QStringList names;
    try {
        // One more than the class holds tells a list that is too long.
        names = reader.readColumnA(path, kClassRoom + 1);
    } catch (const PupilListReadError &error) {
        return {Outcome::Unreadable, QStringLiteral("学生名单“%1”无法读取：%2\n本次导入无效！")
                                         .arg(QDir::toNativeSeparators(path), error.message())};
    }
    if (names.isEmpty())
        return {Outcome::NoFirstName, {}};
    if (names.size() > kClassRoom)
        return {Outcome::TooMany, QStringLiteral("学生名单“%1”中的姓名超过 %2 个，本软件每班最多 %2 名学生，本次导入无效！")
                                      .arg(QDir::toNativeSeparators(path))
                                      .arg(kClassRoom)};
    if (const QStringList shared = sharedNames(names); !shared.isEmpty())
        return {Outcome::SharedNames,
                QStringLiteral("学生名单“%1”中有重名的学生：%2。成绩按姓名登记，重名的学生无法区分，"
                               "请把重名改成各不相同的姓名后再导入，本次导入无效！")
                    .arg(QDir::toNativeSeparators(path), shared.join(QStringLiteral("；")))};

    store::Transaction transaction(db);
    db.exec(QStringLiteral("DELETE FROM \"姓名\""));
    store::Statement insert = db.prepare(QStringLiteral("INSERT INTO \"姓名\" (\"姓名\") VALUES (?)"));
    for (const QString &name : names) {
        insert.bind(1, name).run();
        insert.reset();
    }
    transaction.commit();
    return {Outcome::Imported, {}, int(names.size())};
}

} // namespace admin
