// The current homework on the main window: today's book buttons and the two remembered lists.
#include "app/Form1.h"

#include "store/HomeworkDb.h"
#include "tracking/BookCode.h"
#include "tracking/DayRecords.h"
#include "tracking/RememberedLists.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

void Form1::connectHomework()
{
    connect(ui_.Command4[0], &QPushButton::clicked, this, [this] { Command4_Click(0); });
    for (int n = 1; n <= 16; ++n)
        connect(ui_.Command3[n], &QPushButton::clicked, this, [this, n] { Command3_Click(n); });
    for (int n = 0; n <= core::kRecentLast; ++n)
        connect(ui_.Command16[n], &QPushButton::clicked, this, [this, n] { Command16_Click(n); });
    for (int n = 0; n <= core::kLatestLast; ++n)
        connect(ui_.Command20[n], &QPushButton::clicked, this, [this, n] { Command20_Click(n); });
    connect(ui_.Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
}

void Form1::Command4_Click(int index)
{
    // Every query starts from the status area: the per-pupil view would hide its lists.
    Command14_Click();
    ui::placeTodayButtons(ui_);
    ui_.List1->clear();
    if (index == 2)
        queryByDay();
    if (index == 3)
        queryByBook();
    if (index != 0)
        return;

    for (QWidget *query : {static_cast<QWidget *>(ui_.Frame10), static_cast<QWidget *>(ui_.List2),
                           static_cast<QWidget *>(ui_.List3), static_cast<QWidget *>(ui_.List4)})
        query->hide();
    const QList<tracking::TodayButton> buttons = tracking::todaysHomework(state_);
    for (int n = 1; n <= int(buttons.size()); ++n) {
        QPushButton *button = ui_.Command3[n];
        button->setText(buttons[n - 1].caption);
        button->move(button->x(), ui::twips(button, 400 + (n <= 8 ? n - 1 : n - 9) * 850));
        button->show();
        button->raise();
    }
    if (buttons.isEmpty())
        ui::MessagePresenter::inform(this, QStringLiteral("暂无输入订正情况记录！"));
    ui_.Text1->setFocus();
}

void Form1::pickShownHomework(const QString &slotText)
{
    const QString caption = tracking::取得相应班级相应本子编号的作业本名称和内容(state_, QStringLiteral("1"), slotText);
    tracking::rememberShownHomework(state_, QStringLiteral("1"), slotText, caption);
    按钮显示();
    显示(QStringLiteral("1"), slotText);
}

void Form1::Command3_Click(int n)
{
    pickShownHomework(QString::number(state_.TodaySlots[n]));
    for (int b = 1; b <= 16; ++b)
        ui_.Command3[b]->hide();
    ui_.Text1->setFocus();
}

void Form1::按钮显示()
{
    for (int n = 0; n <= core::kRecentLast && !state_.RecentShown[n][1].isEmpty(); ++n) {
        ui_.Command16[n]->setText(state_.RecentShown[n][5]);
        ui_.Command16[n]->show();
    }
}

void Form1::Command14_Click()
{
    for (QWidget *view : {static_cast<QWidget *>(ui_.List6), static_cast<QWidget *>(ui_.List7),
                          static_cast<QWidget *>(ui_.Command14)})
        view->hide();
    for (QPushButton *filter : ui_.Command15)
        filter->hide();
    ui_.Text1->setFocus();
}

bool Form1::switchToDay(const QString &key, const QString &classDigit, const QString &slotText)
{
    ui_.Frame10->hide();
    for (int b = 1; b <= 16; ++b)
        ui_.Command3[b]->hide();
    Command14_Click();
    // Leaving a day that could not be stored would lose its scans: stay on it.
    if (!guarded([this] { db_->保存操作(state_); }))
        return false;
    state_.HistoryDayChosen = 1;
    state_.CurrentDateKey = key;
    当天数据环境生成();
    显示(classDigit, slotText);
    return true;
}

void Form1::Command16_Click(int n)
{
    const core::RememberedEntry entry = state_.RecentShown[n];
    if (switchToDay(entry[1], entry[2], entry[3])) {
        tracking::moveToFront(state_.RecentShown, n);
        按钮显示();
    }
    ui_.Text1->setFocus();
}

void Form1::Command20_Click(int n)
{
    const core::RememberedEntry &entry = state_.LatestEntered[n];
    switchToDay(entry[1], entry[2], entry[3]);
    ui_.Text1->setFocus();
}
