#pragma once

#include "state/MainState.h"
#include "store/DateKey.h"
#include "store/ProgramLock.h"
#include "tracking/HomeworkQueries.h"
#include "tracking/MarkHistory.h"
#include "ui/Form1Controls.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

namespace store {
class HomeworkDb;
}
class QMenu;
namespace tracking {
class DayRecords;
}

// The main window: the application itself, holding the state of the run.
class Form1 : public QMainWindow {
public:
    // Opens the database of the program folder; throws store::ProgramFolderInUse when another copy
    // runs on it and store::DatabaseOpenError when the file may not be used.
    Form1(const QString &programFolder, const store::Clock &clock, QWidget *parent = nullptr);
    ~Form1() override;

    core::MainState &state() { return state_; }
    store::HomeworkDb &db() { return *db_; }
    tracking::DayRecords &day() { return *day_; }
    const QString &programFolder() const { return programFolder_; }
    const store::Clock &clock() const { return clock_; }
    ui::Form1Controls &controls() { return ui_; }

    void Form_Load();
    void Form_Unload();
    void Timer1_Timer();
    void Text1_GotFocus();
    void List1_Click();
    void Command2_Click();
    void Command5_Click();
    void Command7_Click();

    // Scan input.
    void Text1_KeyPress(int keyAscii);
    void 自动输入();

    // Current homework and the remembered lists.
    void Command4_Click(int index);
    void Command3_Click(int n);
    void Command16_Click(int n);
    void Command20_Click(int n);
    void 按钮显示();
    // Makes a slot of the shown day current and puts it at the front of the recent list.
    void pickShownHomework(const QString &slotText);
    // Leaves the per-pupil view.
    void Command14_Click();
    // Saves the day, then works on the given day as a pick from history does and shows the book.
    // False when the day could not be saved: it stays current.
    bool switchToDay(const QString &key, const QString &classDigit, const QString &slotText);

    // Queries by day, by subject and book, and through a book's history.
    void Command11_Click(int subject);
    void List2_Click();
    void List3_Click();
    void List4_Click();
    tracking::SubjectBooks &subjectBooks() { return subjectBooks_; }
    // Publishing.
    void renwufabu_Click();
    void 更改主界面上新输入和最近显示作业按钮内容();

    // The status area for one class and book.
    void 显示(const QString &classDigit, const QString &bookDigits);
    void 当天数据环境生成();
    void 保存操作();

    // Corrections of the shown book's marks, each saved as a scan is; undo takes back the last
    // scan or correction of the day.
    bool correctMark(int pupil, const QString &mark);
    void undoLastChange();
    void List1_DblClick(const QString &entry);
    // The menu of the marks a pupil of the shown book can be given.
    QMenu *markMenu(int pupil);

    // Runs a database operation; a failure is shown to the teacher and the run goes on.
    bool guarded(const std::function<void()> &operation);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectShell();
    void connectCorrections();
    // Memory no longer matches the file after clearing or a restore: nothing may be written.
    bool recordsWritable();
    bool saveMark(int slot, int pupil, const QString &mark);
    void turnToNewDay();
    void showMessagePanel(const QString &message);
    void showRememberedButtons();
    void connectHomework();
    void connectQueries();
    void queryByDay();
    void queryByBook();

    QString programFolder_;
    store::ProgramLock lock_;
    const store::Clock &clock_;
    core::MainState state_;
    std::unique_ptr<store::HomeworkDb> db_;
    std::unique_ptr<tracking::DayRecords> day_;
    ui::Form1Controls ui_;
    bool unloaded_ = false;
    tracking::SubjectBooks subjectBooks_{};
    tracking::BookHistory bookHistory_{};
    QPointer<QWidget> publishing_;
    tracking::MarkHistory markHistory_;
};
