#include "WindowSupport.h"

#include "tracking/Form12.h"
#include "tracking/HomeworkQueries.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

using namespace testing;

namespace {

// Every book's content empty but book 3's, which is given ("<null>" leaves it null).
void addDay(store::Database &db, const QString &key, const QString &contentOfBook3 = QString())
{
    QMap<int, QString> contents;
    for (int s = 1; s <= core::kBooks; ++s)
        contents[s] = s == 3 ? contentOfBook3 : QString();
    testing::addDay(db, key, contents, {});
}

void linkBook(store::Database &db, int slot, const QString &subject)
{
    db.exec(QStringLiteral("UPDATE \"学科显示作业本标记\" SET \"%1\" = 1 WHERE rowid = %2").arg(subject).arg(slot));
}

tracking::Form12 *openPublishing(RunningWindow &run)
{
    run.ui().renwufabu->trigger();
    auto *window = run.window->findChild<tracking::Form12 *>(QStringLiteral("Form12"));
    return window && QTest::qWaitForWindowExposed(window) ? window : nullptr;
}

} // namespace

class TestPublishing : public QObject {
    Q_OBJECT

private slots:
    void init() { ui::MessagePresenter::takeShown(); }
    void daysOfferedForABook();
    void daysAndHistoriesLeaveScratchRowsOut();
    void bookUnderTwoSubjectsIsListedInBoth();
    void publishingATestBookWritesBothRows_data();
    void publishingATestBookWritesBothRows();
    void refusalsWriteNothing_data();
    void refusalsWriteNothing();
    void aBooksHistoryKeepsItsFirstHundredDays_data();
    void aBooksHistoryKeepsItsFirstHundredDays();
    void ninePublicationsFillTheRememberedLists();
    void queryByDayMakesThePickedDayCurrent();
    void queryByBookAndHistory();
    void publishingKeepsTheMainWindowsSubject();
    void publishingForAnotherDayMakesThatDayCurrent();
    void aTeacherOfTwoClassesPublishesForEither_data();
    void aTeacherOfTwoClassesPublishesForEither();
};

void TestPublishing::daysOfferedForABook()
{
    ProgramFolder folder;
    store::HomeworkDb db(folder.path());
    addDay(db.database(), QStringLiteral("14-5-9"));
    addDay(db.database(), QStringLiteral("14-12-1"));
    addDay(db.database(), QStringLiteral("14-10-30"), QStringLiteral("<null>")); // never written: Null
    addDay(db.database(), QStringLiteral("15-1-2"));
    addDay(db.database(), QStringLiteral("88-5-17"));
    addDay(db.database(), QStringLiteral("14-11-5"), QStringLiteral("已有作业"));
    QCOMPARE(tracking::daysOpenForBook(db, 3), (QStringList{"15-1-2", "14-12-1", "14-5-9"}));
    QCOMPARE(tracking::daysOpenForBook(db, 4).size(), 5);
}

void TestPublishing::daysAndHistoriesLeaveScratchRowsOut()
{
    ProgramFolder folder;
    store::HomeworkDb db(folder.path());
    addDay(db.database(), QStringLiteral("14-5-9"));
    addDay(db.database(), QStringLiteral("88-5-17"), QStringLiteral("草稿"));
    addDay(db.database(), QStringLiteral("14-5-8"));
    setContent(db.database(), QStringLiteral("14-5-8"), 17, QStringLiteral("十七号本"));
    addDay(db.database(), QStringLiteral("14-5-7"), QStringLiteral("小明's 作业"));
    QCOMPARE(tracking::daysWithHomework(db), (QStringList{"14-5-8", "14-5-7"}));

    tracking::BookHistory history{};
    tracking::取得某次作业的作业内容和日期的一一对应表(db, history, 17);
    QCOMPARE(tracking::historyContents(history), QStringList{"十七号本"});
    QCOMPARE(history[1][1], QStringLiteral("14-5-8"));
    QCOMPARE(history[3][1], QStringLiteral("17"));
    tracking::取得某次作业的作业内容和日期的一一对应表(db, history, 3);
    QCOMPARE(tracking::historyContents(history), QStringList{"小明's 作业"});
    QVERIFY(history[1][2].isEmpty());
}

void TestPublishing::bookUnderTwoSubjectsIsListedInBoth()
{
    ProgramFolder folder(5, 4);
    store::HomeworkDb db(folder.path());
    linkBook(db.database(), 1, QStringLiteral("语文"));
    linkBook(db.database(), 2, QStringLiteral("数学"));
    linkBook(db.database(), 3, QStringLiteral("语文"));
    linkBook(db.database(), 3, QStringLiteral("数学"));
    tracking::SubjectBooks books{};
    books[5][6] = QStringLiteral("stale");
    tracking::把作业本分拆成语数英科学分科显示数组(db, books);
    QCOMPARE(tracking::subjectBookNames(books, 1), (QStringList{"《本子1》", "《本子3》"}));
    QCOMPARE(tracking::subjectBookNames(books, 2), (QStringList{"《本子2》", "《本子3》"}));
    QCOMPARE(tracking::subjectBookSlot(books, 2, 2), 3);
    QCOMPARE(books[2][22], QStringLiteral("2"));
    QVERIFY(tracking::subjectBookNames(books, 4).isEmpty());
}

void TestPublishing::publishingATestBookWritesBothRows_data()
{
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("stored");
    QTest::newRow("3a") << "3a" << "3";
    QTest::newRow("a") << "a" << "0";
    QTest::newRow("12") << "12" << "12";
    QTest::newRow("3.7 is test 3, as codes read it") << "3.7" << "3";
}

void TestPublishing::publishingATestBookWritesBothRows()
{
    QFETCH(QString, number);
    QFETCH(QString, stored);
    RunningWindow run;
    linkBook(run.db(), 4, QStringLiteral("数学"));
    run.db().exec(QStringLiteral("UPDATE \"语数英科在作业本名称中的顺序号\" SET \"数学\" = 4"));
    run.setTestBook(2, 4);
    tracking::Form12 *form = openPublishing(run);
    QVERIFY(form);
    QTest::mouseClick(form->Command11[2], Qt::LeftButton);
    QCOMPARE(listTexts(form->List3), QStringList{"《本子4》"});
    clickRow(form->List3, 0);
    QVERIFY(form->Text2->isVisible());
    QCOMPARE(listTexts(form->List1), QStringList{"14-5-17"});
    clickRow(form->List1, 0);
    QCOMPARE(form->Label2[0]->text(), QStringLiteral("选定的日期为：  14-5-17"));
    typeText(form->Text1, QStringLiteral("小明's 作业"));
    QTest::keyClicks(form->Text2, number);
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    store::Database reader = openFile(run.folder.path());
    QCOMPARE(value(reader, QStringLiteral("SELECT \"作业4\" FROM \"作业内容登记表\"")).toString(), QStringLiteral("小明's 作业"));
    QCOMPARE(value(reader, QStringLiteral("SELECT \"数学检测编号\" FROM \"作业内容登记表\"")).toString(), stored);
    QCOMPARE(value(reader, QStringLiteral("SELECT \"数学检测次数顺序号标记\" FROM \"扫描输入作业完成情况\"")).toString(), stored);
    QVERIFY(value(reader, QStringLiteral("SELECT \"语文检测编号\" FROM \"作业内容登记表\"")).isNull());
    QCOMPARE(run.day().Classes[1].HomeworkContent[4], QStringLiteral("小明's 作业"));
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("《本子4》小明's 作业"));
    QCOMPARE(run.day().CurrentSlot, 4);
    QCOMPARE(run.remembered().latestEntered()[0][4], QStringLiteral("14-5-1714"));
    QVERIFY(run.ui().Command20[0]->isVisible());
    QTRY_VERIFY(!run.window->findChild<tracking::Form12 *>(QStringLiteral("Form12")));

    // The published book now takes scans and shows among today's buttons.
    run.scan(QStringLiteral("110402"));
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("1人"));
    run.window->Command4_Click(0);
    QVERIFY(run.ui().Command3[1]->text().startsWith(QStringLiteral("4、")));
}

void TestPublishing::refusalsWriteNothing_data()
{
    QTest::addColumn<bool>("pickDate");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("testNumber");
    QTest::addColumn<bool>("dayGone"); // the day's rows removed while the window is open
    QTest::addColumn<QString>("message");
    QTest::newRow("no date") << false << "x" << "3" << false << "可进行输入的日期还未选择，请先选择日期后再操作该确定按钮！";
    QTest::newRow("no content") << true << "" << "3" << false << "作业或检测内容还未进行输入，请进行输入后再操作该确定按钮！";
    QTest::newRow("no test number") << true << "x" << "" << false << "检测编号还未进行输入，请输入后再操作该确定按钮！";
    QTest::newRow("no row to change") << true << "x" << "3" << true << "所选日期在数据库中缺少完整的当天记录，作业未发布。";
}

void TestPublishing::refusalsWriteNothing()
{
    QFETCH(bool, pickDate);
    QFETCH(QString, content);
    QFETCH(QString, testNumber);
    QFETCH(bool, dayGone);
    QFETCH(QString, message);
    RunningWindow run;
    linkBook(run.db(), 8, QStringLiteral("语文"));
    run.setTestBook(1, 8);
    tracking::Form12 *form = openPublishing(run);
    QTest::mouseClick(form->Command11[1], Qt::LeftButton);
    clickRow(form->List3, 0);
    if (pickDate)
        clickRow(form->List1, 0);
    typeText(form->Text1, content);
    QTest::keyClicks(form->Text2, testNumber);
    if (dayGone)
        run.db().exec(QStringLiteral("DELETE FROM \"作业内容登记表\"; DELETE FROM \"扫描输入作业完成情况\";"));
    QTest::mouseClick(form->Command1, Qt::LeftButton);
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{message});
    QVERIFY(form->isVisible());
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"作业8\" FROM \"作业内容登记表\"")).toString(), QString());
    QVERIFY(value(run.db(), QStringLiteral("SELECT \"语文检测次数顺序号标记\" FROM \"扫描输入作业完成情况\"")).isNull());
}

void TestPublishing::aBooksHistoryKeepsItsFirstHundredDays_data()
{
    QTest::addColumn<int>("days");
    QTest::newRow("exactly 100") << 100;
    QTest::newRow("101") << 101;
}

void TestPublishing::aBooksHistoryKeepsItsFirstHundredDays()
{
    QFETCH(int, days);
    ProgramFolder folder;
    store::HomeworkDb db(folder.path());
    for (int d = 0; d < days; ++d)
        addDay(db.database(), store::dateKey(QDate(2014, 1, 1).addDays(d)), QStringLiteral("第%1次").arg(d + 1));
    tracking::BookHistory history{};
    tracking::取得某次作业的作业内容和日期的一一对应表(db, history, 3);
    const QStringList contents = tracking::historyContents(history);
    QCOMPARE(contents.size(), 100);
    QCOMPARE(contents.last(), QStringLiteral("第100次"));
    QCOMPARE(history[1][100], store::dateKey(QDate(2014, 1, 1).addDays(99)));
}

void TestPublishing::ninePublicationsFillTheRememberedLists()
{
    RunningWindow run;
    for (int slot = 1; slot <= 8; ++slot)
        linkBook(run.db(), slot, QStringLiteral("科学"));
    for (int d = 1; d <= 9; ++d)
        addDay(run.db(), QStringLiteral("14-4-%1").arg(d));
    for (int i = 1; i <= 9; ++i) {
        tracking::Form12 *form = openPublishing(run);
        QTest::mouseClick(form->Command11[4], Qt::LeftButton);
        clickRow(form->List3, (i - 1) % 8);
        clickRow(form->List1, 0);
        typeText(form->Text1, QStringLiteral("第%1次").arg(i));
        QTest::mouseClick(form->Command1, Qt::LeftButton);
        QTRY_VERIFY(!run.window->findChild<tracking::Form12 *>(QStringLiteral("Form12")));
    }
    QVERIFY(run.ui().Command20[0]->text().endsWith(QStringLiteral("第9次")));
    QVERIFY(run.ui().Command20[7]->text().endsWith(QStringLiteral("第2次")));
    QVERIFY(run.ui().Command16[8]->text().endsWith(QStringLiteral("第1次")));
    QVERIFY(run.ui().Command16[9]->isHidden());
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

void TestPublishing::queryByDayMakesThePickedDayCurrent()
{
    RunningWindow run;
    addDay(run.db(), QStringLiteral("14-5-9"), QStringLiteral("旧作业"));
    addDay(run.db(), QStringLiteral("14-5-10"));
    QTest::mouseClick(run.ui().Command4[2], Qt::LeftButton);
    QVERIFY(run.ui().List2->isVisible());
    QCOMPARE(listTexts(run.ui().List2), QStringList{"14-5-9"});
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
    clickRow(run.ui().List2, 0);
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-9"));
    QCOMPARE(run.day().HistoryDayChosen, 1);
    QVERIFY(run.ui().Command3[1]->isVisible());
    QVERIFY(run.ui().Command3[1]->text().startsWith(QStringLiteral("3、《本子3》(旧作业)")));
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
    run.scan(QStringLiteral("110305"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT substr(\"完成3\", 13, 3) FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-9'")).toString(),
             QStringLiteral("052"));
}

void TestPublishing::queryByBookAndHistory()
{
    RunningWindow run;
    linkBook(run.db(), 3, QStringLiteral("英语"));
    addDay(run.db(), QStringLiteral("14-5-9"), QStringLiteral("第一次"));
    addDay(run.db(), QStringLiteral("14-5-12"), QStringLiteral("第二次"));
    QTest::mouseClick(run.ui().Command4[3], Qt::LeftButton);
    QVERIFY(run.ui().Frame10->isVisible());
    QTest::mouseClick(run.ui().Command11[3], Qt::LeftButton);
    QVERIFY(!run.ui().Frame10->isVisible());
    QCOMPARE(listTexts(run.ui().List3), QStringList{"《本子3》"});
    clickRow(run.ui().List3, 0);
    QCOMPARE(listTexts(run.ui().List4), (QStringList{QString(15, QLatin1Char(' ')) + QStringLiteral("《本子3》"), "第一次", "第二次"}));
    clickRow(run.ui().List4, 0);
    QVERIFY(run.ui().List4->isVisible());
    clickRow(run.ui().List4, 1);
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-9"));
    QCOMPARE(run.day().CurrentSlot, 3);
    QCOMPARE(run.remembered().recentShown()[0][4], QStringLiteral("14-5-913"));
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("《本子3》第一次"));
    QVERIFY(!run.ui().List4->isVisible());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
}

void TestPublishing::publishingKeepsTheMainWindowsSubject()
{
    RunningWindow run;
    linkBook(run.db(), 3, QStringLiteral("数学"));
    linkBook(run.db(), 4, QStringLiteral("英语"));
    addDay(run.db(), QStringLiteral("14-5-9"), QStringLiteral("第一次"));
    QTest::mouseClick(run.ui().Command4[3], Qt::LeftButton);
    QTest::mouseClick(run.ui().Command11[2], Qt::LeftButton);
    tracking::Form12 *form = openPublishing(run);
    QTest::mouseClick(form->Command11[3], Qt::LeftButton);
    QCOMPARE(listTexts(form->List3), QStringList{"《本子4》"});
    form->close();
    clickRow(run.ui().List3, 0);
    QCOMPARE(listTexts(run.ui().List4).value(0).trimmed(), QStringLiteral("《本子3》"));
}

void TestPublishing::publishingForAnotherDayMakesThatDayCurrent()
{
    RunningWindow run;
    linkBook(run.db(), 3, QStringLiteral("科学"));
    addDay(run.db(), QStringLiteral("14-5-9"));
    tracking::Form12 *form = openPublishing(run);
    QTest::mouseClick(form->Command11[4], Qt::LeftButton);
    clickRow(form->List3, 0);
    const int earlierDay = int(listTexts(form->List1).indexOf(QStringLiteral("14-5-9")));
    QVERIFY(earlierDay >= 0);
    clickRow(form->List1, earlierDay);
    typeText(form->Text1, QStringLiteral("补做"));
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-9"));
    QCOMPARE(run.day().HistoryDayChosen, 1);
    QCOMPARE(run.ui().Label2[2]->text(), QStringLiteral("《本子3》补做"));
    QCOMPARE(run.ui().Label2[9]->text(), QStringLiteral("40人"));
    run.scan(QStringLiteral("110305"));
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
    QCOMPARE(value(run.db(), QStringLiteral("SELECT substr(\"完成3\", 13, 3) FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-9'")).toString(),
             QStringLiteral("052"));
}

void TestPublishing::aTeacherOfTwoClassesPublishesForEither_data()
{
    QTest::addColumn<int>("choice"); // 0 the first class, 1 the second, 2 both (the default)
    QTest::addColumn<QStringList>("contents");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("both") << 2 << QStringList{"练习", "练习"} << QStringList{"五(1)班 《本子4》练习", "五(2)班 《本子4》练习"};
    QTest::newRow("second class") << 1 << QStringList{"", "练习"} << QStringList{"五(2)班 《本子4》练习", ""};
}

void TestPublishing::aTeacherOfTwoClassesPublishesForEither()
{
    QFETCH(int, choice);
    QFETCH(QStringList, contents);
    QFETCH(QStringList, captions);
    RunningWindow run;
    addPupils(run.db(), 30, QStringLiteral("52姓名"));
    linkBook(run.db(), 4, QStringLiteral("数学"));
    run.setClassNames(QStringLiteral("五(1)"), QStringLiteral("五(2)"));
    run.context().day().当天数据环境生成();
    tracking::Form12 *form = openPublishing(run);
    QVERIFY(form->classes->isVisible());
    QVERIFY(form->classChoice[2]->isChecked());
    QCOMPARE(form->classChoice[1]->text(), QStringLiteral("五(2)班"));
    form->classChoice[choice]->setChecked(true);
    QTest::mouseClick(form->Command11[2], Qt::LeftButton);
    clickRow(form->List3, 0);
    clickRow(form->List1, 0);
    typeText(form->Text1, QStringLiteral("练习"));
    QTest::mouseClick(form->Command1, Qt::LeftButton);

    for (int c = 1; c <= 2; ++c)
        QCOMPARE(value(run.db(), QStringLiteral("SELECT \"作业4\" FROM %1").arg(store::quoted(store::contentsTable(c)))).toString(),
                 contents[c - 1]);
    for (int n = 0; n < 2; ++n)
        QCOMPARE(run.ui().Command20[n]->text(), captions[n]);
    QCOMPARE(run.day().ShownClass, choice == 1 ? 2 : 1);
    run.scan(QStringLiteral("120430"));
    QCOMPARE(run.day().ShownClass, 2);
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("1人"));
}

QTEST_MAIN(TestPublishing)
#include "TestPublishing.moc"
