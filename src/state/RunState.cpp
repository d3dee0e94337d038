#include "state/RunState.h"

#include "store/Database.h"

namespace core {

RunState::RunState(store::Database &db, QObject *parent) : QObject(parent), db_(db) {}

QString RunState::writesClosedMessage() { return QStringLiteral("数据已清空或已恢复，请先重启软件再扫描或更正！"); }

void RunState::requireRestart(const QString &notice)
{
    RestartPending = 1;
    emit restartRequired(notice);
}

void RunState::recordsReplaced(const QString &notice)
{
    DataCleared = 1;
    db_.closeWrites(writesClosedMessage());
    requireRestart(notice);
}

} // namespace core
