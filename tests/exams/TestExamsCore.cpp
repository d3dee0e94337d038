#include "ExamsTestSupport.h"

#include "exams/ScoreEntry.h"
#include "exams/TestAnalysis.h"
#include "exams/TestStatistics.h"
#include "store/MarkString.h"

#include <QtTest>

using namespace testing;

class TestExamsCore : public QObject {
    Q_OBJECT

private slots:
    void readsACode_data();
    void readsACode();
    void groupsTheJoinedBoxes_data();
    void groupsTheJoinedBoxes();
    void storesOnlyIntoEmptyCells();
    void reportsCodesItCannotStoreAndStoresTheOthers_data();
    void reportsCodesItCannotStoreAndStoresTheOthers();
    void findsANameWithAnApostrophe();
    void aFailingBatchStoresNothing();
    void marksHandedInUntilTheFirstEmptyBox();
    void stopsMarkingAtAnUnknownTest();
    void marksNothingWithoutATestBook();
    void marksOnlyTheFiftyPupilsAMarkStringHolds_data();
    void marksOnlyTheFiftyPupilsAMarkStringHolds();
    void countsScoresIntoBands_data();
    void countsScoresIntoBands();
    void roundsTheMeanAndCompositeHalfAwayFromZero_data();
    void roundsTheMeanAndCompositeHalfAwayFromZero();
    void summarisesTheTwoPupilExample();
    void leavesEveryBoxEmptyWithoutScores();
    void highlightsTheBandItCounted_data();
    void highlightsTheBandItCounted();
    void listsTheTestsOfTheTestBook();
    void listsTestsTwentyToAPage();
    void pagingLeadsPastPagesWithoutATest();
    void fillsThePupilGridColumnByColumn_data();
    void fillsThePupilGridColumnByColumn();
    void analysisTurnsNullCellsIntoEmptyText();
    void analysisCountsTheClassAndListsTheGrid_data();
    void analysisCountsTheClassAndListsTheGrid();
    void storesTestBooksAsTheirLeadingNumber_data();
    void storesTestBooksAsTheirLeadingNumber();
    void reimportLeavesTheRosterWithoutScores();
};

void TestExamsCore::readsACode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("test");
    QTest::addColumn<int>("pupil");
    QTest::addColumn<QString>("score");
    QTest::newRow("plain") << "031892" << 3 << 18 << "92";
    QTest::newRow("full score") << "070500" << 7 << 5 << "00";
    QTest::newRow("trailing blank") << "3 0592" << 3 << 5 << "92";
    QTest::newRow("leading blank") << " 30592" << 3 << 5 << "92";
    QTest::newRow("letters") << "ab0592" << 0 << 5 << "92";
    QTest::newRow("score kept as typed") << "0305a " << 3 << 5 << "a ";
}

void TestExamsCore::readsACode()
{
    QFETCH(QString, code);
    QFETCH(int, test);
    QFETCH(int, pupil);
    QFETCH(QString, score);
    const exams::ScoreCode read = exams::readScoreCode(code);
    QCOMPARE(read.test, test);
    QCOMPARE(read.pupil, pupil);
    QCOMPARE(read.score, score);
}

void TestExamsCore::groupsTheJoinedBoxes_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("codes");
    QTest::newRow("empty box between") << QStringList{"031892", "", "041877"} << QStringList{"031892", "041877"};
    QTest::newRow("short box shifts the rest") << QStringList{"0318", "920419", "77"}
                                               << QStringList{"031892", "041977"};
    QTest::newRow("short tail dropped") << QStringList{"031892", "0419"} << QStringList{"031892"};
    QTest::newRow("all empty") << QStringList{"", "", ""} << QStringList{};
}

void TestExamsCore::groupsTheJoinedBoxes()
{
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, codes);
    QStringList grouped;
    for (const exams::ScoreCode &code : exams::groupScoreCodes(boxes))
        grouped << code.code;
    QCOMPARE(grouped, codes);
}

void TestExamsCore::storesOnlyIntoEmptyCells()
{
    ExamFolder exam;
    exam.subject = 1;
    writeScore(exam.db(), QStringLiteral("数学"), 2, 3, QStringLiteral(""));
    const auto first = exam.storeScores({"030100", "", "030290", "030255", "000177", "040588"});
    QCOMPARE(first.stored, 3);
    QCOMPARE(first.rejected.size(), 1);
    QCOMPARE(first.rejected[0].code, QStringLiteral("000177"));
    // The second code of a pupil and test in one batch meets the first one's score.
    QCOMPARE(first.kept.size(), 1);
    QCOMPARE(first.kept[0].code, QStringLiteral("030255"));
    QCOMPARE(first.kept[0].stored, QStringLiteral("90"));
    QCOMPARE(readScore(exam.db(), "数学", 1, 3).toString(), QStringLiteral("00"));
    QCOMPARE(readScore(exam.db(), "数学", 2, 3).toString(), QStringLiteral("90"));
    QCOMPARE(readScore(exam.db(), "数学", 5, 4).toString(), QStringLiteral("88"));
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT count(*) FROM \"数学\" WHERE \"姓名\" = '学生1'")).toInt(), 1);
    QVERIFY(readScore(exam.db(), "语文", 1, 3).isNull());

    const auto second = exam.storeScores({"030140", "030612"});
    QCOMPARE(second.stored, 1);
    QCOMPARE(readScore(exam.db(), "数学", 1, 3).toString(), QStringLiteral("00"));
    QCOMPARE(readScore(exam.db(), "数学", 6, 3).toString(), QStringLiteral("12"));
    const QString message = exams::storedMessage(second.rejected, second.kept);
    QVERIFY2(message.startsWith(QStringLiteral("所输检测成绩已成功导入数据库！\n")), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral("030140（已有成绩：100）")) && !message.contains(QStringLiteral("030612")),
             qPrintable(message));
    QCOMPARE(exams::storedMessage({}, {}), QStringLiteral("所输检测成绩已成功导入数据库！"));
}

void TestExamsCore::reportsCodesItCannotStoreAndStoresTheOthers_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("reason");
    QTest::addColumn<QString>("text");
    QTest::newRow("beyond the roster") << "034590" << int(exams::Rejection::PupilOutsideRoster) << "学生编号不在班级名单中";
    QTest::newRow("pupil 0") << "030090" << int(exams::Rejection::PupilOutsideRoster) << "学生编号不在班级名单中";
    QTest::newRow("no column") << "110190" << int(exams::Rejection::NoTestColumn) << "没有这个检测编号的列";
    QTest::newRow("no score row") << "030790" << int(exams::Rejection::NoScoreRow) << "没有这名学生的记录";
    QTest::newRow("name shared by two score rows") << "030990" << int(exams::Rejection::SharedName) << "同名";
}

void TestExamsCore::reportsCodesItCannotStoreAndStoresTheOthers()
{
    QFETCH(QString, code);
    QFETCH(int, reason);
    QFETCH(QString, text);
    ExamFolder exam;
    // A score table made elsewhere, with ten test columns only.
    exam.db().exec(QStringLiteral("DROP TABLE \"语文\""));
    QStringList columns{QStringLiteral("\"姓名\" TEXT")};
    for (int t = 1; t <= 10; ++t)
        columns << store::quoted(store::scoreColumn(t)) + QStringLiteral(" TEXT");
    exam.db().exec(QStringLiteral("CREATE TABLE \"语文\" (%1)").arg(columns.join(QLatin1Char(','))));
    exams::姓名导入学科(exam.db());
    exam.db().exec(QStringLiteral("DELETE FROM \"语文\" WHERE \"姓名\" = '学生7'"));
    exam.db().exec(QStringLiteral("INSERT INTO \"语文\" (\"姓名\") VALUES ('学生9')"));
    const auto result = exam.storeScores({"030180", code, "030281"});
    QCOMPARE(result.stored, 2);
    QCOMPARE(result.rejected.size(), 1);
    QCOMPARE(result.rejected[0].code, code);
    QCOMPARE(int(result.rejected[0].reason), reason);
    QCOMPARE(readScore(exam.db(), "语文", 1, 3).toString(), QStringLiteral("80"));
    QCOMPARE(readScore(exam.db(), "语文", 2, 3).toString(), QStringLiteral("81"));
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT count(*) FROM \"语文\" WHERE \"测试3\" = '90'")).toInt(), 0);
    const QString message = exams::rejectionMessage(result.rejected);
    QVERIFY2(message.contains(code) && message.contains(text), qPrintable(message));
    QVERIFY(exams::rejectionMessage({}).isEmpty());
}

void TestExamsCore::findsANameWithAnApostrophe()
{
    ExamFolder exam(3);
    exam.db().exec(QStringLiteral("UPDATE \"姓名\" SET \"姓名\" = 'O''Neil' WHERE rowid = 2"));
    exams::姓名导入学科(exam.db());
    exam.loadRoster();
    const auto result = exam.storeScores({"050277"});
    QCOMPARE(result.stored, 1);
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT \"测试5\" FROM \"语文\" WHERE \"姓名\" = ?"), {"O'Neil"}).toString(),
             QStringLiteral("77"));
}

void TestExamsCore::aFailingBatchStoresNothing()
{
    ExamFolder exam;
    exam.db().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"语文\" WHEN NEW.\"测试3\" = '66' "
                                  "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    QVERIFY_THROWS_EXCEPTION(store::DatabaseError,
                             exam.storeScores({"030180", "030266", "030390"}));
    QVERIFY(readScore(exam.db(), "语文", 1, 3).isNull());
    QVERIFY(readScore(exam.db(), "语文", 3, 3).isNull());
}

void TestExamsCore::marksHandedInUntilTheFirstEmptyBox()
{
    ExamFolder exam(5);
    exam.master.SubjectTestBooks = {0, 6, 0, 0, 0};
    exam.addTestDay(QStringLiteral("14-5-12"), 1, 6, 3, QStringLiteral("第三单元测试"), store::newDayMarks(5));
    exam.addTestDay(QStringLiteral("14-5-17"), 1, 6, 4, QStringLiteral("第四单元测试"), store::newDayMarks(5));
    exam.db().exec(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET \"完成6\" = '010020032040050。' "
                                  "WHERE \"日期\" = '14-5-12'"));

    const auto result = exam.markPapers({"030190", "030392", "040288", "", "040495"});
    QVERIFY(!result.unknownTest);
    QCOMPARE(result.marked, 3);
    // The handed-in test paper is "1", also for a pupil marked excellent for the homework.
    QCOMPARE(exam.marks("14-5-12", 6), QStringLiteral("011020031040050。"));
    QCOMPARE(exam.marks("14-5-17", 6), QStringLiteral("010021030040050。"));
    // Only the shown day follows in memory, so its next save keeps the mark and no other day leaks in.
    QCOMPARE(result.book, 6);
    QCOMPARE(result.shownDayPupils, QList<int>{2});

    // Nothing typed: nothing to mark and nothing to complain about, even without a test book.
    exam.master.SubjectTestBooks = {0, 0, 0, 0, 0};
    const auto empty = exam.markPapers({"", "030190"});
    QVERIFY(!empty.noTestBook);
    QCOMPARE(empty.marked, 0);
}

void TestExamsCore::stopsMarkingAtAnUnknownTest()
{
    ExamFolder exam(5);
    exam.master.SubjectTestBooks = {0, 0, 0, 9, 0};
    exam.subject = 2;
    exam.addTestDay(QStringLiteral("14-5-12"), 3, 9, 3, QStringLiteral("Unit 3"), store::newDayMarks(5));
    const QStringList boxes{"030190", "070292", "030388"};
    QCOMPARE(exam.storeScores(boxes).stored, 3);
    const auto result = exam.markPapers(boxes);
    QVERIFY(result.unknownTest);
    QCOMPARE(result.marked, 1);
    QCOMPARE(exam.marks("14-5-12", 9), QStringLiteral("011020030040050。"));
    QCOMPARE(readScore(exam.db(), "英语", 2, 7).toString(), QStringLiteral("92"));
    QCOMPARE(readScore(exam.db(), "英语", 3, 3).toString(), QStringLiteral("88"));
    QCOMPARE(exams::unknownTestMessage(), QStringLiteral("此检测的编号不存在！请在“基础数据设定”中进行输入！"));
}

void TestExamsCore::marksNothingWithoutATestBook()
{
    ExamFolder exam(5);
    exam.addTestDay(QStringLiteral("14-5-12"), 1, 6, 3, QStringLiteral("测试"), store::newDayMarks(5));
    const QString before = value(exam.db(), QStringLiteral("SELECT group_concat(\"日期\" || coalesce(\"完成1\", '')) "
                                                           "FROM \"扫描输入作业完成情况\""))
                               .toString();
    const auto result = exam.markPapers({"030190"});
    QVERIFY(result.noTestBook);
    QCOMPARE(result.marked, 0);
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT group_concat(\"日期\" || coalesce(\"完成1\", '')) "
                                             "FROM \"扫描输入作业完成情况\""))
                 .toString(),
             before);
}

void TestExamsCore::marksOnlyTheFiftyPupilsAMarkStringHolds_data()
{
    QTest::addColumn<int>("roster");
    QTest::addColumn<int>("pupil");
    QTest::addColumn<bool>("marked");
    QTest::newRow("pupil 50 of 55") << 55 << 50 << true;
    QTest::newRow("pupil 51 of 55") << 55 << 51 << false;
    QTest::newRow("pupil 60 of 60") << 60 << 60 << false;
}

void TestExamsCore::marksOnlyTheFiftyPupilsAMarkStringHolds()
{
    QFETCH(int, roster);
    QFETCH(int, pupil);
    QFETCH(bool, marked);
    ExamFolder exam(roster);
    exam.master.SubjectTestBooks = {0, 6, 0, 0, 0};
    exam.addTestDay(QStringLiteral("14-5-12"), 1, 6, 3, QStringLiteral("测试"), store::newDayMarks(roster));
    const QStringList boxes{QStringLiteral("03%1").arg(pupil) + QStringLiteral("90")};
    QCOMPARE(exam.storeScores(boxes).stored, 1);
    QCOMPARE(readScore(exam.db(), QStringLiteral("语文"), pupil, 3).toString(), QStringLiteral("90"));

    const auto result = exam.markPapers(boxes);
    QCOMPARE(result.marked, marked ? 1 : 0);
    QCOMPARE(exam.marks(QStringLiteral("14-5-12"), 6), store::newDayMarks(roster).replace(149, 1, marked ? "1" : "0"));
    QCOMPARE(result.rejected.size(), marked ? 0 : 1);
    if (!marked) {
        QCOMPARE(int(result.rejected[0].reason), int(exams::Rejection::BeyondMarkCells));
        // The score is stored: the reason must not say the pupil is unknown.
        QVERIFY(exams::rejectionMessage(result.rejected).contains(QStringLiteral("成绩已导入")));
    }
}

void TestExamsCore::countsScoresIntoBands_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("band");
    QTest::newRow("00") << "00" << int(exams::Band::Excellent);
    QTest::newRow("85") << "85" << int(exams::Band::Excellent);
    QTest::newRow("84") << "84" << int(exams::Band::Good);
    QTest::newRow("75") << "75" << int(exams::Band::Good);
    QTest::newRow("74") << "74" << int(exams::Band::Fair);
    QTest::newRow("60") << "60" << int(exams::Band::Fair);
    QTest::newRow("59") << "59" << int(exams::Band::Fail);
    QTest::newRow("84.5") << "84.5" << int(exams::Band::Excellent);
    QTest::newRow("59.5") << "59.5" << int(exams::Band::Fair);
    QTest::newRow("blank") << " " << int(exams::Band::Fail);
    QTest::newRow("letters") << "ab" << int(exams::Band::Fail);
}

void TestExamsCore::countsScoresIntoBands()
{
    QFETCH(QString, cell);
    QFETCH(int, band);
    const exams::TestStatistics t = exams::取得各项显示数据({cell, QString()});
    QCOMPARE(t.S[1], 1.0);
    const int counts[] = {4, 6, 8, 10};
    for (int b = 0; b < 4; ++b)
        QCOMPARE(t.S[counts[b]], b == band ? 1.0 : 0.0);
    const auto boxes = exams::summaryTexts(t);
    const int countBoxes[] = {1, 2, 3, 5};
    QCOMPARE(boxes[countBoxes[band]], QStringLiteral("1"));
    QCOMPARE(boxes[0], QStringLiteral("1"));
}

void TestExamsCore::roundsTheMeanAndCompositeHalfAwayFromZero_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("mean");
    QTest::addColumn<double>("S13");
    QTest::addColumn<QString>("composite");
    QTest::newRow("whole") << QStringList{"85", "85", "85", "85"} << "85" << 85.0 << "95.5";
    QTest::newRow("quarter") << QStringList{"85", "85", "85", "86"} << "85.3" << 85.3 << "95.6";
    QTest::newRow("full scores") << QStringList{"00", "90"} << "95" << 95.0 << "98.5";
    // 67.5 x 0.3 + 0.5 x 30 + 0.5 x 40 = 55.25: rounding half to even would show 55.2.
    QTest::newRow("composite half-way") << QStringList{"85", "50"} << "67.5" << 67.5 << "55.3";
}

void TestExamsCore::roundsTheMeanAndCompositeHalfAwayFromZero()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, mean);
    QFETCH(double, S13);
    QFETCH(QString, composite);
    const exams::TestStatistics t = exams::取得各项显示数据(cells);
    QCOMPARE(t.S[13], S13);
    QCOMPARE(exams::summaryTexts(t)[4], mean);
    QCOMPARE(exams::summaryTexts(t)[11], composite);
}

void TestExamsCore::summarisesTheTwoPupilExample()
{
    const exams::TestStatistics t = exams::取得各项显示数据({"00", "50"});
    QCOMPARE(t.S[1], 2.0);
    QCOMPARE(t.S[3], 0.5);
    QCOMPARE(t.S[12], 150.0);
    QCOMPARE(t.S[13], 75.0);
    const auto b = exams::summaryTexts(t);
    const std::array<QString, 13> expected{"2", "1", "0", "0", "75", "1", "50.0%", "0.0%", "0.0%", "50.0%",
                                           "50.0%", "57.5", "1"};
    QCOMPARE(b, expected);

    QStringList hundreds(30, QStringLiteral("00"));
    QCOMPARE(exams::summaryTexts(exams::取得各项显示数据(hundreds))[11], QStringLiteral("100.0"));
    QCOMPARE(exams::summaryTexts(exams::取得各项显示数据(hundreds))[9], QStringLiteral("100.0%"));
    QStringList mostly(21, QStringLiteral("90"));
    mostly << QStringLiteral("10");
    QCOMPARE(exams::summaryTexts(exams::取得各项显示数据(mostly))[9], QStringLiteral("95.5%"));
}

void TestExamsCore::leavesEveryBoxEmptyWithoutScores()
{
    const exams::TestStatistics t = exams::取得各项显示数据({QString(), QString()});
    QVERIFY(!t.anyScore);
    for (const QString &box : exams::summaryTexts(t))
        QVERIFY(box.isEmpty());
}

void TestExamsCore::highlightsTheBandItCounted_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("box");
    QTest::newRow("100") << "100" << 1;
    QTest::newRow("85") << "85" << 1;
    QTest::newRow("84") << "84" << 2;
    QTest::newRow("75") << "75" << 2;
    QTest::newRow("74") << "74" << 3;
    QTest::newRow("60") << "60" << 3;
    QTest::newRow("59") << "59" << 5;
    QTest::newRow("84.5") << "84.5" << 1;
    QTest::newRow("59.5") << "59.5" << 3;
    QTest::newRow("letters fail") << "ab" << 5;
    QTest::newRow("blank fails") << " " << 5;
    QTest::newRow("no score") << "" << 0;
}

void TestExamsCore::highlightsTheBandItCounted()
{
    QFETCH(QString, caption);
    QFETCH(int, box);
    for (int b : {1, 2, 3, 5})
        QCOMPARE(exams::highlighted(caption, exams::bandOfCountBox(b)), b == box);
}

void TestExamsCore::listsTheTestsOfTheTestBook()
{
    ExamFolder exam(3);
    exam.subject = 1;
    exam.addTestDay(QStringLiteral("14-5-5"), 2, 4, 3, QStringLiteral("旧的第三次"), QString());
    exam.addTestDay(QStringLiteral("14-5-6"), 2, 4, 3, QStringLiteral("第三次"), QString());
    exam.addTestDay(QStringLiteral("14-5-7"), 2, 4, 7, QStringLiteral("第七次"), QString());
    exam.addTestDay(QStringLiteral("14-5-8"), 2, 4, 101, QStringLiteral("超出"), QString());
    exam.addTestDay(QStringLiteral("14-5-9"), 1, 4, 5, QStringLiteral("语文的"), QString());
    exam.db().exec(QStringLiteral("INSERT INTO \"作业内容登记表\" (\"日期\", \"作业4\") VALUES ('14-5-10', '普通作业')"));
    exams::取得检测序号和内容(exam.db(), exam.subject, 4, exam.tests);
    QCOMPARE(exam.tests[3][1], QStringLiteral("3"));
    QCOMPARE(exam.tests[3][2], QStringLiteral("第三次"));
    QCOMPARE(exam.tests[7][2], QStringLiteral("第七次"));
    int listed = 0;
    for (const auto &row : exam.tests)
        listed += row[2].isEmpty() ? 0 : 1;
    QCOMPARE(listed, 2);
}

void TestExamsCore::listsTestsTwentyToAPage()
{
    core::TestList tests{};
    for (int n = 1; n <= 21; ++n)
        tests[n] = {QString(), QString::number(n), QStringLiteral("测试%1").arg(n)};
    const exams::TestPage first = exams::testPage(tests, 1);
    QCOMPARE(first.options.size(), 20);
    QCOMPARE(first.options.first().caption, QStringLiteral("1、测试1"));
    QCOMPARE(first.options.last().index, 19);
    QCOMPARE(first.previous, 0);
    QCOMPARE(first.next, 2);
    const exams::TestPage second = exams::testPage(tests, 2);
    QCOMPARE(second.options.size(), 1);
    QCOMPARE(second.options[0].index, 0);
    QCOMPARE(second.options[0].caption, QStringLiteral("21、测试21"));
    QCOMPARE(second.previous, 1);
    QCOMPARE(second.next, 0);
    QCOMPARE(exams::testNumber(2, 0), 21);
}

void TestExamsCore::pagingLeadsPastPagesWithoutATest()
{
    core::TestList tests{};
    tests[3][2] = QStringLiteral("三");
    tests[100][2] = QStringLiteral("最后");
    QCOMPARE(exams::testPage(tests, 1).next, 5);
    QCOMPARE(exams::testPage(tests, 1).options.size(), 1);
    QCOMPARE(exams::testPage(tests, 1).options[0].index, 2);
    const exams::TestPage fifth = exams::testPage(tests, 5);
    QCOMPARE(fifth.options.size(), 1);
    QCOMPARE(fifth.options[0].index, 19);
    QCOMPARE(fifth.previous, 1);
    QCOMPARE(fifth.next, 0);
}

void TestExamsCore::fillsThePupilGridColumnByColumn_data()
{
    QTest::addColumn<int>("pair");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("first") << 0 << 0 << 0;
    QTest::newRow("bottom of the first column") << 6 << 0 << 6;
    QTest::newRow("top of the second") << 7 << 1 << 0;
    QTest::newRow("last") << 55 << 7 << 6;
}

void TestExamsCore::fillsThePupilGridColumnByColumn()
{
    QFETCH(int, pair);
    QFETCH(int, column);
    QFETCH(int, row);
    QCOMPARE(exams::gridPlace(pair).column, column);
    QCOMPARE(exams::gridPlace(pair).row, row);
}

void TestExamsCore::analysisTurnsNullCellsIntoEmptyText()
{
    ExamFolder exam(4);
    writeScore(exam.db(), QStringLiteral("语文"), 2, 8, QStringLiteral("00"));
    writeScore(exam.db(), QStringLiteral("语文"), 3, 8, QStringLiteral("ab"));
    exam.master.ClassSizes[1] = 4;
    const exams::TestAnalysis shown = exams::analyseTest(exam.db(), 0, exam.master.ClassSizes[1], 8);
    QCOMPARE(shown.rosterSize, 4);
    QCOMPARE(shown.pupils.size(), 4);
    QCOMPARE(shown.pupils[1].name, QStringLiteral("2、学生2"));
    QCOMPARE(shown.pupils[1].score, QStringLiteral("100"));
    QCOMPARE(shown.pupils[2].score, QStringLiteral("ab"));
    QCOMPARE(shown.boxes[0], QStringLiteral("2"));
    QCOMPARE(shown.boxes[5], QStringLiteral("1"));
    QVERIFY(readScore(exam.db(), "语文", 1, 8).isValid());
    QCOMPARE(readScore(exam.db(), "语文", 1, 8).toString(), QString());
    QVERIFY(readScore(exam.db(), "语文", 1, 9).isNull());

    const exams::TestAnalysis empty = exams::analyseTest(exam.db(), 0, exam.master.ClassSizes[1], 9);
    QVERIFY(!empty.statistics.anyScore);
    QCOMPARE(empty.pupils[0].score, QString());
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT count(*) FROM \"语文\" WHERE \"测试9\" = ''")).toInt(), 4);
}

void TestExamsCore::analysisCountsTheClassAndListsTheGrid_data()
{
    QTest::addColumn<int>("roster");
    QTest::addColumn<int>("formerPupils"); // score rows past the class
    QTest::addColumn<int>("listed");
    QTest::newRow("roster longer than the grid") << 58 << 0 << 56;
    QTest::newRow("roster filling the grid") << 56 << 0 << 56;
    QTest::newRow("score table longer than the class") << 3 << 2 << 3;
}

void TestExamsCore::analysisCountsTheClassAndListsTheGrid()
{
    QFETCH(int, roster);
    QFETCH(int, formerPupils);
    QFETCH(int, listed);
    ExamFolder exam(roster);
    for (int n = 1; n <= roster; ++n)
        writeScore(exam.db(), QStringLiteral("语文"), n, 1, QStringLiteral("90"));
    for (int n = 1; n <= formerPupils; ++n)
        exam.db().exec(QStringLiteral("INSERT INTO \"语文\" (\"姓名\", \"测试1\") VALUES ('转走%1', '10')").arg(n));
    const exams::TestAnalysis shown = exams::analyseTest(exam.db(), 0, exam.master.ClassSizes[1], 1);
    QCOMPARE(shown.rosterSize, roster);
    QCOMPARE(shown.pupils.size(), listed);
    QCOMPARE(shown.pupils.last().name, QStringLiteral("%1、学生%1").arg(listed));
    // Only the class counts: the rows past it would add failures and lower the mean.
    QCOMPARE(shown.boxes[0], QString::number(roster));
    QCOMPARE(shown.boxes[4], QStringLiteral("90"));
    QCOMPARE(shown.boxes[5], QStringLiteral("0"));
    const QString notice = exams::morePupilsNotice(shown.rosterSize);
    QVERIFY2(roster > listed ? notice.contains(QString::number(roster)) : notice.isEmpty(), qPrintable(notice));
}

void TestExamsCore::storesTestBooksAsTheirLeadingNumber_data()
{
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QList<int>>("books");
    QTest::newRow("typed") << QStringList{"7", "12", "20", "31"} << QList<int>{7, 12, 20, 31};
    QTest::newRow("letters and empty") << QStringList{"12a", "", "x", " 5"} << QList<int>{12, 0, 0, 5};
}

void TestExamsCore::storesTestBooksAsTheirLeadingNumber()
{
    QFETCH(QStringList, boxes);
    QFETCH(QList<int>, books);
    ExamFolder exam(3);
    const std::array<int, 4> stored = exams::storeTestBooks(exam.db(), {boxes[0], boxes[1], boxes[2], boxes[3]});
    core::MasterRecords reloaded;
    exam.homework.获取语数英科测试作业顺序号(reloaded);
    for (int j = 1; j <= 4; ++j) {
        QCOMPARE(stored[j - 1], books[j - 1]);
        QCOMPARE(reloaded.SubjectTestBooks[j], books[j - 1]);
    }
    QCOMPARE(value(exam.db(), QStringLiteral("SELECT count(*) FROM \"语数英科在作业本名称中的顺序号\"")).toInt(), 1);
}

void TestExamsCore::reimportLeavesTheRosterWithoutScores()
{
    ExamFolder exam(40);
    for (const QString subject : {"语文", "数学", "英语", "科学"})
        for (int n = 1; n <= 40; ++n)
            writeScore(exam.db(), subject, n, 1, QStringLiteral("90"));
    exam.db().exec(QStringLiteral("DELETE FROM \"姓名\" WHERE rowid > 38"));
    exam.db().exec(QStringLiteral("UPDATE \"姓名\" SET \"姓名\" = '新同学' WHERE rowid = 5"));
    exams::姓名导入学科(exam.db());
    for (const QString subject : {"语文", "数学", "英语", "科学"}) {
        const QStringList names = column(exam.db(), QStringLiteral("SELECT \"姓名\" FROM %1 ORDER BY rowid").arg(store::quoted(subject)));
        QCOMPARE(names.size(), 38);
        QCOMPARE(names[4], QStringLiteral("新同学"));
        QCOMPARE(names[37], QStringLiteral("学生38"));
        QCOMPARE(value(exam.db(), QStringLiteral("SELECT count(*) FROM %1 WHERE \"测试1\" IS NOT NULL").arg(store::quoted(subject))).toInt(), 0);
    }
}

QTEST_GUILESS_MAIN(TestExamsCore)
#include "TestExamsCore.moc"
