#include "app/Form1.h"

#include "admin/AdminWindows.h"
#include "exams/ExamWindows.h"
#include "labels/LabelWindow.h"
#include "reports/ReportWindows.h"
#include "sound/ScanSoundMenu.h"
#include "sound/ScanSounds.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/RunState.h"
#include "state/WorkingDay.h"
#include "store/Database.h"
#include "store/DateKey.h"
#include "ui/AppStyle.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"
#include "ui/ProgramIdentity.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

Form1::Form1(const QString &programFolder, const store::Clock &clock, QWidget *parent)
    : QMainWindow(parent), context_(std::make_unique<core::AppContext>(programFolder, clock))
{
    // Before the first widget: a style or font set afterwards polishes and lays out every one again.
    ui::applyApplicationStyle();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(ui::programName());
    ui::buildForm1(this, ui_);
    context_->open();
    connectShell();
    connectOwners();
    connectCorrections();
    connectHomework();
    connectQueries();
    installWindows();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::installWindows()
{
    installReports(parts());
    installLabelPrinting(parts());
    installExamWindows(parts());
    installScanSounds(parts());
    installAdminFunctions(parts(), {[this] { importSubjectNames(parts()); }, [this] { openTestNumbering(parts()); }});
}

void Form1::connectShell()
{
    ui_.Text1->installEventFilter(this);
    ui_.Command2->installEventFilter(this);
    connect(ui_.Text1, &QLineEdit::textChanged, this, [this] { scanPastedLines(); });
    connect(ui_.Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(ui_.List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(ui_.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(ui_.Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(ui_.Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
}

void Form1::connectOwners()
{
    core::WorkingDay &day = context_->day();
    connect(&day, &core::WorkingDay::shownChanged, this, [this] { 显示(); });
    connect(&day, &core::WorkingDay::turnedOver, this, [this] { showTurnedOverDay(); });
    connect(&day, &core::WorkingDay::dayLoaded, this, [this] {
        ui_.Command10[0]->setText(context_->master().records().ClassNames[1]);
        showClassChoice();
    });
    connect(ui_.classChoice, &QComboBox::activated, this, [this](int index) {
        context_->day().showClass(index + 1);
        ui_.Text1->setFocus();
    });
    connect(&day, &core::WorkingDay::daySwitched, this, [this] {
        ui_.Frame10->hide();
        for (int b = 1; b <= 16; ++b)
            ui_.Command3[b]->hide();
        Command14_Click();
    });
    connect(&context_->remembered(), &core::RememberedHomework::changed, this,
            [this] { 更改主界面上新输入和最近显示作业按钮内容(); });
    connect(&context_->run(), &core::RunState::restartRequired, this,
            [this](const QString &caption) { showRestartNotice(caption); });
    connect(context_.get(), &core::AppContext::dailyBackupFailed, this,
            [this](const QString &message) { ui::MessagePresenter::inform(this, message); });
}

void Form1::Form_Load()
{
    ui::setItemHeight(ui_.List1, 16);
    const core::MasterRecords &master = context_->master().records();
    ui::guarded(this, [this] {
        context_->master().load();
        context_->remembered().load();
    });
    ui_.Text3[0]->setText(master.ClassNames[1]);
    ui_.Text3[1]->setText(master.ClassNames[2]);
    if (!clockAccepted()) {
        declinedAtStart_ = true;
        return;
    }
    tellOversizedClasses();

    show();
    // The audio stream opens once the window is up, and is ready for the first scan.
    sound::ScanSounds::open();
    ui_.Text1->setFocus();
    ui::guarded(this, [this] { context_->day().start(); });
    ui_.Timer1->start();
    context_->startDailyBackup();
}

// A clock set back would record the day's scans on a day already past, or insert a day between
// stored ones, without a word: the teacher decides before anything is written.
bool Form1::clockAccepted()
{
    QString latest;
    ui::guarded(this, [&] { latest = context_->day().storedDayAfterToday(); });
    if (latest.isEmpty())
        return true;
    const QString today = store::displayedDate(context_->day().todayKey());
    return ui::MessagePresenter::ask(
               this, QStringLiteral("电脑的日期是 %1，早于已有记录的最后一天 %2，电脑的日期可能设置错了。\n"
                                    "选“确定”按 %1 继续登记；选“取消”退出程序，什么也不改动，请先改正电脑的日期。")
                         .arg(today, store::displayedDate(latest)))
        == ui::MessagePresenter::Answer::Ok;
}

void Form1::tellOversizedClasses()
{
    const core::MasterRecords &master = context_->master().records();
    const char *classTables[] = {"姓名", "52姓名"};
    for (int c = 1; c <= 2; ++c)
        if (master.ClassSizes[c] > core::kPupils)
            ui::MessagePresenter::inform(
                this, QStringLiteral("班级名单“%1”中有 %2 名学生，本软件每班最多处理 %3 名，只显示前 %3 名。")
                          .arg(QString::fromUtf8(classTables[c - 1]))
                          .arg(master.ClassSizes[c])
                          .arg(core::kPupils));
}

void Form1::Timer1_Timer()
{
    // The message box runs its own event loop: no further tick may stack another one on it.
    ui_.Timer1->stop();
    ui::guarded(this, [this] { context_->day().refresh(); });
    if (!unloaded_ && context_->run().writable())
        ui_.Timer1->start();
}

// A new day shows as a fresh start does: nothing chosen yet, and the new day's copy of the file.
void Form1::showTurnedOverDay()
{
    context_->startDailyBackup();
    ui_.List1->clear();
    for (int index : {0, 1, 2, 8, 9})
        ui_.Label2[index]->setText(QStringLiteral("请选择作业内容"));
    ui_.Frame12->hide();
    for (int b = 1; b <= 16; ++b)
        ui_.Command3[b]->hide();
}

void Form1::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    ui_.Timer1->stop();
    // Nothing to store after a clearing, or when the start was declined before the day was read.
    if (context_->run().dataCleared() == 1 || context_->day().state().CurrentDateKey.isEmpty())
        return;
    ui::guarded(this, [this] {
        context_->day().保存操作();
        context_->remembered().save();
    });
}

void Form1::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void Form1::Text1_GotFocus() { ui_.Frame2->hide(); }

void Form1::List1_Click() { ui_.Text1->setFocus(); }

void Form1::Command2_Click()
{
    ui_.Frame2->hide();
    ui_.Text1->clear();
    ui_.Text1->setFocus();
}

void Form1::Command5_Click() { ui_.Frame12->hide(); }

void Form1::Command7_Click()
{
    ui_.Command7->hide();
    if (context_->run().restartPending() == 1)
        close();
}

void Form1::showRestartNotice(const QString &caption)
{
    // Nothing is left to reload once the records were replaced.
    if (!context_->run().writable())
        ui_.Timer1->stop();
    ui_.Command7->setText(caption);
    ui::showPanel(ui_.Command7);
}

// A teacher of two classes chooses the shown one where a teacher of one reads its name.
void Form1::showClassChoice()
{
    const core::MasterRecords &master = context_->master().records();
    const bool twoClasses = context_->day().classes().size() == 2;
    ui_.classChoice->clear();
    if (twoClasses)
        ui_.classChoice->addItems({master.ClassNames[1], master.ClassNames[2]});
    ui_.classChoice->setCurrentIndex(context_->day().state().ShownClass - 1);
    ui_.classChoice->setVisible(twoClasses);
    ui_.Label2[1]->setVisible(!twoClasses);
}

void Form1::showMessagePanel(const QString &message)
{
    ui_.Label1->setText(message);
    ui::showPanel(ui_.Frame2);
    ui_.Command2->setFocus();
}

void Form1::显示()
{
    ui_.List1->show();
    for (QListWidget *other : {ui_.List2, ui_.List3, ui_.List4, ui_.List6, ui_.List7})
        other->hide();
    const tracking::StatusView view = context_->day().status();
    const bool handedIn = ui_.handedInSwitch->isChecked();
    ui_.List1->setAccessibleName(handedIn ? QStringLiteral("已交学生名单") : QStringLiteral("未交学生名单"));
    ui_.List1->setUpdatesEnabled(false);
    ui_.List1->clear();
    ui_.List1->addItems(handedIn ? view.handedInPupils : view.missingPupils);
    ui_.List1->setUpdatesEnabled(true);
    ui_.Label2[8]->setText(view.handedIn);
    ui_.Label2[9]->setText(view.notHandedIn);
    ui_.Label2[0]->setText(view.date);
    ui_.Label2[1]->setText(view.className);
    ui_.classChoice->setCurrentIndex(context_->day().state().ShownClass - 1);
    ui_.Label2[2]->setText(view.homework);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui_.Text1) {
        if (event->type() == QEvent::FocusIn)
            Text1_GotFocus();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            // Many readers end a code with Tab: it ends the code here as Enter does.
            const bool codeEnded = key == Qt::Key_Tab && !ui_.Text1->text().isEmpty();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || codeEnded) {
                Text1_KeyPress(13);
                return true;
            }
            // The code box would take Ctrl+Z for its own text, which every scan empties anyway.
            if (static_cast<QKeyEvent *>(event)->matches(QKeySequence::Undo)) {
                undoLastChange();
                return true;
            }
        }
    }
    if (watched == ui_.Command2 && event->type() == QEvent::KeyPress) {
        const auto *press = static_cast<QKeyEvent *>(event);
        if (press->key() == Qt::Key_Return || press->key() == Qt::Key_Enter) {
            ui_.Command2->click();
            return true;
        }
        // The next book is often scanned before anyone looks at the panel: its characters start a
        // new code instead of being lost on the button, and its Enter records it.
        if (press->key() != Qt::Key_Space && !press->text().isEmpty() && press->text().at(0).isPrint()) {
            ui_.Text1->setText(press->text());
            ui_.Text1->setFocus();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
