#include "ui/DatabaseGuard.h"

#include "state/AppContext.h"
#include "store/Database.h"
#include "ui/MessagePresenter.h"

namespace ui {

bool guarded(QWidget *parent, const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const store::WritesClosed &refused) {
        MessagePresenter::inform(parent, refused.message());
    } catch (const store::DatabaseError &error) {
        MessagePresenter::inform(parent, QStringLiteral("数据库操作失败：%1").arg(error.message()));
    }
    return false;
}

bool backUpBefore(QWidget *parent, core::AppContext &context, store::BackupReason reason)
{
    try {
        context.backUp(reason);
        return true;
    } catch (const store::DatabaseError &error) {
        return MessagePresenter::ask(parent, error.message() + QStringLiteral("\n没有备份仍要继续吗？"))
               == MessagePresenter::Answer::Ok;
    }
}

} // namespace ui
