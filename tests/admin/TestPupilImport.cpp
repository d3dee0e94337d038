#include "AdminTestSupport.h"

#include "admin/OfficePupilListReader.h"
#include "admin/PupilImport.h"
#include "office/OfficeEngine.h"
#include "office/OfficeProfile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <QUrl>

using namespace testing;

namespace {

// Real MS Excel 97 workbooks in folder, one per source (a name ending in .csv or .fods, and its
// bytes), converted by one separate soffice run; a workbook that failed is an empty path.
QStringList convertToWorkbooks(const QString &folder, const QList<QPair<QString, QByteArray>> &sources)
{
    QTemporaryDir work;
    QStringList files;
    for (const auto &[name, bytes] : sources) {
        QFile file(work.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return QStringList(sources.size(), QString());
        files << file.fileName();
    }
    office::prepareProfile(work.filePath("profile"), SOFFICE);
    QStringList arguments{"-env:UserInstallation=" + QUrl::fromLocalFile(work.filePath("profile")).toString(),
                          "--headless", "--norestore", "--convert-to", "xls", "--outdir", folder};
    if (sources.value(0).first.endsWith(".csv"))
        arguments << "--infilter=CSV:44,34,76";
    QProcess convert;
    convert.start(SOFFICE, arguments + files);
    const bool converted = convert.waitForFinished(120000) && convert.exitCode() == 0;
    QStringList workbooks;
    for (const QString &file : files) {
        const QString workbook = folder + "/" + QFileInfo(file).completeBaseName() + ".xls";
        workbooks << (converted && QFileInfo::exists(workbook) ? workbook : QString());
    }
    return workbooks;
}

// A list as a reader hands it over: "=N" a number, "=D" a date, "=E" an error, "" an empty cell.
class ListedCells : public admin::PupilListReader {
public:
    explicit ListedCells(const QList<office::Cell> &cells) : cells_(cells) {}
    explicit ListedCells(const QStringList &rows)
    {
        using Kind = office::Cell::Kind;
        const QMap<QString, Kind> marks{{"=N", Kind::Number}, {"=D", Kind::Date}, {"=E", Kind::Error}, {"", Kind::Empty}};
        for (const QString &row : rows)
            cells_ << (marks.contains(row) ? office::Cell{marks[row], {}} : office::Cell{Kind::Text, row});
    }
    QList<office::Cell> readColumnA(const QString &) override
    {
        ++reads;
        return cells_;
    }
    int reads = 0;

private:
    QList<office::Cell> cells_;
};

QStringList names(int first, int last)
{
    QStringList result;
    for (int n = first; n <= last; ++n)
        result << QStringLiteral("新生%1").arg(n);
    return result;
}

} // namespace

class TestPupilImport : public QObject {
    Q_OBJECT
    QTemporaryDir workbooks_;

private slots:
    // The office module is built into the demo program folder, not beside the test.
    void initTestCase() { office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER)); }
    void init();
    void importFromTheWorkbook_data();
    void importFromTheWorkbook();
    void pupilListChecks_data();
    void pupilListChecks();
    void cellKindsOfARealWorkbook();
    void missingWorkbookLeavesThePupils();
    void unreadableWorkbookLeavesThePupils();
    void missingOfficeLeavesThePupils();
};

void TestPupilImport::init()
{
    ui::MessagePresenter::setTestMode(true);
    ui::MessagePresenter::takeShown();
}

void TestPupilImport::importFromTheWorkbook_data()
{
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("notice");
    QTest::addColumn<bool>("readOnlyElsewhere");
    QTest::addColumn<QString>("workbook");
    const QString done = QStringLiteral("导入到数据库完成，请重启软件！");
    const QStringList old = names(0, -1);
    struct Row {
        const char *name;
        QStringList rows, expected;
        QString message, notice;
        bool readOnlyElsewhere;
    };
    const QList<Row> table{
        {"45 names", names(1, 45), names(1, 45), QString(), done, false},
        {"51 names refused", names(1, 51), old, QStringLiteral("中的姓名超过 50 个，本软件每班最多 50 名学生，本次导入无效！"),
         QString(), false},
        {"empty A1", QStringList{"", "张三", "李四"}, old, QString(),
         QStringLiteral("所导入的班级在EXCEL中无姓名，本次导入无效！"), false},
        // Read-only, and open on another computer: reading it needs neither.
        {"read-only list open elsewhere", names(1, 5), names(1, 5), QString(), done, true}};
    // One office start makes every row's workbook; each row then imports its own copy.
    QList<QPair<QString, QByteArray>> sources;
    for (const Row &row : table)
        sources.append({QStringLiteral("row%1.csv").arg(sources.size()), row.rows.join('\n').toUtf8() + "\n"});
    const QStringList made = convertToWorkbooks(workbooks_.path(), sources);
    for (qsizetype i = 0; i < table.size(); ++i)
        QTest::newRow(table[i].name) << table[i].expected << table[i].message << table[i].notice
                                     << table[i].readOnlyElsewhere << made[i];
}

void TestPupilImport::importFromTheWorkbook()
{
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    QFETCH(QString, notice);
    QFETCH(bool, readOnlyElsewhere);
    QFETCH(QString, workbook);
    RunningWindow run(3);
    QVERIFY(!workbook.isEmpty() && QFile::copy(workbook, admin::pupilListPath(run.folder.path())));
    if (readOnlyElsewhere) {
        QFile lock(run.folder.path() + "/.~lock.班级姓名.xls#");
        QVERIFY(lock.open(QIODevice::WriteOnly) && lock.write(",teacher,other-pc,08.12.2025 10:00,file:///home/teacher;") > 0);
        QVERIFY(QFile::setPermissions(admin::pupilListPath(run.folder.path()), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    }
    const QStringList before = run.context().db().pupilNames("姓名");
    QCOMPARE(before.size(), 3);
    if (expected.isEmpty())
        expected = before;
    installAdminFunctions(run.parts(), {});
    run.setClassNames("五(1)");
    logIn(run, run.ui().xsmd);
    QPushButton *import = run.ui().Command10[0];
    QVERIFY(import->isVisible());
    QCOMPARE(import->text(), QStringLiteral("五(1)班名单导入"));

    QTest::mouseClick(import, Qt::LeftButton);
    const QStringList shown = ui::MessagePresenter::takeShown();
    const bool imported = notice.startsWith(QStringLiteral("导入"));
    if (imported) {
        QCOMPARE(shown, QStringList{admin::importedMessage(int(expected.size()))});
    } else if (message.isEmpty()) {
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join('\n')));
    } else {
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(message) && shown[0].contains("班级姓名.xls"), qPrintable(shown[0]));
    }
    QCOMPARE(run.ui().Command7->isVisible(), !notice.isEmpty());
    if (!notice.isEmpty())
        QCOMPARE(run.ui().Command7->text(), notice);
    QCOMPARE(run.context().run().restartPending(), imported ? 1 : 0);
    QCOMPARE(import->isVisible(), !imported);

    store::Database file = openFile(run.folder.path());
    QCOMPARE(column(file, "SELECT \"姓名\" FROM \"姓名\" ORDER BY rowid"), expected);
}

void TestPupilImport::pupilListChecks_data()
{
    using Outcome = admin::PupilList::Outcome;
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("table");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("refusal");

    QStringList padded;
    for (const QString &name : names(1, 40))
        padded << QStringLiteral(" %1　").arg(name);
    QTest::newRow("blanks around names and after the list") << padded + QStringList{"", " "} << QByteArray() << "姓名"
                                                            << Outcome::Accepted << names(1, 40) << QString();
    QTest::newRow("50 names") << names(1, 50) << QByteArray() << "姓名" << Outcome::Accepted << names(1, 50) << QString();
    QTest::newRow("120 names") << names(1, 120) << QByteArray() << "" << Outcome::TooMany << QStringList()
                               << "中的姓名超过 50 个，本软件每班最多 50 名学生，本次导入无效！";
    QTest::newRow("shared names") << names(1, 5) + QStringList{"新生2", "新生7", "新生5"} << QByteArray() << ""
                                  << Outcome::SharedNames << QStringList() << "中有重名的学生：新生2（第2、6行）；新生5（第5、8行）。";
    QTest::newRow("second class") << names(1, 5) << QByteArray() << "52姓名" << Outcome::Accepted << names(1, 5) << QString();
    QTest::newRow("blank row inside") << names(1, 20) + QStringList{""} + names(22, 40) << QByteArray() << "" << Outcome::BadRows
                                      << QStringList() << "第21行是空行";
    QTest::newRow("lone blank inside") << names(1, 3) + QStringList{" "} + names(5, 6) << QByteArray() << "" << Outcome::BadRows
                                       << QStringList() << "第4行是空行";
    QTest::newRow("long blank stretch") << names(1, 2) + QStringList(30, "") + names(33, 33) << QByteArray() << ""
                                        << Outcome::BadRows << QStringList() << "第3至32行是空行";
    QTest::newRow("number, date, error") << QStringList{"张三", "=N", "李四", "=D", "=E"} << QByteArray() << ""
                                         << Outcome::BadRows << QStringList() << "第2、4、5行不是文字";
    QTest::newRow("control character") << QStringList{"张三", QStringLiteral("王\u0001五")} << QByteArray() << ""
                                       << Outcome::BadRows << QStringList() << "第2行含有看不见的控制字符";
    QTest::newRow("same name but a blank") << QStringList{"刘", "张三", "刘 "} << QByteArray() << "" << Outcome::SharedNames
                                           << QStringList() << "重名的学生：刘（第1、3行）";
    QByteArray noise;
    for (int i = 0; i < 600; ++i)
        noise += char(QRandomGenerator::global()->bounded(256));
    QTest::newRow("random bytes") << names(1, 3) << noise << ""
                                  << Outcome::Unreadable << QStringList() << "不是 Excel 97-2003 工作簿";
    QTest::newRow("UTF-8 text") << names(1, 3) << QStringLiteral("张三\n李四\n").toUtf8() << "" << Outcome::Unreadable
                                << QStringList() << "不是 Excel 97-2003 工作簿";
}

// The checks of a list's cells, fed without an office; the file itself is a real workbook or
// what replaced it.
void TestPupilImport::pupilListChecks()
{
    QFETCH(QStringList, rows);
    QFETCH(QByteArray, file);
    QFETCH(QString, table);
    QFETCH(admin::PupilList::Outcome, outcome);
    QFETCH(QStringList, expected);
    QFETCH(QString, refusal);
    ProgramFolder folder(12);
    const QString path = admin::pupilListPath(folder.path());
    QVERIFY(QFile::copy(PROGRAM_FOLDER "/班级姓名.xls", path));
    QFile replaced(path);
    QVERIFY(file.isEmpty() || (replaced.open(QIODevice::WriteOnly) && replaced.write(file) == file.size()));
    replaced.close();
    ListedCells reader(rows);

    const admin::PupilList list = admin::readPupilList(reader, path);
    QCOMPARE(list.outcome, outcome);
    QCOMPARE(list.names, expected);
    QCOMPARE(reader.reads, file.isEmpty() ? 1 : 0);
    QVERIFY2(refusal.isEmpty() ? list.refusal.isEmpty() : list.refusal.contains(refusal) && list.refusal.contains(path),
             qPrintable(list.refusal));
    if (outcome != admin::PupilList::Outcome::Accepted)
        return;
    store::HomeworkDb db(folder.path());
    admin::replacePupils(db.database(), table, list.names);
    QCOMPARE(column(db.database(), QStringLiteral("SELECT \"姓名\" FROM %1 ORDER BY rowid").arg(store::quoted(table))), expected);
    QCOMPARE(db.rowCount(table == "姓名" ? "52姓名" : "姓名"), table == "姓名" ? 0 : 12);
    QCOMPARE(admin::importedMessage(int(list.names.size())), QStringLiteral("学生名单导入完成，共导入 %1 名学生。").arg(expected.size()));
}

// The kinds come from the workbook itself: constants, formula results, a merged cell.
void TestPupilImport::cellKindsOfARealWorkbook()
{
    const QString cell = "<table:table-row><table:table-cell %1>%2</table:table-cell></table:table-row>";
    const QStringList rows{
        cell.arg("office:value-type=\"string\"", "<text:p>张三</text:p>"),
        cell.arg("office:value-type=\"float\" office:value=\"1.5E+20\"", ""),
        cell.arg("table:style-name=\"date\" office:value-type=\"date\" office:date-value=\"2024-05-17\"", ""),
        cell.arg("table:formula=\"of:=1/0\"", ""),
        cell.arg("table:formula=\"of:=&quot;李&quot;&amp;&quot;四&quot;\" office:value-type=\"string\"", ""),
        cell.arg("table:formula=\"of:=1+1\" office:value-type=\"float\" office:value=\"2\"", ""),
        cell.arg("office:value-type=\"string\" table:number-rows-spanned=\"2\"", "<text:p>王五</text:p>"),
        "<table:table-row><table:covered-table-cell/></table:table-row>",
        cell.arg("office:value-type=\"string\"", "<text:p><text:s/></text:p>"),
        cell.arg("office:value-type=\"string\"", "<text:p>赵</text:p><text:p>六</text:p>"),
        cell.arg("office:value-type=\"string\"", "<text:p>刘<text:s/></text:p>")};
    const QString document =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
        "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
        "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" "
        "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" xmlns:number=\"urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0\" "
        "xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\" "
        "office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:automatic-styles>"
        "<number:date-style style:name=\"ymd\"><number:year/><number:text>-</number:text><number:month/>"
        "<number:text>-</number:text><number:day/></number:date-style>"
        "<style:style style:name=\"date\" style:family=\"table-cell\" style:data-style-name=\"ymd\"/>"
        "</office:automatic-styles><office:body><office:spreadsheet><table:table table:name=\"名单\"><table:table-column/>"
        + rows.join("") + "</table:table></office:spreadsheet></office:body></office:document>";
    ProgramFolder folder(12);
    const QString workbook = convertToWorkbooks(workbooks_.path(), {{"kinds.fods", document.toUtf8()}}).value(0);
    QVERIFY(!workbook.isEmpty() && QFile::copy(workbook, admin::pupilListPath(folder.path())));
    admin::OfficePupilListReader reader(SOFFICE);
    const QList<office::Cell> cells = reader.readColumnA(admin::pupilListPath(folder.path()));

    using Kind = office::Cell::Kind;
    const QList<office::Cell> expected{{Kind::Text, "张三"}, {Kind::Number, {}}, {Kind::Date, {}}, {Kind::Error, {}},
                                       {Kind::Text, "李四"}, {Kind::Number, {}}, {Kind::Text, "王五"}, {Kind::Empty, {}},
                                       {Kind::Text, " "},   {Kind::Text, "赵\n六"}, {Kind::Text, "刘 "}};
    for (qsizetype i = 0; i < qMax(cells.size(), expected.size()); ++i)
        QVERIFY2(cells.value(i) == expected.value(i), qPrintable(QStringLiteral("row %1: %2").arg(i + 1).arg(cells.value(i).text)));
    ListedCells read(cells);
    QCOMPARE(admin::readPupilList(read, admin::pupilListPath(folder.path())).refusal,
             QStringLiteral("学生名单“%1”中有无法导入的行：\n"
                            "第2至4、6行不是文字（是数字、日期、错误值或算出数字的公式），姓名必须是文字；\n"
                            "第10行含有看不见的控制字符，请重新输入这些姓名；\n"
                            "第8、9行是空行（合并的单元格也算空行），名单中间不能有空行；\n"
                            "请改正后再导入，本次导入无效！")
                 .arg(admin::pupilListPath(folder.path())));
}

void TestPupilImport::missingWorkbookLeavesThePupils()
{
    RunningWindow run(12);
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().xsmd);
    QTest::mouseClick(run.ui().Command10[0], Qt::LeftButton);
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(QDir::toNativeSeparators(admin::pupilListPath(run.folder.path()))), qPrintable(shown[0]));
    QVERIFY(shown[0].contains(QStringLiteral("找不到")));
    QVERIFY(run.ui().Command10[0]->isVisible());
    QCOMPARE(run.context().run().restartPending(), 0);
    store::Database file = openFile(run.folder.path());
    QCOMPARE(count(file, "姓名"), 12);
}

void TestPupilImport::unreadableWorkbookLeavesThePupils()
{
    RunningWindow run(12);
    // A text document saved under the workbook's name opens in the word processor, not as a sheet.
    QFile document(admin::pupilListPath(run.folder.path()));
    QVERIFY(document.open(QIODevice::WriteOnly));
    document.write("{\\rtf1\\ansi 张三}\n");
    document.close();
    installAdminFunctions(run.parts(), {});
    logIn(run, run.ui().xsmd);
    QTest::mouseClick(run.ui().Command10[0], Qt::LeftButton);
    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(QStringLiteral("无法读取")), qPrintable(shown[0]));
    QCOMPARE(run.context().run().restartPending(), 0);
    store::Database file = openFile(run.folder.path());
    QCOMPARE(count(file, "姓名"), 12);
}

void TestPupilImport::missingOfficeLeavesThePupils()
{
    ProgramFolder folder(12);
    QVERIFY(QFile::copy(PROGRAM_FOLDER "/班级姓名.xls", admin::pupilListPath(folder.path())));
    admin::OfficePupilListReader reader(folder.path() + "/no-office/soffice");
    const admin::PupilList list = admin::readPupilList(reader, admin::pupilListPath(folder.path()));
    QCOMPARE(list.outcome, admin::PupilList::Outcome::Unreadable);
    QVERIFY2(list.refusal.contains("LibreOffice") && list.refusal.contains("no-office"), qPrintable(list.refusal));
    store::HomeworkDb db(folder.path());
    QCOMPARE(db.rowCount("姓名"), 12);
}

QTEST_MAIN(TestPupilImport)
#include "TestPupilImport.moc"
