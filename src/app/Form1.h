#pragma once

#include "ui/Form1Controls.h"
#include "ui/MainWindowParts.h"
#include "tracking/HomeworkQueries.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

namespace core {
class AppContext;
struct ScanResult;
}
namespace store {
class Clock;
}
class QMenu;

// The main window: the shell of widgets whose handlers read the controls, call the owners of the
// run's state and redraw when the owners announce a change.
class Form1 : public QMainWindow {
public:
    // Opens the database of the program folder; throws store::ProgramFolderInUse when another copy
    // runs on it and store::DatabaseOpenError when the file may not be used.
    Form1(const QString &programFolder, const store::Clock &clock, QWidget *parent = nullptr);
    ~Form1() override;

    core::AppContext &context() { return *context_; }
    // The teacher chose to quit at start-up, before anything was written.
    bool declinedAtStart() const { return declinedAtStart_; }
    ui::Form1Controls &controls() { return ui_; }
    ui::MainWindowParts parts() { return {*this, ui_, *context_}; }

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

    // Current homework and the remembered lists.
    void Command4_Click(int index);
    void Command3_Click(int n);
    void Command16_Click(int n);
    void Command20_Click(int n);
    void 更改主界面上新输入和最近显示作业按钮内容();
    // Leaves the per-pupil view.
    void Command14_Click();

    // Queries by day, by subject and book, and through a book's history.
    void Command11_Click(int subject);
    void List2_Click();
    void List3_Click();
    void List4_Click();
    void renwufabu_Click();

    // The status area for the shown book, as the day owner holds it.
    void 显示();

    // Corrections of the shown book's marks.
    void List1_DblClick(const QString &entry);
    void undoLastChange();
    // The menu of the marks a pupil of the shown book can be given.
    QMenu *markMenu(int pupil);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectShell();
    void connectOwners();
    void connectCorrections();
    void connectHomework();
    void connectQueries();
    void installWindows();
    QString showScanResult(const core::ScanResult &result);
    void scanPastedLines();
    void showMessagePanel(const QString &message);
    void showRestartNotice(const QString &caption);
    void showTurnedOverDay();
    void showClassChoice();
    bool clockAccepted();
    void tellOversizedClasses();
    // Makes a slot of the shown day current and puts it at the front of the recent list.
    void pickShownHomework(const QString &slotText);
    // Saves the day, then works on the given day and shows the book; false when it stayed.
    bool switchToDay(const QString &key, const QString &classDigit, const QString &slotText);
    bool correctMark(int pupil, const QString &mark);
    void queryByDay();
    void queryByBook();

    std::unique_ptr<core::AppContext> context_;
    ui::Form1Controls ui_;
    bool unloaded_ = false;
    bool declinedAtStart_ = false;
    int CurrentSubject = 0; // 1 语文 .. 4 科学, last chosen for the book query
    tracking::SubjectBooks subjectBooks_{};
    tracking::BookHistory bookHistory_{};
    QPointer<QWidget> publishing_;
};
