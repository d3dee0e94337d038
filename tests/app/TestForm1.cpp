#include "LayoutCheck.h"
#include "WindowSupport.h"
#include "admin/AdminTestSupport.h"

#include "store/Backups.h"
#include "tracking/DayRecords.h"
#include "ui/WindowPlacement.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QSysInfo>
#include <QTimer>

using namespace testing;

namespace {

// What the teacher has opened on the main window, or which window opened from it.
enum View {
    Working,
    Picked,
    TodaysHomework,
    MessageOverExcellent,
    ByName,
    PrintWarningOverByName,
    ByDay,
    ByBook,
    ClassSettings,
    BookNames,
    SubjectLinks,
    PupilImport,
    Login,
    Password,
    Publishing,
};

const char *const kViewNames[] = {"working",       "picked",        "today's homework", "message over excellent",
                                  "by name",       "print warning", "by day",           "by book",
                                  "class settings", "book names",   "subject links",    "pupil import",
                                  "login",         "password",      "publishing"};

const QStringList kPanels{"Frame2", "Frame12", "Frame13",  "Frame14",    "Frame17",
                          "Frame6", "Frame9",  "Frame16", "Command7", "Command10_0"};

// A working day of sixteen books with long names and contents, every remembered button in use.
void fillTheDay(RunningWindow &run)
{
    const QString content = QStringLiteral("第三单元第二课课后练习第一至第五题，订正错题并请家长签字");
    QMap<int, QString> names;
    for (int slot = 1; slot <= 16; ++slot) {
        names[slot] = QStringLiteral("《课堂作业本第%1册》").arg(slot);
        run.publish(slot, content);
    }
    run.setBookNames(names);
    const QString key = run.day().CurrentDateKey;
    QList<core::RememberedEntry> entries;
    for (int n = 0; n <= core::kRecentLast; ++n)
        entries << core::RememberedEntry{QString(), key, QStringLiteral("1"), QString::number(n + 1),
                                         key + QStringLiteral("1") + QString::number(n + 1),
                                         QStringLiteral("《课堂作业本第%1册》").arg(n + 1) + content};
    run.setRemembered(entries, entries.mid(0, core::kLatestLast + 1));
}

// Opens the view as the teacher would and gives the window that shows it.
QWidget *open(RunningWindow &run, View view)
{
    ui::Form1Controls &ui = run.ui();
    QAction *protectedItems[] = {ui.bjsz, ui.zysz, ui.xksz, ui.xsmd};
    switch (view) {
    case Picked:
        QTest::mouseClick(ui.Command16[4], Qt::LeftButton);
        break;
    case TodaysHomework:
        QTest::mouseClick(ui.Command4[0], Qt::LeftButton);
        break;
    case MessageOverExcellent:
        run.scan(QStringLiteral("110501"));
        run.scan(QStringLiteral("12345"));
        break;
    case ByName:
    case PrintWarningOverByName:
        QTest::mouseClick(ui.Command4[4], Qt::LeftButton);
        // The row that lies under the print warning's caption strip.
        ui.List6->setCurrentRow(ui.List6->indexAt(ui.List6->mapFrom(run.window.get(), inWindow(ui.Frame13).topLeft())).row());
        if (view == PrintWarningOverByName)
            ui.wwqkdc->trigger();
        break;
    case ByDay:
        QTest::mouseClick(ui.Command4[2], Qt::LeftButton);
        break;
    case ByBook:
        QTest::mouseClick(ui.Command4[3], Qt::LeftButton);
        break;
    case ClassSettings:
    case BookNames:
    case SubjectLinks:
    case PupilImport:
        logIn(run, protectedItems[view - ClassSettings]);
        break;
    case Login:
        ui.bjsz->trigger();
        return run.window->findChild<QWidget *>(QStringLiteral("Form8"));
    case Password:
        ui.mmsd->trigger();
        return run.window->findChild<QWidget *>(QStringLiteral("Form9"));
    case Publishing:
        ui.renwufabu->trigger();
        return run.window->findChild<QWidget *>(QStringLiteral("Form12"));
    case Working:
        break;
    }
    return run.window.get();
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void startUpLeavesTheFocusInTheCodeBox();
    void everyAreaIsLaidOutWithItsCaption_data();
    void everyAreaIsLaidOutWithItsCaption();
    void menuHoldsEveryItemInOrder();
    void textBoxesAndListsHaveAccessibleNames();
    void statusLabelsWaitForTheFirstDisplay();
    void refreshTickRunsEveryTenSeconds();
    void clickingAPupilReturnsTheFocusToTheCodeBox();
    void startingTwiceOnADayKeepsTheMarksOfTheFirstRun();
    void aNewDayLeavesThePreviousDayUntouched();
    void theDayTurnsOverAtMidnight_data();
    void theDayTurnsOverAtMidnight();
    void aClockSetBackIsToldBeforeAnythingIsWritten_data();
    void aClockSetBackIsToldBeforeAnythingIsWritten();
    void aSecondCopyOnTheFolderIsRefused();
    void aLockLeftByADeadCopyDoesNotBlock();
    void theProgramNeedsNoOfficeLibraries();
    void oversizedClassIsReportedAndShownUpToFifty();
    void closingAfterClearingSavesNothing();
    void noticeButtonClosesOnlyWhenARestartIsPending();
    void displayFillsTheStatusArea();
    void everyViewFitsTheScreen_data();
    void everyViewFitsTheScreen();
    void windowsAreFittedByTheirFrame_data();
    void windowsAreFittedByTheirFrame();
    void panelsHideWhatLiesBeneath_data();
    void panelsHideWhatLiesBeneath();
    void cleanup();
};

void TestForm1::cleanup() { ui::setLayoutScale(1.0); }

void TestForm1::startUpLeavesTheFocusInTheCodeBox()
{
    RunningWindow run;
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
    // The day's copy is made once the window shows, whole and under the name it always had.
    run.context().finishDailyBackup();
    const QString daily = store::Backups(run.folder.path()).folder() + QStringLiteral("/作业查找数据库-2014-05-17-每日.mdb");
    QCOMPARE(store::Backups::inspect(daily).schoolDays, 1);
    QCOMPARE(run.day().TodayKey, QStringLiteral("14-5-17"));
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-17"));
    QCOMPARE(run.day().HistoryDayChosen, 0);
    QCOMPARE(run.master().ClassSizes[1], 40);
    QCOMPARE(run.master().BookNames[3], QStringLiteral("《本子3》"));
    QVERIFY(!run.window->windowTitle().isEmpty());
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

void TestForm1::everyAreaIsLaidOutWithItsCaption_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("visible");
    QTest::newRow("status") << "statusFrame" << "基本情况显示：" << true;
    QTest::newRow("recent") << "recentFrame" << "最近显示作业：" << true;
    QTest::newRow("latest") << "latestFrame" << "新发布的任务" << true;
    QTest::newRow("queries") << "queryFrame" << "查询：" << true;
    QTest::newRow("subjects") << "Frame10" << "学科选择" << false;
    QTest::newRow("class settings") << "Frame6" << "班级设置：" << false;
    QTest::newRow("book settings") << "Frame9" << "作业本名称设置：" << false;
    QTest::newRow("subject links") << "Frame16" << "学科与作业本关联设置窗口" << false;
    QTest::newRow("print warning") << "Frame13" << "打印警告！" << false;
}

void TestForm1::everyAreaIsLaidOutWithItsCaption()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(bool, visible);
    RunningWindow run;
    auto *frame = run.window->findChild<QGroupBox *>(name);
    QVERIFY(frame);
    QCOMPARE(frame->title(), caption);
    QCOMPARE(frame->isVisible(), visible);
    QVERIFY(run.window->centralWidget()->rect().contains(frame->geometry()));
}

void TestForm1::menuHoldsEveryItemInOrder()
{
    RunningWindow run;
    QStringList captions;
    for (QAction *top : run.window->menuBar()->actions()) {
        captions << top->text();
        if (top->menu())
            for (QAction *item : top->menu()->actions())
                captions << QStringLiteral("  ") + item->text();
    }
    const QStringList expected{"基础数据设定(&J)", "  班级设置(&B)", "  作业设置(&Z)", "  学生名单(&X)", "  学科设置(&K)",
                               "  检测学科姓名导入(&J)", "  测试内容序号设置(&C)", "  数据清空(&Q)", "  数据恢复(&H)",
                               "  密码设定(&M)", "  扫描提示音(&S)", "任务发布(&R)", "试卷成绩录入(&S)", "文本生成中心(&W)",
                               "  1、未完总体情况导出(&W)", "  2、当天未完情况导出(&D)", "  3、检测情况发送生成(&J)",
                               "  条形码标签打印(&T)"};
    QCOMPARE(captions, expected);

    // F10, or Alt alone, opens the first menu, whose items answer their letters.
    for (const Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
        QTest::keyPress(run.ui().Text1, key, key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
        QTest::keyRelease(run.ui().Text1, key);
        QCoreApplication::processEvents();
        auto *settings = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(settings && settings->title() == expected[0]);
        QSignalSpy restore(run.ui().sjhf, &QAction::triggered);
        QTest::keyClick(settings, Qt::Key_H);
        QCOMPARE(restore.count(), 1);
    }
}

void TestForm1::textBoxesAndListsHaveAccessibleNames()
{
    RunningWindow run;
    QCOMPARE(run.ui().Text1->accessibleName(), QStringLiteral("条形码"));
    const auto boxes = run.window->findChildren<QLineEdit *>();
    const auto lists = run.window->findChildren<QListWidget *>();
    QVERIFY(boxes.size() >= 36);
    QVERIFY(lists.size() >= 10);
    for (QWidget *widget : boxes)
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
    for (QWidget *widget : lists)
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
}

void TestForm1::statusLabelsWaitForTheFirstDisplay()
{
    RunningWindow run;
    for (int i : {0, 1, 2, 8, 9})
        QCOMPARE(run.ui().Label2[i]->text(), QStringLiteral("请选择作业内容"));
    QVERIFY(!run.ui().Frame2->isVisible());
    QVERIFY(!run.ui().Frame12->isVisible());
    // The excellent-state panel never hides a pupil of the list.
    QVERIFY(!run.ui().Frame12->geometry().intersects(run.ui().List1->geometry()));
    QVERIFY(!run.ui().Command7->isVisible());
}

void TestForm1::refreshTickRunsEveryTenSeconds()
{
    RunningWindow run;
    QCOMPARE(run.ui().Timer1->interval(), 10000);
    QVERIFY(run.ui().Timer1->isActive());
    setContent(run.db(), QStringLiteral("14-5-17"), 4, QStringLiteral("别处写入"));
    run.window->Timer1_Timer();
    QCOMPARE(run.day().Classes[1].HomeworkContent[4], QStringLiteral("别处写入"));
    QVERIFY(run.ui().Timer1->isActive());

    // A lasting fault: each tick reports it once and the refresh goes on afterwards.
    run.db().exec(QStringLiteral("DELETE FROM \"扫描输入作业完成情况\""));
    run.window->Timer1_Timer();
    QCOMPARE(ui::MessagePresenter::takeShown().size(), 1);
    QVERIFY(run.ui().Timer1->isActive());
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("请选择作业内容"));
}

void TestForm1::clickingAPupilReturnsTheFocusToTheCodeBox()
{
    RunningWindow run;
    run.context().day().showBook(QStringLiteral("1"), QStringLiteral("03"));
    QCOMPARE(run.ui().List1->count(), 40);
    QListWidget *list = run.ui().List1;
    const QRect item = list->visualItemRect(list->item(2));
    QCOMPARE(item.height(), 16);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
}

void TestForm1::startingTwiceOnADayKeepsTheMarksOfTheFirstRun()
{
    RunningWindow run;
    run.publish(6, QStringLiteral("第二课"));
    run.setMark(6, 4, QStringLiteral("1"));
    run.restart();
    QCOMPARE(run.day().Classes[1].MarkGrid[6][4], QStringLiteral("1"));
    QCOMPARE(run.day().Classes[1].HomeworkContent[6], QStringLiteral("第二课"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"扫描输入作业完成情况\"")).toInt(), 1);
}

void TestForm1::aNewDayLeavesThePreviousDayUntouched()
{
    RunningWindow run;
    run.setMark(2, 1, QStringLiteral("1"));
    run.window->close();
    run.window.reset();
    run.clock.set(QDate(2014, 5, 19));
    run.start();
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-19"));
    QCOMPARE(run.day().Classes[1].MarkGrid[2][1], QStringLiteral("0"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成2\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-17'"))
                 .toString()
                 .left(3),
             QStringLiteral("011"));
}

void TestForm1::oversizedClassIsReportedAndShownUpToFifty()
{
    RunningWindow run(55);
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown.first().contains(QStringLiteral("55")));
    run.publish(1, QStringLiteral("x"));
    run.context().day().showBook(QStringLiteral("1"), QStringLiteral("01"));
    QCOMPARE(run.ui().List1->count(), 50);
    QCOMPARE(run.ui().Label2[9]->text(), QStringLiteral("50人"));
    run.window->close();
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"姓名\"")).toInt(), 55);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT length(\"完成1\") FROM \"扫描输入作业完成情况\"")).toInt(), 151);
}

void TestForm1::closingAfterClearingSavesNothing()
{
    RunningWindow run;
    run.db().exec(QStringLiteral("DELETE FROM \"扫描输入作业完成情况\"; DELETE FROM \"作业内容登记表\";"));
    run.context().run().recordsReplaced(QStringLiteral("有关数据已清除，请重启软件！"));
    run.context().remembered().rememberShown(run.day(), QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("x"));
    run.window->close();
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"扫描输入作业完成情况\"")).toInt(), 0);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"日期\" FROM \"最近显示作业\" ORDER BY rowid")).toString(), QString());
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

void TestForm1::noticeButtonClosesOnlyWhenARestartIsPending()
{
    RunningWindow run;
    run.ui().Command7->setText(QStringLiteral("所导入的班级在EXCEL中无姓名，本次导入无效！"));
    run.ui().Command7->show();
    QTest::mouseClick(run.ui().Command7, Qt::LeftButton);
    QVERIFY(!run.ui().Command7->isVisible());
    QVERIFY(run.window->isVisible());

    run.context().run().requireRestart(QStringLiteral("导入到数据库完成，请重启软件！"));
    QTest::mouseClick(run.ui().Command7, Qt::LeftButton);
    QVERIFY(!run.window->isVisible());
}

void TestForm1::displayFillsTheStatusArea()
{
    RunningWindow run(4);
    run.publish(5, QStringLiteral("第12页"));
    run.setMark(5, 2, QStringLiteral("2"));
    run.context().day().showBook(QStringLiteral("1"), QStringLiteral("5"));
    QCOMPARE(run.ui().Label2[0]->text(), QStringLiteral("2014-5-17"));
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("《本子5》第12页"));
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("1人"));
    QCOMPARE(run.ui().Label2[9]->text(), QStringLiteral("3人"));
    QCOMPARE(run.ui().List1->item(1)->text(), QStringLiteral("3：学生3"));
    QVERIFY(run.ui().List1->isVisible());
}

void TestForm1::theDayTurnsOverAtMidnight_data()
{
    QTest::addColumn<bool>("historyDay");
    QTest::addColumn<bool>("saveFails");
    QTest::newRow("today shown") << false << false;
    QTest::newRow("a history day shown") << true << false;
    QTest::newRow("the old day cannot be saved") << false << true;
}

void TestForm1::theDayTurnsOverAtMidnight()
{
    QFETCH(bool, historyDay);
    QFETCH(bool, saveFails);
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    run.scan(QStringLiteral("110507"));
    if (historyDay)
        run.context().day().switchToDay(QStringLiteral("14-5-17"));
    if (saveFails)
        run.db().exec(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON \"扫描输入作业完成情况\" "
                                     "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    ui::MessagePresenter::takeShown();
    run.clock.set(QDate(2014, 5, 18));
    run.window->Timer1_Timer();
    // A day that could not be stored is not left: the teacher is told, and the next tick tries again.
    QCOMPARE(ui::MessagePresenter::takeShown().size(), saveFails ? 1 : 0);
    QVERIFY(run.ui().Timer1->isActive());
    historyDay = historyDay || saveFails;

    const QString expected = historyDay ? QStringLiteral("14-5-17") : QStringLiteral("14-5-18");
    QCOMPARE(run.day().CurrentDateKey, expected);
    const QString countOfNewDay = QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE \"日期\" = '14-5-18'");
    for (const char *table : {"作业内容登记表", "扫描输入作业完成情况"})
        QCOMPARE(value(run.db(), countOfNewDay.arg(QString::fromUtf8(table))).toInt(), historyDay ? 0 : 1);
    const QString dailyCopy = QDir(run.folder.path()).filePath(QStringLiteral("备份/作业查找数据库-2014-05-18-每日.mdb"));
    run.context().finishDailyBackup();
    QCOMPARE(QFileInfo::exists(dailyCopy), !historyDay);
    if (historyDay)
        return;
    QCOMPARE(run.day().TodayKey, expected);
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("请选择作业内容"));
    run.publish(5, QStringLiteral("第13页"));
    run.scan(QStringLiteral("110508"));
    const QString marks = QStringLiteral("SELECT \"完成5\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?");
    QCOMPARE(value(run.db(), marks, {QStringLiteral("14-5-18")}).toString().mid(7 * 3 + 2, 1), QStringLiteral("2"));
    const QString yesterday = value(run.db(), marks, {QStringLiteral("14-5-17")}).toString();
    QCOMPARE(yesterday.mid(6 * 3 + 2, 1), QStringLiteral("2"));
    QCOMPARE(yesterday.mid(7 * 3 + 2, 1), QStringLiteral("0"));
}

void TestForm1::aClockSetBackIsToldBeforeAnythingIsWritten_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("told");
    QTest::newRow("one day back, quit") << QDate(2014, 5, 16) << false << "电脑的日期是 2014-5-16，早于已有记录的最后一天 2014-5-17";
    QTest::newRow("four days back, go on") << QDate(2014, 5, 13) << true << "电脑的日期是 2014-5-13，早于已有记录的最后一天 2014-5-17";
    QTest::newRow("the same day") << QDate(2014, 5, 17) << true << "";
    QTest::newRow("the next day") << QDate(2014, 5, 18) << true << "";
}

void TestForm1::aClockSetBackIsToldBeforeAnythingIsWritten()
{
    QFETCH(QDate, today);
    QFETCH(bool, goOn);
    QFETCH(QString, told);
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    run.window->close();
    run.window.reset();
    const QByteArray before = databaseBytes(run.folder.path());
    run.clock.set(today);
    ui::MessagePresenter::takeShown();
    ui::MessagePresenter::setNextAnswer(goOn ? ui::MessagePresenter::Answer::Ok : ui::MessagePresenter::Answer::Cancel);
    run.window = std::make_unique<Form1>(run.folder.path(), run.clock);
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.isEmpty(), told.isEmpty());
    QVERIFY2(told.isEmpty() || shown[0].startsWith(told), qPrintable(shown.join('|')));
    QCOMPARE(run.window->declinedAtStart(), !goOn);
    QCOMPARE(run.window->isVisible(), goOn);
    run.window->close();
    if (!goOn)
        QCOMPARE(databaseBytes(run.folder.path()), before);
    const QString rows = QStringLiteral("SELECT count(*) FROM \"作业内容登记表\" WHERE \"日期\" = ?");
    QCOMPARE(value(run.db(), rows, {store::dateKey(today)}).toInt(), goOn ? 1 : 0);
}

void TestForm1::aSecondCopyOnTheFolderIsRefused()
{
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    run.scan(QStringLiteral("110507"));
    const QByteArray before = databaseBytes(run.folder.path());
    QVERIFY_THROWS_EXCEPTION(store::ProgramFolderInUse, Form1(run.folder.path(), run.clock));
    QCOMPARE(databaseBytes(run.folder.path()), before);
    // The refused copy left the first one's lock in place.
    QVERIFY_THROWS_EXCEPTION(store::ProgramFolderInUse, Form1(run.folder.path(), run.clock));
}

void TestForm1::aLockLeftByADeadCopyDoesNotBlock()
{
    RunningWindow run;
    run.window->close();
    run.window.reset();
    // A copy that was killed leaves its lock file: pid, program and host, as the lock writes them.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    QVERIFY(ended.waitForFinished());
    QFile lock(store::ProgramLock::filePath(run.folder.path()));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QStringLiteral("%1\n%2\n%3\n")
                   .arg(deadPid)
                   .arg(QCoreApplication::applicationName(), QSysInfo::machineHostName())
                   .toUtf8());
    lock.close();
    run.start();
    QVERIFY(run.window->isVisible());
}

void TestForm1::theProgramNeedsNoOfficeLibraries()
{
    QProcess readelf;
    readelf.start(QStringLiteral("readelf"), {QStringLiteral("--dynamic"), QStringLiteral(HOMEWORK_EXECUTABLE)});
    QVERIFY(readelf.waitForFinished());
    const QString needed = QString::fromUtf8(readelf.readAllStandardOutput());
    QVERIFY2(needed.contains(QStringLiteral("libQt6Widgets")), qPrintable(needed));
    QVERIFY2(!needed.contains(QStringLiteral("uno")), qPrintable(needed));
}

void TestForm1::everyViewFitsTheScreen_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<int>("view");
    for (const Screen &screen : kScreens)
        for (int view = Working; view <= Publishing; ++view)
            QTest::addRow("%s %s", screen.name, kViewNames[view]) << screen.available << view;
}

void TestForm1::everyViewFitsTheScreen()
{
    QFETCH(QSize, available);
    QFETCH(int, view);
    FittedLayout fitted(available);
    RunningWindow run;
    fillTheDay(run);
    QWidget *window = open(run, View(view));
    QVERIFY(window && window->isVisible());
    QCoreApplication::processEvents();
    const QStringList faults = layoutFaults(window, available, kPanels);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestForm1::windowsAreFittedByTheirFrame_data()
{
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QMargins>("frame");
    QTest::addColumn<int>("view");
    QTest::newRow("slim title bar") << QRect(0, 0, 1366, 768) << QMargins(1, 24, 1, 4) << int(Working);
    QTest::newRow("thick title bar over a taskbar") << QRect(0, 0, 1366, 728) << QMargins(8, 46, 8, 8) << int(Working);
    QTest::newRow("under a top panel at 150 %") << QRect(0, 32, 1280, 688) << QMargins(4, 37, 4, 4) << int(Working);
    QTest::newRow("publishing") << QRect(0, 0, 1280, 680) << QMargins(8, 46, 8, 8) << int(Publishing);
}

void TestForm1::windowsAreFittedByTheirFrame()
{
    QFETCH(QRect, available);
    QFETCH(QMargins, frame);
    QFETCH(int, view);
    FittedLayout fitted(available.size());
    RunningWindow run;
    fillTheDay(run);
    QWidget *window = open(run, View(view));
    // Where a window manager put the main window on a 1366 x 768 screen: its bottom edge below the screen.
    window->move(available.topLeft() + QPoint(0, 49));
    ui::fitFrameInside(window, frame, available);
    QCoreApplication::processEvents();
    QVERIFY(available.contains(window->geometry().marginsAdded(frame)));
    const QStringList faults = layoutFaults(window, available.size(), kPanels);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestForm1::panelsHideWhatLiesBeneath_data()
{
    QTest::addColumn<int>("view");
    QTest::addColumn<QStringList>("panels");
    QTest::newRow("message over excellent") << int(MessageOverExcellent) << QStringList{"Frame12", "Frame2"};
    QTest::newRow("print warning over the by-name list") << int(PrintWarningOverByName) << QStringList{"Frame13"};
}

void TestForm1::panelsHideWhatLiesBeneath()
{
    QFETCH(int, view);
    QFETCH(QStringList, panels);
    RunningWindow run;
    fillTheDay(run);
    open(run, View(view));
    const QImage shown = run.window->grab().toImage();
    for (const QString &name : panels) {
        auto *panel = run.window->findChild<QWidget *>(name);
        QVERIFY2(panel->isVisible(), qPrintable(name));
        // Nothing lies over the panel ...
        QCOMPARE(shown.copy(inWindow(panel)), panel->grab().toImage());
        // ... and it paints every pixel of its place itself, caption strip included.
        QImage own(panel->size(), QImage::Format_ARGB32);
        own.fill(Qt::magenta);
        panel->render(&own, QPoint(), QRegion(), QWidget::DrawChildren);
        int unpainted = 0;
        for (int y = 0; y < own.height(); ++y)
            for (int x = 0; x < own.width(); ++x)
                unpainted += own.pixelColor(x, y) == QColor(Qt::magenta) ? 1 : 0;
        QCOMPARE(unpainted, 0);
    }
}

QTEST_MAIN(TestForm1)
#include "TestForm1.moc"
