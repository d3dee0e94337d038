#include "exams/Form7.h"

#include "exams/ExamLayout.h"
#include "exams/ScoreEntry.h"
#include "state/MasterData.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace exams {

Form7::Form7(core::MasterData &master, QWidget *parent) : QWidget(parent, Qt::Window), master_(master)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QString());
    placedLabel(this, QStringLiteral("Label1"), QStringLiteral("学科"), 300, 200, 1200, 360);
    placedLabel(this, QStringLiteral("Label2"), QStringLiteral("作业序号"), 1700, 200, 1400, 360);
    for (int j = 0; j < 4; ++j) {
        QLabel *subject = placedLabel(this, indexedName("Label3", j), subjectTable(j), 300, 700 + j * 480, 1200, 360);
        Text1[j] = placedBox(this, indexedName("Text1", j), subjectTable(j), 1700, 700 + j * 480, 1400, 360);
        subject->setBuddy(Text1[j]);
    }
    Command1 = placedButton(this, QStringLiteral("Command1"), QStringLiteral("确  定"), 500, 2750, 1400, 480);
    Command2 = placedButton(this, QStringLiteral("Command2"), QStringLiteral("×"), 2200, 2750, 900, 480);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    resize(ui::twips(this, 3500), ui::twips(this, 3500));
}

void Form7::Command1_Click()
{
    const std::array<QString, 4> typed{Text1[0]->text(), Text1[1]->text(), Text1[2]->text(), Text1[3]->text()};
    if (!ui::guarded(this, [&] { master_.storeTestBooks(typed); }))
        return;
    ui::MessagePresenter::inform(this, QStringLiteral("所输测试内容的序号已成功导入数据库！"));
    hide();
}

void Form7::Command2_Click() { hide(); }

} // namespace exams
