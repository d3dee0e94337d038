#pragma once

#include "store/Backups.h"

class Form1;

// The first start of a day copies the database; a failure is told once and the work goes on.
void makeDailyBackup(Form1 &form);

// A copy before an action that replaces records wholesale. When it cannot be made the teacher
// is told and chooses: false means the action must not go on.
bool backUpBefore(Form1 &form, store::BackupReason reason);
