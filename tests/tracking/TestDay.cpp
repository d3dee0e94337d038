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
    void twoClassesAreScannedApart_data();
    void twoClassesAreScannedApart();
    void aFileWithoutTheSecondClassGetsItsTables();
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
            QCOMPARE(run.state().Classes[1].ExcellentClosedAtLoad[s], 0);
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
        QCOMPARE(run.state().Classes[1].MarkGrid[7][n], QStringLiteral("0"));
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
    QCOMPARE(run.state().Classes[1].HomeworkContent[7], QString());
    QCOMPARE(run.state().Classes[1].HomeworkContent[2], QStringLiteral("第5课"));
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
    QCOMPARE(run.state().Classes[1].MarkGrid[2][3], QStringLiteral("1"));
    QCOMPARE(run.state().Classes[1].MarkGrid[2][4], QStringLiteral("0"));
    QCOMPARE(run.state().Classes[1].MarkGrid[2][5], QStringLiteral("0"));
    run.day().showBook(QStringLiteral("1"), QStringLiteral("02"));
    QCOMPARE(run.day().status().notHandedIn, QStringLiteral("2人"));
}

void TestDay::todaysButtonsStopAtSixteenBooks()
{
    core::DayState day;
    core::MasterRecords master;
    master.ClassSizes[1] = 2;
    for (int slot = 1; slot <= 20; ++slot)
        day.Classes[1].HomeworkContent[slot] = QStringLiteral("第%1页").arg(slot);
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
    QCOMPARE(run.state().Classes[1].MarkGrid[5][1], QStringLiteral("1"));
    QCOMPARE(run.state().Classes[1].MarkGrid[5][2], QStringLiteral("0"));
    QCOMPARE(run.state().Classes[1].MarkGrid[5][4], QStringLiteral("1"));
    QCOMPARE(run.state().Classes[1].ExcellentClosedAtLoad[5], 1);
    QCOMPARE(run.state().Classes[1].ExcellentClosed[5], 1);
    QCOMPARE(run.state().Classes[1].HomeworkContent[5], QStringLiteral("练习一"));
}

void TestDay::displayListsThePupilsStillMissing()
{
    core::DayState day;
    core::MasterRecords master;
    master.ClassSizes[1] = 40;
    master.ClassNames[1] = QStringLiteral("五(1)");
    day.CurrentDateKey = QStringLiteral("14-5-17");
    master.BookNames[5] = QStringLiteral("《课堂作业本》");
    day.Classes[1].HomeworkContent[5] = QStringLiteral("第12页");
    for (int n = 1; n <= 40; ++n) {
        day.Classes[1].MarkGrid[5][n] = QStringLiteral("0");
        master.PupilNames[1][n] = QStringLiteral("学生%1").arg(n);
    }
    day.Classes[1].MarkGrid[5][3] = day.Classes[1].MarkGrid[5][7] = QStringLiteral("1");
    day.Classes[1].MarkGrid[5][9] = QStringLiteral("2");
    const tracking::StatusView view = tracking::statusView(day, master, QStringLiteral("1"), QStringLiteral("5"));
    QCOMPARE(view.missingPupils.size(), 37);
    QCOMPARE(view.missingPupils.mid(0, 3), (QStringList{"1：学生1", "2：学生2", "4：学生4"}));
    QCOMPARE(view.handedIn, QStringLiteral("3人"));
    QCOMPARE(view.notHandedIn, QStringLiteral("37人"));
    QCOMPARE(view.date, QStringLiteral("2014-5-17"));
    QCOMPARE(view.className, QStringLiteral("五(1)"));
    QCOMPARE(view.homework, QStringLiteral("《课堂作业本》第12页"));

    for (int n = 1; n <= 40; ++n)
        day.Classes[1].MarkGrid[5][n] = QStringLiteral("1");
    const tracking::StatusView complete = tracking::statusView(day, master, QStringLiteral("1"), QStringLiteral("05"));
    QVERIFY(complete.missingPupils.isEmpty());
    QCOMPARE(complete.notHandedIn, QStringLiteral("0人"));
}

void TestDay::twoClassesAreScannedApart_data()
{
    QTest::addColumn<int>("secondClass"); // its pupils
    QTest::addColumn<int>("shownClass");  // the class shown before the scan
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<int>("markedClass");
    QTest::addColumn<int>("pupil");
    QTest::newRow("first class") << 30 << 1 << "110507" << "" << 1 << 7;
    QTest::newRow("second class, shown after") << 30 << 1 << "120507" << "" << 2 << 7;
    QTest::newRow("first class from the second") << 30 << 2 << "110507" << "" << 1 << 7;
    QTest::newRow("short code of the shown second class") << 30 << 2 << "09" << "" << 2 << 9;
    QTest::newRow("short code of the shown first class") << 30 << 1 << "9" << "" << 1 << 9;
    QTest::newRow("last pupil of the second class") << 30 << 1 << "120530" << "" << 2 << 30;
    QTest::newRow("beyond the second class") << 30 << 1 << "120531" << "输入学生的学号有误！" << 0 << 0;
    QTest::newRow("no third class") << 30 << 1 << "130507" << "输入编号班级有误！" << 0 << 0;
    QTest::newRow("second class without pupils") << 0 << 1 << "120507" << "输入编号班级有误！" << 0 << 0;
}

// Both classes hand in book 5 today; every scan lands in its own class's tables only.
void TestDay::twoClassesAreScannedApart()
{
    QFETCH(int, secondClass);
    QFETCH(int, shownClass);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(int, markedClass);
    QFETCH(int, pupil);
    ProgramFolder folder(40);
    {
        store::HomeworkDb db(folder.path());
        addPupils(db.database(), secondClass, QStringLiteral("52姓名"));
    }
    OpenRun run(folder.path());
    for (int c : run.day().classes())
        run.day().publish(5, QStringLiteral("14-5-17"), QStringLiteral("第%1页").arg(c), QString(), {c});
    run.day().showBook(QString::number(shownClass), QStringLiteral("05"));
    const auto rows = [&](int c) {
        return value(run.db(), QStringLiteral("SELECT group_concat(\"完成5\" || \"优秀结束5\") FROM %1")
                                   .arg(store::quoted(store::marksTable(c))))
            .toString();
    };
    const QString before[] = {QString(), rows(1), rows(2)};

    const core::ScanResult result = run.day().scan(typed);
    QCOMPARE(result.message, refusal);
    for (int c = 1; c <= 2; ++c) {
        const QString marks = rows(c);
        QCOMPARE(marks == before[c], c != markedClass);
        if (c == markedClass)
            QCOMPARE(marks.mid((pupil - 1) * 3 + 2, 1), QStringLiteral("2"));
    }
    if (markedClass == 0)
        return;
    QCOMPARE(run.state().ShownClass, markedClass);
    QCOMPARE(run.day().status().homework, QStringLiteral("《本子5》第%1页").arg(markedClass));
    QCOMPARE(run.day().status().className, run.master().ClassNames[markedClass]);
    // Ctrl+Z of the shown class takes the scan back; the other class has nothing to undo.
    run.day().showClass(3 - markedClass);
    QVERIFY(!run.day().undo());
    run.day().showClass(markedClass);
    QVERIFY(run.day().undo());
    // The excellent phase the scan opened stays open; only the mark goes back.
    QCOMPARE(rows(markedClass).chopped(1), before[markedClass].chopped(1));
}

void TestDay::aFileWithoutTheSecondClassGetsItsTables()
{
    ProgramFolder folder(3);
    {
        store::HomeworkDb db(folder.path());
        testing::addDay(db.database(), QStringLiteral("14-5-16"), {{2, QStringLiteral("练习")}}, {{2, QStringLiteral("101")}});
        db.database().exec(QStringLiteral("DROP TABLE IF EXISTS \"52作业内容登记表\"; DROP TABLE IF EXISTS \"52扫描输入作业完成情况\";"));
        addPupils(db.database(), 2, QStringLiteral("52姓名"));
    }
    const QString firstClassRows = QStringLiteral("SELECT group_concat(\"日期\" || ifnull(\"完成2\", '')) FROM \"扫描输入作业完成情况\"");
    store::Database before = openFile(folder.path());
    const QString stored = value(before, firstClassRows).toString();
    OpenRun run(folder.path());
    QCOMPARE(run.day().classes(), (QList<int>{1, 2}));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成1\" FROM \"52扫描输入作业完成情况\"")).toString(), QStringLiteral("010020。"));
    QCOMPARE(value(run.db(), firstClassRows).toString(), stored + QStringLiteral(",14-5-17010020030。"));
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
    QCOMPARE(run.state().Classes[1].MarkGrid[2][3], QStringLiteral("0"));
    QVERIFY(!run.day().undo());
    run.day().switchToDay(QStringLiteral("14-5-16"));
    QCOMPARE(run.state().Classes[1].MarkGrid[2][1], QStringLiteral("2"));
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
    QCOMPARE(run.state().Classes[1].MarkGrid, before.Classes[1].MarkGrid);
    QCOMPARE(run.state().Classes[1].ExcellentClosed, before.Classes[1].ExcellentClosed);
    // The change that failed is not lost for a later Ctrl+Z.
    run.db().exec(QStringLiteral("DROP TRIGGER full"));
    QVERIFY(run.day().undo());
    QCOMPARE(run.state().Classes[1].MarkGrid[2][4], QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestDay)
#include "TestDay.moc"
