#pragma once

#include "ui/MainWindowParts.h"

#include <functional>

struct AdminHooks {
    std::function<void()> importSubjectNames;
    std::function<void()> openTestNumbering;
};

// Connects the settings menu, the login and password windows and the master-data panels of the
// main window, and enables their menu items; the two test items only when their hook is given.
void installAdminFunctions(const ui::MainWindowParts &parts, AdminHooks hooks);
