#include "OfficeTestSupport.h"

#include "office/OfficeError.h"
#include "office/OfficeEngine.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using office::OfficeError;
using office::SpreadsheetAutomation;
using office::WordAutomation;
using namespace office::test;

namespace {

const QString unfinishedWorkbook = QStringLiteral("校迅通导出文件/未完成作业学生名单.xls");
const QString shortTemplate = QStringLiteral("文本模板/未完成作业汇总(不超30次)导出模板.doc");
const QString longTemplate = QStringLiteral("文本模板/未完成作业汇总(超过30次)导出模板.doc");

QString errorOf(const std::function<void()> &work)
{
    try {
        work();
    } catch (const OfficeError &error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestOffice : public QObject
{
    Q_OBJECT

private slots:
    // The office module is built into the demo program folder, not beside the test.
    void initTestCase() { office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER)); }
    void officeThatCannotStart_data();
    void officeThatCannotStart();
    void preparedWorkbooks_data();
    void preparedWorkbooks();
    void workbookClearWriteAndSave();
    void missingWorkbookEndsTheOffice();
    void summaryTemplates_data();
    void summaryTemplates();
    void fillSummaryAndSaveAs();
    void printWithoutPrinterIsRefused();
    void printPageRange();
};

void TestOffice::officeThatCannotStart_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("detail");

    const QString missing = QStringLiteral("未找到 LibreOffice");
    QTest::newRow("no path") << QString() << missing << QStringLiteral("libreoffice-calc");
    QTest::newRow("missing file") << QStringLiteral("/nonexistent/soffice") << missing
                                  << QStringLiteral("/nonexistent/soffice");
    QTest::newRow("exits at once") << QStringLiteral("exit 3") << QStringLiteral("LibreOffice 启动后意外退出")
                                   << QString();
}

void TestOffice::officeThatCannotStart()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QFETCH(QString, detail);
    QTemporaryDir folder;
    if (program.startsWith(QLatin1String("exit"))) {
        const QString script = folder.filePath(QStringLiteral("soffice"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + program.toUtf8() + "\n");
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        program = script;
    }
    const QString spreadsheetError = errorOf([&] { office::startSpreadsheet(program); });
    const QString documentError = errorOf([&] { office::startWord(program); });
    QVERIFY2(spreadsheetError.startsWith(expected), qPrintable(spreadsheetError));
    QVERIFY2(spreadsheetError.contains(detail), qPrintable(spreadsheetError));
    QCOMPARE(documentError, spreadsheetError);
}

void TestOffice::preparedWorkbooks_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("firstLine");
    QTest::addColumn<int>("lines");

    const QString complete = QStringLiteral("姓名");
    QString unfinished = QStringLiteral("姓名,");
    for (int n = 1; n <= 50; ++n)
        unfinished += QStringLiteral(",作业%1").arg(n);
    QTest::newRow("complete") << QStringLiteral("校迅通导出文件/全部完成学生名单.xls") << complete << 1;
    QTest::newRow("unfinished") << QStringLiteral("校迅通导出文件/未完成作业学生名单.xls") << unfinished
                                << 1;
    QTest::newRow("today complete")
        << QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls") << complete << 1;
    QTest::newRow("today unfinished")
        << QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单.xls") << unfinished << 1;
    QTest::newRow("pupil list") << QStringLiteral("班级姓名.xls") << QStringLiteral("王小明") << 40;
}

void TestOffice::preparedWorkbooks()
{
    QFETCH(QString, file);
    QFETCH(QString, firstLine);
    QFETCH(int, lines);
    QTemporaryDir folder;
    const QString copy = copyPrepared(file, folder.path());
    QVERIFY(!copy.isEmpty());
    QFile binary(copy);
    QVERIFY(binary.open(QIODevice::ReadOnly));
    QCOMPARE(binary.read(4), QByteArray("\xD0\xCF\x11\xE0", 4)); // an Excel 97 compound file
    const QString csv = convert(copy, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                folder.path());
    QVERIFY(!csv.isEmpty());
    const QStringList rows = readUtf8(csv).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(rows.value(0).trimmed(), firstLine);
    QCOMPARE(rows.size(), lines);
    QCOMPARE(QSet<QString>(rows.begin(), rows.end()).size(), lines);
}

void TestOffice::workbookClearWriteAndSave()
{
    QTemporaryDir folder;
    const QString path = copyPrepared(unfinishedWorkbook, folder.path());
    QVERIFY(!path.isEmpty());
    const QStringList exactTexts{QStringLiteral("=1+1"), QStringLiteral("0012"),
                                 QStringLiteral("《口算训练本》第3页"), QStringLiteral("45")};
    const QString message = QStringLiteral("您好！你的孩子在14-5-17的作业检查中……");
    {
        const auto workbookEngine = office::startSpreadsheet(QStringLiteral(SOFFICE));
        SpreadsheetAutomation &workbook = *workbookEngine;
        QVERIFY(!sessionProcesses().isEmpty());
        workbook.open(path);
        workbook.writeRow(2, 1, {QStringLiteral("旧名字"), QString(), QStringLiteral("旧作业")});
        workbook.writeCell(300, 52, QStringLiteral("旧"));
        workbook.writeCell(301, 1, QStringLiteral("范围之外"));
        workbook.writeCell(2, 53, QStringLiteral("右边"));
        workbook.writeCell(1, 2, message);
        workbook.save();

        workbook.open(path);
        QCOMPARE(workbook.readCell(2, 1), QStringLiteral("旧名字"));
        QCOMPARE(workbook.readCell(300, 52), QStringLiteral("旧"));
        workbook.clearRange(QStringLiteral("A2:AZ300"));
        QCOMPARE(workbook.readCell(2, 1), QString());
        QCOMPARE(workbook.readCell(2, 3), QString());
        QCOMPARE(workbook.readCell(300, 52), QString());
        QCOMPARE(workbook.readCell(301, 1), QStringLiteral("范围之外"));
        QCOMPARE(workbook.readCell(2, 53), QStringLiteral("右边"));
        QCOMPARE(workbook.readCell(1, 1), QStringLiteral("姓名"));
        QCOMPARE(workbook.readCell(1, 2), message);
        QCOMPARE(workbook.readCell(1, 52), QStringLiteral("作业50"));

        workbook.writeRow(2, 1, QStringList{QStringLiteral("王小明"), QString()} + exactTexts);
        workbook.writeCell(3, 1, QStringLiteral("李华"));
        workbook.writeCell(3, 3, QString());
        workbook.save();

        workbook.open(path);
        QCOMPARE(workbook.readCell(2, 1), QStringLiteral("王小明"));
        QCOMPARE(workbook.readCell(2, 2), QString());
        for (int i = 0; i < exactTexts.size(); ++i)
            QCOMPARE(workbook.readCell(2, 3 + i), exactTexts.at(i));
        QCOMPARE(workbook.readCell(3, 1), QStringLiteral("李华"));
        QCOMPARE(workbook.readCell(3, 3), QString());
        workbook.quit();
    }
    QFile binary(path);
    QVERIFY(binary.open(QIODevice::ReadOnly));
    QCOMPARE(binary.read(4), QByteArray("\xD0\xCF\x11\xE0", 4));
    binary.close();

    const QString csv = convert(path, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"),
                                folder.path());
    QVERIFY(!csv.isEmpty());
    const QStringList lines = readUtf8(csv).split(QLatin1Char('\n'));
    QVERIFY2(lines.value(0).startsWith(QStringLiteral("姓名,") + message + QStringLiteral(",作业1,")),
             qPrintable(lines.value(0)));
    QVERIFY2(lines.value(1).startsWith(
                 QStringLiteral("王小明,,=1+1,0012,《口算训练本》第3页,45,")),
             qPrintable(lines.value(1)));
    QVERIFY2(lines.value(1).trimmed().endsWith(QStringLiteral(",右边")), qPrintable(lines.value(1)));
    QVERIFY2(lines.value(2).startsWith(QStringLiteral("李华,,,")), qPrintable(lines.value(2)));
}

void TestOffice::missingWorkbookEndsTheOffice()
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("校迅通导出文件/全部完成学生名单.xls"));
    QList<qint64> started;
    QString error;
    {
        const auto workbookEngine = office::startSpreadsheet(QStringLiteral(SOFFICE));
        SpreadsheetAutomation &workbook = *workbookEngine;
        started = sessionProcesses();
        error = errorOf([&] { workbook.open(missing); });
        QCOMPARE(errorOf([&] { workbook.readCell(1, 1); }), QStringLiteral("没有打开的表格文件。"));
    }
    QCOMPARE(error, QStringLiteral("找不到文件：%1").arg(missing));
    QVERIFY(!started.isEmpty());
    for (qint64 pid : started)
        QVERIFY2(!processAlive(pid), qPrintable(QString::number(pid)));
}

void TestOffice::summaryTemplates_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("tablesPerPage");

    QTest::newRow("up to 30") << shortTemplate << 18 << 2;
    QTest::newRow("over 30") << longTemplate << 33 << 1;
}

// Loads each template back: its tables, their shape, and the pages its PDF takes.
void TestOffice::summaryTemplates()
{
    QFETCH(QString, file);
    QFETCH(int, rows);
    QFETCH(int, tablesPerPage);
    QTemporaryDir folder;
    const QString copy = copyPrepared(file, folder.path());
    QVERIFY(!copy.isEmpty());
    int tables = 0;
    {
        const auto wordEngine = office::startWord(QStringLiteral(SOFFICE));
        WordAutomation &word = *wordEngine;
        const auto document = word.open(copy);
        tables = word.tableCount(document);
        QVERIFY2(tables >= 50, qPrintable(QString::number(tables)));
        for (int table : {1, tables}) {
            QCOMPARE(errorOf([&] { word.writeColumn(document, table, rows - 1, 4, {QStringLiteral("甲"), QStringLiteral("乙")}); }),
                     QString());
            QCOMPARE(errorOf([&] { word.writeColumn(document, table, rows, 1, {QStringLiteral("甲"), QStringLiteral("乙")}); }),
                     QStringLiteral("第 %1 个表格没有第 %2 至 %3 行第 1 列的单元格。").arg(table).arg(rows).arg(rows + 1));
            QCOMPARE(errorOf([&] { word.writeColumn(document, table, 2, 5, {QStringLiteral("甲")}); }),
                     QStringLiteral("第 %1 个表格没有第 2 至 2 行第 5 列的单元格。").arg(table));
        }
        for (int table : {0, tables + 1})
            QCOMPARE(errorOf([&] { word.writeColumn(document, table, 2, 2, {QStringLiteral("甲")}); }),
                     QStringLiteral("文档 %1 只有 %2 个表格，没有第 %3 个。").arg(copy).arg(tables).arg(table));
    }
    const QString pdf = convert(copy, QStringLiteral("pdf"), folder.path());
    QVERIFY(!pdf.isEmpty());
    QCOMPARE(pdfPages(pdf), (tables + tablesPerPage - 1) / tablesPerPage);

    const QString text = readUtf8(convert(copy, QStringLiteral("txt:Text (encoded):UTF8"), folder.path()));
    QCOMPARE(text.count(QStringLiteral("未完成作业汇总")), tables);
    QCOMPARE(text.count(QStringLiteral("未完成次数：")), tables);
}

// Runs of one column land in their rows and leave the template's numbering in columns A and C.
void TestOffice::fillSummaryAndSaveAs()
{
    QTemporaryDir folder;
    const QString templatePath = copyPrepared(shortTemplate, folder.path());
    QVERIFY(!templatePath.isEmpty());
    const QByteArray before = fileDigest(templatePath);
    const QString outputFolder = folder.filePath(QStringLiteral("文本生成/未完作业汇总"));
    QVERIFY(QDir().mkpath(outputFolder));
    const QString output = outputFolder + QStringLiteral("/未完成作业汇总(不超30次).doc");
    const QString missingFolder = folder.filePath(QStringLiteral("没有的文件夹"));
    QStringList left, right;
    for (int n = 1; n <= 15; ++n) {
        left << QStringLiteral("左第%1项").arg(n);
        right << QStringLiteral("右第%1项").arg(n + 15);
    }
    {
        const auto wordEngine = office::startWord(QStringLiteral(SOFFICE));
        WordAutomation &word = *wordEngine;
        const auto document = word.open(templatePath);
        word.writeColumn(document, 1, 2, 2, {QStringLiteral("01.张  三(30)")});
        word.writeColumn(document, 1, 2, 4, {QStringLiteral("30")});
        word.writeColumn(document, 1, 4, 2, left);
        word.writeColumn(document, 1, 4, 4, right);
        word.writeColumn(document, 2, 2, 2, {QStringLiteral("07.李华(2)")});
        word.writeColumn(document, 2, 4, 2, {QStringLiteral("旧文字"), QStringLiteral("第二项")});
        word.writeColumn(document, 2, 4, 2, {QStringLiteral("《课堂作业本》第一课")});
        word.writeColumn(document, 2, 5, 2, {});
        QCOMPARE(errorOf([&] { word.saveAs(document, missingFolder + QStringLiteral("/x.doc")); }),
                 QStringLiteral("文件夹不存在：%1").arg(missingFolder));
        word.saveAs(document, output);
        word.close(document);
        QCOMPARE(errorOf([&] { word.writeColumn(document, 1, 2, 2, {QStringLiteral("迟到")}); }),
                 QStringLiteral("文档未打开。"));
    }
    QCOMPARE(fileDigest(templatePath), before);
    QFile binary(output);
    QVERIFY(binary.open(QIODevice::ReadOnly));
    QCOMPARE(binary.read(4), QByteArray("\xD0\xCF\x11\xE0", 4)); // a Word 97 compound file
    binary.close();

    const QString text = readUtf8(convert(output, QStringLiteral("txt:Text (encoded):UTF8"), folder.path()));
    QList<QString> expected{QStringLiteral("01.张  三(30)"), QStringLiteral("未完成次数：\n30\n")};
    for (int n = 1; n <= 15; ++n)
        expected << QStringLiteral("\n%1\n左第%1项\n%2\n右第%2项\n").arg(n).arg(n + 15);
    expected << QStringLiteral("07.李华(2)") << QStringLiteral("\n1\n《课堂作业本》第一课\n16\n")
             << QStringLiteral("\n2\n第二项\n17\n");
    qsizetype at = 0;
    for (const QString &part : std::as_const(expected)) {
        const qsizetype found = text.indexOf(part, at);
        QVERIFY2(found >= at, qPrintable(part + QStringLiteral(" | ") + text.mid(at, 400)));
        at = found + 1;
    }
    QVERIFY(!text.contains(QStringLiteral("旧文字")));
    QCOMPARE(text.count(QStringLiteral("未完成作业汇总")), 50);
}

void TestOffice::printWithoutPrinterIsRefused()
{
    QTemporaryDir folder;
    const QString path = copyPrepared(shortTemplate, folder.path());
    QVERIFY(!path.isEmpty());
    // A CUPS server that does not exist: the office sees no printer at all.
    const QByteArray previous = qgetenv("CUPS_SERVER");
    qputenv("CUPS_SERVER", folder.filePath(QStringLiteral("no-cups.sock")).toUtf8());
    const auto wordEngine = office::startWord(QStringLiteral(SOFFICE));
    WordAutomation &word = *wordEngine;
    previous.isNull() ? qunsetenv("CUPS_SERVER") : qputenv("CUPS_SERVER", previous);
    word.open(path);
    QVERIFY(!word.hasPrinter());
    QCOMPARE(errorOf([&] { word.printPages(QStringLiteral("1-1")); }),
             QStringLiteral("没有可用的打印机，未打印。"));
}

void TestOffice::printPageRange()
{
    PdfPrintQueue queue;
    if (!queue.problem().isEmpty())
        QSKIP(qPrintable(QStringLiteral("no print queue: ") + queue.problem()));
    QTemporaryDir folder;
    const QString path = copyPrepared(shortTemplate, folder.path());
    QVERIFY(!path.isEmpty());
    QDir pdfFolder(queue.outputFolder());
    const QStringList earlier = pdfFolder.entryList({QStringLiteral("*.pdf")}, QDir::Files);
    {
        const auto wordEngine = office::startWord(QStringLiteral(SOFFICE));
        WordAutomation &word = *wordEngine;
        const auto document = word.open(path);
        for (int table = 1; table <= 3; ++table)
            word.writeColumn(document, table, 2, 2, {QStringLiteral("第%1个学生").arg(table)});
        word.activate(document);
        QVERIFY(word.hasPrinter());
        word.printPages(QStringLiteral("1-2"), 1);
    }
    QString printed;
    const QDeadlineTimer deadline(60000);
    while (printed.isEmpty() && !deadline.hasExpired()) {
        QThread::msleep(500);
        pdfFolder.refresh();
        for (const QString &name : pdfFolder.entryList({QStringLiteral("*.pdf")}, QDir::Files))
            if (!earlier.contains(name))
                printed = pdfFolder.filePath(name);
    }
    QVERIFY2(!printed.isEmpty(), "CUPS-PDF wrote no file within a minute");
    int pages = -1;
    while (pages < 0 && !deadline.hasExpired()) {
        pages = pdfPages(printed);
        QThread::msleep(200);
    }
    QFile::remove(printed);
    QCOMPARE(pages, 2);
}

QTEST_GUILESS_MAIN(TestOffice)
#include "TestOffice.moc"
