#include "OfficeTestSupport.h"
#include "store/Faults.h"

#include "office/FileReadiness.h"
#include "office/LockFiles.h"
#include "office/OfficeError.h"
#include "office/OfficeEngine.h"
#include "office/OfficeProfile.h"
#include "office/StagedFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <sys/stat.h>

using office::OfficeError;
using office::SpreadsheetAutomation;
using office::WordAutomation;
using namespace office::test;

namespace {

const QString completeWorkbook = QStringLiteral("校迅通导出文件/全部完成学生名单.xls");
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

// Ways an export can go wrong between its first check and its last rename.
enum Fault { NoFault, DamagedSecond, PasswordSecond, StaleLock, LockHeldHere, LockOfAnotherComputer, SecondCutShort, SecondTurnedFolder,
             FirstReadOnly };

unsigned modeOf(const QString &path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 0777 : 0;
}

// What Excel writes when a workbook gets a password: FILEPASS straight after the first BOF record.
bool markPasswordProtected(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qsizetype bof = file.readAll().indexOf(QByteArray("\x09\x08\x10\x00\x00\x06\x05\x00", 8));
    return bof >= 0 && file.seek(bof + 20) && file.write("\x2F\x00", 2) == 2;
}

bool writeLock(const QString &document, const QString &host)
{
    const QFileInfo file(document);
    QFile lock(file.dir().filePath(QStringLiteral(".~lock.%1#").arg(file.fileName())));
    return lock.open(QIODevice::WriteOnly)
           && lock.write(QStringLiteral(",teacher,%1,08.12.2025 10:00,file:///home/teacher/.config/libreoffice/4;").arg(host).toUtf8()) > 0;
}

// What an export leaves beside its files besides them and the locks of documents still open.
QStringList leftovers(const QString &folder, const QStringList &targets)
{
    QStringList found = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &target : targets)
        found.removeAll(QFileInfo(target).fileName());
    found.removeIf([](const QString &name) { return name.startsWith(QLatin1String(".~lock.")); });
    return found;
}

// Programs on a machine whose locale is C, or not installed, still get their Chinese paths.
struct CLocale
{
    const QByteArray lang = qgetenv("LANG"), all = qgetenv("LC_ALL");
    CLocale() { qputenv("LANG", "C"), qputenv("LC_ALL", "C"); }
    ~CLocale() { restore("LANG", lang), restore("LC_ALL", all); }
    static void restore(const char *name, const QByteArray &value)
    {
        value.isNull() ? qunsetenv(name) : qputenv(name, value);
    }
};

} // namespace

class TestOffice : public QObject
{
    Q_OBJECT
    QTemporaryDir m_converted;

private slots:
    // The office module is built into the demo program folder, not beside the test.
    void initTestCase() { office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER)); }
    void preparedProfileNamesTheInstalledVersion();
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
    void exportWrittenWholeOrNotAtAll_data();
    void exportWrittenWholeOrNotAtAll();
    void cleanupTestCase();

private:
    // One office of each kind for all cases of a test, started under the C locale.
    SpreadsheetAutomation &sheet();
    WordAutomation &word();
    std::unique_ptr<SpreadsheetAutomation> sheet_;
    std::unique_ptr<WordAutomation> word_;
};

SpreadsheetAutomation &TestOffice::sheet()
{
    if (!sheet_) {
        const CLocale locale;
        sheet_ = office::startSpreadsheet(QStringLiteral(SOFFICE));
    }
    return *sheet_;
}

WordAutomation &TestOffice::word()
{
    if (!word_) {
        const CLocale locale;
        word_ = office::startWord(QStringLiteral(SOFFICE));
    }
    return *word_;
}

void TestOffice::cleanupTestCase()
{
    sheet_.reset();
    word_.reset();
}

// The version a prepared profile names is the installation's own, as `soffice --version` tells it.
void TestOffice::preparedProfileNamesTheInstalledVersion()
{
    QProcess version;
    version.start(QStringLiteral(SOFFICE), {QStringLiteral("--version")});
    QVERIFY(version.waitForFinished(30000));
    const QString told = QString::fromUtf8(version.readAllStandardOutput()).section(QLatin1Char(' '), 1, 1).section(QLatin1Char('.'), 0, 1);
    QCOMPARE(office::installedVersion(QStringLiteral(SOFFICE)), told);
    QCOMPARE(office::installedVersion(QStringLiteral("/no-office/soffice")), QString());
}

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
    QTest::addColumn<QString>("csv");

    const QString complete = QStringLiteral("姓名");
    QString unfinished = QStringLiteral("姓名,");
    for (int n = 1; n <= 50; ++n)
        unfinished += QStringLiteral(",作业%1").arg(n);
    const QList<std::tuple<const char *, QString, QString, int>> rows{
        {"complete", QStringLiteral("校迅通导出文件/全部完成学生名单.xls"), complete, 1},
        {"unfinished", QStringLiteral("校迅通导出文件/未完成作业学生名单.xls"), unfinished, 1},
        {"today complete", QStringLiteral("校迅通导出文件/当天/当天全部完成学生名单.xls"), complete, 1},
        {"today unfinished", QStringLiteral("校迅通导出文件/当天/当天未完成作业学生名单.xls"), unfinished, 1},
        {"pupil list", QStringLiteral("班级姓名.xls"), QStringLiteral("王小明"), 40}};
    // Copies of every prepared workbook, read back as CSV by one office start.
    QStringList files;
    for (const auto &row : rows)
        files << copyPrepared(std::get<1>(row), m_converted.path());
    const QStringList csvs =
        convertAll(files, QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76"), m_converted.path());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto &[name, file, firstLine, lines] = rows[i];
        QTest::newRow(name) << file << firstLine << lines << csvs[i];
    }
}

void TestOffice::preparedWorkbooks()
{
    QFETCH(QString, file);
    QFETCH(QString, firstLine);
    QFETCH(int, lines);
    QFETCH(QString, csv);
    QFile binary(preparedFile(file));
    QVERIFY(binary.open(QIODevice::ReadOnly));
    QCOMPARE(binary.read(4), QByteArray("\xD0\xCF\x11\xE0", 4)); // an Excel 97 compound file
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
    // The offices shared by the cases of another test may still run.
    const QList<qint64> earlier = sessionProcesses();
    QList<qint64> started;
    QString error;
    {
        const auto workbookEngine = office::startSpreadsheet(QStringLiteral(SOFFICE));
        SpreadsheetAutomation &workbook = *workbookEngine;
        started = sessionProcesses();
        started.removeIf([&](qint64 pid) { return earlier.contains(pid); });
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

    const QString text = pdfText(pdf);
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
    const QStringList printed = queue.printedFiles(1, 60000);
    QVERIFY2(printed.size() == 1, "CUPS-PDF wrote no file within a minute");
    const int pages = pdfPages(printed.first());
    PdfPrintQueue::removeFiles(printed);
    QCOMPARE(pages, 2);
}

void TestOffice::exportWrittenWholeOrNotAtAll_data()
{
    using Kind = office::ExportProblem::Kind;
    QTest::addColumn<bool>("documents");
    QTest::addColumn<int>("fault");
    QTest::addColumn<Kind>("problem");
    QTest::addColumn<QString>("message");

    const QString notWhole = QStringLiteral("新写出的文件不完整）\n原来的文件都没有改动。");
    QTest::newRow("workbook pair") << false << int(NoFault) << Kind::None << QString();
    QTest::newRow("document pair") << true << int(NoFault) << Kind::None << QString();
    QTest::newRow("damaged workbook") << false << int(DamagedSecond) << Kind::WrongFormat
                                      << QStringLiteral("它不是 Excel 97-2003 工作簿（.xls）");
    QTest::newRow("password-protected workbook") << false << int(PasswordSecond) << Kind::WrongFormat
                                                 << QStringLiteral("文件设有打开密码");
    QTest::newRow("stale lock, removed") << false << int(StaleLock) << Kind::None << QString();
    QTest::newRow("lock held here") << false << int(LockHeldHere) << Kind::InUse << QStringLiteral("正被其他程序使用");
    QTest::newRow("lock of another computer") << false << int(LockOfAnotherComputer) << Kind::InUse
                                              << QStringLiteral("正被其他程序使用");
    QTest::newRow("workbook cut short") << false << int(SecondCutShort) << Kind::None << notWhole;
    QTest::newRow("document cut short") << true << int(SecondCutShort) << Kind::None << notWhole;
    QTest::newRow("folder in place of a workbook") << false << int(SecondTurnedFolder) << Kind::None
                                                   << QStringLiteral("是一个文件夹，不是文件。");
    QTest::newRow("workbook read but not written") << false << int(FirstReadOnly) << Kind::ReadOnly
                                                   << QStringLiteral("是只读的，无法写入");
}

// The pair is checked, staged and committed as an export does, through offices started under the
// C locale, in folders with Chinese names.
void TestOffice::exportWrittenWholeOrNotAtAll()
{
    using Kind = office::ExportProblem::Kind;
    QFETCH(bool, documents);
    QFETCH(int, fault);
    QFETCH(Kind, problem);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const QString outputs = folder.filePath(documents ? QStringLiteral("文本生成/未完作业汇总") : QStringLiteral("校迅通导出文件"));
    QVERIFY(QDir().mkpath(outputs));
    QStringList inputs, targets;
    for (const QString &file : documents ? QStringList{shortTemplate, longTemplate} : QStringList{completeWorkbook, unfinishedWorkbook})
        inputs << copyPrepared(file, documents ? folder.path() : outputs);
    QVERIFY(!inputs.contains(QString()));
    if (documents) {
        targets = QStringList{outputs + QStringLiteral("/未完成作业汇总(不超30次).doc"), outputs + QStringLiteral("/未完成作业汇总(超过30次).doc")};
        QVERIFY(QFile::copy(inputs[0], targets[0]));
    } else {
        targets = inputs;
    }
    // A file replaced keeps its mode; a new one is the teacher's alone.
    const QList<unsigned> modes{documents ? 0644u : 0640u, documents ? 0600u : 0604u};
    QVERIFY(::chmod(QFile::encodeName(targets[0]).constData(), modes[0]) == 0);
    if (!documents)
        QVERIFY(::chmod(QFile::encodeName(targets[1]).constData(), modes[1]) == 0);
    QFile holder(targets[0]);
    if (fault == DamagedSecond) {
        QFile damaged(targets[1]);
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i)
            damaged.write(QByteArray::number(QRandomGenerator::global()->generate(), 36));
    }
    if (fault == PasswordSecond)
        QVERIFY(markPasswordProtected(targets[1]));
    if (fault == StaleLock || fault == LockHeldHere)
        QVERIFY(writeLock(targets[0], QSysInfo::machineHostName()));
    if (fault == LockOfAnotherComputer)
        QVERIFY(writeLock(targets[0], QStringLiteral("other-pc")));
    if (fault == LockHeldHere)
        QVERIFY(holder.open(QIODevice::ReadOnly));
    // Root writes whatever the mode says: for it only a read-only disk stops the writing.
    std::optional<testing::Mount> readOnlyDisk;
    if (fault == FirstReadOnly && ::geteuid() == 0) {
        readOnlyDisk.emplace(outputs);
        if (!readOnlyDisk->mounted())
            QSKIP(testing::Mount::refused);
    } else if (fault == FirstReadOnly) {
        QVERIFY(::chmod(QFile::encodeName(targets[0]).constData(), 0444) == 0);
    }
    const QList<QByteArray> before{fileDigest(targets[0]), fileDigest(targets[1])};

    const office::ExportFiles files = documents ? office::ExportFiles{{}, inputs, targets} : office::ExportFiles{targets, {}, {}};
    office::ExportProblem found = files.check();
    if (found.kind == Kind::StaleLock) {
        QCOMPARE(found.staleLocks, office::lockFilesOf(targets[0]));
        QVERIFY2(found.message.contains(targets[0]), qPrintable(found.message));
        office::removeStaleLocks(found.staleLocks);
        found = files.check();
    }
    QCOMPARE(found.kind, problem);
    if (problem != Kind::None) {
        QVERIFY2(found.message.contains(message), qPrintable(found.message));
        if (problem == Kind::WrongFormat) {
            const QString refused = errorOf([&] { sheet().open(targets[1]); });
            QVERIFY2(refused.contains(message) && refused.contains(targets[1]), qPrintable(refused));
        }
        QCOMPARE((QList<QByteArray>{fileDigest(targets[0]), fileDigest(targets[1])}), before);
        return;
    }

    const auto format = documents ? office::OfficeFormat::Word97Document : office::OfficeFormat::Excel97Workbook;
    const QStringList written{QStringLiteral("新的第一个文件"), QStringLiteral("新的第二个文件")};
    QString error;
    {
        office::StagedFiles staged;
        error = errorOf([&] {
            for (int i = 0; i < 2; ++i) {
                const QString path = staged.stage(targets[i], format);
                if (documents) {
                    const auto document = word().open(inputs[i]);
                    word().writeColumn(document, 1, 2, 2, {written[i]});
                    word().saveAs(document, path);
                    word().close(document);
                } else {
                    sheet().open(targets[i]);
                    sheet().writeCell(2, 1, written[i]);
                    sheet().saveTo(path);
                }
                if (i == 1 && fault == SecondCutShort)
                    QFile::resize(path, QFileInfo(path).size() / 2);
            }
            if (fault == SecondTurnedFolder && QFile::remove(targets[1]))
                QDir().mkdir(targets[1]);
            staged.commit();
        });
    }
    QCOMPARE(leftovers(outputs, targets), QStringList());
    if (!message.isEmpty()) {
        QVERIFY2(error.contains(message), qPrintable(error));
        QCOMPARE(fileDigest(targets[0]), before[0]);
        if (fault != SecondTurnedFolder)
            QCOMPARE(fileDigest(targets[1]), before[1]);
        return;
    }
    QVERIFY2(error.isEmpty(), qPrintable(error));
    for (int i = 0; i < 2; ++i) {
        QCOMPARE(modeOf(targets[i]), modes[i]);
        QCOMPARE(office::inspectFormat(targets[i], format), office::FormatVerdict::Whole);
        QVERIFY(fileDigest(targets[i]) != before[i]);
        if (!documents) {
            sheet().open(targets[i]);
            QCOMPARE(sheet().readCell(2, 1), written[i]);
        }
    }
}

QTEST_GUILESS_MAIN(TestOffice)
#include "TestOffice.moc"
