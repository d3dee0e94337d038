#include "tracking/Form12.h"

#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/RememberedHomework.h"
#include "state/WorkingDay.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

namespace tracking {

namespace {

template <typename Widget>
Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

} // namespace

Form12::Form12(QWidget &mainWindow, core::AppContext &context) : QWidget(&mainWindow, Qt::Window), context_(context)
{
    setObjectName(QStringLiteral("Form12"));
    setWindowTitle(QStringLiteral("任务发布"));
    setAttribute(Qt::WA_DeleteOnClose);

    Frame10 = named(new QGroupBox(QStringLiteral("学科选择"), this), QStringLiteral("Frame10"));
    auto *subjects = new QHBoxLayout(Frame10);
    const char *captions[] = {"语 文", "数 学", "英 语", "科 学"};
    for (int s = 1; s <= 4; ++s) {
        Command11[s] = named(new QPushButton(QString::fromUtf8(captions[s - 1]), Frame10), QStringLiteral("Command11_%1").arg(s));
        subjects->addWidget(Command11[s]);
        connect(Command11[s], &QPushButton::clicked, this, [this, s] { Command11_Click(s); });
    }
    List3 = named(new QListWidget(this), QStringLiteral("List3"));
    List3->setAccessibleName(QStringLiteral("学科作业本"));
    List1 = named(new QListWidget(this), QStringLiteral("List1"));
    List1->setAccessibleName(QStringLiteral("可发布的日期"));
    Label1 = named(new QLabel(QStringLiteral("选中作业内容为：  "), this), QStringLiteral("Label1"));
    Label2[0] = named(new QLabel(QStringLiteral("选定的日期为：  "), this), QStringLiteral("Label2_0"));
    Label2[1] = named(new QLabel(QStringLiteral("请输入作业内容"), this), QStringLiteral("Label2_1"));
    Text1 = named(new QLineEdit(this), QStringLiteral("Text1"));
    Text1->setAccessibleName(Label2[1]->text());
    Label2[1]->setBuddy(Text1);
    Label3 = named(new QLabel(QStringLiteral("检测编号："), this), QStringLiteral("Label3"));
    Text2 = named(new QLineEdit(this), QStringLiteral("Text2"));
    Text2->setAccessibleName(QStringLiteral("检测编号"));
    Label3->setBuddy(Text2);
    Command1 = named(new QPushButton(QStringLiteral("确定"), this), QStringLiteral("Command1"));

    auto *grid = new QGridLayout(this);
    // A teacher of two classes publishes for one of them or, by default, for both at once.
    classes = named(new QGroupBox(QStringLiteral("班级"), this), QStringLiteral("classes"));
    auto *classRow = new QHBoxLayout(classes);
    const core::MasterRecords &master = context_.master().records();
    const QString classCaptions[] = {master.ClassNames[1] + QStringLiteral("班"), master.ClassNames[2] + QStringLiteral("班"),
                                     QStringLiteral("两个班")};
    for (int i = 0; i < 3; ++i) {
        classChoice[i] = named(new QRadioButton(classCaptions[i], classes), QStringLiteral("classChoice_%1").arg(i));
        classRow->addWidget(classChoice[i]);
        connect(classChoice[i], &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen && List3->currentItem())
                List3_Click();
        });
    }
    classChoice[2]->setChecked(true);
    classes->setVisible(context_.day().classes().size() == 2);
    grid->addWidget(classes, 7, 0, 1, 2);
    grid->addWidget(Frame10, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("作业本："), this), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("日期："), this), 1, 1);
    grid->addWidget(List3, 2, 0);
    grid->addWidget(List1, 2, 1);
    grid->addWidget(Label1, 3, 0, 1, 2);
    grid->addWidget(Label2[0], 4, 0, 1, 2);
    grid->addWidget(Label2[1], 5, 0);
    grid->addWidget(Text1, 5, 1);
    grid->addWidget(Label3, 6, 0);
    grid->addWidget(Text2, 6, 1);
    grid->addWidget(Command1, 8, 1, Qt::AlignRight);
    resize(560, 520);
    showTestNumber(false);

    connect(List3, &QListWidget::itemClicked, this, [this] { List3_Click(); });
    connect(List1, &QListWidget::itemClicked, this, [this] { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    ui::guarded(this, [this] { 把作业本分拆成语数英科学分科显示数组(context_.db(), subjectBooks_); });
}

void Form12::showTestNumber(bool shown)
{
    Label3->setVisible(shown);
    Text2->setVisible(shown);
}

void Form12::Command11_Click(int subject)
{
    chosenSubject_ = subject;
    List3->show();
    List3->clear();
    List3->addItems(subjectBookNames(subjectBooks_, subject));
}

void Form12::List3_Click()
{
    QListWidgetItem *picked = List3->currentItem();
    if (!picked)
        return;
    Label1->setText(QStringLiteral("选中作业内容为：  ") + picked->text());
    Label2[0]->setText(QStringLiteral("选定的日期为：  "));
    chosenDate_ = QStringLiteral("未选择");
    List1->clear();
    chosenSlot_ = subjectBookSlot(subjectBooks_, chosenSubject_, List3->currentRow() + 1);
    const auto &testBooks = context_.master().records().SubjectTestBooks;
    showTestNumber(std::find(testBooks.begin() + 1, testBooks.end(), chosenSlot_) != testBooks.end());
    ui::guarded(this, [this] { List1->addItems(daysOpenForBook(context_.db(), chosenSlot_, chosenClasses())); });
}

QList<int> Form12::chosenClasses() const
{
    if (classes->isHidden() || classChoice[0]->isChecked())
        return {1};
    return classChoice[1]->isChecked() ? QList<int>{2} : QList<int>{1, 2};
}

void Form12::List1_Click()
{
    QListWidgetItem *picked = List1->currentItem();
    if (!picked)
        return;
    Label2[0]->setText(QStringLiteral("选定的日期为：  ") + picked->text());
    chosenDate_ = picked->text();
    Text1->setFocus();
}

void Form12::Command1_Click()
{
    core::WorkingDay &day = context_.day();
    Publication result = Publication::NoDate;
    const QList<int> forClasses = chosenClasses();
    if (!ui::guarded(this, [&] { result = day.publish(chosenSlot_, chosenDate_, Text1->text(), Text2->text(), forClasses); }))
        return;
    if (result != Publication::Published) {
        ui::MessagePresenter::inform(this, publicationMessage(result));
        if (result == Publication::NoContent)
            Text1->setFocus();
        return;
    }
    const QString slotText = QString::number(chosenSlot_);
    const QString caption = context_.master().records().BookNames[chosenSlot_] + Text1->text();
    // The first class's entry ends at the front, the second's just behind it.
    for (auto classNumber = forClasses.rbegin(); classNumber != forClasses.rend(); ++classNumber) {
        const QString digit = QString::number(*classNumber);
        context_.remembered().addPublished(
            {QString(), chosenDate_, digit, slotText, chosenDate_ + digit + slotText, caption});
    }
    const int shown = forClasses.contains(day.state().ShownClass) ? day.state().ShownClass : forClasses.first();
    // Another day's content over the shown day's marks would record scans on the wrong row.
    if (chosenDate_ == day.state().CurrentDateKey || ui::guarded(this, [&] { day.switchToDay(chosenDate_); }))
        day.showBook(QString::number(shown), slotText);
    close();
}

} // namespace tracking
