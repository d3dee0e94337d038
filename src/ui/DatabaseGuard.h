#pragma once

#include "store/Backups.h"

#include <functional>

class QWidget;

namespace core {
class AppContext;
}

namespace ui {

// Runs an operation of the store or of a state owner; a failure is shown to the teacher over
// parent and the run goes on. False when it failed.
bool guarded(QWidget *parent, const std::function<void()> &operation);

// A copy of the database before an action that replaces records wholesale. When it cannot be made
// the teacher is told and chooses: false means the action must not go on.
bool backUpBefore(QWidget *parent, core::AppContext &context, store::BackupReason reason);

} // namespace ui
