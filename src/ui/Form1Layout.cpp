#include "ui/Form1Controls.h"
#include "ui/AppStyle.h"
#include "ui/ElidingControls.h"
#include "ui/KeyboardAccess.h"
#include "ui/PlacedControls.h"
#include "ui/Twips.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace ui {

namespace {

// The work area of the main window and its menu bar, in twips at the design size.
constexpr int kDesignWidth = 19450;
constexpr int kDesignHeight = 11350;
constexpr int kMenuBarHeight = 420;
// What a desktop adds around a window, title bar and borders, in pixels.
constexpr QSize kWindowDecoration(16, 40);

const char *const kPanel = "panel";

// A panel hides whatever lies beneath it, its caption strip included.
template <typename Panel>
Panel *markedAsPanel(Panel *widget)
{
    widget->setProperty(kPanel, true);
    widget->setAutoFillBackground(true);
    return widget;
}

QFrame *panel(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *result = new QFrame(parent);
    result->setObjectName(name);
    placeTwips(result, left, top, width, height);
    result->setFrameShape(QFrame::StyledPanel);
    result->setFrameShadow(QFrame::Raised);
    return markedAsPanel(result);
}

QRect inWindow(const QWidget *widget) { return QRect(widget->mapTo(widget->window(), QPoint()), widget->size()); }

void buildStatus(Form1Controls &ui)
{
    ui.statusFrame = placedFrame(ui.central, QStringLiteral("statusFrame"), QStringLiteral("基本情况显示："), 120, 60, 4500, 11200);
    QWidget *frame = ui.statusFrame;
    auto *codeLabel = placedLabel(frame, QStringLiteral("codeLabel"), QStringLiteral("条形码"), 240, 420, 900, 360);
    ui.Text1 = placedBox(frame, QStringLiteral("Text1"), QStringLiteral("条形码"), 1140, 360, 3120, 440);
    codeLabel->setBuddy(ui.Text1);

    const struct {
        int index;
        const char *caption;
        int top;
        int height;
    } rows[] = {{0, "日期：", 960, 360}, {1, "班级：", 1380, 360}, {2, "作业名称：", 1800, 760},
                {8, "已交：", 2620, 360}, {9, "未交：", 3040, 360}};
    for (const auto &row : rows) {
        placedLabel(frame, indexedName("caption", row.index), QString::fromUtf8(row.caption), 240, row.top, 1260, 360);
        const QString name = indexedName("Label2", row.index);
        // The counts leave room for the switch to the list of those who handed in.
        const int width = row.index == 8 || row.index == 9 ? 1440 : 2760;
        QLabel *value = row.index == 2 ? placed<ElidingLabel>(frame, name, 1500, row.top, width, row.height)
                                       : placed<QLabel>(frame, name, 1500, row.top, width, row.height);
        value->setText(QStringLiteral("请选择作业内容"));
        value->setWordWrap(true);
        value->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        ui.Label2[row.index] = value;
    }
    ui.classChoice = placed<QComboBox>(frame, QStringLiteral("classChoice"), 1500, 1320, 2760, 400);
    ui.classChoice->setAccessibleName(QStringLiteral("班级"));
    ui.classChoice->setFocusPolicy(Qt::NoFocus);
    ui.classChoice->setToolTip(QStringLiteral("显示哪个班；扫描另一个班的条形码也会换到那个班"));
    ui.classChoice->hide();
    // The excellent-state panel has a strip of its own between the counts and the list, clear of
    // the message panel and of every pupil.
    ui.Frame12 = panel(frame, QStringLiteral("Frame12"), 240, 3440, 4020, 480);
    placedLabel(ui.Frame12, QStringLiteral("excellentLabel"), QStringLiteral("“优秀”输入状态"), 120, 60, 2600, 360);
    ui.Command5 = placedButton(ui.Frame12, QStringLiteral("Command5"), QStringLiteral("X"), 3500, 50, 420, 380);
    ui.List1 = placedList(frame, QStringLiteral("List1"), QStringLiteral("未交学生名单"), 240, 3980, 4020, 7040);
    ui.handedInSwitch = placedButton(frame, QStringLiteral("handedInSwitch"), QStringLiteral("查看已交"), 3000, 2620, 1260, 780);
    ui.handedInSwitch->setCheckable(true);
    ui.handedInSwitch->setFocusPolicy(Qt::NoFocus);
    ui.handedInSwitch->setToolTip(QStringLiteral("在未交名单和已交名单之间切换；双击或右击学生可更正其交作业情况，Ctrl+Z 撤销"));
    ui.Frame12->hide();

    // Below the code box, so the faulty code stays in sight, and above the excellent-state panel.
    ui.Frame2 = panel(ui.central, QStringLiteral("Frame2"), 240, 900, 4260, 2200);
    ui.Label1 = placedLabel(ui.Frame2, QStringLiteral("Label1"), QString(), 180, 180, 3900, 1100);
    ui.Label1->setWordWrap(true);
    ui.Label1->setAlignment(Qt::AlignCenter);
    showAsWarning(ui.Label1);
    ui.Command2 = placedButton(ui.Frame2, QStringLiteral("Command2"), QStringLiteral("确定"), 1530, 1440, 1200, 500);
    ui.Frame2->hide();
}

void buildRemembered(Form1Controls &ui)
{
    ui.recentFrame = placedFrame(ui.central, QStringLiteral("recentFrame"), QStringLiteral("最近显示作业："), 12600, 60, 6700, 6300);
    for (int i = 0; i < int(ui.Command16.size()); ++i) {
        ui.Command16[i] = placed<ElidingButton>(ui.recentFrame, indexedName("Command16", i), 150, 320 + i * 540, 6400, 500);
        ui.Command16[i]->hide();
    }
    ui.latestFrame = placedFrame(ui.central, QStringLiteral("latestFrame"), QStringLiteral("新发布的任务"), 12600, 6450, 6700, 4810);
    for (int i = 0; i < int(ui.Command20.size()); ++i) {
        ui.Command20[i] = placed<ElidingButton>(ui.latestFrame, indexedName("Command20", i), 150, 320 + i * 540, 6400, 500);
        ui.Command20[i]->hide();
    }
}

void buildQueries(Form1Controls &ui)
{
    ui.List2 = placedList(ui.central, QStringLiteral("List2"), QStringLiteral("登记作业的日期"), 4800, 400, 7600, 7000);
    ui.List3 = placedList(ui.central, QStringLiteral("List3"), QStringLiteral("学科作业本"), 4800, 400, 7600, 7000);
    ui.List4 = placedList(ui.central, QStringLiteral("List4"), QStringLiteral("作业本历次作业"), 4800, 400, 7600, 7000);
    ui.List6 = placedList(ui.central, QStringLiteral("List6"), QStringLiteral("未完成作业学生"), 4800, 400, 3000, 7000);
    ui.List7 = placedList(ui.central, QStringLiteral("List7"), QStringLiteral("未完成的作业"), 7900, 400, 4500, 7000);
    for (QListWidget *hidden : {ui.List2, ui.List3, ui.List4, ui.List6, ui.List7})
        hidden->hide();

    const char *filters[] = {"语文", "数学", "英语", "科学", "全部"};
    for (int i = 0; i < 5; ++i) {
        ui.Command15[i] = placedButton(ui.central, indexedName("Command15", i), QString::fromUtf8(filters[i]), 4800 + i * 1280, 7500,
                                 1200, 480);
        ui.Command15[i]->hide();
    }
    ui.Command14 = placedButton(ui.central, QStringLiteral("Command14"), QStringLiteral("退出"), 11200, 7500, 1200, 480);
    ui.Command14->hide();

    ui.queryFrame = placedFrame(ui.central, QStringLiteral("queryFrame"), QStringLiteral("查询："), 4800, 8100, 7600, 1000);
    const struct {
        int index;
        const char *caption;
    } queries[] = {{0, "当天登记作业显示"}, {2, "按日期"}, {3, "按作业"}, {4, "按姓名"}, {5, "校迅通文件"}};
    int left = 120;
    for (const auto &query : queries) {
        const int width = query.index == 0 ? 1900 : 1300;
        ui.Command4[query.index] =
            placedButton(ui.queryFrame, indexedName("Command4", query.index), QString::fromUtf8(query.caption), left, 340, width, 500);
        left += width + 60;
    }

    ui.Frame10 = placedFrame(ui.central, QStringLiteral("Frame10"), QStringLiteral("学科选择"), 4800, 9200, 7600, 950);
    const char *subjects[] = {"语 文", "数 学", "英 语", "科 学"};
    for (int s = 1; s <= 4; ++s)
        ui.Command11[s] = placedButton(ui.Frame10, indexedName("Command11", s), QString::fromUtf8(subjects[s - 1]),
                                 180 + (s - 1) * 1850, 330, 1700, 480);
    ui.Frame10->hide();

    placeTodayButtons(ui);
}

void buildExports(Form1Controls &ui)
{
    ui.Frame14 = panel(ui.central, QStringLiteral("Frame14"), 6000, 2400, 5200, 2000);
    ui.Label11 = placedLabel(ui.Frame14, QStringLiteral("Label11"), QString(), 240, 600, 4700, 700);
    ui.Label11->setWordWrap(true);
    ui.Command13 = placedButton(ui.Frame14, QStringLiteral("Command13"), QStringLiteral("×"), 4620, 60, 480, 420);
    const char *classes[] = {"第一个班", "第二个班"};
    for (int i = 0; i < 2; ++i) {
        ui.Command12[i] = placedButton(ui.Frame14, indexedName("Command12", i), QString::fromUtf8(classes[i]), 600 + i * 2100, 1400,
                                 1900, 450);
        ui.Command12[i]->hide();
    }
    ui.Frame14->hide();

    ui.Frame13 = placedFrame(ui.central, QStringLiteral("Frame13"), QStringLiteral("打印警告！"), 5400, 1400, 6400, 4300);
    const char *lines[] = {"    即将对未完成作业情况进行打印，请在打印之前退出所有", "WORD文档，若未退出，则系统会自动关闭所有WORD文档，并不",
                           "作保存，请慎重处理！", "请输入作业未完成情", "况的打印的下限次数"};
    for (int i = 0; i < 3; ++i)
        ui.Label15[i] = placedLabel(ui.Frame13, indexedName("Label15", i), QString::fromUtf8(lines[i]), 240, 400 + i * 400, 6000, 380);
    ui.Label15[3] = placedLabel(ui.Frame13, indexedName("Label15", 3), QString::fromUtf8(lines[3]), 240, 1900, 2600, 380);
    ui.Label15[4] = placedLabel(ui.Frame13, indexedName("Label15", 4), QString::fromUtf8(lines[4]), 240, 2300, 2600, 380);
    ui.Text6 = placedBox(ui.Frame13, QStringLiteral("Text6"), QStringLiteral("作业未完成情况的打印的下限次数"), 2900, 2000, 1500, 440);
    ui.Label15[3]->setBuddy(ui.Text6);
    for (int i = 0; i < 2; ++i) {
        ui.summaryClass[i] = placed<QRadioButton>(ui.Frame13, indexedName("summaryClass", i), 240 + i * 2600, 2760, 2400, 420);
        ui.summaryClass[i]->hide();
    }
    ui.Command18 = placedButton(ui.Frame13, QStringLiteral("Command18"), QStringLiteral("确 定"), 1700, 3300, 1300, 500);
    ui.Command19 = placedButton(ui.Frame13, QStringLiteral("Command19"), QStringLiteral("取 消"), 3400, 3300, 1300, 500);
    ui.Frame13->hide();

    ui.Frame17 = panel(ui.central, QStringLiteral("Frame17"), 5400, 3000, 6400, 900);
    ui.Label15[8] = placedLabel(ui.Frame17, indexedName("Label15", 8), QStringLiteral("系统正在进行计算并准备打印内容，请稍侯……"), 240,
                          240, 5900, 420);
    ui.Frame17->hide();
}

void buildSettings(Form1Controls &ui)
{
    ui.Frame6 = placedFrame(ui.central, QStringLiteral("Frame6"), QStringLiteral("班级设置："), 5400, 1000, 6400, 3400);
    const char *defaults[] = {"五(1)", "五(2)"};
    for (int i = 0; i < 2; ++i) {
        auto *caption = placedLabel(ui.Frame6, indexedName("classLabel", i), QStringLiteral("班级%1：").arg(i + 1), 240,
                              420 + i * 560, 1000, 400);
        ui.Text3[i] = placedBox(ui.Frame6, indexedName("Text3", i), QStringLiteral("班级%1").arg(i + 1), 1240, 400 + i * 560,
                              2400, 440);
        ui.Text3[i]->setText(QString::fromUtf8(defaults[i]));
        caption->setBuddy(ui.Text3[i]);
    }
    ui.Label6 = placedLabel(ui.Frame6, QStringLiteral("Label6"),
                      QStringLiteral("说明：用以设定所任学科的班级名称，如：一（1）、一（2）……等，本软件最多只能设置两个班级。"), 240,
                      1560, 5900, 900);
    ui.Label6->setWordWrap(true);
    ui.Command8 = placedButton(ui.Frame6, QStringLiteral("Command8"), QStringLiteral("确定"), 2600, 2600, 1200, 500);
    ui.Frame6->hide();

    ui.Frame9 = placedFrame(ui.central, QStringLiteral("Frame9"), QStringLiteral("作业本名称设置："), 4800, 300, 7600, 7600);
    for (int i = 0; i < 32; ++i) {
        const int column = i / 8;
        const int row = i % 8;
        auto *caption = placedLabel(ui.Frame9, indexedName("bookLabel", i), QStringLiteral("%1、").arg(i + 1), 120 + column * 1860,
                              400 + row * 620, 420, 400);
        ui.Text4[i] = placedBox(ui.Frame9, indexedName("Text4", i), QStringLiteral("%1、").arg(i + 1), 540 + column * 1860,
                              380 + row * 620, 1380, 440);
        caption->setBuddy(ui.Text4[i]);
    }
    ui.Label8 = placedLabel(ui.Frame9, QStringLiteral("Label8"), QStringLiteral("说明：请按需要按顺序输入所需要的作业本名称。"), 240,
                      5500, 7100, 400);
    ui.Command9 = placedButton(ui.Frame9, QStringLiteral("Command9"), QStringLiteral("确定"), 3200, 6400, 1200, 500);
    ui.Frame9->hide();

    for (int i = 0; i < 2; ++i) {
        ui.Command10[i] =
            placedButton(ui.central, indexedName("Command10", i), QStringLiteral("班级学生姓名导入按钮"), 6000, 4600 + i * 700, 4000, 600);
        ui.Command10[i]->hide();
    }
    ui.pupilListHint = placedLabel(ui.central, QStringLiteral("pupilListHint"),
                                   QStringLiteral("第一个班的名单放在“班级姓名.xls”，第二个班的放在“班级姓名2.xls”："
                                                  "第一张表的A列，一行一个姓名，中间不要空行。"),
                                   6000, 6000, 4000, 1300);
    ui.pupilListHint->setWordWrap(true);
    ui.pupilListHint->hide();

    ui.Frame16 = placedFrame(ui.central, QStringLiteral("Frame16"), QStringLiteral("学科与作业本关联设置窗口"), 4800, 300, 7600, 7600);
    const char *subjects[] = {"语  文", "数  学", "英  语", "科  学"};
    for (int s = 0; s < 4; ++s) {
        auto *caption = placedLabel(ui.Frame16, indexedName("subjectLabel", s), QString::fromUtf8(subjects[s]), 200 + s * 1840, 380,
                              1700, 380);
        caption->setAlignment(Qt::AlignCenter);
        ui.List8[s] = placedList(ui.Frame16, indexedName("List8", s), QString::fromUtf8(subjects[s]), 200 + s * 1840, 800, 1700, 5900);
        ui.List8[s]->setSelectionMode(QAbstractItemView::MultiSelection);
        caption->setBuddy(ui.List8[s]);
    }
    ui.Command1 = placedButton(ui.Frame16, QStringLiteral("Command1"), QStringLiteral("确认选择"), 2300, 6900, 1400, 500);
    ui.Command17 = placedButton(ui.Frame16, QStringLiteral("Command17"), QStringLiteral("关闭"), 3900, 6900, 1400, 500);
    ui.Frame16->hide();
}

// An item of a menu, or of the bar itself, off until the database is open.
QAction *menuItem(QWidget *menu, const char *name, const char *caption)
{
    QAction *action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    action->setEnabled(false);
    return action;
}

// Each caption carries its letter for Alt in brackets, as Chinese menus do: the pinyin initial,
// or the next one where two captions of a menu share it.
void buildMenu(QMainWindow *window, Form1Controls &ui)
{
    QMenuBar *bar = window->menuBar();
    QMenu *settings = bar->addMenu(QStringLiteral("基础数据设定(&J)"));
    ui.bjsz = menuItem(settings, "bjsz", "班级设置(&B)");
    ui.zysz = menuItem(settings, "zysz", "作业设置(&Z)");
    ui.xsmd = menuItem(settings, "xsmd", "学生名单(&X)");
    ui.xksz = menuItem(settings, "xksz", "学科设置(&K)");
    ui.csmddr = menuItem(settings, "csmddr", "检测学科姓名导入(&J)");
    ui.jczydr = menuItem(settings, "jczydr", "测试内容序号设置(&C)");
    ui.sjqk = menuItem(settings, "sjqk", "数据清空(&Q)");
    ui.sjhf = menuItem(settings, "sjhf", "数据恢复(&H)");
    ui.mmsd = menuItem(settings, "mmsd", "密码设定(&M)");
    ui.scanSounds = menuItem(settings, "scanSounds", "扫描提示音(&S)");
    ui.renwufabu = menuItem(bar, "renwufabu", "任务发布(&R)");
    ui.sjcjlr = menuItem(bar, "sjcjlr", "试卷成绩录入(&S)");
    QMenu *documents = bar->addMenu(QStringLiteral("文本生成中心(&W)"));
    ui.wwqkdc = menuItem(documents, "wwqkdc", "1、未完总体情况导出(&W)");
    ui.dtwfqkdc = menuItem(documents, "dtwfqkdc", "2、当天未完情况导出(&D)");
    ui.jcqkfssc = menuItem(documents, "jcqkfssc", "3、检测情况发送生成(&J)");
    openMenusFromTheKeyboard(window);
}

} // namespace

void fitLayoutTo(QSize available)
{
    const double pixelsPerTwip = qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchX()) / 1440.0;
    const QSize room = available - kWindowDecoration;
    setLayoutScale(std::min({1.0, room.width() / (kDesignWidth * pixelsPerTwip),
                             room.height() / ((kDesignHeight + kMenuBarHeight) * pixelsPerTwip)}));
}

void fitLayoutToPrimaryScreen() { fitLayoutTo(QGuiApplication::primaryScreen()->availableGeometry().size()); }

void showPanel(QWidget *panel)
{
    // Two panels never share a place: the one that opens closes any it would lie over.
    const QRect place = inWindow(panel);
    for (QWidget *other : panel->window()->findChildren<QWidget *>())
        if (other != panel && other->property(kPanel).toBool() && other->isVisible() && inWindow(other).intersects(place))
            other->hide();
    panel->show();
    panel->raise();
}

void placeTodayButtons(Form1Controls &ui)
{
    for (int n = 1; n <= 16; ++n) {
        QPushButton *b = ui.Command3[n];
        b->hide();
        const QRect place = twipsRect(b, n <= 8 ? 4800 : 8640, 400, 3700, 760);
        b->move(place.left(), b->y());
        b->resize(place.size());
    }
}

void buildForm1(QMainWindow *window, Form1Controls &ui)
{
    ui.central = new QWidget(window);
    ui.central->setObjectName(QStringLiteral("central"));
    window->setCentralWidget(ui.central);
    ui.central->setMinimumSize(twips(ui.central, kDesignWidth), twips(ui.central, kDesignHeight));

    buildStatus(ui);
    buildRemembered(ui);
    for (int n = 1; n <= 16; ++n) {
        ui.Command3[n] = new ElidingButton(ui.central);
        ui.Command3[n]->setObjectName(indexedName("Command3", n));
    }
    buildQueries(ui);
    buildExports(ui);
    buildSettings(ui);

    ui.Command7 = placedButton(ui.central, QStringLiteral("Command7"), QStringLiteral("往EXCEL导出数据结束!"), 4800, 10250, 7600, 600);
    showAsWarning(ui.Command7);
    ui.Command7->hide();

    for (QWidget *overlay : {static_cast<QWidget *>(ui.Frame13), static_cast<QWidget *>(ui.Frame6),
                             static_cast<QWidget *>(ui.Frame9), static_cast<QWidget *>(ui.Frame16),
                             static_cast<QWidget *>(ui.Command10[0]), static_cast<QWidget *>(ui.Command10[1]),
                             static_cast<QWidget *>(ui.pupilListHint), static_cast<QWidget *>(ui.Command7)})
        markedAsPanel(overlay);
    // Panels that open over the work area stay above the lists and buttons.
    for (QWidget *overlay : {static_cast<QWidget *>(ui.Frame2), static_cast<QWidget *>(ui.Frame14),
                             static_cast<QWidget *>(ui.Frame13), static_cast<QWidget *>(ui.Frame17)})
        overlay->raise();

    ui.Timer1 = new QTimer(window);
    ui.Timer1->setObjectName(QStringLiteral("Timer1"));
    ui.Timer1->setInterval(10000);

    buildMenu(window, ui);
    // A click never takes the focus away from the code box; the message panel's button asks for it.
    for (QPushButton *button : ui.central->findChildren<QPushButton *>())
        button->setFocusPolicy(button == ui.Command2 ? Qt::StrongFocus : Qt::TabFocus);
}

} // namespace ui
