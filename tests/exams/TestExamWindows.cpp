#include "ExamsTestSupport.h"
#include "LayoutCheck.h"
#include "WindowSupport.h"

#include "exams/AnalysisWindow.h"
#include "exams/TestCharts.h"
#include "exams/ExamWindows.h"
#include "exams/Form3.h"
#include "exams/Form6.h"
#include "exams/Form7.h"
#include "state/ExamSession.h"
#include "store/Backups.h"
#include "store/MarkString.h"

#include <QAction>
#include <QDialog>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTextDocumentFragment>
#include <QValueAxis>

using namespace testing;

namespace {

const QString kStored = QStringLiteral("所输检测成绩已成功导入数据库！");

// The main window with the test windows installed and the score tables holding the class.
struct ExamRun : RunningWindow {
    explicit ExamRun(int pupils = 40) : RunningWindow(pupils)
    {
        importSubjectNames(parts());
    }

    template <typename T> T *find(const QString &name) { return window->findChild<T *>(name); }
    exams::Form3 *form3() { return dynamic_cast<exams::Form3 *>(find<QWidget>(QStringLiteral("Form3"))); }
    exams::Form6 *form6() { return dynamic_cast<exams::Form6 *>(find<QWidget>(QStringLiteral("Form6"))); }
    exams::AnalysisWindow *analysis(const QString &name) { return dynamic_cast<exams::AnalysisWindow *>(find<QWidget>(name)); }

    void settleClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    exams::Form3 *chooseSubject(int subject)
    {
        ui().sjcjlr->trigger();
        form6()->Command1[subject]->click();
        QApplication::setActiveWindow(form3());
        return QTest::qWaitForWindowActive(form3()) ? form3() : nullptr;
    }

    void type(exams::Form3 *entry, const QStringList &codes)
    {
        for (int i = 0; i < codes.size(); ++i) {
            entry->Text1[i]->setFocus();
            QTest::keyClicks(entry->Text1[i], codes[i]);
        }
    }

    // A day on which a test of the subject (1..4) was published in its test book.
    void publishTest(const QString &key, int subject, int book, int test, const QString &content)
    {
        if (!value(db(), QStringLiteral("SELECT 1 FROM \"作业内容登记表\" WHERE \"日期\" = ?"), {key}).isValid()) {
            db().prepare(QStringLiteral("INSERT INTO \"作业内容登记表\" (\"日期\") VALUES (?)")).bind(1, key).run();
            db().prepare(QStringLiteral("INSERT INTO \"扫描输入作业完成情况\" (\"日期\", %1) VALUES (?, ?)")
                             .arg(store::quoted(store::markColumn(book))))
                .bind(1, key)
                .bind(2, store::newDayMarks(master().ClassSizes[1]))
                .run();
        }
        db().prepare(QStringLiteral("UPDATE \"作业内容登记表\" SET %1 = ?, %2 = ? WHERE \"日期\" = ?")
                         .arg(store::quoted(store::contentColumn(book)), store::quoted(store::contentTestColumn(subject))))
            .bind(1, content)
            .bind(2, test)
            .bind(3, key)
            .run();
        db().prepare(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET %1 = ? WHERE \"日期\" = ?")
                         .arg(store::quoted(store::markTestColumn(subject))))
            .bind(1, test)
            .bind(2, key)
            .run();
    }

    QString marks(const QString &key, int book)
    {
        return value(db(), QStringLiteral("SELECT %1 FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?")
                               .arg(store::quoted(store::markColumn(book))),
                     {key})
            .toString();
    }
};

// A click on the caption itself, where a radio button takes it.
void choose(QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2)); }

// The test windows as the teacher opens them, over a class of 56 with names of four characters.
enum TestWindow { SubjectChoice, ScoreEntry, Analysis, Results, Numbering };
const char *const kTestWindowNames[] = {"subject choice", "score entry", "analysis", "results", "numbering"};

QWidget *openTestWindow(ExamRun &run, TestWindow shown)
{
    run.db().exec(QStringLiteral("UPDATE \"姓名\" SET \"姓名\" = '欧阳' || char(19968 + rowid) || '明'"));
    run.setTestBook(1, 3);
    run.publishTest(QStringLiteral("14-5-12"), 1, 3, 1, QStringLiteral("第三单元小数乘法与除法综合测试（A卷）"));
    switch (shown) {
    case SubjectChoice:
        run.ui().sjcjlr->trigger();
        return run.form6();
    case ScoreEntry:
        return run.chooseSubject(0);
    case Analysis:
    case Results: {
        if (shown == Analysis)
            run.chooseSubject(0)->jcfx->trigger();
        else
            run.ui().jcqkfssc->trigger();
        exams::AnalysisWindow *window = run.analysis(shown == Analysis ? QStringLiteral("Form4") : QStringLiteral("Form11"));
        choose(window->Option1[0]);
        return window;
    }
    case Numbering:
        openTestNumbering(run.parts());
        return run.find<QWidget>(QStringLiteral("Form7"));
    }
    return nullptr;
}

// Test 1 of 语文 with the pupils' scores in pupil order, its analysis window open, no test picked.
exams::AnalysisWindow *openScoredTest(ExamRun &run, const QStringList &scores)
{
    run.setTestBook(1, 3);
    run.publishTest(QStringLiteral("14-5-12"), 1, 3, 1, QStringLiteral("测试"));
    for (int n = 0; n < scores.size(); ++n)
        writeScore(run.db(), QStringLiteral("语文"), n + 1, 1, scores[n]);
    run.ui().jcqkfssc->trigger();
    return run.analysis(QStringLiteral("Form11"));
}

// Three pupils scored 92, 50 and 70 in test 1 of 语文, shown with the failing band lit.
exams::AnalysisWindow *showScoredTest(ExamRun &run)
{
    exams::AnalysisWindow *window = openScoredTest(run, {"92", "50", "70"});
    choose(window->Option1[0]);
    QTest::mouseClick(window->Text1[5], Qt::LeftButton);
    return window;
}

// A double-click on the second pupil's score, then the typed score confirmed; false when no dialog opened.
bool correctPupil(exams::AnalysisWindow *window, int place, const QString &typed)
{
    QTest::mouseDClick(window->Label3[place], Qt::LeftButton);
    auto *dialog = window->findChild<QDialog *>(QStringLiteral("scoreCorrection"));
    if (!dialog || !dialog->isVisible())
        return false;
    auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("newScore"));
    box->clear();
    typeText(box, typed);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("confirm")), Qt::LeftButton);
    return true;
}

QStringList figures(exams::AnalysisWindow *window)
{
    QStringList texts;
    for (QLineEdit *box : window->Text1)
        texts << box->text();
    return texts;
}

QBarSet *bandCounts(exams::AnalysisWindow *window)
{
    return static_cast<QBarSeries *>(window->charts->bandChart->chart()->series().at(0))->barSets().at(0);
}

QList<double> barValues(exams::AnalysisWindow *window)
{
    QList<double> values;
    for (int i = 0; i < bandCounts(window)->count(); ++i)
        values << bandCounts(window)->at(i);
    return values;
}

// The captions under the bars as the teacher reads them, one line a row.
QStringList bandCaptions(exams::AnalysisWindow *window)
{
    QStringList captions;
    for (const QString &caption :
         static_cast<QBarCategoryAxis *>(window->charts->bandChart->chart()->axes(Qt::Horizontal).at(0))->categories())
        captions << QTextDocumentFragment::fromHtml(caption).toPlainText().replace(QLatin1Char('\n'), QLatin1Char('/'));
    return captions;
}

// Series 0 is the line of means, series 1 the shown test's mark.
QList<QPointF> meanPoints(exams::AnalysisWindow *window, int series)
{
    return static_cast<QXYSeries *>(window->charts->meanChart->chart()->series().at(series))->points();
}

QValueAxis *testAxis(exams::AnalysisWindow *window)
{
    return static_cast<QValueAxis *>(window->charts->meanChart->chart()->axes(Qt::Horizontal).at(0));
}

// A click on the middle of a bar, where the mouse would give it.
void clickBar(exams::AnalysisWindow *window, int index)
{
    QChartView *view = window->charts->bandChart;
    QAbstractSeries *series = view->chart()->series().at(0);
    const QPointF middle = view->chart()->mapToPosition(QPointF(index, bandCounts(window)->at(index) / 2), series);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->mapFromScene(view->chart()->mapToScene(middle)));
}

// Which count boxes and pupils are lit.
QList<bool> highlights(exams::AnalysisWindow *window)
{
    const QColor pink(0xFF, 0x80, 0xFF);
    QList<bool> lit;
    for (QLineEdit *box : window->Text1)
        lit << (box->palette().color(QPalette::Base) == pink);
    for (int k = 0; k < exams::kGridPupils; ++k)
        lit << (window->Label2[k]->palette().color(QPalette::Window) == pink)
            << (window->Label3[k]->palette().color(QPalette::Window) == pink);
    return lit;
}

// How many pixels of a colour a child of the window shows in a grab of the whole window.
int pixelsOf(const QImage &window, const QWidget *child, const QColor &colour)
{
    const QRect area(child->mapTo(child->window(), QPoint()), child->size());
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += window.pixelColor(x, y) == colour;
    return found;
}

} // namespace

class TestExamWindows : public QObject {
    Q_OBJECT

private slots:
    void menuSavesTheDayAndOffersTheSubjects();
    void subjectChoiceOpensTheEntryToConfirm();
    void boxesMoveOnAfterSixCharacters();
    void scoresOnlyStoresTheCodesAndCloses();
    void handedInMarkingSurvivesTheNextSave();
    void unknownTestIsReportedWhileTheScoresStay();
    void codesThatCannotBeStoredAreNamed();
    void aDatabaseFailureKeepsTheTypedCodes();
    void resultsWindowShowsTheLastChosenSubject();
    void bothAnalysisWindowsShowTheSameFigures();
    void twentyOneTestsTakeTwoPages();
    void pagingSkipsPagesWithoutATest_data();
    void pagingSkipsPagesWithoutATest();
    void everyTestWindowFitsTheScreen_data();
    void everyTestWindowFitsTheScreen();
    void correctingAScoreRecomputesTheFigures_data();
    void correctingAScoreRecomputesTheFigures();
    void refusedCorrectionsWriteNothing_data();
    void refusedCorrectionsWriteNothing();
    void scoresAreCorrectedFromTheKeyboard();
    void scoresAreNotWrittenAfterARestore();
    void countBoxesHighlightTheirBand_data();
    void countBoxesHighlightTheirBand();
    void pupilGridRunsDownTheColumnsAndSaysWhenMoreExist();
    void bandChartCountsAsTheFigures_data();
    void bandChartCountsAsTheFigures();
    void meanLineHasOnePointPerScoredTest();
    void chartsArePainted();
    void numberingStoresTheSlotsAtOnce();
    void numberingClosedWithTheCrossChangesNothing();
    void nameImportReplacesTheScoreTables();
};

void TestExamWindows::menuSavesTheDayAndOffersTheSubjects()
{
    ExamRun run;
    QVERIFY(run.ui().sjcjlr->isEnabled());
    QVERIFY(run.ui().jcqkfssc->isEnabled());
    run.setMark(4, 3, QStringLiteral("1"));
    run.ui().sjcjlr->trigger();
    QCOMPARE(run.marks(run.day().CurrentDateKey, 4).mid(6, 3), QStringLiteral("031"));
    exams::Form6 *choice = run.form6();
    QVERIFY(choice && choice->isVisible());
    QCOMPARE(choice->windowTitle(), QStringLiteral("学科选择窗口"));
    QStringList captions;
    for (QPushButton *button : choice->Command1)
        captions << button->text();
    QCOMPARE(captions, (QStringList{"语文", "数学", "英语", "科学"}));
}

void TestExamWindows::subjectChoiceOpensTheEntryToConfirm()
{
    ExamRun run;
    run.setTestBook(1, 3);
    run.publishTest(QStringLiteral("14-5-12"), 1, 3, 5, QStringLiteral("旧的"));
    QCOMPARE(run.context().exams().loadTests()[5][2], QStringLiteral("旧的"));
    exams::Form3 *entry = run.chooseSubject(1);
    QVERIFY(entry && entry->isVisible());
    QCOMPARE(entry->windowTitle(), QStringLiteral("检测成绩录入"));
    QCOMPARE(run.context().exams().selectedSubject(), 1);
    QCOMPARE(entry->Frame2->title(), QStringLiteral("数学   检测成绩编号输入"));
    QCOMPARE(entry->Label1->text(), QStringLiteral("请确认所选的学科为：   数学"));
    QCOMPARE(run.context().exams().tests()[5][2], QString());
    QVERIFY(entry->Frame1->isVisible());
    QCOMPARE(entry->Frame1->title(), QStringLiteral("学科选定确认框"));

    QTest::keyClicks(entry->Text1[0], QStringLiteral("0301"));
    entry->Command2[1]->click();
    QVERIFY(!entry->isVisible());
    QVERIFY(run.form6()->isVisible());
    run.form6()->Command1[2]->click();
    QCOMPARE(run.form3(), entry);
    QVERIFY(entry->isVisible());
    QCOMPARE(entry->Text1[0]->text(), QStringLiteral("0301"));
    QCOMPARE(entry->Frame2->title(), QStringLiteral("英语   检测成绩编号输入"));
    entry->Command2[0]->click();
    QVERIFY(!entry->Frame1->isVisible());
    QVERIFY(entry->Text1[0]->isVisible());

    QStringList menu;
    for (QAction *action : entry->menuBar()->actions())
        menu << action->text();
    QCOMPARE(menu, (QStringList{"检测分析", "学生成绩分析"}));

    entry->close();
    run.settleClosedWindows();
    QVERIFY(!run.form6());
}

void TestExamWindows::boxesMoveOnAfterSixCharacters()
{
    ExamRun run;
    exams::Form3 *entry = run.chooseSubject(0);
    entry->Text1[0]->setFocus();
    QTest::keyClicks(entry->Text1[0], QStringLiteral("031892"));
    QCOMPARE(QApplication::focusWidget(), entry->Text1[1]);
    QTest::keyClicks(entry->Text1[1], QStringLiteral("0418"));
    QCOMPARE(QApplication::focusWidget(), entry->Text1[1]);
    entry->Text1[49]->setFocus();
    QTest::keyClicks(entry->Text1[49], QStringLiteral("0518901"));
    QCOMPARE(entry->Text1[49]->text(), QStringLiteral("051890"));
    QCOMPARE(QApplication::focusWidget(), entry->Text1[49]);
    for (int i = 0; i < 50; ++i) {
        QCOMPARE(entry->Text1[i]->objectName(), QStringLiteral("Text1_%1").arg(i));
        QVERIFY(!entry->Text1[i]->accessibleName().isEmpty());
    }
    QCOMPARE(entry->Text1[7]->alignment(), Qt::AlignCenter);
    QCOMPARE(entry->Text1[7]->palette().color(QPalette::Base), QColor(0xE0, 0xE0, 0xE0));
}

void TestExamWindows::scoresOnlyStoresTheCodesAndCloses()
{
    ExamRun run;
    writeScore(run.db(), QStringLiteral("语文"), 5, 7, QStringLiteral("66"));
    exams::Form3 *entry = run.chooseSubject(0);
    run.type(entry, {"031892", "", "041877", "070500", "070599", "000190"});
    entry->Command3->click();
    // Every code that stored nothing is named after the success text, a retyped one with the score kept.
    QCOMPARE(ui::MessagePresenter::takeShown(),
             QStringList{kStored + QStringLiteral("\n以下编码未能处理：\n000190（成绩表中没有这个检测编号的列）"
                                                  "\n以下编码的学生这次检测已有成绩，原成绩保留，新输入的成绩未导入："
                                                  "\n070500（已有成绩：66）\n070599（已有成绩：66）"
                                                  "\n如需改动已有成绩，请在“检测分析”中选这次检测，双击该学生的成绩。")});
    QCOMPARE(readScore(run.db(), "语文", 18, 3).toString(), QStringLiteral("92"));
    QCOMPARE(readScore(run.db(), "语文", 18, 4).toString(), QStringLiteral("77"));
    QCOMPARE(readScore(run.db(), "语文", 5, 7).toString(), QStringLiteral("66"));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"姓名\" FROM \"语文\" WHERE rowid = 1")).toString(), QStringLiteral("学生1"));
    QCOMPARE(entry->Text1[0]->text(), QString());
    run.settleClosedWindows();
    QVERIFY(!run.form3());
    QVERIFY(!run.form6());

    exams::Form3 *again = run.chooseSubject(0);
    QVERIFY(again->Frame1->isVisible());
    again->Command3->click();
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{kStored});
}

void TestExamWindows::handedInMarkingSurvivesTheNextSave()
{
    ExamRun run(5);
    run.setTestBook(2, 6);
    const QString today = run.day().CurrentDateKey;
    run.publishTest(today, 2, 6, 4, QStringLiteral("第四单元测试"));
    run.publishTest(QStringLiteral("14-5-12"), 2, 6, 3, QStringLiteral("第三单元测试"));
    exams::Form3 *entry = run.chooseSubject(1);
    run.type(entry, {"040290", "030388", "", "040595"});
    entry->Command1->click();
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{kStored});
    QCOMPARE(run.marks(today, 6), QStringLiteral("010021030040050。"));
    QCOMPARE(run.marks(QStringLiteral("14-5-12"), 6), QStringLiteral("010020031040050。"));
    QCOMPARE(readScore(run.db(), "数学", 5, 4).toString(), QStringLiteral("95"));
    run.context().day().保存操作();
    QCOMPARE(run.marks(today, 6), QStringLiteral("010021030040050。"));
}

void TestExamWindows::unknownTestIsReportedWhileTheScoresStay()
{
    ExamRun run(5);
    run.setTestBook(1, 2);
    run.publishTest(QStringLiteral("14-5-12"), 1, 2, 3, QStringLiteral("测试三"));
    exams::Form3 *entry = run.chooseSubject(0);
    run.type(entry, {"030190", "090288", "030377"});
    entry->Command1->click();
    QCOMPARE(ui::MessagePresenter::takeShown(),
             (QStringList{QStringLiteral("此检测的编号不存在！请在“基础数据设定”中进行输入！"), kStored}));
    QCOMPARE(run.marks(QStringLiteral("14-5-12"), 2), QStringLiteral("011020030040050。"));
    QCOMPARE(readScore(run.db(), "语文", 2, 9).toString(), QStringLiteral("88"));
    QCOMPARE(readScore(run.db(), "语文", 3, 3).toString(), QStringLiteral("77"));
}

void TestExamWindows::codesThatCannotBeStoredAreNamed()
{
    ExamRun run(40);
    exams::Form3 *entry = run.chooseSubject(3);
    run.type(entry, {"034590", "030190"});
    entry->Command3->click();
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(kStored + QLatin1Char('\n')), qPrintable(shown[0]));
    QVERIFY2(shown[0].contains(QStringLiteral("034590")) && !shown[0].contains(QStringLiteral("030190")), qPrintable(shown[0]));
    QCOMPARE(readScore(run.db(), "科学", 1, 3).toString(), QStringLiteral("90"));
}

void TestExamWindows::aDatabaseFailureKeepsTheTypedCodes()
{
    ExamRun run(5);
    run.db().exec(QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON \"语文\" WHEN NEW.\"测试3\" = '66' "
                                 "BEGIN SELECT RAISE(ABORT, 'disk full'); END"));
    exams::Form3 *entry = run.chooseSubject(0);
    run.type(entry, {"030190", "030266"});
    entry->Command3->click();
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(QStringLiteral("disk full")), qPrintable(shown[0]));
    QVERIFY(readScore(run.db(), "语文", 1, 3).isNull());
    QCOMPARE(entry->Text1[1]->text(), QStringLiteral("030266"));
    run.settleClosedWindows();
    QCOMPARE(run.form3(), entry);
}

void TestExamWindows::resultsWindowShowsTheLastChosenSubject()
{
    ExamRun run(5);
    run.setTestBook(1, 1);
    run.setTestBook(2, 2);
    run.publishTest(QStringLiteral("14-5-12"), 1, 1, 3, QStringLiteral("语文测试"));
    run.publishTest(QStringLiteral("14-5-13"), 2, 2, 4, QStringLiteral("数学测试"));
    run.ui().jcqkfssc->trigger();
    exams::AnalysisWindow *results = run.analysis(QStringLiteral("Form11"));
    QVERIFY(results && results->isVisible());
    QCOMPARE(results->windowTitle(), QStringLiteral("检测情况校迅通导出"));
    QVERIFY(results->Option1[2]->isVisible());
    QCOMPARE(results->Option1[2]->text(), QStringLiteral("3、语文测试"));
    QVERIFY(!results->Option1[3]->isVisible());

    run.chooseSubject(1);
    QVERIFY(results->Option1[2]->isVisible());
    results->close();
    run.settleClosedWindows();
    run.ui().jcqkfssc->trigger();
    results = run.analysis(QStringLiteral("Form11"));
    QVERIFY(!results->Option1[2]->isVisible());
    QCOMPARE(results->Option1[3]->text(), QStringLiteral("4、数学测试"));
    QVERIFY(!results->Command1[0]->isVisible());
    QVERIFY(!results->Command1[1]->isVisible());
}

void TestExamWindows::bothAnalysisWindowsShowTheSameFigures()
{
    ExamRun run(2);
    run.setTestBook(1, 3);
    run.publishTest(QStringLiteral("14-5-12"), 1, 3, 2, QStringLiteral("《学习与评价》小数乘法、除法测试"));
    exams::Form3 *entry = run.chooseSubject(0);
    run.type(entry, {"020100", "020250"});
    entry->Command3->click();
    ui::MessagePresenter::takeShown();
    entry = run.chooseSubject(0);
    entry->jcfx->trigger();
    run.ui().jcqkfssc->trigger();
    exams::AnalysisWindow *form4 = run.analysis(QStringLiteral("Form4"));
    exams::AnalysisWindow *form11 = run.analysis(QStringLiteral("Form11"));
    QVERIFY(form4 && form11 && form4 != form11);
    QCOMPARE(form4->windowTitle(), QStringLiteral("检测数据分析"));
    choose(form4->Option1[1]);
    choose(form11->Option1[1]);
    const QStringList expected{"2", "1", "0", "0", "75", "1", "50.0%", "0.0%", "0.0%", "50.0%", "50.0%", "57.5", "1"};
    QCOMPARE(figures(form4), expected);
    QCOMPARE(figures(form11), expected);
    QCOMPARE(form4->Label1[13]->text(), QStringLiteral("检测内容为：   《学习与评价》小数乘法、除法测试"));
    QCOMPARE(form4->Label2[0]->text(), QStringLiteral("1、学生1"));
    QCOMPARE(form4->Label3[0]->text(), QStringLiteral("100"));
    QCOMPARE(form11->Label3[1]->text(), QStringLiteral("50"));
    for (int box : {4, 6, 9, 11})
        QCOMPARE(form4->Text1[box]->palette().color(QPalette::Base), QColor(0, 255, 0));
    QCOMPARE(form4->Text1[11]->accessibleName(), QStringLiteral("综合评定分："));
    QCOMPARE(form4->Text1[0]->accessibleName(), QStringLiteral("总记录人数："));
}

void TestExamWindows::twentyOneTestsTakeTwoPages()
{
    ExamRun run(3);
    run.setTestBook(1, 5);
    for (int n = 1; n <= 21; ++n)
        run.publishTest(QStringLiteral("14-4-%1").arg(n), 1, 5, n, QStringLiteral("测试%1").arg(n));
    run.ui().jcqkfssc->trigger();
    exams::AnalysisWindow *w = run.analysis(QStringLiteral("Form11"));
    for (QRadioButton *option : w->Option1)
        QVERIFY(option->isVisible());
    QCOMPARE(w->Option1[19]->text(), QStringLiteral("20、测试20"));
    // The last option of a page shows its own test.
    writeScore(run.db(), QStringLiteral("语文"), 2, 20, QStringLiteral("66"));
    choose(w->Option1[19]);
    QCOMPARE(w->shownTest(), 20);
    QCOMPARE(w->Label3[1]->text(), QStringLiteral("66"));
    QVERIFY(w->Command1[1]->isVisible());
    QVERIFY(!w->Command1[0]->isVisible());
    QCOMPARE(testAxis(w)->max(), 20.5);
    QTest::mouseClick(w->Command1[1], Qt::LeftButton);
    QCOMPARE(w->page(), 2);
    // The line of means spans the tests the page offers.
    QCOMPARE(testAxis(w)->min(), 20.5);
    QCOMPARE(testAxis(w)->max(), 21.5);
    QVERIFY(w->Option1[0]->isVisible());
    QCOMPARE(w->Option1[0]->text(), QStringLiteral("21、测试21"));
    QVERIFY(!w->Option1[1]->isVisible());
    QVERIFY(w->Command1[0]->isVisible());
    QVERIFY(!w->Command1[1]->isVisible());
    writeScore(run.db(), QStringLiteral("语文"), 1, 21, QStringLiteral("88"));
    choose(w->Option1[0]);
    QCOMPARE(w->Text1[0]->text(), QStringLiteral("1"));
    QCOMPARE(w->Label3[0]->text(), QStringLiteral("88"));
    QTest::mouseClick(w->Command1[0], Qt::LeftButton);
    QCOMPARE(w->Option1[0]->text(), QStringLiteral("1、测试1"));
    QVERIFY(w->Command1[1]->isVisible());
}

void TestExamWindows::pagingSkipsPagesWithoutATest_data()
{
    QTest::addColumn<QList<int>>("tests");
    QTest::addColumn<QList<int>>("clicks"); // 1 "下一页", 0 "上一页"
    QTest::addColumn<QList<int>>("pages");
    QTest::newRow("3 and 100") << QList<int>{3, 100} << QList<int>{1, 0} << QList<int>{5, 1};
    QTest::newRow("none on the first page")
        << QList<int>{21, 45, 100} << QList<int>{1, 1, 1, 0, 0, 0} << QList<int>{2, 3, 5, 3, 2, 1};
}

void TestExamWindows::pagingSkipsPagesWithoutATest()
{
    QFETCH(QList<int>, tests);
    QFETCH(QList<int>, clicks);
    QFETCH(QList<int>, pages);
    ExamRun run(3);
    run.setTestBook(1, 5);
    for (int n : tests)
        run.publishTest(QStringLiteral("14-4-%1").arg(n % 28 + 1), 1, 5, n, QStringLiteral("测试%1").arg(n));
    run.ui().jcqkfssc->trigger();
    exams::AnalysisWindow *w = run.analysis(QStringLiteral("Form11"));
    for (int i = 0; i < clicks.size(); ++i) {
        // A test of the page is chosen before the page changes.
        for (QRadioButton *option : w->Option1)
            if (option->isVisible())
                choose(option);
        QTest::mouseClick(w->Command1[clicks[i]], Qt::LeftButton);
        QCOMPARE(w->page(), pages[i]);
        for (QRadioButton *option : w->Option1) {
            QVERIFY2(!option->isChecked(), qPrintable(option->text()));
            const int test = option->text().section(QStringLiteral("、"), 0, 0).toInt();
            if (option->isVisible())
                QVERIFY(tests.contains(test) && (test - 1) / 20 + 1 == pages[i]);
        }
    }
}

void TestExamWindows::everyTestWindowFitsTheScreen_data()
{
    QTest::addColumn<QSize>("available");
    QTest::addColumn<int>("shown");
    for (const Screen &screen : kScreens)
        for (int shown = SubjectChoice; shown <= Numbering; ++shown)
            QTest::addRow("%s %s", screen.name, kTestWindowNames[shown]) << screen.available << shown;
}

void TestExamWindows::everyTestWindowFitsTheScreen()
{
    QFETCH(QSize, available);
    QFETCH(int, shown);
    FittedLayout fitted(available);
    ExamRun run(56);
    QWidget *window = openTestWindow(run, TestWindow(shown));
    QVERIFY(window && window->isVisible());
    QCoreApplication::processEvents();
    const QStringList faults = layoutFaults(window, available);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    if (auto *analysis = dynamic_cast<exams::AnalysisWindow *>(window)) {
        QCOMPARE(analysis->Label2[55]->text(), QStringLiteral("56、欧阳丸明"));
        // Every name on one line.
        for (QLabel *name : analysis->Label2)
            QVERIFY2(name->fontMetrics().horizontalAdvance(name->text()) <= name->width(), qPrintable(name->text()));
    }
}

void TestExamWindows::correctingAScoreRecomputesTheFigures_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("mean");
    QTest::addColumn<bool>("failing");
    QTest::addColumn<int>("place"); // in the class's order
    QTest::newRow("changed") << "95" << "95" << "3" << "85.7" << false << 1;
    QTest::newRow("cleared") << "" << "" << "2" << "81" << false << 1;
    QTest::newRow("full score") << "100" << "00" << "3" << "87.3" << false << 1;
    QTest::newRow("half point, blanks around") << " 84.5 " << "84.5" << "3" << "82.2" << false << 1;
    QTest::newRow("full-width digits, still failing") << "５５" << "55" << "3" << "72.3" << true << 1;
    QTest::newRow("the class's first pupil") << "40" << "40" << "3" << "53.3" << true << 0;
}

void TestExamWindows::correctingAScoreRecomputesTheFigures()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, count);
    QFETCH(QString, mean);
    QFETCH(bool, failing);
    QFETCH(int, place);
    ExamRun run(3);
    exams::AnalysisWindow *w = showScoredTest(run);
    ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Ok);
    QVERIFY(correctPupil(w, place, typed));
    QCOMPARE(ui::MessagePresenter::takeShown().size(), 1); // the confirmation
    store::Database file = openFile(run.folder.path());
    QCOMPARE(readScore(file, QStringLiteral("语文"), place + 1, 1).toString(), stored);
    QCOMPARE(w->Label3[place]->text(), exams::shownScore(stored));
    QCOMPARE(w->Text1[0]->text(), count);
    QCOMPARE(w->Text1[4]->text(), mean);
    // The failing band stays lit over the new scores.
    const QColor pink(0xFF, 0x80, 0xFF);
    QCOMPARE(w->Text1[5]->palette().color(QPalette::Base), pink);
    QCOMPARE(w->Label3[place]->palette().color(QPalette::Window) == pink, failing);
}

void TestExamWindows::refusedCorrectionsWriteNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancelled"); // the teacher answers the question, if one is asked, with 取消
    QTest::addColumn<bool>("sharedName");
    QTest::addColumn<QString>("said");
    QTest::newRow("above a hundred") << "101" << false << false << "“101”不是有效的成绩，成绩未修改。";
    QTest::newRow("negative") << "-1" << false << false << "“-1”不是有效的成绩，成绩未修改。";
    QTest::newRow("letters") << "abc" << false << false << "“abc”不是有效的成绩，成绩未修改。";
    QTest::newRow("two decimals") << "84.55" << false << false << "“84.55”不是有效的成绩，成绩未修改。";
    QTest::newRow("confirmation cancelled") << "95" << true << false << "确定把学生2的语文第1次检测成绩由“50”改为“95”吗？";
    QTest::newRow("name on two score rows") << "95" << false << true << "学生2的成绩无法修改：成绩表中有同名的学生";
}

void TestExamWindows::refusedCorrectionsWriteNothing()
{
    QFETCH(QString, typed);
    QFETCH(bool, cancelled);
    QFETCH(bool, sharedName);
    QFETCH(QString, said);
    ExamRun run(3);
    if (sharedName)
        run.db().exec(QStringLiteral("INSERT INTO \"语文\" (\"姓名\") VALUES ('学生2')"));
    exams::AnalysisWindow *w = showScoredTest(run);
    // Unanswered questions get OK, so a question asked about a refused score would write it.
    if (cancelled)
        ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Cancel);
    QCOMPARE(correctPupil(w, 1, typed), !sharedName);
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(said), qPrintable(shown[0]));
    store::Database file = openFile(run.folder.path());
    QCOMPARE(readScore(file, QStringLiteral("语文"), 2, 1).toString(), QStringLiteral("50"));
    QCOMPARE(w->Label3[1]->text(), QStringLiteral("50"));
    QCOMPARE(w->Text1[5]->text(), QStringLiteral("1"));
}

void TestExamWindows::scoresAreCorrectedFromTheKeyboard()
{
    ExamRun run(3);
    run.setClassNames(QStringLiteral("五(1)"));
    exams::AnalysisWindow *w = showScoredTest(run);
    QCOMPARE(w->Frame4->title(), QStringLiteral("学生成绩显示窗口（五(1)班）"));
    QApplication::setActiveWindow(w);
    QVERIFY(QTest::qWaitForWindowActive(w));
    // From the chosen test Tab leads past the figures to the first pupil, the arrow to the second.
    w->Option1[0]->setFocus();
    QTest::keyClick(w->Option1[0], Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(QApplication::focusWidget(), w->Label2[1]);
    QVERIFY(pixelsOf(w->grab().toImage(), w->Label2[1], w->palette().color(QPalette::Highlight)) > 0);
    QTest::keyClick(w->Label2[1], Qt::Key_Return);
    QPointer<QDialog> dialog = w->findChild<QDialog *>(QStringLiteral("scoreCorrection"));
    QVERIFY(dialog);
    auto *box = dialog->findChild<QLineEdit *>(QStringLiteral("newScore"));
    box->clear();
    typeText(box, QStringLiteral("95"));
    // 取消 at the question goes back to the dialog; 确定 then stores the score.
    ui::MessagePresenter::setNextAnswer(ui::MessagePresenter::Answer::Cancel);
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(dialog && dialog->isVisible() && w->Label3[1]->text() == QStringLiteral("50"));
    QTest::keyClick(box, Qt::Key_Return);
    QVERIFY(!dialog || !dialog->isVisible());
    QCOMPARE(w->Label3[1]->text(), QStringLiteral("95"));
}

void TestExamWindows::scoresAreNotWrittenAfterARestore()
{
    ExamRun run(3);
    exams::AnalysisWindow *w = showScoredTest(run);
    run.context().restore(run.context().backUp(store::BackupReason::BeforeClearing));
    ui::MessagePresenter::takeShown();
    const QByteArray restored = databaseBytes(run.folder.path());
    QVERIFY(correctPupil(w, 1, QStringLiteral("95")));
    exams::Form3 *entry = run.chooseSubject(0);
    run.type(entry, {QStringLiteral("010190")});
    entry->Command1->click();
    QCOMPARE(databaseBytes(run.folder.path()), restored);
    // The correction, the save before score entry and the entry itself are each refused.
    QCOMPARE(ui::MessagePresenter::takeShown().count(core::RunState::writesClosedMessage()), 3);
}

void TestExamWindows::countBoxesHighlightTheirBand_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("bar");
    QTest::addColumn<QList<int>>("pupils");
    QTest::newRow("excellent") << 1 << 0 << QList<int>{0, 1};
    QTest::newRow("good") << 2 << 1 << QList<int>{2, 3};
    QTest::newRow("fair") << 3 << 2 << QList<int>{4, 5};
    QTest::newRow("fail") << 5 << 3 << QList<int>{6, 7};
}

void TestExamWindows::countBoxesHighlightTheirBand()
{
    QFETCH(int, box);
    QFETCH(int, bar);
    QFETCH(QList<int>, pupils);
    ExamRun run(9);
    exams::AnalysisWindow *w = openScoredTest(run, {"00", "85", "84", "75", "74", "60", "59", "ab"});
    choose(w->Option1[0]);
    QCOMPARE(w->Text1[0]->text(), QStringLiteral("8"));
    QCOMPARE(w->Text1[box]->text(), QStringLiteral("2"));
    QTest::mouseClick(w->Text1[box], Qt::LeftButton);
    const QColor pink(0xFF, 0x80, 0xFF);
    QCOMPARE(w->Text1[box]->palette().color(QPalette::Base), pink);
    for (int k = 0; k < 9; ++k) {
        const bool lit = pupils.contains(k);
        QCOMPARE(w->Label2[k]->palette().color(QPalette::Window) == pink, lit);
        QCOMPARE(w->Label3[k]->palette().color(QPalette::Window) == pink, lit);
    }
    const QList<bool> byBox = highlights(w);
    QCOMPARE(byBox.count(true), 1 + 2 * int(pupils.size()));
    QTest::mouseClick(w->Text1[0], Qt::LeftButton);
    QCOMPARE(w->Text1[box]->palette().color(QPalette::Base), pink);
    choose(w->Option1[0]);
    QVERIFY(w->Text1[box]->palette().color(QPalette::Base) != pink);
    QVERIFY(w->Label2[pupils[0]]->palette().color(QPalette::Window) != pink);
    QVERIFY(!highlights(w).contains(true));

    // The band's bar lights the same labels as its count box.
    clickBar(w, bar);
    QCOMPARE(highlights(w), byBox);
}

void TestExamWindows::pupilGridRunsDownTheColumnsAndSaysWhenMoreExist()
{
    ExamRun run(58);
    exams::AnalysisWindow *w = openScoredTest(run, {});
    choose(w->Option1[0]);
    QCOMPARE(w->Label2[55]->text(), QStringLiteral("56、学生56"));
    QVERIFY(w->morePupils->text().contains(QStringLiteral("58")));
    QCOMPARE(w->Label2[1]->x(), w->Label2[0]->x());
    QVERIFY(w->Label2[1]->y() > w->Label2[0]->y());
    QCOMPARE(w->Label2[7]->y(), w->Label2[0]->y());
    QVERIFY(w->Label2[7]->x() > w->Label3[0]->x());
    QVERIFY(w->Label3[0]->x() > w->Label2[0]->x());
    QVERIFY(w->Label3[0]->width() < w->Label2[0]->width());
    QVERIFY(w->Frame4->rect().contains(w->Label3[55]->geometry()));
    QCOMPARE(w->Frame4->title(), QStringLiteral("学生成绩显示窗口"));
}

void TestExamWindows::bandChartCountsAsTheFigures_data()
{
    QTest::addColumn<QStringList>("scores");
    QTest::addColumn<QList<double>>("bars");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("band edges") << QStringList{"00", "100", "85", "84.5", "84", "75", "74", "60", "59.5", "59", "ab"}
                                << QList<double>{4, 2, 3, 2}
                                << QStringList{"优秀/4人 36.4%", "良好/2人 18.2%", "一般/3人 27.3%", "不合格/2人 18.2%"};
    QTest::newRow("some without a score") << QStringList{"", "90", ""} << QList<double>{1, 0, 0, 0}
                                          << QStringList{"优秀/1人 100.0%", "良好/0人 0.0%", "一般/0人 0.0%",
                                                         "不合格/0人 0.0%"};
    QTest::newRow("nobody scored") << QStringList{"", ""} << QList<double>{} << QStringList{"优秀", "良好", "一般", "不合格"};
}

void TestExamWindows::bandChartCountsAsTheFigures()
{
    QFETCH(QStringList, scores);
    QFETCH(QList<double>, bars);
    QFETCH(QStringList, captions);
    ExamRun run(int(scores.size()));
    exams::AnalysisWindow *w = openScoredTest(run, scores);
    QCOMPARE(barValues(w), QList<double>{});
    choose(w->Option1[0]);
    QCOMPARE(barValues(w), bars);
    const exams::TestStatistics statistics = exams::取得各项显示数据(scores);
    if (statistics.anyScore)
        QCOMPARE(bars, (QList<double>{statistics.S[4], statistics.S[6], statistics.S[8], statistics.S[10]}));
    QCOMPARE(bandCaptions(w), captions);
}

void TestExamWindows::meanLineHasOnePointPerScoredTest()
{
    ExamRun run(3);
    run.setTestBook(1, 5);
    for (int n : {1, 2, 3, 5})
        run.publishTest(QStringLiteral("14-4-%1").arg(n), 1, 5, n, QStringLiteral("测试%1").arg(n));
    writeScore(run.db(), QStringLiteral("语文"), 1, 1, QStringLiteral("90"));
    writeScore(run.db(), QStringLiteral("语文"), 2, 1, QStringLiteral("80"));
    writeScore(run.db(), QStringLiteral("语文"), 1, 2, QStringLiteral("00"));
    writeScore(run.db(), QStringLiteral("语文"), 3, 2, QStringLiteral("50"));
    writeScore(run.db(), QStringLiteral("语文"), 2, 5, QStringLiteral("60.25"));
    run.ui().jcqkfssc->trigger();
    exams::AnalysisWindow *w = run.analysis(QStringLiteral("Form11"));
    const QList<QPointF> scored{{1, 85}, {2, 75}, {5, 60.3}};
    QCOMPARE(meanPoints(w, 0), scored);
    QCOMPARE(meanPoints(w, 1), QList<QPointF>{});
    QCOMPARE(testAxis(w)->min(), 0.5);
    QCOMPARE(testAxis(w)->max(), 5.5);

    choose(w->Option1[1]);
    QCOMPARE(meanPoints(w, 1), QList<QPointF>{QPointF(2, 75)});
    // A test nobody has scored: no mark and no bars, the line as it was.
    choose(w->Option1[2]);
    QCOMPARE(meanPoints(w, 1), QList<QPointF>{});
    QCOMPARE(barValues(w), QList<double>{});
    QCOMPARE(meanPoints(w, 0), scored);
    // Scores typed meanwhile show with the next pick.
    writeScore(run.db(), QStringLiteral("语文"), 1, 3, QStringLiteral("70"));
    choose(w->Option1[2]);
    QCOMPARE(meanPoints(w, 0), (QList<QPointF>{{1, 85}, {2, 75}, {3, 70}, {5, 60.3}}));
    QCOMPARE(meanPoints(w, 1), QList<QPointF>{QPointF(3, 70)});
}

void TestExamWindows::chartsArePainted()
{
    ExamRun run(4);
    exams::AnalysisWindow *w = openScoredTest(run, {"60", "70", "80", "90"});
    choose(w->Option1[0]);
    const QImage shot = w->grab().toImage();
    // The bars in their colour, and the shown test's mark in the highlight colour.
    QVERIFY(pixelsOf(shot, w->charts->bandChart, QColor(0x2f, 0x6d, 0xb5)) > 100);
    QVERIFY(pixelsOf(shot, w->charts->meanChart, QColor(0xFF, 0x80, 0xFF)) > 20);
}

void TestExamWindows::numberingStoresTheSlotsAtOnce()
{
    ExamRun run(3);
    openTestNumbering(run.parts());
    auto *numbering = dynamic_cast<exams::Form7 *>(run.find<QWidget>(QStringLiteral("Form7")));
    QVERIFY(numbering && numbering->isVisible());
    const QStringList typed{"7", "12a", "20", "31"};
    for (int j = 0; j < 4; ++j) {
        QCOMPARE(numbering->Text1[j]->text(), QString());
        QTest::keyClicks(numbering->Text1[j], typed[j]);
    }
    QCOMPARE(numbering->Text1[1]->accessibleName(), QStringLiteral("数学"));
    QTest::mouseClick(numbering->Command1, Qt::LeftButton);
    QCOMPARE(ui::MessagePresenter::takeShown(), QStringList{"所输测试内容的序号已成功导入数据库！"});
    QVERIFY(!numbering->isVisible());
    QCOMPARE(run.master().SubjectTestBooks, (std::array<int, 5>{0, 7, 12, 20, 31}));
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"语文\" || ',' || \"数学\" || ',' || \"英语\" || ',' || \"科学\" "
                                            "FROM \"语数英科在作业本名称中的顺序号\"")).toString(),
             QStringLiteral("7,12,20,31"));
}

void TestExamWindows::numberingClosedWithTheCrossChangesNothing()
{
    ExamRun run(3);
    openTestNumbering(run.parts());
    auto *numbering = dynamic_cast<exams::Form7 *>(run.find<QWidget>(QStringLiteral("Form7")));
    QTest::keyClicks(numbering->Text1[0], QStringLiteral("9"));
    QTest::mouseClick(numbering->Command2, Qt::LeftButton);
    QVERIFY(!numbering->isVisible());
    QCOMPARE(run.master().SubjectTestBooks[1], 0);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT \"语文\" FROM \"语数英科在作业本名称中的顺序号\"")).toInt(), 0);
    openTestNumbering(run.parts());
    QVERIFY(numbering->isVisible());
    QCOMPARE(numbering->Text1[0]->text(), QStringLiteral("9"));
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

void TestExamWindows::nameImportReplacesTheScoreTables()
{
    ExamRun run(40);
    for (int n = 1; n <= 40; ++n)
        writeScore(run.db(), QStringLiteral("英语"), n, 2, QStringLiteral("90"));
    run.db().exec(QStringLiteral("DELETE FROM \"姓名\" WHERE rowid > 38"));
    importSubjectNames(run.parts());
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"英语\"")).toInt(), 38);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"英语\" WHERE \"测试2\" IS NOT NULL")).toInt(), 0);
    QCOMPARE(value(run.db(), QStringLiteral("SELECT count(*) FROM \"数学\"")).toInt(), 38);
    QVERIFY(ui::MessagePresenter::takeShown().isEmpty());
}

QTEST_MAIN(TestExamWindows)
#include "TestExamWindows.moc"
