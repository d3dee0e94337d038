// Finding homework again on the main window: by day, by subject and book, through a book's history.
#include "app/Form1.h"

#include "store/HomeworkDb.h"
#include "tracking/DayRecords.h"
#include "tracking/Form12.h"

#include <QAction>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

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
    if (!guarded([this] { db_->保存操作(state_); }))
        return;
    ui_.List3->hide();
    ui_.List2->show();
    ui_.List2->clear();
    guarded([this] { ui_.List2->addItems(tracking::daysWithHomework(*db_)); });
    ui_.Text1->setFocus();
}

void Form1::List2_Click()
{
    QListWidgetItem *picked = ui_.List2->currentItem();
    if (!picked || !guarded([this] { db_->保存操作(state_); }))
        return;
    state_.CurrentDateKey = picked->text();
    ui_.List2->hide();
    state_.HistoryDayChosen = 1;
    当天数据环境生成();
    const bool anyContent = std::any_of(state_.HomeworkContent.begin() + 1, state_.HomeworkContent.end(),
                                        [](const QString &content) { return !content.isEmpty(); });
    if (anyContent)
        Command4_Click(0);
    else
        ui_.Text1->setFocus();
}

void Form1::queryByBook()
{
    if (!guarded([this] { db_->保存操作(state_); }))
        return;
    guarded([this] { tracking::把作业本分拆成语数英科学分科显示数组(*db_, subjectBooks_); });
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
    state_.CurrentSubject = subject;
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
    const int slot = tracking::subjectBookSlot(subjectBooks_, state_.CurrentSubject, ui_.List3->currentRow() + 1);
    if (!guarded([this] { db_->保存操作(state_); }))
        return;
    ui_.List4->addItem(QString(15, QLatin1Char(' ')) + name);
    guarded([this, slot] { tracking::取得某次作业的作业内容和日期的一一对应表(*db_, bookHistory_, slot); });
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
    state_.CurrentDateKey = bookHistory_[1][position];
    state_.HistoryDayChosen = 1;
    const QString slotText = bookHistory_[3][position];
    当天数据环境生成();
    pickShownHomework(slotText);
    tracking::清空作业内容日期一一对应二维表(bookHistory_);
    ui_.List4->hide();
    ui_.Text1->setFocus();
}

void Form1::renwufabu_Click()
{
    if (!publishing_)
        publishing_ = new Form12(*this);
    publishing_->show();
    publishing_->raise();
    publishing_->activateWindow();
}

void Form1::更改主界面上新输入和最近显示作业按钮内容()
{
    for (int n = 0; n <= core::kLatestLast; ++n) {
        ui_.Command20[n]->setText(state_.LatestEntered[n][5]);
        if (!state_.LatestEntered[n][5].isEmpty())
            ui_.Command20[n]->show();
    }
    for (int n = 0; n <= core::kRecentLast; ++n) {
        ui_.Command16[n]->setText(state_.RecentShown[n][5]);
        if (!state_.RecentShown[n][5].isEmpty())
            ui_.Command16[n]->show();
    }
}
