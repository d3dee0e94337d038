#include "exams/AnalysisWindow.h"

#include "exams/ExamLayout.h"
#include "exams/ScoreCorrectionDialog.h"
#include "exams/TestCharts.h"
#include "state/ExamSession.h"
#include "ui/DatabaseGuard.h"
#include "ui/ElidingControls.h"
#include "ui/KeyboardAccess.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace exams {

namespace {

const QColor kHighlight(0xFF, 0x80, 0xFF);
const QColor kComposite(0x00, 0xFF, 0x00);

struct SummaryRow {
    const char *leftCaption;
    int leftBox;
    const char *rightCaption;
    int rightBox;
};

constexpr SummaryRow kSummaryRows[] = {
    {"总记录人数：", 0, "平  均  分：", 4}, {"优秀张数：", 1, "优  秀  率：", 6},
    {"良好人数：", 2, "良  好  率：", 7},   {"一般人数：", 3, "一  般  率：", 8},
    {"不合格人数：", 5, "不合格率：", 10},  {"合格人数：", 12, "合  格  率：", 9},
};

} // namespace

AnalysisWindow::AnalysisWindow(core::ExamSession &session, const QString &name, const QString &caption, QWidget *parent)
    : QWidget(parent, Qt::Window), session_(session)
{
    setObjectName(name);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);
    layOut();
    installScoreCorrection(*this, session_);
    // A score entered or corrected anywhere shows at once.
    connect(&session_, &core::ExamSession::scoresChanged, this, [this] {
        if (shownTest_ != 0)
            refreshShownTest();
    });
    Form_Load();
}

void AnalysisWindow::layOut()
{
    Frame1 = placedFrame(this, QStringLiteral("Frame1"), QStringLiteral("检测内容选择"), 120, 120, 5200, 11030);
    for (int i = 0; i < kOptionsPerPage; ++i) {
        Option1[i] = new QRadioButton(QStringLiteral("01、《学习与评价》小数乘法测试"), Frame1);
        Option1[i]->setObjectName(indexedName("Option1", i));
        ui::placeTwips(Option1[i], 200, 360 + i * 390, 4850, 360);
        Option1[i]->hide();
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    }
    Command1[0] = placedButton(Frame1, QStringLiteral("Command1_0"), QStringLiteral("上一页"), 400, 10430, 1800, 450);
    Command1[1] = placedButton(Frame1, QStringLiteral("Command1_1"), QStringLiteral("下一页"), 3000, 10430, 1800, 450);
    for (int i = 0; i < 2; ++i) {
        Command1[i]->hide();
        connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }

    Frame2 = placedFrame(this, QStringLiteral("Frame2"), QStringLiteral("检测数据汇总"), 5500, 120, 6000, 3100);
    auto pair = [this](const char *caption, int box, int left, int top) {
        Label1[box] = placedLabel(Frame2, indexedName("Label1", box), QString::fromUtf8(caption), left, top, 1500, 360);
        Text1[box] = placedBox(Frame2, indexedName("Text1", box), QString::fromUtf8(caption), left + 1550, top, 1100, 360);
        Label1[box]->setBuddy(Text1[box]);
    };
    for (int r = 0; r < 6; ++r) {
        pair(kSummaryRows[r].leftCaption, kSummaryRows[r].leftBox, 150, 380 + r * 440);
        pair(kSummaryRows[r].rightCaption, kSummaryRows[r].rightBox, 3050, 380 + r * 440);
    }

    Frame3 = placedFrame(this, QStringLiteral("Frame3"), QStringLiteral("综合评定分"), 5500, 3300, 6000, 2650);
    Label1[11] = placedLabel(Frame3, QStringLiteral("Label1_11"), QStringLiteral("综合评定分："), 200, 450, 1500, 360);
    Text1[11] = placedBox(Frame3, QStringLiteral("Text1_11"), QStringLiteral("综合评定分："), 1750, 450, 1200, 360);
    Label1[11]->setBuddy(Text1[11]);
    Label1[13] = placedLabel(Frame3, QStringLiteral("Label1_13"), QString(), 200, 950, 5600, 1550);
    Label1[13]->setWordWrap(true);
    Label1[13]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The figures are read, not typed: Tab goes from the tests straight to the pupils.
    for (QLineEdit *box : Text1) {
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::ClickFocus);
        box->installEventFilter(this);
    }
    for (int box : {4, 6, 9, 11})
        setBackground(Text1[box], kComposite);

    // Wide enough for "56、" and a name of four characters on one line; longer names take two.
    const QString scoredClass = session_.scoredClassName();
    Frame4 = placedFrame(this, QStringLiteral("Frame4"),
                         scoredClass.isEmpty() ? QStringLiteral("学生成绩显示窗口")
                                               : QStringLiteral("学生成绩显示窗口（%1班）").arg(scoredClass),
                         5500, 6050, 13830, 5100);
    for (int k = 0; k < kGridPupils; ++k) {
        const GridPlace place = gridPlace(k);
        const int left = 150 + place.column * 1690;
        const int top = 380 + place.row * 640;
        Label2[k] = ui::placed<ui::ElidingLabel>(Frame4, indexedName("Label2", k), left, top, 1260, 600);
        Label3[k] = placedLabel(Frame4, indexedName("Label3", k), QString(), left + 1280, top, 340, 600);
        Label2[k]->installEventFilter(this);
    }
    morePupils = placedLabel(this, QStringLiteral("morePupils"), QString(), 5500, 11200, 13830, 400);
    charts = new TestCharts(this, [this](Band band) { Text1_Click(countBoxOf(band)); });
    ui::placeTwips(charts, 11700, 200, 7630, 5750);
    成绩还原成原色();
    resize(ui::twips(this, 19450), ui::twips(this, 11700));
    ui::pressFocusedButtonsWithEnter(this);
}

void AnalysisWindow::Form_Load()
{
    subject_ = std::clamp(session_.selectedSubject(), 0, 3);
    ui::guarded(this, [this] { session_.loadTests(); });
    tests_ = session_.tests();
    page_ = 1;
    检测下一页是否需要打亮();
    显示检测内容();
    showMeans();
}

void AnalysisWindow::显示检测内容()
{
    // No option stays chosen on a page whose tests the figures do not belong to.
    for (QRadioButton *option : Option1) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
    for (const TestOption &option : testPage(tests_, page_).options) {
        Option1[option.index]->setText(option.caption);
        Option1[option.index]->show();
    }
}

void AnalysisWindow::检测下一页是否需要打亮() { Command1[1]->setVisible(testPage(tests_, page_).next != 0); }

void AnalysisWindow::检测上一页是否需要打亮() { Command1[0]->setVisible(testPage(tests_, page_).previous != 0); }

void AnalysisWindow::Command1_Click(int index)
{
    const TestPage shown = testPage(tests_, page_);
    const int target = index == 1 ? shown.next : shown.previous;
    if (target == 0)
        return;
    for (QRadioButton *option : Option1) {
        option->setText(QString());
        option->hide();
    }
    page_ = target;
    检测下一页是否需要打亮();
    检测上一页是否需要打亮();
    显示检测内容();
    showMeans();
}

void AnalysisWindow::数据清空()
{
    for (QLineEdit *box : Text1)
        box->clear();
    charts->showBands({});
}

void AnalysisWindow::Option1_Click(int index) { showTest(testNumber(page_, index)); }

void AnalysisWindow::refreshShownTest()
{
    const int lit = litBox_;
    showTest(shownTest_);
    if (lit != 0)
        Text1_Click(lit);
}

void AnalysisWindow::showTest(int test)
{
    数据清空();
    TestAnalysis analysis;
    if (!ui::guarded(this, [&] { analysis = session_.analyse(subject_, test); }))
        return;
    shownTest_ = test;
    for (int box = 0; box < int(Text1.size()); ++box)
        Text1[box]->setText(analysis.boxes[box]);
    Label1[13]->setText(QStringLiteral("检测内容为：   ") + tests_[test][2]);
    显示学生成绩(analysis);
    成绩还原成原色();
    charts->showBands(analysis.statistics);
    showMeans();
}

void AnalysisWindow::showMeans()
{
    QList<TestMean> means;
    ui::guarded(this, [&] { means = session_.means(subject_, tests_); });
    charts->showMeans(means, shownTest_, pageRange(tests_, page_));
}

void AnalysisWindow::显示学生成绩(const TestAnalysis &analysis)
{
    for (int k = 0; k < kGridPupils; ++k) {
        Label2[k]->setText(k < analysis.pupils.size() ? analysis.pupils[k].name : QString());
        Label3[k]->setText(k < analysis.pupils.size() ? analysis.pupils[k].score : QString());
        Label2[k]->setFocusPolicy(k < analysis.pupils.size() ? Qt::StrongFocus : Qt::NoFocus);
    }
    shownPupils_ = int(analysis.pupils.size());
    morePupils->setText(morePupilsNotice(analysis.rosterSize));
}

void AnalysisWindow::Text1_Click(int index)
{
    if (!isCountBox(index))
        return;
    成绩还原成原色();
    setBackground(Text1[index], kHighlight);
    litBox_ = index;
    const Band band = bandOfCountBox(index);
    for (int k = 0; k < shownPupils_; ++k) {
        if (highlighted(Label3[k]->text(), band)) {
            setBackground(Label2[k], kHighlight);
            setBackground(Label3[k], kHighlight);
        }
    }
}

void AnalysisWindow::成绩还原成原色()
{
    const QPalette system = QApplication::palette();
    for (int k = 0; k < kGridPupils; ++k) {
        setBackground(Label2[k], system.color(QPalette::Button));
        setBackground(Label3[k], system.color(QPalette::Button));
    }
    for (int box : {1, 2, 3, 5})
        setBackground(Text1[box], system.color(QPalette::Base));
    litBox_ = 0;
}

int AnalysisWindow::pupilBeside(int place, int key) const
{
    const int step = key == Qt::Key_Up     ? -1
                     : key == Qt::Key_Down  ? 1
                     : key == Qt::Key_Left  ? -kGridRows
                     : key == Qt::Key_Right ? kGridRows
                                            : 0;
    const int beside = place + step;
    return beside >= 0 && beside < shownPupils_ ? beside : place;
}

bool AnalysisWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        for (int box = 0; box < int(Text1.size()); ++box)
            if (watched == Text1[box])
                Text1_Click(box);
    if (event->type() == QEvent::KeyPress) {
        const int place = int(std::find(Label2.begin(), Label2.end(), watched) - Label2.begin());
        const int beside = place < shownPupils_ ? pupilBeside(place, static_cast<QKeyEvent *>(event)->key()) : place;
        if (beside != place) {
            Label2[beside]->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace exams
