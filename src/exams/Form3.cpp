#include "exams/Form3.h"

#include "exams/ExamLayout.h"
#include "exams/ExamWindowSet.h"
#include "exams/ScoreEntry.h"
#include "state/AppContext.h"
#include "state/ExamSession.h"
#include "ui/DatabaseGuard.h"
#include "ui/MessagePresenter.h"
#include "ui/Twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

namespace exams {

namespace {

constexpr int kBoxesPerRow = 10;

} // namespace

Form3::Form3(ExamWindowSet &windows, QWidget *parent) : QMainWindow(parent, Qt::Window), windows_(windows)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("检测成绩录入"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("central"));
    setCentralWidget(central);

    Frame2 = placedFrame(central, QStringLiteral("Frame2"), QStringLiteral("编码输入"), 120, 120, 11000, 2500);
    for (int i = 0; i < kEntryBoxes; ++i) {
        QLineEdit *box = placedBox(Frame2, indexedName("Text1", i), QStringLiteral("检测成绩编码%1").arg(i + 1),
                                   200 + (i % kBoxesPerRow) * 1070, 360 + (i / kBoxesPerRow) * 420, 1000, 360);
        box->setMaxLength(6);
        box->setAlignment(Qt::AlignCenter);
        setBackground(box, QColor(0xE0, 0xE0, 0xE0));
        connect(box, &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        Text1[i] = box;
    }
    Command3 = placedButton(central, QStringLiteral("Command3"), QStringLiteral("仅输入成绩"), 5600, 2750, 2400, 500);
    Command1 = placedButton(central, QStringLiteral("Command1"), QStringLiteral("成绩输入及作业删除"), 8400, 2750, 2700, 500);
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    Frame1 = placedFrame(central, QStringLiteral("Frame1"), QStringLiteral("学科选定确认框"), 120, 3400, 11000, 1300);
    Label1 = placedLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("你所选择的学科确定为   语文   吗？"), 300, 450,
                         6000, 500);
    Command2[0] = placedButton(Frame1, QStringLiteral("Command2_0"), QStringLiteral("是"), 6800, 400, 1500, 550);
    Command2[1] = placedButton(Frame1, QStringLiteral("Command2_1"), QStringLiteral("否"), 8800, 400, 1500, 550);
    for (int i = 0; i < 2; ++i)
        connect(Command2[i], &QPushButton::clicked, this, [this, i] { Command2_Click(i); });

    jcfx = menuBar()->addAction(QStringLiteral("检测分析"));
    jcfx->setObjectName(QStringLiteral("jcfx"));
    connect(jcfx, &QAction::triggered, this, [this] { windows_.showForm4(); });
    xscjfx = menuBar()->addAction(QStringLiteral("学生成绩分析"));
    xscjfx->setObjectName(QStringLiteral("xscjfx"));

    resize(ui::twips(this, 11300), ui::twips(this, 4900) + menuBar()->sizeHint().height());
}

void Form3::Command2_Click(int index)
{
    if (index == 0)
        Frame1->hide();
    else
        hide();
}

void Form3::Text1_Change(int index)
{
    if (Text1[index]->text().size() == 6 && index != kEntryBoxes - 1)
        Text1[index + 1]->setFocus();
}

QStringList Form3::boxes() const
{
    QStringList texts;
    for (const QLineEdit *box : Text1)
        texts << box->text();
    return texts;
}

void Form3::Command3_Click()
{
    core::ExamSession &session = windows_.context().exams();
    ScoreStoreResult stored;
    if (!ui::guarded(this, [&] { stored = session.storeScores(boxes()); }))
        return;
    finish(storedMessage(stored.rejected, stored.kept));
}

void Form3::Command1_Click()
{
    core::ExamSession &session = windows_.context().exams();
    const QStringList texts = boxes();
    ScoreStoreResult stored;
    if (!ui::guarded(this, [&] { stored = session.storeScores(texts); }))
        return;
    MarkingResult marked;
    if (!ui::guarded(this, [&] { marked = session.markTestPapers(texts); }))
        return;
    if (marked.noTestBook)
        ui::MessagePresenter::inform(this, noTestBookMessage(session.selectedSubject()));
    if (marked.unknownTest)
        ui::MessagePresenter::inform(this, unknownTestMessage());
    finish(storedMessage(stored.rejected + marked.rejected, stored.kept));
}

void Form3::finish(const QString &message)
{
    ui::MessagePresenter::inform(this, message);
    for (QLineEdit *box : Text1)
        box->clear();
    windows_.closeScoreEntry();
}

void Form3::closeEvent(QCloseEvent *event)
{
    windows_.closeForm6();
    event->accept();
}

} // namespace exams
