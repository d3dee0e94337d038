#pragma once

#include "state/Records.h"
#include "store/Database.h"

#include <QStringList>

#include <memory>
#include <unordered_map>

namespace store {

// The program's one database connection with the loaders and savers of the main state.
class HomeworkDb {
public:
    // Opens the file in the program folder, or creates it whole with every table when it is absent.
    // Throws DatabaseOpenError, its message complete for the teacher, when the file cannot be
    // created or a file is there that we may not use; it is left untouched.
    explicit HomeworkDb(const QString &programFolder);

    static QString filePath(const QString &programFolder);
    Database &database() { return db_; }
    // A statement prepared once and kept for the run.
    Statement &cached(const QString &sql);

    void 获取语数英科测试作业顺序号(core::MasterRecords &master);
    void 取得班级名称导入数组(core::MasterRecords &master);
    void 取得作业本名称导入数组(core::MasterRecords &master);
    void 取得两个班级的人数导入数组(core::MasterRecords &master);
    void 取得学科作业显示标记(core::MasterRecords &master);
    void 保存学科作业显示标记(const core::MasterRecords &master);
    // Each returns how many entries were loaded (the buttons to show).
    int 最近打开作业导入(core::RememberedList &recentShown);
    int 最新输入作业导入(core::RememberedList &latestEntered);
    void 最近打开作业保存(const core::RememberedList &recentShown);
    void 最新输入作业保存(const core::RememberedList &latestEntered);
    // Both rows of the current day of each class given, in one transaction.
    void 保存操作(const core::DayState &day, const QList<int> &classes = {1});

    // The names of a class table ("姓名" or "52姓名") in pupil order.
    QStringList pupilNames(const QString &table);
    int rowCount(const QString &table);

private:
    int loadRemembered(const QString &table, core::RememberedList &list, int limit);
    void saveRemembered(const QString &table, const core::RememberedList &list, int last);

    Database db_;
    std::unordered_map<QString, std::unique_ptr<Statement>> statements_;
};

} // namespace store
