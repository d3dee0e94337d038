// The current homework on the main window: today's book buttons and the two remembered lists.
#include "app/Form1.h"

#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/WorkingDay.h"
#include "ui/DatabaseGuard.h"
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
    ui::startQuery(ui_);
    if (index == 2)
        queryByDay();
    if (index == 3)
        queryByBook();
    if (index != 0)
        return;

    for (QWidget *query : {static_cast<QWidget *>(ui_.Frame10), static_cast<QWidget *>(ui_.List2),
                           static_cast<QWidget *>(ui_.List3), static_cast<QWidget *>(ui_.List4)})
        query->hide();
    const QList<tracking::TodayButton> buttons = context_->day().todaysHomework();
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
    core::WorkingDay &day = context_->day();
    const QString classDigit = day.shownClass();
    context_->remembered().rememberShown(day.state(), classDigit, slotText, day.caption(classDigit, slotText));
    day.showBook(classDigit, slotText);
}

void Form1::Command3_Click(int n)
{
    pickShownHomework(QString::number(context_->day().state().TodaySlots[n]));
    for (int b = 1; b <= 16; ++b)
        ui_.Command3[b]->hide();
    ui_.Text1->setFocus();
}

void Form1::更改主界面上新输入和最近显示作业按钮内容()
{
    const core::RememberedHomework &remembered = context_->remembered();
    const core::MasterRecords &master = context_->master().records();
    for (int n = 0; n <= core::kLatestLast; ++n) {
        ui_.Command20[n]->setText(tracking::rememberedCaption(remembered.latestEntered()[n], master));
        if (!remembered.latestEntered()[n][5].isEmpty())
            ui_.Command20[n]->show();
    }
    for (int n = 0; n <= core::kRecentLast; ++n) {
        ui_.Command16[n]->setText(tracking::rememberedCaption(remembered.recentShown()[n], master));
        if (!remembered.recentShown()[n][5].isEmpty())
            ui_.Command16[n]->show();
    }
}

void Form1::Command14_Click() { ui::leaveByNameView(ui_); }

bool Form1::switchToDay(const QString &key, const QString &classDigit, const QString &slotText)
{
    core::WorkingDay &day = context_->day();
    if (!ui::guarded(this, [&] { day.switchToDay(key); }))
        return false;
    day.showBook(classDigit, slotText);
    return true;
}

void Form1::Command16_Click(int n)
{
    const core::RememberedEntry entry = context_->remembered().recentShown()[n];
    if (switchToDay(entry[1], entry[2], entry[3]))
        context_->remembered().bringRecentToFront(n);
    ui_.Text1->setFocus();
}

void Form1::Command20_Click(int n)
{
    const core::RememberedEntry entry = context_->remembered().latestEntered()[n];
    switchToDay(entry[1], entry[2], entry[3]);
    ui_.Text1->setFocus();
}
