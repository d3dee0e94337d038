#include "exams/Form6.h"

#include "exams/ExamLayout.h"
#include "exams/ExamWindowSet.h"
#include "exams/Form3.h"
#include "exams/ScoreEntry.h"
#include "state/AppContext.h"
#include "state/ExamSession.h"
#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace exams {

Form6::Form6(ExamWindowSet &windows, QWidget *parent) : QWidget(parent, Qt::Window), windows_(windows)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("学科选择窗口"));
    setAttribute(Qt::WA_DeleteOnClose);
    ui::placeTwips(this, 3000, 2000, 4800, 1300);
    for (int i = 0; i < 4; ++i) {
        Command1[i] = placedButton(this, indexedName("Command1", i), subjectTable(i), 240 + i * 1120, 300, 1000, 600);
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
}

void Form6::Command1_Click(int index)
{
    windows_.context().exams().chooseSubject(index);
    Form3 &entry = windows_.showForm3();
    entry.Frame2->setTitle(subjectTable(index) + QStringLiteral("   检测成绩编号输入"));
    entry.Label1->setText(QStringLiteral("请确认所选的学科为：   ") + subjectTable(index));
}

} // namespace exams
