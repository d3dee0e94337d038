#pragma once

class Form1;

// Connects "试卷成绩录入" (save, then the subject choice) and "3、检测情况发送生成" (the test
// results window) and enables both.
void installExamWindows(Form1 &form);

// Administrator function 2: the first class's names into the four score tables.
void importSubjectNames(Form1 &form);

// Administrator function 3: the window of the four test-book slots.
void openTestNumbering(Form1 &form);
