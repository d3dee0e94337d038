#include "OfficeTestSupport.h"
#include "ReportTestSupport.h"
#include "WindowSupport.h"

#include "reports/ReportWindows.h"
#include "office/OfficeEngine.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QThread>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>

using testing::RunningWindow;
using ui::MessagePresenter;

namespace {

const QString csvFilter = QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76");
const QString textFilter = QStringLiteral("txt:Text (encoded):UTF8");

// The lines of each written file, read back through a separate conversion with one office
// start for them all.
QList<QStringList> readBack(const QStringList &files, const QString &filter, const QString &folder)
{
    QList<QStringList> read;
    for (const QString &converted : office::test::convertAll(files, filter, folder))
        read << office::test::readUtf8(converted).split(QLatin1Char('\n'));
    return read;
}

// Item n of every pupil, in gathering order, is book n/2 rounded up on day 14-5-1 or 14-5-2;
// pupil p leaves the first counts[p] items unfinished.
void addItems(store::Database &db, const QList<int> &counts, int slotCount, const QString &firstContent = {})
{
    for (int day = 1; day <= 2; ++day) {
        QMap<int, QString> contents, states;
        for (int s = 1; s <= slotCount; ++s) {
            const int item = (s - 1) * 2 + day;
            contents[s] = item == 1 && !firstContent.isEmpty() ? firstContent : QStringLiteral("%1日%2").arg(day).arg(s);
            for (int count : counts)
                states[s] += item <= count ? QLatin1Char('0') : QLatin1Char('1');
        }
        testing::addDay(db, QStringLiteral("14-5-%1").arg(day), contents, states);
    }
}

struct OfficeWindow : RunningWindow {
    explicit OfficeWindow(int pupils) : RunningWindow(pupils)
    {
        QVERIFY(testing::copyProgramFiles(folder.path()));
        installReports(parts(), QStringLiteral(SOFFICE));
        MessagePresenter::takeShown();
    }
    QString file(const QString &relative) const { return QDir(folder.path()).filePath(relative); }
    // What the teacher is told once the files are written, naming their folder.
    QString written(const QString &what, const QString &relativeFolder) const
    {
        return QStringLiteral("%1，保存在文件夹：\n%2").arg(what, QDir::toNativeSeparators(file(relativeFolder)));
    }
};

void makeSummaries(OfficeWindow &w, const QString &lowerLimit)
{
    w.ui().wwqkdc->trigger();
    QTest::keyClicks(w.ui().Text6, lowerLimit);
    w.ui().Command18->click();
}

// The first column's default cell style, by the name a flat ODF file gives it.
QString firstColumnStyle(const QString &fods)
{
    return QRegularExpression(QStringLiteral("<table:table-column[^>]*table:default-cell-style-name=\"([^\"]+)\""))
        .match(fods)
        .captured(1);
}

// Cell styles of a flat ODF file whose background is colour.
QStringList stylesWithBackground(const QString &fods, const QString &colour)
{
    QStringList names;
    const QRegularExpression style(QStringLiteral("<style:style style:name=\"([^\"]+)\" style:family=\"table-cell\"(.*?)</style:style>"),
                                   QRegularExpression::DotMatchesEverythingOption);
    for (const QRegularExpressionMatch &match : style.globalMatch(fods))
        if (match.captured(2).contains(QStringLiteral("fo:background-color=\"%1\"").arg(colour)))
            names << match.captured(1);
    return names;
}

QString firstCellText(const QString &fods)
{
    return QRegularExpression(QStringLiteral("<table:table-row[^>]*>\\s*<table:table-cell[^>]*>\\s*<text:p>([^<]*)</text:p>"))
        .match(fods)
        .captured(1);
}

} // namespace

class TestReportOffice : public QObject {
    Q_OBJECT

private slots:
    // The office module is built into the demo program folder, not beside the test.
    void initTestCase() { office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER)); }
    void wholeRecordExport();
    void todayExport();
    void summariesWithoutPrinter();
    void templateWithTooFewTables();
    void secondClassExportsBesideTheFirst();
    void printSummaries();
    void cancelPrintsNothing();
    void teachersEditSurvivesExport();
};

void TestReportOffice::wholeRecordExport()
{
    OfficeWindow w(5);
    // Pupil 1 misses 57 items, pupil 2 one, pupils 3 to 5 nothing.
    addItems(w.db(), {57, 1, 0, 0, 0}, 32);
    bool enabledDuringExport = true;
    QTimer::singleShot(0, w.window.get(), [&] { enabledDuringExport = w.ui().Command4[5]->isEnabled(); });

    w.ui().Command4[5]->click();
    QCOMPARE(MessagePresenter::takeShown(), (QStringList{"学生1 有 57 项未完成作业，表格中只导出了前 50 项。",
                                                         w.written("校迅通文件已导出", "校迅通导出文件")}));
    QVERIFY(!enabledDuringExport);
    QVERIFY(w.ui().Command4[5]->isEnabled());
    QVERIFY(w.ui().Frame14->isVisible());
    QCOMPARE(w.ui().Label11->text(), QStringLiteral("导出已完成!"));

    const QList<QStringList> read = readBack({w.file(QStringLiteral("校迅通导出文件/全部完成学生名单.xls")),
                                              w.file(QStringLiteral("校迅通导出文件/未完成作业学生名单.xls"))},
                                             csvFilter, w.folder.path());
    const QStringList complete = read.value(0), unfinished = read.value(1);
    QCOMPARE(complete.value(0).section(QLatin1Char(','), 1, 1),
             QStringLiteral("您好！你的孩子在14-5-17的作业检查中发现已完成语数英科四门学科的全部作业，希继续保持良好的学习习惯，取得更加优异的成绩！"));
    QCOMPARE(complete.mid(1, 4), (QStringList{"学生3,", "学生4,", "学生5,", ""}));

    QVERIFY2(unfinished.value(0).contains(QStringLiteral(",您好！你的孩子在14-5-17的作业检查中发现语数英科四门学科中还有如下作业没有完成，")),
             qPrintable(unfinished.value(0)));
    const QStringList first = unfinished.value(1).split(QLatin1Char(','));
    QCOMPARE(first.size(), 52);
    QCOMPARE(first.mid(0, 4), (QStringList{"学生1", "", "《本子1》1日1", "《本子1》2日1"}));
    QCOMPARE(first.last(), QStringLiteral("2日25"));
    QVERIFY2(unfinished.value(2).startsWith(QStringLiteral("学生2,,《本子1》1日1,")), qPrintable(unfinished.value(2)));
    QCOMPARE(unfinished.value(3), QString());
}

void TestReportOffice::todayExport()
{
    OfficeWindow w(3);
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{2, QStringLiteral("昨天")}}, {{2, QStringLiteral("000")}});
    w.publish(1, QStringLiteral("今天第1页"));
    w.setMark(1, 2, QStringLiteral("1"));

    w.ui().dtwfqkdc->trigger();
    QCOMPARE(MessagePresenter::takeShown(), QStringList{w.written("当天未完情况已导出", "校迅通导出文件/当天")});
    QVERIFY(!w.ui().Frame14->isVisible());
    QCOMPARE(w.ui().Label11->text(), QStringLiteral("导出已完成!"));

    const QList<QStringList> read = readBack({w.file(QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls")),
                                              w.file(QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单.xls"))},
                                             csvFilter, w.folder.path());
    const QStringList complete = read.value(0), unfinished = read.value(1);
    QCOMPARE(complete.value(0).section(QLatin1Char(','), 1, 1),
             QStringLiteral("您好！你的孩子在14-5-17的家庭作业检查中发现已完成语数英科四门学科的全部家庭作业，希继续保持良好的学习习惯，取得更加优异的成绩！"));
    QCOMPARE(complete.mid(1, 2), (QStringList{"学生2,", ""}));
    QVERIFY(unfinished.value(0).contains(QStringLiteral(",您好！你的孩子在14-5-17的家庭作业检查中发现还有如下家庭作业没有完成，")));
    QVERIFY2(unfinished.value(1).startsWith(QStringLiteral("学生1,,《本子1》今天第1页,,")), qPrintable(unfinished.value(1)));
    QVERIFY(unfinished.value(2).startsWith(QStringLiteral("学生3,,《本子1》今天第1页,,")));
    QCOMPARE(unfinished.value(3), QString());
}

// A teacher of two classes picks the class in the export frame; the second class's workbooks lie
// beside the first's under names of their own, and the first's keep every byte.
void TestReportOffice::secondClassExportsBesideTheFirst()
{
    OfficeWindow w(3);
    testing::addPupils(w.db(), 2, QStringLiteral("52姓名"));
    w.setClassNames(QStringLiteral("五(1)"), QStringLiteral("五(2)"));
    w.context().day().当天数据环境生成();
    w.context().day().publish(1, QStringLiteral("14-5-17"), QStringLiteral("今天第1页"), QString(), {1, 2});
    w.context().day().showBook(QStringLiteral("2"), QStringLiteral("01"));
    w.scan(QStringLiteral("120102"));
    const QString firstClass = QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls");
    const QByteArray before = office::test::fileDigest(w.file(firstClass));

    w.ui().dtwfqkdc->trigger();
    QVERIFY(w.ui().Frame14->isVisible());
    QCOMPARE(w.ui().Command12[1]->text(), QStringLiteral("五(2)班"));
    w.ui().Command12[1]->click();
    QCOMPARE(MessagePresenter::takeShown(), QStringList{w.written("当天未完情况已导出", "校迅通导出文件/当天")});
    QCOMPARE(office::test::fileDigest(w.file(firstClass)), before);
    const QList<QStringList> read = readBack({w.file(QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单-五(2)班.xls")),
                                              w.file(QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单-五(2)班.xls"))},
                                             csvFilter, w.folder.path());
    const QStringList complete = read.value(0), unfinished = read.value(1);
    QCOMPARE(complete.mid(1, 2), (QStringList{"学生2,", ""}));
    QVERIFY2(unfinished.value(1).startsWith(QStringLiteral("学生1,,《本子1》今天第1页,,")), qPrintable(unfinished.value(1)));
    QCOMPARE(unfinished.value(2), QString());

    // The summaries follow the class chosen beside them; the first class's are not made.
    w.ui().wwqkdc->trigger();
    w.ui().summaryClass[1]->setChecked(true);
    QTest::keyClicks(w.ui().Text6, QStringLiteral("1"));
    MessagePresenter::setNextAnswer(MessagePresenter::Answer::Cancel);
    w.ui().Command18->click();
    QCOMPARE(QDir(w.file(QStringLiteral("文本生成/未完作业汇总"))).entryList(QDir::Files),
             (QStringList{"未完成作业汇总(不超30次)-五(2)班.doc", "未完成作业汇总(超过30次)-五(2)班.doc"}));
}

void TestReportOffice::summariesWithoutPrinter()
{
    OfficeWindow w(4);
    const QString longContent = QStringLiteral("ABCDEFGHIJKLMNOPQRST"); // 25 characters with the book name
    addItems(w.db(), {31, 30, 4, 5}, 16, longContent);
    // A CUPS server that does not exist: the office sees no printer.
    const QByteArray previous = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", w.file(QStringLiteral("no-cups.sock")).toUtf8());
    MessagePresenter::setNextAnswer(MessagePresenter::Answer::Ok);
    makeSummaries(w, QStringLiteral("5"));
    previous.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", previous);

    QCOMPARE(MessagePresenter::takeShown(), (QStringList{"是否直接进行打印,请确定！", "没有可用的打印机，未打印。",
                                                         w.written("未完成作业汇总文档已生成", "文本生成/未完作业汇总")}));
    QVERIFY(!w.ui().Frame17->isVisible());

    const QList<QStringList> read = readBack({w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(不超30次).doc")),
                                              w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(超过30次).doc"))},
                                             textFilter, w.folder.path());
    const QString shortText = read.value(0).join(QLatin1Char('\n'));
    const QString longText = read.value(1).join(QLatin1Char('\n'));
    const qsizetype second = shortText.indexOf(QStringLiteral("02.学生2(30)"));
    const qsizetype fourth = shortText.indexOf(QStringLiteral("04.学生4(5)"));
    QVERIFY2(second > 0 && fourth > second, qPrintable(shortText.left(400)));
    QVERIFY(!shortText.contains(QStringLiteral("学生3")));
    QVERIFY(shortText.contains(QStringLiteral("未完成次数：\n30\n")));
    QVERIFY2(shortText.contains(QStringLiteral("\n15\n《本子8》1日8\n30\n2日15\n")), qPrintable(shortText.left(1500)));
    QVERIFY(shortText.contains(QStringLiteral("\n《本子1》ABCDEFGHIJKLMN\n")));
    QVERIFY(!shortText.contains(QStringLiteral("ABCDEFGHIJKLMNO")));

    QVERIFY(longText.contains(QStringLiteral("01.学生1(31)")));
    QVERIFY(longText.contains(QStringLiteral("未完成次数：\n31\n")));
    QVERIFY2(longText.contains(QStringLiteral("\n1\n《本子1》ABCDEFGHIJKLMN\n31\n1日16\n")), qPrintable(longText.left(800)));
    QVERIFY(!longText.contains(QStringLiteral("学生2")));
}

void TestReportOffice::templateWithTooFewTables()
{
    OfficeWindow w(2);
    addItems(w.db(), {1, 1}, 1);
    // A one-table Word 97 document in the short template's place.
    const QString shortTemplate = w.file(QStringLiteral("文本模板/未完成作业汇总(不超30次)导出模板.doc"));
    QTemporaryDir work;
    QFile file(work.filePath(QStringLiteral("one-table.fodt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.text">
<office:body><office:text><table:table table:name="T1"><table:table-column table:number-columns-repeated="4"/>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
</table:table></office:text></office:body></office:document>
)");
    file.close();
    const QString oneTable = office::test::convert(file.fileName(), QStringLiteral("doc"), work.path());
    QVERIFY(!oneTable.isEmpty());
    QVERIFY(QFile::remove(shortTemplate) && QFile::copy(oneTable, shortTemplate));

    makeSummaries(w, QStringLiteral("1"));
    QCOMPARE(MessagePresenter::takeShown(),
             QStringList{QStringLiteral("汇总文档未能生成。模板 %1 只有 1 个表格，需要 2 个（每名学生一个），未生成文档。").arg(shortTemplate)});
    QVERIFY(!QFileInfo::exists(w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(不超30次).doc"))));
    QVERIFY(!QFileInfo::exists(w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(超过30次).doc"))));
    QVERIFY(!w.ui().Frame17->isVisible());
    QVERIFY(w.ui().Command18->isEnabled());
}

void TestReportOffice::printSummaries()
{
    office::test::PdfPrintQueue queue;
    if (!queue.problem().isEmpty())
        QSKIP(qPrintable(QStringLiteral("no print queue: ") + queue.problem()));
    OfficeWindow w(4);
    addItems(w.db(), {1, 2, 3, 31}, 16);
    MessagePresenter::setNextAnswer(MessagePresenter::Answer::Ok);
    makeSummaries(w, QStringLiteral("1"));
    QCOMPARE(MessagePresenter::takeShown(),
             (QStringList{"是否直接进行打印,请确定！", w.written("未完成作业汇总文档已生成", "文本生成/未完作业汇总")}));

    const QStringList printed = queue.printedFiles(2, 90000);
    QList<int> pages;
    for (const QString &pdf : printed)
        pages << office::test::pdfPages(pdf);
    office::test::PdfPrintQueue::removeFiles(printed);
    std::sort(pages.begin(), pages.end());
    QCOMPARE(pages, (QList<int>{1, 2})); // long "1-1", short "1-2" of three tables two to a page
}

void TestReportOffice::cancelPrintsNothing()
{
    office::test::PdfPrintQueue queue;
    if (!queue.problem().isEmpty())
        QSKIP(qPrintable(QStringLiteral("no print queue: ") + queue.problem()));
    OfficeWindow w(2);
    addItems(w.db(), {1, 31}, 16);
    MessagePresenter::setNextAnswer(MessagePresenter::Answer::Cancel);
    makeSummaries(w, QStringLiteral("1"));
    QCOMPARE(MessagePresenter::takeShown(),
             (QStringList{"是否直接进行打印,请确定！", w.written("未完成作业汇总文档已生成", "文本生成/未完作业汇总")}));

    const QList<QStringList> read = readBack({w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(不超30次).doc")),
                                              w.file(QStringLiteral("文本生成/未完作业汇总/未完成作业汇总(超过30次).doc"))},
                                             textFilter, w.folder.path());
    const QString shortText = read.value(0).join(QLatin1Char('\n'));
    const QString longText = read.value(1).join(QLatin1Char('\n'));
    QVERIFY2(shortText.contains(QStringLiteral("01.学生1(1)")), qPrintable(shortText.left(400)));
    QVERIFY2(longText.contains(QStringLiteral("02.学生2(31)")), qPrintable(longText.left(400)));
    // Printing waits until the job is handed over, so one would be listed by now.
    QCOMPARE(queue.jobsHandedOver(), 0);
}

void TestReportOffice::teachersEditSurvivesExport()
{
    OfficeWindow w(2);
    addItems(w.db(), {1, 0}, 1);
    const QString workbook = w.file(QStringLiteral("校迅通导出文件/未完成作业学生名单.xls"));
    const QString heading = QStringLiteral("三年级二班家长通知");
    const QString colour = QStringLiteral("#ffff00");

    // The teacher's edit: a new heading in A1 and column A filled yellow.
    QTemporaryDir editing;
    const QString flat = office::test::convert(workbook, QStringLiteral("fods"), editing.path());
    QVERIFY(!flat.isEmpty());
    QString xml = office::test::readUtf8(flat);
    const QString original = firstCellText(xml);
    QVERIFY(!original.isEmpty());
    xml.replace(QStringLiteral("<text:p>%1</text:p>").arg(original), QStringLiteral("<text:p>%1</text:p>").arg(heading));
    const QString oldStyle = firstColumnStyle(xml);
    QVERIFY(!oldStyle.isEmpty());
    const qsizetype column = xml.indexOf(QStringLiteral("<table:table-column"));
    const QString oldAttribute = QStringLiteral("table:default-cell-style-name=\"%1\"").arg(oldStyle);
    xml.replace(xml.indexOf(oldAttribute, column), oldAttribute.size(),
                QStringLiteral("table:default-cell-style-name=\"teacher-colour\""));
    xml.replace(QStringLiteral("</office:automatic-styles>"),
                QStringLiteral("<style:style style:name=\"teacher-colour\" style:family=\"table-cell\" style:parent-style-name=\"Default\">"
                               "<style:table-cell-properties fo:background-color=\"%1\"/></style:style></office:automatic-styles>")
                    .arg(colour));
    QFile edited(flat);
    QVERIFY(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
    edited.write(xml.toUtf8());
    edited.close();
    QTemporaryDir binary;
    const QString editedWorkbook = office::test::convert(flat, QStringLiteral("xls:MS Excel 97"), binary.path());
    QVERIFY(!editedWorkbook.isEmpty());
    QVERIFY(QFile::remove(workbook) && QFile::copy(editedWorkbook, workbook));
    QFile::setPermissions(workbook, QFile::ReadOwner | QFile::WriteOwner);

    w.ui().Command4[5]->click();
    QCOMPARE(w.ui().Label11->text(), QStringLiteral("导出已完成!"));

    QTemporaryDir reading;
    const QString result = office::test::readUtf8(office::test::convert(workbook, QStringLiteral("fods"), reading.path()));
    QVERIFY2(result.contains(QStringLiteral("您好！你的孩子在14-5-17的作业检查中发现")), "the export did not write B1");
    QVERIFY2(result.contains(QStringLiteral("<text:p>学生1</text:p>")), "the export did not write the pupil row");
    QCOMPARE(firstCellText(result), heading);
    const QStringList coloured = stylesWithBackground(result, colour);
    QVERIFY2(coloured.contains(firstColumnStyle(result)),
             qPrintable(QStringLiteral("column A has style %1, coloured styles: %2")
                            .arg(firstColumnStyle(result), coloured.join(QLatin1Char(' ')))));
}

QTEST_MAIN(TestReportOffice)
#include "TestReportOffice.moc"
