#include "LayoutCheck.h"
#include "WindowSupport.h"

#include "store/MarkString.h"
#include "tracking/RememberedLists.h"
#include "ui/Twips.h"

#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>

using namespace testing;

namespace {

QString storedMark(store::Database &db, int slot, int pupil, const QString &key = QStringLiteral("14-5-17"))
{
    const QString marks = value(db, QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?").arg(slot),
                                {key})
                              .toString();
    return marks.mid((pupil - 1) * 3 + 2, 1);
}

core::RememberedEntry entry(const QString &key, int slot)
{
    return {QString(), key, QStringLiteral("1"), QString::number(slot), key + QStringLiteral("1") + QString::number(slot),
            QStringLiteral("caption %1 %2").arg(key).arg(slot)};
}

} // namespace

class TestScan : public QObject {
    Q_OBJECT

private slots:
    void init() { ui::MessagePresenter::takeShown(); }
    void codes_data();
    void codes();
    void messagePanelButtonTakesEnterAndReturnsToTheCodeBox();
    void aCodeScannedOverTheMessagePanelIsRecorded();
    void keypadEnterScansToo();
    void marksAreCorrectedAndUndone();
    void pastedLinesAreEachRecorded();
    void excellentPhaseEndsWithTheRefreshTick();
    void duplicateScanLeavesTheCounts();
    void todaysButtonsCaptionAndPlace();
    void pickingTodaysButtonsOutsideHistoryOverwritesTheFront();
    void historyPicksMoveTheEntryToTheFront_data();
    void historyPicksMoveTheEntryToTheFront();
    void recentEntryFourMovesToTheFront();
    void latestEnteredSwitchesDayWithoutReordering();
    void rememberedListsSurviveARestart();
};

void TestScan::codes_data()
{
    QTest::addColumn<bool>("bookFiveShown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("pupil");
    QTest::addColumn<QString>("ending"); // what the reader sends after the code
    QTest::newRow("one digit") << true << "7" << "" << 5 << 7 << "enter";
    QTest::newRow("two digits") << true << "12" << "" << 5 << 12 << "enter";
    QTest::newRow("full code") << true << "110512" << "" << 5 << 12 << "enter";
    QTest::newRow("first position free") << true << "210512" << "" << 5 << 12 << "enter";
    QTest::newRow("short before any display") << false << "07" << "请先选择相应的作业，再只输入学号！" << 0 << 0 << "enter";
    QTest::newRow("one digit before any display") << false << "7" << "请先选择相应的作业，再只输入学号！" << 0 << 0 << "enter";
    QTest::newRow("full code before any display") << false << "110707" << "" << 7 << 7 << "enter";
    QTest::newRow("full-width digits") << true << "１１０５１２" << "" << 5 << 12 << "enter";
    QTest::newRow("blanks around") << true << " 110512 " << "" << 5 << 12 << "enter";
    QTest::newRow("ended by Tab") << true << "110512" << "" << 5 << 12 << "tab";
    QTest::newRow("short code ended by Tab") << true << "12" << "" << 5 << 12 << "tab";
    QTest::newRow("no homework for the book") << true << "110612" << "请选择相应的作业才可输入！" << 0 << 0 << "enter";
    QTest::newRow("last book") << true << "113201" << "" << 32 << 1 << "enter";
    QTest::newRow("last pupil of the class") << true << "110540" << "" << 5 << 40 << "enter";
    QTest::newRow("class") << true << "120512" << "输入编号班级有误！" << 0 << 0 << "enter";
    QTest::newRow("book 33") << true << "113312" << "输入作业本编号有误！" << 0 << 0 << "enter";
    QTest::newRow("book 0") << true << "110012" << "输入作业本编号有误！" << 0 << 0 << "enter";
    QTest::newRow("pupil 51") << true << "110551" << "输入学生的学号有误！" << 0 << 0 << "enter";
    QTest::newRow("pupil 0") << true << "110500" << "输入学生的学号有误！" << 0 << 0 << "enter";
    QTest::newRow("beyond the class") << true << "110541" << "输入学生的学号有误！" << 0 << 0 << "enter";
    QTest::newRow("five characters") << true << "11051" << "输入编号长度有误！" << 0 << 0 << "enter";
    QTest::newRow("seven characters") << true << "1105123" << "输入编号长度有误！" << 0 << 0 << "enter";
    QTest::newRow("empty") << true << "" << "输入编号长度有误！" << 0 << 0 << "enter";
    QTest::newRow("letters") << true << "11ab12" << "输入作业本编号有误！" << 0 << 0 << "enter";
}

void TestScan::codes()
{
    QFETCH(bool, bookFiveShown);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, ending);
    RunningWindow run(40);
    run.publish(5, QStringLiteral("第12页"));
    run.publish(7, QStringLiteral("练习七"));
    run.publish(32, QStringLiteral("练习三十二"));
    if (bookFiveShown)
        run.context().day().showBook(QStringLiteral("1"), QStringLiteral("05"));
    run.ui().Text1->setFocus();
    typeText(run.ui().Text1, typed);
    QTest::keyClick(run.ui().Text1, ending == QLatin1String("tab") ? Qt::Key_Tab : Qt::Key_Return);

    if (!message.isEmpty()) {
        QVERIFY(run.ui().Frame2->isVisible());
        QCOMPARE(run.ui().Label1->text(), message);
        QCOMPARE(run.ui().Text1->text(), typed);
        QCOMPARE(QApplication::focusWidget(), run.ui().Command2);
        for (int slot : {5, 7})
            QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\"").arg(slot)).toString(),
                     store::newDayMarks(40));
        return;
    }
    QFETCH(int, slot);
    QFETCH(int, pupil);
    QVERIFY(!run.ui().Frame2->isVisible());
    QCOMPARE(storedMark(run.db(), slot, pupil), QStringLiteral("2"));
    QCOMPARE(run.ui().Text1->text(), QString());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
    QCOMPARE(run.ui().List1->count(), 39);
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("1人"));
    QCOMPARE(run.day().CurrentSlot, slot);
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

void TestScan::messagePanelButtonTakesEnterAndReturnsToTheCodeBox()
{
    RunningWindow run;
    run.scan(QStringLiteral("1234"));
    QCOMPARE(QApplication::focusWidget(), run.ui().Command2);
    QTest::keyClick(run.ui().Command2, Qt::Key_Return);
    QVERIFY(!run.ui().Frame2->isVisible());
    QCOMPARE(run.ui().Text1->text(), QString());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);

    run.scan(QStringLiteral("123"));
    QTest::keyClick(run.ui().Command2, Qt::Key_Space);
    QVERIFY(!run.ui().Frame2->isVisible());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
}

void TestScan::aCodeScannedOverTheMessagePanelIsRecorded()
{
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    run.scan(QStringLiteral("1234"));
    QVERIFY(run.ui().Frame2->isVisible());
    // The reader types into whatever has the focus, as a keyboard does.
    for (const QChar c : QStringLiteral("110507"))
        QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!run.ui().Frame2->isVisible());
    QCOMPARE(storedMark(run.db(), 5, 7), QStringLiteral("2"));
    QCOMPARE(run.ui().Text1->text(), QString());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
}

void TestScan::marksAreCorrectedAndUndone()
{
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    run.scan(QStringLiteral("110507"));
    run.window->Timer1_Timer();
    run.scan(QStringLiteral("110508"));
    const auto marks = [&] { return storedMark(run.db(), 5, 3) + storedMark(run.db(), 5, 7) + storedMark(run.db(), 5, 8); };
    QCOMPARE(marks(), QStringLiteral("021"));

    QTest::mouseClick(run.ui().handedInSwitch, Qt::LeftButton);
    QCOMPARE(listTexts(run.ui().List1), (QStringList{"7：学生7  优", "8：学生8"}));
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);
    // A double click, as the mouse gives it: a click, then the second press.
    const QPoint second = run.ui().List1->visualItemRect(run.ui().List1->item(1)).center();
    QTest::mouseClick(run.ui().List1->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(run.ui().List1->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(marks(), QStringLiteral("020"));
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("1人"));
    QMenu *menu = run.window->markMenu(7);
    QVERIFY(!menu->actions()[2]->isEnabled());
    menu->actions()[1]->trigger();
    QCOMPARE(marks(), QStringLiteral("010"));
    QTest::mouseClick(run.ui().handedInSwitch, Qt::LeftButton);
    run.window->List1_DblClick(QStringLiteral("3：学生3"));
    QCOMPARE(marks(), QStringLiteral("110"));
    QCOMPARE(run.ui().Label2[9]->text(), QStringLiteral("38人"));

    // Each Ctrl+Z takes back one change, scans included, down to the day's first and no further.
    const QStringList undone{"010", "020", "021", "020", "000", "000"};
    for (const QString &expected : undone) {
        QTest::keyClick(run.ui().Text1, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(marks(), expected);
    }
    QCOMPARE(run.ui().Text1->text(), QString());
    QCOMPARE(run.day().Classes[1].MarkGrid[5][7], QStringLiteral("0"));
}

void TestScan::keypadEnterScansToo()
{
    RunningWindow run;
    run.publish(3, QStringLiteral("口算"));
    QTest::keyClicks(run.ui().Text1, QStringLiteral("110304"));
    QTest::keyClick(run.ui().Text1, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(storedMark(run.db(), 3, 4), QStringLiteral("2"));
}

void TestScan::pastedLinesAreEachRecorded()
{
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    QGuiApplication::clipboard()->setText(QStringLiteral("110510\r\n 110599\n\n１１０５１１\n"));
    run.ui().Text1->setFocus();
    QTest::keyClick(run.ui().Text1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(storedMark(run.db(), 5, 10), QStringLiteral("2"));
    QCOMPARE(storedMark(run.db(), 5, 11), QStringLiteral("2"));
    QVERIFY(run.ui().Frame2->isVisible());
    QCOMPARE(run.ui().Label1->text(), QStringLiteral("“110599”：输入学生的学号有误！"));
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("2人"));
    QCOMPARE(run.ui().Text1->text(), QString());
}

void TestScan::excellentPhaseEndsWithTheRefreshTick()
{
    RunningWindow run;
    run.publish(5, QStringLiteral("第12页"));
    for (const char *code : {"110501", "110502", "110503"}) {
        run.scan(QString::fromLatin1(code));
        QVERIFY(run.ui().Frame12->isVisible());
    }
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"优秀结束5\" FROM \"扫描输入作业完成情况\"")).toInt(), 1);
    run.window->Timer1_Timer();
    run.scan(QStringLiteral("110504"));
    QVERIFY(!run.ui().Frame12->isVisible());
    const QString marks = value(run.db(), QStringLiteral("SELECT \"完成5\" FROM \"扫描输入作业完成情况\"")).toString();
    QCOMPARE(marks.left(15), QStringLiteral("012022032041050"));
}

void TestScan::duplicateScanLeavesTheCounts()
{
    RunningWindow run;
    run.publish(6, QStringLiteral("抄写"));
    run.scan(QStringLiteral("110601"));
    run.window->Timer1_Timer();
    run.scan(QStringLiteral("110609"));
    run.scan(QStringLiteral("110609"));
    QCOMPARE(storedMark(run.db(), 6, 9), QStringLiteral("1"));
    QCOMPARE(storedMark(run.db(), 6, 1), QStringLiteral("2"));
    run.scan(QStringLiteral("110601"));
    QCOMPARE(storedMark(run.db(), 6, 1), QStringLiteral("2"));
    QCOMPARE(run.ui().Label2[8]->text(), QStringLiteral("2人"));
    QCOMPARE(run.ui().Label2[9]->text(), QStringLiteral("38人"));
}

void TestScan::todaysButtonsCaptionAndPlace()
{
    RunningWindow run(3);
    for (int slot : {2, 5, 9})
        run.publish(slot, QStringLiteral("内容%1").arg(slot));
    for (int n = 1; n <= 3; ++n)
        run.setMark(5, n, QStringLiteral("1"));
    QTest::mouseClick(run.ui().Command4[0], Qt::LeftButton);
    const int tops[] = {400, 1250, 2100};
    const char *captions[] = {"2、《本子2》(内容2)   未交：3人", "5、《本子5》(内容5)   未交：0人", "9、(内容9)   未交：3人"};
    for (int n = 1; n <= 3; ++n) {
        QPushButton *button = run.ui().Command3[n];
        QVERIFY(button->isVisible());
        QCOMPARE(button->text(), QString::fromUtf8(captions[n - 1]));
        QCOMPARE(button->y(), ui::twips(button, tops[n - 1]));
        QCOMPARE(button->x(), ui::twips(button, 4800));
    }
    QVERIFY(!run.ui().Command3[4]->isVisible());
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);

    // A long caption is shown whole, in a smaller font, not cut off.
    run.publish(12, QStringLiteral("第三单元第二课课后练习第一至第五题，正确率100%1"));
    run.window->Command4_Click(0);
    auto *longest = dynamic_cast<ui::ElidingButton *>(run.ui().Command3[4]);
    const QString whole = QStringLiteral("12、(第三单元第二课课后练习第一至第五题，正确率100%1)   未交：3人");
    QCOMPARE(longest->text(), whole);
    QCOMPARE(tipOf(longest), whole);
    const ui::ElidingButton::Caption shown = longest->shownCaption();
    QVERIFY(shown.text.startsWith(QStringLiteral("12、(第三")));
    QVERIFY(shown.text.endsWith(QStringLiteral("未交：3人")));
    QVERIFY(QFontMetrics(shown.font).horizontalAdvance(shown.text) < longest->width());
    QCOMPARE(run.ui().Command3[2]->text(), QStringLiteral("5、《本子5》(内容5)   未交：0人"));
    QTest::mouseClick(run.ui().Command3[3], Qt::LeftButton);
    QCOMPARE(run.day().CurrentSlot, 9);
    QCOMPARE(run.day().CurrentBookDigits, QStringLiteral("09"));
    QVERIFY(!run.ui().Command3[1]->isVisible());
    QCOMPARE(run.remembered().recentShown()[0][4], QStringLiteral("14-5-1719"));
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);

    run.db().exec(QStringLiteral("UPDATE \"作业内容登记表\" SET \"作业2\" = '', \"作业5\" = '', \"作业9\" = '', \"作业12\" = ''"));
    run.window->Timer1_Timer();
    QTest::mouseClick(run.ui().Command4[0], Qt::LeftButton);
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{QStringLiteral("暂无输入订正情况记录！")});
    QVERIFY(!run.ui().Command3[1]->isVisible());
}

void TestScan::pickingTodaysButtonsOutsideHistoryOverwritesTheFront()
{
    RunningWindow run;
    run.setRemembered({entry(QStringLiteral("14-5-2"), 1), entry(QStringLiteral("14-5-3"), 1), entry(QStringLiteral("14-5-4"), 2)});
    run.publish(3, QStringLiteral("a"));
    run.publish(7, QStringLiteral("b"));
    run.window->Command4_Click(0);
    QTest::mouseClick(run.ui().Command3[1], Qt::LeftButton);
    run.window->Command4_Click(0);
    QTest::mouseClick(run.ui().Command3[2], Qt::LeftButton);
    QCOMPARE(run.remembered().recentShown()[0][4], QStringLiteral("14-5-1717"));
    QCOMPARE(run.remembered().recentShown()[1], entry(QStringLiteral("14-5-3"), 1));
    QCOMPARE(run.remembered().recentShown()[2], entry(QStringLiteral("14-5-4"), 2));
    QCOMPARE(run.ui().Command16[0]->text(), QStringLiteral("《本子7》b"));
}

void TestScan::historyPicksMoveTheEntryToTheFront_data()
{
    QTest::addColumn<int>("existingAt"); // -1: not in the list
    QTest::newRow("absent") << -1;
    QTest::newRow("at entry 4") << 4;
    QTest::newRow("at entry 0") << 0;
}

void TestScan::historyPicksMoveTheEntryToTheFront()
{
    QFETCH(int, existingAt);
    RunningWindow run;
    run.publish(3, QStringLiteral("a"));
    run.publish(7, QStringLiteral("b"));
    QStringList before;
    QList<core::RememberedEntry> entries;
    for (int e = 0; e <= 10; ++e) {
        entries << (e == existingAt ? entry(QStringLiteral("14-5-17"), 7) : entry(QStringLiteral("14-4-%1").arg(e), 1));
        before << entries.last()[4];
    }
    run.setRemembered(entries);
    run.context().day().switchToDay(QStringLiteral("14-5-17"));
    run.window->Command4_Click(0);
    QTest::mouseClick(run.ui().Command3[2], Qt::LeftButton);

    QStringList expected = before;
    if (existingAt >= 0)
        expected.removeAt(existingAt);
    else
        expected.removeLast();
    expected.prepend(QStringLiteral("14-5-1717"));
    QStringList after;
    for (int e = 0; e <= 10; ++e)
        after << run.remembered().recentShown()[e][4];
    QCOMPARE(after, expected);
    QCOMPARE(after.count(QStringLiteral("14-5-1717")), 1);
}

void TestScan::recentEntryFourMovesToTheFront()
{
    RunningWindow run;
    QList<core::RememberedEntry> entries;
    for (int e = 0; e <= 5; ++e)
        entries << entry(QStringLiteral("14-5-%1").arg(10 + e), e + 1);
    run.setRemembered(entries);
    setContent(run.db(), QStringLiteral("14-5-17"), 2, QStringLiteral("today's"));
    run.scan(QStringLiteral("110201")); // nothing to lose when leaving: stored at once
    QTest::mouseClick(run.ui().Command16[4], Qt::LeftButton);
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-14"));
    QCOMPARE(run.day().HistoryDayChosen, 1);
    QCOMPARE(run.day().CurrentSlot, 5);
    QStringList order;
    for (int e = 0; e <= 5; ++e)
        order << run.remembered().recentShown()[e][1];
    QCOMPARE(order, (QStringList{"14-5-14", "14-5-10", "14-5-11", "14-5-12", "14-5-13", "14-5-15"}));
    QCOMPARE(run.ui().Command16[0]->text(), QStringLiteral("caption 14-5-14 5"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"扫描输入作业完成情况\" WHERE \"日期\" = '14-5-14'")).toInt(), 1);
    QCOMPARE(QApplication::focusWidget(), run.ui().Text1);

    QTest::mouseClick(run.ui().Command16[0], Qt::LeftButton);
    QCOMPARE(run.remembered().recentShown()[1][1], QStringLiteral("14-5-10"));
}

void TestScan::latestEnteredSwitchesDayWithoutReordering()
{
    RunningWindow run;
    run.setRemembered({}, {entry(QStringLiteral("14-5-12"), 3), entry(QStringLiteral("14-5-13"), 4)});
    QTest::mouseClick(run.ui().Command20[1], Qt::LeftButton);
    QCOMPARE(run.day().CurrentDateKey, QStringLiteral("14-5-13"));
    QCOMPARE(run.day().CurrentSlot, 4);
    QCOMPARE(run.remembered().latestEntered()[0][1], QStringLiteral("14-5-12"));
    QCOMPARE(run.ui().Label2[0]->text(), QStringLiteral("2014-5-13"));
}

void TestScan::rememberedListsSurviveARestart()
{
    RunningWindow run;
    QList<core::RememberedEntry> recent, latest;
    for (int e = 0; e <= 10; ++e)
        recent << entry(QStringLiteral("14-4-%1").arg(e + 1), e + 1);
    for (int e = 0; e <= 7; ++e)
        latest << entry(QStringLiteral("14-3-%1").arg(e + 1), e + 1);
    run.setRemembered(recent, latest);
    // Only the run's memory holds them now: closing must store them.
    for (const char *table : {"最近显示作业", "最新输入作业"})
        run.db().exec(QStringLiteral("UPDATE \"%1\" SET \"显示标题\" = ''").arg(QString::fromUtf8(table)));
    run.restart();
    for (int e = 0; e <= 10; ++e) {
        QVERIFY(run.ui().Command16[e]->isVisible());
        QCOMPARE(run.ui().Command16[e]->text(), entry(QStringLiteral("14-4-%1").arg(e + 1), e + 1)[5]);
    }
    for (int e = 0; e <= 7; ++e)
        QCOMPARE(run.ui().Command20[e]->text(), entry(QStringLiteral("14-3-%1").arg(e + 1), e + 1)[5]);
}

QTEST_MAIN(TestScan)
#include "TestScan.moc"
