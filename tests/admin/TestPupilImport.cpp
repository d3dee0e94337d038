#include "AdminTestSupport.h"

#include "admin/OfficePupilListReader.h"
#include "admin/PupilImport.h"
#include "office/OfficeEngine.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <QUrl>

using namespace testing;

namespace {

// 班级姓名.xls in folder, one row per text (empty texts are empty cells), made by a separate
// soffice conversion from CSV so the import reads a real MS Excel 97 file.
bool writePupilWorkbook(const QString &folder, const QStringList &rows)
{
    QTemporaryDir work;
    const QString csv = work.filePath("names.csv");
    QFile file(csv);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString &row : rows)
        file.write(row.toUtf8() + "\n");
    file.close();
    QProcess convert;
    convert.start(SOFFICE, {"-env:UserInstallation=" + QUrl::fromLocalFile(work.filePath("profile")).toString(),
                            "--headless", "--norestore", "--infilter=CSV:44,34,76", "--convert-to", "xls",
                            "--outdir", work.path(), csv});
    if (!convert.waitForFinished(120000) || convert.exitCode() != 0)
        return false;
    return QFile::rename(work.filePath("names.xls"), admin::pupilListPath(folder));
}

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

private slots:
    // The office module is built into the demo program folder, not beside the test.
    void initTestCase() { office::setModuleFolder(QStringLiteral(PROGRAM_FOLDER)); }
    void init();
    void importFromTheWorkbook_data();
    void importFromTheWorkbook();
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
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("notice");
    const QString done = QStringLiteral("导入到数据库完成，请重启软件！");
    const QStringList old = names(0, -1);
    QTest::newRow("45 names") << names(1, 45) << names(1, 45) << QString() << done;
    QTest::newRow("50 names") << names(1, 50) << names(1, 50) << QString() << done;
    QTest::newRow("a gap after 10") << names(1, 10) + QStringList{""} + names(12, 15) << names(1, 10) << QString() << done;
    QTest::newRow("120 names refused") << names(1, 120) << old
                                       << QStringLiteral("中的姓名超过 50 个，本软件每班最多 50 名学生，本次导入无效！")
                                       << QString();
    QTest::newRow("51 names refused") << names(1, 51) << old << QStringLiteral("超过 50 个") << QString();
    QTest::newRow("shared names refused") << names(1, 5) + QStringList{"新生2", "新生7", "新生5"} << old
                                          << QStringLiteral("中有重名的学生：新生2（第2、6行）；新生5（第5、8行）。") << QString();
    QTest::newRow("empty A1") << QStringList{"", "张三", "李四"} << old << QString()
                              << QStringLiteral("所导入的班级在EXCEL中无姓名，本次导入无效！");
}

void TestPupilImport::importFromTheWorkbook()
{
    QFETCH(QStringList, rows);
    QFETCH(QStringList, expected);
    QFETCH(QString, message);
    QFETCH(QString, notice);
    RunningWindow run(3);
    QVERIFY(writePupilWorkbook(run.folder.path(), rows));
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
    if (message.isEmpty()) {
        QVERIFY2(shown.isEmpty(), qPrintable(shown.join('\n')));
    } else {
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown[0].contains(message) && shown[0].contains("班级姓名.xls"), qPrintable(shown[0]));
    }
    QCOMPARE(run.ui().Command7->isVisible(), !notice.isEmpty());
    if (!notice.isEmpty())
        QCOMPARE(run.ui().Command7->text(), notice);
    const bool imported = notice.startsWith(QStringLiteral("导入"));
    QCOMPARE(run.context().run().restartPending(), imported ? 1 : 0);
    QCOMPARE(import->isVisible(), !imported);

    store::Database file = openFile(run.folder.path());
    QCOMPARE(column(file, "SELECT \"姓名\" FROM \"姓名\" ORDER BY rowid"), expected);
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
    QVERIFY(QFile::copy(QFINDTESTDATA("TestPupilImport.cpp"), admin::pupilListPath(folder.path())));
    store::HomeworkDb db(folder.path());
    admin::OfficePupilListReader reader(folder.path() + "/no-office/soffice");
    const admin::PupilImportResult result = admin::导入班级姓名(db.database(), reader, folder.path());
    QCOMPARE(result.outcome, admin::PupilImportResult::Outcome::Unreadable);
    QVERIFY2(result.refusal.contains("LibreOffice") && result.refusal.contains("no-office"), qPrintable(result.refusal));
    QCOMPARE(db.rowCount("姓名"), 12);
}

QTEST_MAIN(TestPupilImport)
#include "TestPupilImport.moc"
