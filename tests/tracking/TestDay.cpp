#include "TestSupport.h"

#include "tracking/DayRecords.h"
#include "tracking/RememberedLists.h"

#include <QtTest>

using namespace testing;

class TestDay : public QObject {
    Q_OBJECT

private slots:
    void firstRunOnADayCreatesOneRowInEachTable();
    void newDayMarksEveryPupilNotHandedIn_data();
    void newDayMarksEveryPupilNotHandedIn();
    void newDayKeepsItsParts();
    void historyModeKeepsTheChosenDay();
    void nullContentReadsEmptyAndIsWrittenBack();
    void dayMissingFromOneTableIsReported_data();
    void dayMissingFromOneTableIsReported();
    void pupilsBeyondAShortMarkStringReadAsNotHandedIn();
    void todaysButtonsStopAtSixteenBooks();
    void reloadPicksUpStoredMarksAndFlags();
    void displayListsThePupilsStillMissing();
    void displayOfTheSecondClassNamesBooksFromSixteenOn();
    void undoTakesBackTheDaysOwnLastChange();
    void aFailedSaveLeavesMemoryAsTheFileHasIt_data();
    void aFailedSaveLeavesMemoryAsTheFileHasIt();
};

void TestDay::firstRunOnADayCreatesOneRowInEachTable()
{
    ProgramFolder folder(12);
    for (int start = 0; start < 2; ++start) {
        OpenRun run(folder.path());
        QCOMPARE(run.state().CurrentDateKey, QStringLiteral("14-5-17"));
        for (int s = 1; s <= 32; ++s)
            QCOMPARE(run.state().ExcellentClosedAtLoad[s], 0);
    }
    store::Database reader = openFile(folder.path());
    QCOMPARE(value(reader, QStringLiteral("SELECT count(*) FROM \"扫描输入作业完成情况\"")).toInt(), 1);
    QCOMPARE(value(reader, QStringLiteral("SELECT count(*) FROM \"作业内容登记表\"")).toInt(), 1);

    OpenRun nextDay(folder.path(), QDate(2014, 5, 18));
    QCOMPARE(value(reader, QStringLiteral("SELECT group_concat(\"日期\") FROM \"作业内容登记表\"")).toString(),
             QStringLiteral("14-5-17,14-5-18"));
}

void TestDay::newDayMarksEveryPupilNotHandedIn_data()
{
    QTest::addColumn<int>("pupils");
    QTest::addColumn<QString>("marks");
    QTest::newRow("nine") << 9 << "010020030040050060070080090。";
    QTest::newRow("twelve") << 12 << "010020030040050060070080090100110120。";
    QTest::newRow("empty class") << 0 << "。";
}

void TestDay::newDayMarksEveryPupilNotHandedIn()
{
    QFETCH(int, pupils);
    QFETCH(QString, marks);
    ProgramFolder folder(pupils);
    OpenRun run(folder.path());
    for (int s = 1; s <= 32; ++s)
        QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\"").arg(s)).toString(), marks);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"优秀结束9\" FROM \"扫描输入作业完成情况\"")).toInt(), 0);
    QVERIFY(value(run.db(), QStringLiteral("SELECT \"数学检测次数顺序号标记\" FROM \"扫描输入作业完成情况\"")).isNull());
    for (int n = 1; n <= pupils; ++n)
        QCOMPARE(run.state().MarkGrid[7][n], QStringLiteral("0"));
    QCOMPARE(run.master().PupilNames[1][pupils > 0 ? pupils : 1], pupils > 0 ? QStringLiteral("学生%1").arg(pupils) : QString());
}

void TestDay::newDayKeepsItsParts()
{
    ProgramFolder folder(3);
    OpenRun run(folder.path(), QDate(2014, 12, 3));
    for (const char *table : {"作业内容登记表", "扫描输入作业完成情况"})
        QCOMPARE(value(run.db(), QStringLiteral("SELECT \"日期\" || '|' || \"年份\" || '|' || \"月份\" || '|' || \"日子\" FROM \"%1\"")
                                     .arg(QString::fromUtf8(table)))
                     .toString(),
                 QStringLiteral("14-12-3|14|12|3"));
}

void TestDay::historyModeKeepsTheChosenDay()
{
    ProgramFolder folder(3);
    OpenRun run(folder.path());
    run.day().switchToDay(QStringLiteral("14-5-9"));
    QCOMPARE(run.state().CurrentDateKey, QStringLiteral("14-5-9"));
    run.day().当天数据环境生成();
    QCOMPARE(run.state().CurrentDateKey, QStringLiteral("14-5-9"));
    // The tick leaves a history day shown, whatever the date.
    run.clock.set(QDate(2014, 5, 18));
    QCOMPARE(run.day().refresh(), core::WorkingDay::Tick::Reloaded);
    QCOMPARE(run.state().CurrentDateKey, QStringLiteral("14-5-9"));
    run.day().start();
    QCOMPARE(run.state().CurrentDateKey, QStringLiteral("14-5-18"));
}

void TestDay::nullContentReadsEmptyAndIsWrittenBack()
{
    ProgramFolder folder(3);
    OpenRun run(folder.path());
    setContent(run.db(), QStringLiteral("14-5-17"), 2, QStringLiteral("第5课"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"作业7\" FROM \"作业内容登记表\"")).toString(), QString());
    run.db().exec(QStringLiteral("UPDATE \"作业内容登记表\" SET \"作业7\" = NULL"));
    run.day().当天数据环境生成();
    QCOMPARE(run.state().HomeworkContent[7], QString());
    QCOMPARE(run.state().HomeworkContent[2], QStringLiteral("第5课"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"作业7\" FROM \"作业内容登记表\"")).toString(), QString());
    QVERIFY(!value(run.db(), QStringLiteral("SELECT \"作业7\" FROM \"作业内容登记表\"")).isNull());
}

void TestDay::dayMissingFromOneTableIsReported_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<QString>("missing");
    QTest::newRow("no content row") << "扫描输入作业完成情况" << "作业内容登记表";
    QTest::newRow("no marks row") << "作业内容登记表" << "扫描输入作业完成情况";
}

void TestDay::dayMissingFromOneTableIsReported()
{
    QFETCH(QString, present);
    QFETCH(QString, missing);
    ProgramFolder folder(3);
    OpenRun run(folder.path());
    run.db().exec(QStringLiteral("INSERT INTO \"%1\" (\"日期\") VALUES ('14-5-9')").arg(present));
    try {
        run.day().switchToDay(QStringLiteral("14-5-9"));
        QFAIL("a day missing one of its rows was accepted");
    } catch (const store::DatabaseError &error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("数据库表“%1”中缺少日期 14-5-9 的记录").arg(missing)),
                 qPrintable(error.message()));
    }
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"日期\" = '14-5-9'").arg(missing)).toInt(), 0);
}

void TestDay::pupilsBeyondAShortMarkStringReadAsNotHandedIn()
{
    ProgramFolder folder(5);
    {
        store::HomeworkDb db(folder.path());
        // Every pupil handed book 2 in on the 16th; the 15th was stored while the class had three.
        testing::addDay(db.database(), QStringLiteral("14-5-16"), {{2, QStringLiteral("练习")}}, {{2, QStringLiteral("11111")}});
        testing::addDay(db.database(), QStringLiteral("14-5-15"), {{2, QStringLiteral("练习")}}, {{2, QStringLiteral("111")}});
    }
    OpenRun run(folder.path());
    for (const char *key : {"14-5-16", "14-5-15"})
        run.day().switchToDay(QString::fromLatin1(key));
    QCOMPARE(run.state().MarkGrid[2][3], QStringLiteral("1"));
    QCOMPARE(run.state().MarkGrid[2][4], QStringLiteral("0"));
    QCOMPARE(run.state().MarkGrid[2][5], QStringLiteral("0"));
    run.day().showBook(QStringLiteral("1"), QStringLiteral("02"));
    QCOMPARE(run.day().status().notHandedIn, QStringLiteral("2人"));
}

void TestDay::todaysButtonsStopAtSixteenBooks()
{
    core::DayState day;
    core::MasterRecords master;
    master.ClassSizes[1] = 2;
    for (int slot = 1; slot <= 20; ++slot)
        day.HomeworkContent[slot] = QStringLiteral("第%1页").arg(slot);
    const QList<tracking::TodayButton> buttons = tracking::todaysHomework(day, master);
    QCOMPARE(buttons.size(), 16);
    QCOMPARE(buttons.last().slot, 16);
    QVERIFY(buttons.last().caption.startsWith(QStringLiteral("16、(第16页)")));
}

void TestDay::reloadPicksUpStoredMarksAndFlags()
{
    ProgramFolder folder(4);
    OpenRun run(folder.path());
    run.db().exec(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET \"完成5\" = '011020030041。', \"优秀结束5\" = 1"));
    setContent(run.db(), QStringLiteral("14-5-17"), 5, QStringLiteral("练习一"));
    QCOMPARE(run.day().refresh(), core::WorkingDay::Tick::Reloaded);
    QCOMPARE(run.state().MarkGrid[5][1], QStringLiteral("1"));
    QCOMPARE(run.state().MarkGrid[5][2], QStringLiteral("0"));
    QCOMPARE(run.state().MarkGrid[5][4], QStringLiteral("1"));
    QCOMPARE(run.state().ExcellentClosedAtLoad[5], 1);
    QCOMPARE(run.state().ExcellentClosed[5], 1);
    QCOMPARE(run.state().HomeworkContent[5], QStringLiteral("练习一"));
}

void TestDay::displayListsThePupilsStillMissing()
{
    core::DayState day;
    core::MasterRecords master;
    master.ClassSizes[1] = 40;
    master.ClassNames[1] = QStringLiteral("五(1)");
    day.CurrentDateKey = QStringLiteral("14-5-17");
    master.BookNames[5] = QStringLiteral("《课堂作业本》");
    day.HomeworkContent[5] = QStringLiteral("第12页");
    for (int n = 1; n <= 40; ++n) {
        day.MarkGrid[5][n] = QStringLiteral("0");
        master.PupilNames[1][n] = QStringLiteral("学生%1").arg(n);
    }
    day.MarkGrid[5][3] = day.MarkGrid[5][7] = QStringLiteral("1");
    day.MarkGrid[5][9] = QStringLiteral("2");
    const tracking::StatusView view = tracking::statusView(day, master, QStringLiteral("1"), QStringLiteral("5"));
    QCOMPARE(view.missingPupils.size(), 37);
    QCOMPARE(view.missingPupils.mid(0, 3), (QStringList{"1：学生1", "2：学生2", "4：学生4"}));
    QCOMPARE(view.handedIn, QStringLiteral("3人"));
    QCOMPARE(view.notHandedIn, QStringLiteral("37人"));
    QCOMPARE(view.date, QStringLiteral("2014-5-17"));
    QCOMPARE(view.className, QStringLiteral("五(1)"));
    QCOMPARE(view.homework, QStringLiteral("《课堂作业本》第12页"));

    for (int n = 1; n <= 40; ++n)
        day.MarkGrid[5][n] = QStringLiteral("1");
    const tracking::StatusView complete = tracking::statusView(day, master, QStringLiteral("1"), QStringLiteral("05"));
    QVERIFY(complete.missingPupils.isEmpty());
    QCOMPARE(complete.notHandedIn, QStringLiteral("0人"));
}

void TestDay::displayOfTheSecondClassNamesBooksFromSixteenOn()
{
    core::DayState day;
    core::MasterRecords master;
    master.BookNames[19] = QStringLiteral("《英语练习》");
    master.BookNames[3] = QStringLiteral("《第三本》");
    day.HomeworkContent[3] = QStringLiteral("U2");
    QCOMPARE(tracking::statusView(day, master, QStringLiteral("2"), QStringLiteral("03")).homework, QStringLiteral("《英语练习》U2"));
    QCOMPARE(tracking::statusView(day, master, QStringLiteral("2"), QStringLiteral("20")).homework, QString());
}

void TestDay::undoTakesBackTheDaysOwnLastChange()
{
    ProgramFolder folder(5);
    OpenRun run(folder.path());
    setContent(run.db(), QStringLiteral("14-5-17"), 2, QStringLiteral("练习"));
    run.day().refresh();
    QCOMPARE(run.day().scan(QStringLiteral("110203")).kind, core::ScanResult::Kind::Recorded);
    // Later changes on another day stand between the shown day's scan and its Ctrl+Z.
    run.day().switchToDay(QStringLiteral("14-5-16"));
    setContent(run.db(), QStringLiteral("14-5-16"), 2, QStringLiteral("昨天"));
    run.day().refresh();
    run.day().scan(QStringLiteral("110201"));
    run.day().switchToDay(QStringLiteral("14-5-17"));
    QVERIFY(run.day().undo());
    QCOMPARE(run.state().MarkGrid[2][3], QStringLiteral("0"));
    QVERIFY(!run.day().undo());
    run.day().switchToDay(QStringLiteral("14-5-16"));
    QCOMPARE(run.state().MarkGrid[2][1], QStringLiteral("2"));
    QVERIFY(run.day().undo());
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成2\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-16'")).toString(),
             QStringLiteral("010020030040050。"));
}

void TestDay::aFailedSaveLeavesMemoryAsTheFileHasIt_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("scan") << "scan";
    QTest::newRow("correction") << "correction";
    QTest::newRow("undo") << "undo";
}

void TestDay::aFailedSaveLeavesMemoryAsTheFileHasIt()
{
    QFETCH(QString, change);
    ProgramFolder folder(5);
    OpenRun run(folder.path());
    setContent(run.db(), QStringLiteral("14-5-17"), 2, QStringLiteral("练习"));
    run.day().refresh();
    run.day().scan(QStringLiteral("110204"));
    run.db().exec(QStringLiteral("CREATE TRIGGER full BEFORE UPDATE ON \"扫描输入作业完成情况\" "
                                 "BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END"));
    const core::DayState before = run.state();
    if (change == QLatin1String("scan")) {
        const core::ScanResult result = run.day().scan(QStringLiteral("110203"));
        QCOMPARE(result.kind, core::ScanResult::Kind::SaveFailed);
        QVERIFY(!result.sound);
    } else {
        QVERIFY_THROWS_EXCEPTION(store::DatabaseError, change == QLatin1String("undo") ? run.day().undo()
                                                                                       : run.day().correctMark(3, QStringLiteral("1")));
    }
    QCOMPARE(run.state().MarkGrid, before.MarkGrid);
    QCOMPARE(run.state().ExcellentClosed, before.ExcellentClosed);
    // The change that failed is not lost for a later Ctrl+Z.
    run.db().exec(QStringLiteral("DROP TRIGGER full"));
    QVERIFY(run.day().undo());
    QCOMPARE(run.state().MarkGrid[2][4], QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestDay)
#include "TestDay.moc"
