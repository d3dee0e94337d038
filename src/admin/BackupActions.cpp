#include "admin/BackupActions.h"

#include "app/Form1.h"
#include "store/HomeworkDb.h"
#include "ui/MessagePresenter.h"

void makeDailyBackup(Form1 &form)
{
    try {
        store::Backups(form.programFolder()).makeDaily(form.db().database(), form.clock().today());
    } catch (const store::DatabaseError &error) {
        ui::MessagePresenter::inform(&form, error.message());
    }
}

bool backUpBefore(Form1 &form, store::BackupReason reason)
{
    try {
        store::Backups(form.programFolder()).make(form.db().database(), reason, form.clock().today());
        return true;
    } catch (const store::DatabaseError &error) {
        return ui::MessagePresenter::ask(&form, error.message() + QStringLiteral("\n没有备份仍要继续吗？"))
               == ui::MessagePresenter::Answer::Ok;
    }
}
