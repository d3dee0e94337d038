#include "state/MasterData.h"

#include "admin/AdminStore.h"
#include "exams/TestPreparation.h"
#include "store/HomeworkDb.h"
#include "store/Schema.h"

#include <algorithm>

namespace core {

int MasterRecords::roll(int classNumber) const { return std::clamp(ClassSizes[classNumber], 0, kPupils); }

MasterData::MasterData(store::HomeworkDb &db, QObject *parent) : QObject(parent), db_(db) {}

void MasterData::load()
{
    db_.获取语数英科测试作业顺序号(records_);
    db_.取得学科作业显示标记(records_);
    db_.取得班级名称导入数组(records_);
    db_.取得作业本名称导入数组(records_);
    db_.取得两个班级的人数导入数组(records_);
    emit changed();
}

void MasterData::loadPupilNames()
{
    const QString tables[] = {QStringLiteral("姓名"), QStringLiteral("52姓名")};
    for (int c = 1; c <= 2; ++c) {
        const QStringList names = db_.pupilNames(tables[c - 1]);
        auto &pupils = records_.PupilNames[c];
        for (int n = 1; n < int(pupils.size()); ++n)
            pupils[n] = n <= names.size() ? names[n - 1] : QString();
    }
}

void MasterData::saveSubjectBookFlags(const std::array<std::array<int, kBooks + 1>, 6> &flags, int lastBook)
{
    MasterRecords changed = records_;
    for (int s = 1; s <= 4; ++s)
        for (int b = 1; b <= lastBook; ++b)
            changed.SubjectBookFlags[s][b] = flags[s][b];
    db_.保存学科作业显示标记(changed);
    records_ = changed;
    emit this->changed();
}

void MasterData::storeTestBooks(const std::array<QString, 4> &boxes)
{
    const std::array<int, 4> books = exams::storeTestBooks(db_.database(), boxes);
    for (int j = 0; j < 4; ++j)
        records_.SubjectTestBooks[j + 1] = books[j];
    emit changed();
}

void MasterData::saveClassNames(const QString &first, const QString &second)
{
    admin::saveClassNames(db_.database(), first, second);
}

QStringList MasterData::readBookNames() { return admin::readBookNames(db_.database()); }

void MasterData::saveBookNames(const QStringList &names) { admin::saveBookNames(db_.database(), names); }

QString MasterData::readPassword() { return admin::readPassword(db_.database()); }

void MasterData::writePassword(const QString &password) { admin::writePassword(db_.database(), password); }

void MasterData::replacePupils(int classNumber, const QStringList &names)
{
    admin::replacePupils(db_.database(), store::namesTable(classNumber), names);
}

} // namespace core
