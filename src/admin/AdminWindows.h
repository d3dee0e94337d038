#pragma once

#include <functional>

class Form1;

struct AdminHooks {
    std::function<void()> importSubjectNames;
    std::function<void()> openTestNumbering;
};

// Connects the settings menu, the login and password windows and the master-data panels of the
// main window, and enables their menu items; the two test items only when their hook is given.
void installAdminFunctions(Form1 &form, AdminHooks hooks);
