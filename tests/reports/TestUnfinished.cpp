#include "ReportTestSupport.h"

#include "reports/SummaryPlan.h"
#include "reports/UnfinishedHomework.h"

#include <QtTest>

#include <algorithm>
#include <tuple>

using namespace reports;

namespace {

// Three pupils and three books; 数学 shows book 2 only, "全部" books 1 and 2.
const QString kToday = QStringLiteral("14-5-17");

core::MasterRecords threePupils()
{
    core::MasterRecords state;
    state.ClassSizes[1] = 3;
    const QStringList names{QStringLiteral("张三"), QStringLiteral("李小明"), QStringLiteral("王五")};
    for (int k = 1; k <= 3; ++k)
        state.PupilNames[1][k] = names[k - 1];
    for (int b = 1; b <= 3; ++b)
        state.BookNames[b] = QStringLiteral("《本子%1》").arg(b);
    state.SubjectBookFlags[2][2] = 1;
    state.SubjectBookFlags[5][1] = 1;
    state.SubjectBookFlags[5][2] = 1;
    return state;
}

// "key|slot|content|states" lines; several lines may share a day.
void addDays(store::Database &db, const QStringList &lines)
{
    QMap<QString, QPair<QMap<int, QString>, QMap<int, QString>>> days;
    for (const QString &line : lines) {
        const QStringList parts = line.split(QLatin1Char('|'));
        auto &day = days[parts[0]];
        day.first[parts[1].toInt()] = parts[2];
        day.second[parts[1].toInt()] = parts[3];
    }
    for (auto it = days.cbegin(); it != days.cend(); ++it)
        testing::addDay(db, it.key(), it.value().first, it.value().second);
}

QStringList described(const QList<PupilRow> &list)
{
    QStringList rows;
    for (const PupilRow &pupil : list)
        rows << (pupil.items.isEmpty() ? pupil.label : pupil.label + QLatin1Char('=') + pupil.items.join(QLatin1Char(';')));
    return rows;
}

QStringList items(const QString &text, int count)
{
    QStringList list;
    for (int n = 1; n <= count; ++n)
        list << text.arg(n);
    return list;
}


// "B4-B18" for a run of rows 4 to 18 of column 2, "D2" for a single cell.
QString runName(const ColumnRun &run)
{
    const QString first = QChar(u'A' + run.column - 1) + QString::number(run.firstRow);
    if (run.texts.size() == 1)
        return first;
    return first + QLatin1Char('-') + QChar(u'A' + run.column - 1) + QString::number(run.firstRow + run.texts.size() - 1);
}

} // namespace

class TestUnfinished : public QObject {
    Q_OBJECT

private slots:
    void gathering_data();
    void gathering();
    void nullContentsAreStoredEmpty();
    void limits_data();
    void limits();
    void labels_data();
    void labels();
    void parentMessages_data();
    void parentMessages();
    void progress_data();
    void progress();
    void workbookRowsHoldFiftyItems();
    void summaryDocuments_data();
    void summaryDocuments();
    void summaryCells_data();
    void summaryCells();
    void longItemsAreCut();
    void summaryRuns_data();
    void summaryRuns();
    void runsBreakAtGapsColumnsAndTables();
};

void TestUnfinished::gathering_data()
{
    QTest::addColumn<QStringList>("days");
    QTest::addColumn<int>("filterRow"); // 0: every slot
    QTest::addColumn<int>("nameStyle");
    QTest::addColumn<int>("rangeMode");
    QTest::addColumn<QStringList>("unfinished");
    QTest::addColumn<QStringList>("complete");

    const QStringList none;
    QTest::newRow("missing and handed in")
        << QStringList{"14-5-17|1|第1页|010"} << 0 << 1 << 1
        << QStringList{"01.张  三(1)=01《本子1》第1页", "03.王  五(1)=01《本子1》第1页"} << QStringList{"02.李小明"};
    QTest::newRow("excellent is handed in")
        << QStringList{"14-5-17|1|x|202"} << 0 << 1 << 1 << QStringList{"02.李小明(1)=01《本子1》x"}
        << QStringList{"01.张三", "03.王五"};
    QTest::newRow("scratch rows count for nothing")
        << QStringList{"88-5-17|1|x|000"} << 0 << 1 << 1 << none << QStringList{"01.张三", "02.李小明", "03.王五"};
    QTest::newRow("empty or null content counts for nothing")
        << QStringList{"14-5-17|1||000", "14-5-16|2|<null>|000"} << 0 << 1 << 1 << none
        << QStringList{"01.张三", "02.李小明", "03.王五"};
    QTest::newRow("by slot, then date key as text")
        << QStringList{"14-9-30|2|A|0", "14-10-8|2|B|0", "14-10-8|1|C|0"} << 0 << 1 << 1
        << QStringList{"01.张  三(3)=01《本子1》C;02《本子2》B;02《本子2》A"} << QStringList{"02.李小明", "03.王五"};
    QTest::newRow("数学 uses flag row 2")
        << QStringList{"14-5-17|1|x|011", "14-5-17|2|y|101"} << 2 << 1 << 1 << QStringList{"02.李小明(1)=02《本子2》y"}
        << QStringList{"01.张三", "03.王五"};
    QTest::newRow("全部 uses flag row 5")
        << QStringList{"14-5-17|1|x|011", "14-5-17|2|y|101", "14-5-17|3|z|110"} << 5 << 1 << 1
        << QStringList{"01.张  三(1)=01《本子1》x", "02.李小明(1)=02《本子2》y"} << QStringList{"03.王五"};
    QTest::newRow("plain labels")
        << QStringList{"14-5-17|3|z|001"} << 0 << 2 << 1
        << QStringList{"01.张三=03《本子3》z", "02.李小明=03《本子3》z"} << QStringList{"03.王五"};
    QTest::newRow("today only")
        << QStringList{"14-5-16|1|x|000", "14-5-17|2|y|100"} << 0 << 2 << 2
        << QStringList{"02.李小明=02《本子2》y", "03.王五=02《本子2》y"} << QStringList{"01.张三"};
}

void TestUnfinished::gathering()
{
    QFETCH(QStringList, days);
    QFETCH(int, filterRow);
    QFETCH(int, nameStyle);
    QFETCH(int, rangeMode);
    QFETCH(QStringList, unfinished);
    QFETCH(QStringList, complete);

    testing::ProgramFolder folder(3, 3);
    store::HomeworkDb db(folder.path());
    addDays(db.database(), days);
    const core::MasterRecords state = threePupils();
    ExportState run;
    run.NameStyle = nameStyle;
    run.RangeMode = rangeMode;
    run.flagAllSlots();
    if (filterRow != 0)
        for (int s = 1; s <= core::kBooks; ++s)
            run.SlotFilter[s] = state.SubjectBookFlags[filterRow][s];
    gatherUnfinished(db, state, kToday, run);

    QCOMPARE(described(run.UnfinishedList), unfinished);
    QCOMPARE(described(run.CompleteList), complete);
    QVERIFY(run.leftOut.isEmpty());
}

void TestUnfinished::nullContentsAreStoredEmpty()
{
    testing::ProgramFolder folder(3, 3);
    store::HomeworkDb db(folder.path());
    testing::addDay(db.database(), QStringLiteral("14-5-17"), {{1, QStringLiteral("x")}}, {{1, QStringLiteral("000")}});
    testing::addDay(db.database(), QStringLiteral("88-5-17"), {}, {});
    const QString nulls = QStringLiteral("SELECT COUNT(*) FROM \"作业内容登记表\" WHERE \"作业2\" IS NULL OR \"作业32\" IS NULL");
    QCOMPARE(testing::value(db.database(), nulls).toInt(), 2);
    ExportState run;
    run.RangeMode = AllDays;
    run.flagAllSlots();
    gatherUnfinished(db, threePupils(), kToday, run);
    QCOMPARE(testing::value(db.database(), nulls).toInt(), 0);
    QCOMPARE(testing::value(db.database(), QStringLiteral("SELECT \"作业1\" FROM \"作业内容登记表\" WHERE \"日期\" = '14-5-17'"))
                 .toString(),
             QStringLiteral("x"));
    QCOMPARE(run.UnfinishedList.size(), 3);
}

void TestUnfinished::limits_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("slotsPerDay");
    QTest::addColumn<int>("classSize");
    QTest::addColumn<int>("gatheredDays");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QStringList>("leftOut");

    QTest::newRow("150 days fit") << 150 << 1 << 1 << 150 << 150 << QStringList();
    QTest::newRow("151 days") << 151 << 1 << 1 << 150 << 150
                              << QStringList{"其余 1 天未统计。"};
    QTest::newRow("416 items") << 13 << 32 << 1 << 13 << 200
                               << QStringList{"共有 416 项作业记录，只统计了前 400 项，其余 16 项未统计。",
                                              "张三 有 400 项未完成作业，只列出了前 200 项。"};
    QTest::newRow("200 items of one pupil") << 10 << 20 << 1 << 10 << 200 << QStringList();
    QTest::newRow("50 pupils") << 1 << 1 << 50 << 1 << 1 << QStringList();
    QTest::newRow("55 pupils") << 1 << 1 << 55 << 1 << 1 << QStringList{"班级共有 55 名学生，只统计了前 50 名。"};
}

void TestUnfinished::limits()
{
    QFETCH(int, days);
    QFETCH(int, slotsPerDay);
    QFETCH(int, classSize);
    QFETCH(int, gatheredDays);
    QFETCH(int, listed);
    QFETCH(QStringList, leftOut);

    testing::ProgramFolder folder(1, 0);
    store::HomeworkDb db(folder.path());
    QStringList keys;
    {
        store::Transaction transaction(db.database());
        for (int d = 0; d < days; ++d) {
            const QString key = store::dateKey(QDate(2013, 1, 1).addDays(d));
            keys << key;
            QMap<int, QString> contents, states;
            for (int s = 1; s <= slotsPerDay; ++s) {
                contents[s] = QStringLiteral("第%1页").arg(d);
                states[s] = QStringLiteral("0");
            }
            testing::addDay(db.database(), key, contents, states);
        }
        transaction.commit();
    }
    core::MasterRecords state = threePupils();
    state.ClassSizes[1] = classSize;
    ExportState run;
    run.RangeMode = AllDays;
    run.NameStyle = CountedLabel;
    run.flagAllSlots();
    gatherUnfinished(db, state, kToday, run);

    QCOMPARE(run.days.size(), gatheredDays);
    std::sort(keys.begin(), keys.end());
    QCOMPARE(run.days.constLast().date, keys.at(gatheredDays - 1));
    QCOMPARE(run.UnfinishedList.value(0).items.size(), listed);
    QCOMPARE(run.UnfinishedList.value(0).label, QStringLiteral("01.张  三(%1)").arg(listed));
    QCOMPARE(run.leftOut.size(), leftOut.size());
    for (int i = 0; i < leftOut.size(); ++i)
        QVERIFY2(run.leftOut[i].endsWith(leftOut[i]), qPrintable(run.leftOut[i]));
}

void TestUnfinished::labels_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("nameStyle");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("label");

    QTest::newRow("counted") << 7 << "王小明" << 1 << 3 << "07.王小明(3)";
    QTest::newRow("two characters spaced") << 7 << "张三" << 1 << 57 << "07.张  三(57)";
    QTest::newRow("one character") << 1 << "李" << 1 << 1 << "01.李(1)";
    QTest::newRow("plain keeps two characters") << 12 << "张三" << 2 << 5 << "12.张三";
}

void TestUnfinished::labels()
{
    QFETCH(int, number);
    QFETCH(QString, name);
    QFETCH(int, nameStyle);
    QFETCH(int, count);
    QFETCH(QString, label);
    QCOMPARE(pupilLabel(number, name, nameStyle, count), label);
}

void TestUnfinished::parentMessages_data()
{
    QTest::addColumn<int>("listMode");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("message");

    QTest::newRow("whole record, complete")
        << 5 << "校迅通导出文件/全部完成学生名单.xls"
        << "您好！你的孩子在14-5-17的作业检查中发现已完成语数英科四门学科的全部作业，希继续保持良好的学习习惯，取得更加优异的成绩！";
    QTest::newRow("whole record, unfinished")
        << 5 << "校迅通导出文件/未完成作业学生名单.xls"
        << "您好！你的孩子在14-5-17的作业检查中发现语数英科四门学科中还有如下作业没有完成，希家长在家能有效督促孩子及时完成相应的作业，谢谢合作！";
    QTest::newRow("today, complete")
        << 6 << "校迅通导出文件/当天/当天全部完成学生名单.xls"
        << "您好！你的孩子在14-5-17的家庭作业检查中发现已完成语数英科四门学科的全部家庭作业，希继续保持良好的学习习惯，取得更加优异的成绩！";
    QTest::newRow("today, unfinished")
        << 6 << "校迅通导出文件/当天/当天未完成作业学生名单.xls"
        << "您好！你的孩子在14-5-17的家庭作业检查中发现还有如下家庭作业没有完成，希家长在家能有效督促孩子及时完成相应的家庭作业，谢谢合作！";
    QTest::newRow("today file in a whole-record export") << 5 << "校迅通导出文件/当天/当天全部完成学生名单.xls" << "";
    QTest::newRow("by-name list") << 4 << "校迅通导出文件/全部完成学生名单.xls" << "";
}

void TestUnfinished::parentMessages()
{
    QFETCH(int, listMode);
    QFETCH(QString, file);
    QFETCH(QString, message);
    QCOMPARE(parentMessage(listMode, file, QStringLiteral("14-5-17")), message);
}

void TestUnfinished::progress_data()
{
    QTest::addColumn<int>("exported");
    QTest::addColumn<int>("pupils");
    QTest::addColumn<QString>("text");

    QTest::newRow("45 of 45") << 45 << 45 << "导出已完成!";
    QTest::newRow("9 of 45") << 9 << 45 << "导出已完成20%，请耐心等待！";
    QTest::newRow("rounds half up") << 1 << 40 << "导出已完成3%，请耐心等待！";
    QTest::newRow("49 of 50") << 49 << 50 << "导出已完成98%，请耐心等待！";
}

void TestUnfinished::progress()
{
    QFETCH(int, exported);
    QFETCH(int, pupils);
    QFETCH(QString, text);
    QCOMPARE(progressText(exported, pupils), text);
}

void TestUnfinished::workbookRowsHoldFiftyItems()
{
    const QList<PupilRow> list{{QStringLiteral("01.张三"), items(QStringLiteral("01《本子1》第%1页"), 57)},
                               {QStringLiteral("02.李小明"), {QStringLiteral("12《本子12》x")}},
                               {QStringLiteral("03."), {QStringLiteral("01y")}},
                               {QStringLiteral("04.王五"), {}}};
    QStringList leftOut;
    const QList<QStringList> rows = workbookRows(list, leftOut);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows[0].size(), 2 + kRowItems);
    QCOMPARE(rows[0].mid(0, 3), (QStringList{"张三", "", "《本子1》第1页"}));
    QCOMPARE(rows[0].last(), QStringLiteral("《本子1》第50页"));
    QCOMPARE(rows[1], (QStringList{"李小明", "", "《本子12》x"}));
    QCOMPARE(leftOut, QStringList{"张三 有 57 项未完成作业，表格中只导出了前 50 项。"});
}

void TestUnfinished::summaryDocuments_data()
{
    QTest::addColumn<QList<int>>("counts");
    QTest::addColumn<double>("lowerLimit");
    QTest::addColumn<int>("shortTables");
    QTest::addColumn<int>("longTables");
    QTest::addColumn<QString>("shortPages");
    QTest::addColumn<QString>("longPages");

    QTest::newRow("lower limit 5") << QList<int>{4, 5} << 5.0 << 1 << 0 << "1-1" << "";
    QTest::newRow("30 short, 31 long") << QList<int>{30, 31} << 1.0 << 1 << 1 << "1-1" << "1-1";
    QTest::newRow("three short pupils") << QList<int>{1, 2, 3} << 0.0 << 3 << 0 << "1-2" << "";
    QTest::newRow("four short, two long") << QList<int>{9, 75, 2, 40, 3, 30} << 2.0 << 4 << 2 << "1-2" << "1-2";
    QTest::newRow("nobody") << QList<int>{} << 1.0 << 0 << 0 << "" << "";
}

void TestUnfinished::summaryDocuments()
{
    QFETCH(QList<int>, counts);
    QFETCH(double, lowerLimit);
    QFETCH(int, shortTables);
    QFETCH(int, longTables);
    QFETCH(QString, shortPages);
    QFETCH(QString, longPages);

    QList<PupilRow> list;
    for (int k = 1; k <= counts.size(); ++k)
        list.append({pupilLabel(k, QStringLiteral("学生"), CountedLabel, counts[k - 1]),
                     items(QStringLiteral("01第%1项"), counts[k - 1])});
    const SummaryPlan plan = planSummary(list, lowerLimit, int(list.size()));
    QCOMPARE(plan.shortTables, shortTables);
    QCOMPARE(plan.longTables, longTables);
    QCOMPARE(plan.shortPages(), shortPages);
    QCOMPARE(plan.longPages(), longPages);
    // Each table starts with the label and the count, in pupil order.
    int table = 0;
    for (const CellText &cell : plan.shortCells)
        if (cell.row == 2 && cell.column == 2)
            QCOMPARE(cell.table, ++table);
    QCOMPARE(table, shortTables);
}

void TestUnfinished::summaryCells_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("isShort");
    QTest::addColumn<QList<int>>("item");   // item number ...
    QTest::addColumn<QList<int>>("row");    // ... goes to this row
    QTest::addColumn<QList<int>>("column"); // ... and column

    QTest::newRow("30 items") << 30 << true << QList<int>{1, 15, 16, 29, 30} << QList<int>{4, 18, 4, 17, 18}
                              << QList<int>{2, 2, 4, 4, 4};
    QTest::newRow("31 items") << 31 << false << QList<int>{1, 30, 31} << QList<int>{4, 33, 4} << QList<int>{2, 2, 4};
    QTest::newRow("75 items, 60 written") << 75 << false << QList<int>{30, 31, 59, 60} << QList<int>{33, 4, 32, 33}
                                          << QList<int>{2, 4, 4, 4};
}

void TestUnfinished::summaryCells()
{
    QFETCH(int, count);
    QFETCH(bool, isShort);
    QFETCH(QList<int>, item);
    QFETCH(QList<int>, row);
    QFETCH(QList<int>, column);

    QList<PupilRow> list{{pupilLabel(1, QStringLiteral("张三"), CountedLabel, count), items(QStringLiteral("01第%1项"), count)}};
    const SummaryPlan plan = planSummary(list, 1, 1);
    const QList<CellText> &cells = isShort ? plan.shortCells : plan.longCells;
    QVERIFY((isShort ? plan.longCells : plan.shortCells).isEmpty());
    QCOMPARE(cells.size(), 2 + std::min(count, kLongItems));
    QCOMPARE(cells[0].text, QStringLiteral("01.张  三(%1)").arg(count));
    QCOMPARE(std::make_pair(cells[0].row, cells[0].column), std::make_pair(2, 2));
    QCOMPARE(cells[1].text, QString::number(count));
    QCOMPARE(std::make_pair(cells[1].row, cells[1].column), std::make_pair(2, 4));
    for (int i = 0; i < item.size(); ++i) {
        const CellText &cell = cells[1 + item[i]];
        QCOMPARE(cell.text, QStringLiteral("第%1项").arg(item[i]));
        QCOMPARE(std::make_pair(cell.row, cell.column), std::make_pair(row[i], column[i]));
    }
}

void TestUnfinished::longItemsAreCut()
{
    const QString content = QStringLiteral("《课堂作业本》第十二课生字词语抄写三遍并默写一次。");
    QCOMPARE(content.size(), 25);
    QList<PupilRow> list{{QStringLiteral("01.张  三(2)"), {QStringLiteral("03") + content, QStringLiteral("04短")}}};
    const SummaryPlan plan = planSummary(list, 1, 1);
    QCOMPARE(plan.shortCells[2].text, content.left(19));
    QCOMPARE(plan.shortCells[3].text, QStringLiteral("短"));
    // The by-name list reads the same items: only the cells are cut.
    QCOMPARE(list[0].items[0], QStringLiteral("03") + content);
}

void TestUnfinished::summaryRuns_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("isShort");
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<int>("lastItem");

    QTest::newRow("30 items, short") << 30 << true << QStringList{"B2", "D2", "B4-B18", "D4-D18"} << 30;
    QTest::newRow("16 items, short") << 16 << true << QStringList{"B2", "D2", "B4-B18", "D4"} << 16;
    QTest::newRow("75 items, long") << 75 << false << QStringList{"B2", "D2", "B4-B33", "D4-D33"} << 60;
    QTest::newRow("31 items, long") << 31 << false << QStringList{"B2", "D2", "B4-B33", "D4"} << 31;
}

void TestUnfinished::summaryRuns()
{
    QFETCH(int, count);
    QFETCH(bool, isShort);
    QFETCH(QStringList, runs);
    QFETCH(int, lastItem);

    QList<PupilRow> list{{pupilLabel(1, QStringLiteral("张三"), CountedLabel, count), items(QStringLiteral("01第%1项"), count)}};
    const SummaryPlan plan = planSummary(list, 1, 1);
    const QList<CellText> &cells = isShort ? plan.shortCells : plan.longCells;
    const QList<ColumnRun> grouped = columnRuns(cells);
    QStringList names;
    for (const ColumnRun &run : grouped) {
        QCOMPARE(run.table, 1);
        names << runName(run);
    }
    QCOMPARE(names, runs);
    QCOMPARE(grouped.last().texts.last(), QStringLiteral("第%1项").arg(lastItem));
    // Spread back into cells, the runs are the plan itself.
    QList<CellText> spread;
    for (const ColumnRun &run : grouped)
        for (int i = 0; i < run.texts.size(); ++i)
            spread << CellText{run.table, run.firstRow + i, run.column, run.texts[i]};
    QCOMPARE(spread.size(), cells.size());
    for (int i = 0; i < cells.size(); ++i) {
        QCOMPARE(std::make_tuple(spread[i].table, spread[i].row, spread[i].column, spread[i].text),
                 std::make_tuple(cells[i].table, cells[i].row, cells[i].column, cells[i].text));
    }
}

void TestUnfinished::runsBreakAtGapsColumnsAndTables()
{
    const QList<CellText> cells{{1, 4, 2, "a"}, {1, 5, 2, "b"}, {1, 7, 2, "c"}, {1, 8, 4, "d"},
                                {2, 9, 4, "e"}, {2, 8, 4, "f"}, {2, 9, 4, "g"}};
    QStringList names, texts;
    for (const ColumnRun &run : columnRuns(cells)) {
        names << QString::number(run.table) + QLatin1Char(':') + runName(run);
        texts << run.texts.join(QString());
    }
    QCOMPARE(names, (QStringList{"1:B4-B5", "1:B7", "1:D8", "2:D9", "2:D8-D9"}));
    QCOMPARE(texts, (QStringList{"ab", "c", "d", "e", "fg"}));
    QVERIFY(columnRuns({}).isEmpty());
}

QTEST_GUILESS_MAIN(TestUnfinished)
#include "TestUnfinished.moc"
