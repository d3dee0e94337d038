#pragma once

#include "ui/MainWindowParts.h"

// Connects "试卷成绩录入" (save, then the subject choice) and "3、检测情况发送生成" (the test
// results window) and enables both.
void installExamWindows(const ui::MainWindowParts &parts);

// Administrator function 2: the first class's names into the four score tables.
void importSubjectNames(const ui::MainWindowParts &parts);

// Administrator function 3: the window of the four test-book slots.
void openTestNumbering(const ui::MainWindowParts &parts);
