#include "app/ProgramFolder.h"
#include "store/Backups.h"
#include "store/HomeworkDb.h"
#include "store/Faults.h"
#include "ui/MessagePresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

namespace {

const QStringList preparedFiles = {"班级姓名.xls", "校迅通导出文件/当天/当天全部完成学生名单.xls", "文本模板/模板.doc"};
const QString emptyPreparedFolder = "文本生成/未完作业汇总";

void writeFile(const QString &path, const QByteArray &content)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A package's layout under a temporary root: the executable's folder and its prepared files.
struct InstalledLayout {
    QTemporaryDir root;
    QString executableFolder = root.filePath("usr/lib/homework-tracker");
    QString installedFiles = QDir::cleanPath(executableFolder + '/' + INSTALLED_FILES_FROM_EXECUTABLE);
    QString dataFolder = root.filePath("home/.local/share/homework-tracker");

    void install(bool withPreparedFiles)
    {
        QVERIFY(QDir().mkpath(executableFolder));
        writeFile(executableFolder + "/homework-tracker", "program");
        if (!withPreparedFiles)
            return;
        for (const QString &file : preparedFiles)
            writeFile(installedFiles + '/' + file, "prepared " + file.toUtf8());
        QVERIFY(QDir().mkpath(installedFiles + '/' + emptyPreparedFolder));
    }

    // Each prepared file is the installed copy unless the teacher's own was there first.
    void verifyDataFolder(const QStringList &teachersFiles = {}) const
    {
        for (const QString &file : preparedFiles) {
            if (!teachersFiles.contains(file))
                QCOMPARE(contentOf(dataFolder + '/' + file), contentOf(installedFiles + '/' + file));
            // Every export writes its workbook in place.
            QVERIFY(QFile::permissions(dataFolder + '/' + file) & QFileDevice::WriteOwner);
        }
        for (const QString &file : teachersFiles)
            QCOMPARE(contentOf(dataFolder + '/' + file), "teacher's " + file.toUtf8());
        QVERIFY(QFileInfo(dataFolder + '/' + emptyPreparedFolder).isDir());
    }
};

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void folderDependsOnTheExecutablesPlace_data();
    void folderDependsOnTheExecutablesPlace();
    void laterStartsKeepTheTeachersFiles_data();
    void laterStartsKeepTheTeachersFiles();
    void unusableDataFolderIsRefused_data();
    void unusableDataFolderIsRefused();
    void runThatCannotPrepareItsFolderTellsWhichAndStops();
};

void TestProgramFolder::initTestCase()
{
    QCoreApplication::setApplicationName("homework-tracker");
    ui::MessagePresenter::setTestMode(true);
}

void TestProgramFolder::folderDependsOnTheExecutablesPlace_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<QString>("dataHolder");
    QTest::newRow("portable copy") << false << true << "executable folder";
    QTest::newRow("installed, started by root") << true << true << "data folder";
    QTest::newRow("installed, started by a teacher") << true << false << "data folder";
    // A fresh database elsewhere would show the teacher no pupils and no books.
    QTest::newRow("read-only copy holding the teacher's records") << false << false << "none";
}

void TestProgramFolder::folderDependsOnTheExecutablesPlace()
{
    QFETCH(bool, installed);
    QFETCH(bool, writable);
    QFETCH(QString, dataHolder);
    InstalledLayout layout;
    layout.install(installed);
    if (!installed)
        store::HomeworkDb created(layout.executableFolder);
    qputenv("XDG_DATA_HOME", layout.root.filePath("home/.local/share").toUtf8());
    // Root writes through permissions: for root the folder is mounted read-only over itself.
    std::optional<testing::Mount> readOnly;
    if (!writable) {
        QFile::setPermissions(layout.executableFolder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QFileInfo(layout.executableFolder).isWritable() && !readOnly.emplace(layout.executableFolder).mounted())
            QSKIP(testing::Mount::refused);
    }

    try {
        const QString folder = app::chooseProgramFolder(layout.executableFolder, layout.installedFiles, layout.dataFolder);
        QCOMPARE(folder, dataHolder == "executable folder" ? layout.executableFolder : layout.dataFolder);
        QVERIFY(dataHolder != "none");
    } catch (const app::ProgramFolderError &error) {
        QVERIFY2(dataHolder == "none" && error.message().contains(QDir::toNativeSeparators(layout.executableFolder))
                     && error.message().contains("只读") && error.message().contains("复制"),
                 qPrintable(error.message()));
    }
    readOnly.reset();
    QFile::setPermissions(layout.executableFolder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (dataHolder != "data folder") {
        QVERIFY(!QFileInfo::exists(layout.dataFolder));
        return;
    }
    layout.verifyDataFolder();
    // The records are the teacher's alone.
    store::HomeworkDb db(layout.dataFolder);
    const QString copy = store::Backups(layout.dataFolder).make(db.database(), store::BackupReason::Daily, QDate(2014, 5, 17));
    const QFileDevice::Permissions groupAndOthers(0x77);
    for (const QString &path : {layout.dataFolder, store::HomeworkDb::filePath(layout.dataFolder), copy})
        QVERIFY2(!(QFile::permissions(path) & groupAndOthers), qPrintable(path));
}

void TestProgramFolder::laterStartsKeepTheTeachersFiles_data()
{
    QTest::addColumn<QStringList>("teachersFiles");
    QTest::addColumn<bool>("installedReadOnly");
    QTest::newRow("first start") << QStringList() << false;
    QTest::newRow("edited pupil list and database")
        << QStringList{"班级姓名.xls", "作业查找数据库.mdb"} << false;
    QTest::newRow("filled workbook, read-only installed files")
        << QStringList{"校迅通导出文件/当天/当天全部完成学生名单.xls"} << true;
    QTest::newRow("every prepared file already there") << preparedFiles << false;
}

void TestProgramFolder::laterStartsKeepTheTeachersFiles()
{
    QFETCH(QStringList, teachersFiles);
    QFETCH(bool, installedReadOnly);
    InstalledLayout layout;
    layout.install(true);
    if (installedReadOnly) {
        for (const QString &file : preparedFiles)
            QFile::setPermissions(layout.installedFiles + '/' + file, QFileDevice::ReadOwner | QFileDevice::ReadOther);
    }
    for (const QString &file : teachersFiles)
        writeFile(layout.dataFolder + '/' + file, "teacher's " + file.toUtf8());

    app::chooseProgramFolder(layout.executableFolder, layout.installedFiles, layout.dataFolder);

    layout.verifyDataFolder(teachersFiles);
}

void TestProgramFolder::unusableDataFolderIsRefused_data()
{
    QTest::addColumn<QString>("blockingFile");
    QTest::addColumn<QString>("dataFolder");
    QTest::newRow("prepared folder taken by a file") << "home/data/文本模板" << "home/data";
    QTest::newRow("no data location") << "" << "";
}

void TestProgramFolder::unusableDataFolderIsRefused()
{
    QFETCH(QString, blockingFile);
    QFETCH(QString, dataFolder);
    InstalledLayout layout;
    layout.install(true);
    if (!blockingFile.isEmpty())
        writeFile(layout.root.filePath(blockingFile), "not a folder");
    const QString folder = dataFolder.isEmpty() ? QString() : layout.root.filePath(dataFolder);

    try {
        app::chooseProgramFolder(layout.executableFolder, layout.installedFiles, folder);
        QFAIL("An unusable data folder was accepted");
    } catch (const app::ProgramFolderError &error) {
        if (!blockingFile.isEmpty())
            QVERIFY2(error.message().contains(QDir::toNativeSeparators(layout.root.filePath(blockingFile))), qPrintable(error.message()));
    }
}

void TestProgramFolder::runThatCannotPrepareItsFolderTellsWhichAndStops()
{
    InstalledLayout layout;
    layout.install(true);
    writeFile(layout.root.filePath("home"), "not a folder");
    qputenv("XDG_DATA_HOME", layout.root.filePath("home/.local/share").toUtf8());

    QCOMPARE(app::programFolderOfRun(layout.executableFolder), QString());

    const QStringList shown = ui::MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains(QDir::toNativeSeparators(layout.dataFolder)), qPrintable(shown.first()));
    QVERIFY(shown.first().contains("程序已停止"));
}

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "TestProgramFolder.moc"
