// Finding homework again on the main window: by day, by subject and book, through a book's history.
#include "app/Form1.h"

#include "state/AppContext.h"
#include "state/WorkingDay.h"
#include "tracking/Form12.h"
#include "ui/DatabaseGuard.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <algorithm>

void Form1::connectQueries()
{
    for (int index : {2, 3})
        connect(ui_.Command4[index], &QPushButton::clicked, this, [this, index] { Command4_Click(index); });
    for (int s = 1; s <= 4; ++s)
        connect(ui_.Command11[s], &QPushButton::clicked, this, [this, s] { Command11_Click(s); });
    connect(ui_.List2, &QListWidget::itemClicked, this, [this] { List2_Click(); });
    connect(ui_.List3, &QListWidget::itemClicked, this, [this] { List3_Click(); });
    connect(ui_.List4, &QListWidget::itemClicked, this, [this] { List4_Click(); });
    connect(ui_.renwufabu, &QAction::triggered, this, [this] { renwufabu_Click(); });
    ui_.renwufabu->setEnabled(true);
}

void Form1::queryByDay()
{
    ui_.Frame10->hide();
    if (!ui::guarded(this, [this] { context_->day().保存操作(); }))
        return;
    ui_.List3->hide();
    ui_.List2->show();
    ui_.List2->clear();
    ui::guarded(this, [this] {
        ui_.List2->addItems(tracking::daysWithHomework(context_->db(), context_->day().state().ShownClass));
    });
    ui_.Text1->setFocus();
}

void Form1::List2_Click()
{
    QListWidgetItem *picked = ui_.List2->currentItem();
    if (!picked)
        return;
    const QString key = picked->text();
    if (!ui::guarded(this, [&] { context_->day().switchToDay(key); }))
        return;
    ui_.List2->hide();
    const auto &contents = context_->day().state().shown().HomeworkContent;
    if (std::any_of(contents.begin() + 1, contents.end(), [](const QString &content) { return !content.isEmpty(); }))
        Command4_Click(0);
    else
        ui_.Text1->setFocus();
}

void Form1::queryByBook()
{
    if (!ui::guarded(this, [this] { context_->day().保存操作(); }))
        return;
    ui::guarded(this, [this] { tracking::把作业本分拆成语数英科学分科显示数组(context_->db(), subjectBooks_); });
    ui_.List4->hide();
    ui_.List3->show();
    ui_.List3->clear();
    ui_.Frame10->show();
    ui_.Text1->setFocus();
}

void Form1::Command11_Click(int subject)
{
    ui_.List1->hide();
    ui_.List3->show();
    CurrentSubject = subject;
    ui_.List3->clear();
    ui_.List3->addItems(tracking::subjectBookNames(subjectBooks_, subject));
    ui_.Frame10->hide();
    ui_.Text1->setFocus();
}

void Form1::List3_Click()
{
    ui_.List4->clear();
    QListWidgetItem *picked = ui_.List3->currentItem();
    if (!picked || picked->text().isEmpty())
        return;
    const QString name = picked->text();
    const int slot = tracking::subjectBookSlot(subjectBooks_, CurrentSubject, ui_.List3->currentRow() + 1);
    if (!ui::guarded(this, [this] { context_->day().保存操作(); }))
        return;
    ui_.List4->addItem(QString(15, QLatin1Char(' ')) + name);
    ui::guarded(this, [this, slot] {
        tracking::取得某次作业的作业内容和日期的一一对应表(context_->db(), bookHistory_, slot, context_->day().state().ShownClass);
    });
    ui_.List3->hide();
    ui_.List4->show();
    ui_.List4->addItems(tracking::historyContents(bookHistory_));
    ui_.Text1->setFocus();
}

void Form1::List4_Click()
{
    const int position = ui_.List4->currentRow();
    if (position < 1 || position > 100 || bookHistory_[1][position].isEmpty())
        return;
    const QString key = bookHistory_[1][position];
    const QString slotText = bookHistory_[3][position];
    if (!ui::guarded(this, [&] { context_->day().switchToDay(key); }))
        return;
    pickShownHomework(slotText);
    tracking::清空作业内容日期一一对应二维表(bookHistory_);
    ui_.List4->hide();
    ui_.Text1->setFocus();
}

void Form1::renwufabu_Click()
{
    if (!publishing_)
        publishing_ = new tracking::Form12(*this, *context_);
    publishing_->show();
    publishing_->raise();
    publishing_->activateWindow();
}
