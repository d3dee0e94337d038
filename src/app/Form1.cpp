#include "app/Form1.h"

#include "admin/AdminWindows.h"
#include "admin/BackupActions.h"
#include "exams/ExamWindows.h"
#include "labels/LabelWindow.h"
#include "reports/ReportWindows.h"
#include "sound/ScanSoundMenu.h"
#include "store/HomeworkDb.h"
#include "tracking/DayRecords.h"
#include "ui/AppStyle.h"
#include "ui/MessagePresenter.h"

#include <QCloseEvent>
#include <future>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

Form1::Form1(const QString &programFolder, const store::Clock &clock, QWidget *parent)
    : QMainWindow(parent), programFolder_(programFolder), lock_(programFolder), clock_(clock)
{
    // Deriving the file's key takes longer than building the window: both go on at once, and the
    // connection is used by this thread alone once it is open.
    auto opening = std::async(std::launch::async, [programFolder] { return std::make_unique<store::HomeworkDb>(programFolder); });
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("作业完成情况条形码查找系统"));
    ui::buildForm1(this, ui_);
    db_ = opening.get();
    day_ = std::make_unique<tracking::DayRecords>(*db_, state_, clock);
    connectShell();
    connectCorrections();
    connectHomework();
    connectQueries();
    installReports(*this);
    installLabelPrinting(*this);
    installExamWindows(*this);
    installScanSounds(*this);
    installAdminFunctions(*this, {[this] { importSubjectNames(*this); }, [this] { openTestNumbering(*this); }});
    Form_Load();
}

Form1::~Form1() = default;

bool Form1::guarded(const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (const store::DatabaseError &error) {
        ui::MessagePresenter::inform(this, QStringLiteral("数据库操作失败：%1").arg(error.message()));
        return false;
    }
}

void Form1::connectShell()
{
    ui_.Text1->installEventFilter(this);
    ui_.Command2->installEventFilter(this);
    connect(ui_.Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    connect(ui_.List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(ui_.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(ui_.Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(ui_.Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
}

void Form1::Form_Load()
{
    ui::applyApplicationStyle();
    state_.TodayKey = day_->todayKey();
    ui::setItemHeight(ui_.List1, 16);

    guarded([this] {
        db_->获取语数英科测试作业顺序号(state_);
        db_->取得学科作业显示标记(state_);
        db_->取得班级名称导入数组(state_);
        ui_.Text3[0]->setText(state_.ClassNames[1]);
        ui_.Text3[1]->setText(state_.ClassNames[2]);
        db_->取得作业本名称导入数组(state_);
        db_->取得两个班级的人数导入数组(state_);
        db_->最近打开作业导入(state_);
        db_->最新输入作业导入(state_);
    });
    makeDailyBackup(*this);
    showRememberedButtons();
    const char *classTables[] = {"姓名", "52姓名"};
    for (int c = 1; c <= 2; ++c)
        if (state_.ClassSizes[c] > core::kPupils)
            ui::MessagePresenter::inform(
                this, QStringLiteral("班级名单“%1”中有 %2 名学生，本软件每班最多处理 %3 名，只显示前 %3 名。")
                          .arg(QString::fromUtf8(classTables[c - 1]))
                          .arg(state_.ClassSizes[c])
                          .arg(core::kPupils));

    show();
    ui_.Text1->setFocus();
    state_.HistoryDayChosen = 0;
    当天数据环境生成();
    ui_.Timer1->start();
}

void Form1::showRememberedButtons()
{
    按钮显示();
    for (int n = 0; n <= core::kLatestLast && !state_.LatestEntered[n][1].isEmpty(); ++n) {
        ui_.Command20[n]->setText(state_.LatestEntered[n][5]);
        ui_.Command20[n]->show();
    }
}

void Form1::当天数据环境生成()
{
    ui_.Command10[0]->setText(state_.ClassNames[1]);
    guarded([this] { day_->当天数据环境生成(); });
}

void Form1::保存操作()
{
    guarded([this] { db_->保存操作(state_); });
}

void Form1::Timer1_Timer()
{
    // The message box runs its own event loop: no further tick may stack another one on it.
    ui_.Timer1->stop();
    if (state_.HistoryDayChosen == 0 && day_->todayKey() != state_.TodayKey)
        turnToNewDay();
    else
        guarded([this] { day_->reload(); });
    if (!unloaded_)
        ui_.Timer1->start();
}

// A program left open overnight must record the morning's books on the morning's row, and show
// the new day as a fresh start would.
void Form1::turnToNewDay()
{
    if (!guarded([this] { db_->保存操作(state_); }))
        return;
    state_.TodayKey = day_->todayKey();
    state_.CurrentSlot = 0;
    state_.CurrentBookDigits.clear();
    state_.CurrentCode.clear();
    ui_.List1->clear();
    for (int index : {0, 1, 2, 8, 9})
        ui_.Label2[index]->setText(QStringLiteral("请选择作业内容"));
    ui_.Frame12->hide();
    for (int b = 1; b <= 16; ++b)
        ui_.Command3[b]->hide();
    当天数据环境生成();
}

void Form1::Form_Unload()
{
    if (unloaded_)
        return;
    unloaded_ = true;
    ui_.Timer1->stop();
    if (state_.DataCleared == 1)
        return;
    guarded([this] {
        db_->保存操作(state_);
        db_->最近打开作业保存(state_);
        db_->最新输入作业保存(state_);
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
    if (state_.RestartPending == 1)
        close();
}

void Form1::showMessagePanel(const QString &message)
{
    ui_.Label1->setText(message);
    ui::showPanel(ui_.Frame2);
    ui_.Command2->setFocus();
}

void Form1::显示(const QString &classDigit, const QString &bookDigits)
{
    ui_.List1->show();
    for (QListWidget *other : {ui_.List2, ui_.List3, ui_.List4, ui_.List6, ui_.List7})
        other->hide();
    const tracking::StatusView view = tracking::显示(state_, classDigit, bookDigits);
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
    ui_.Label2[2]->setText(view.homework);
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui_.Text1) {
        if (event->type() == QEvent::FocusIn)
            Text1_GotFocus();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
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
