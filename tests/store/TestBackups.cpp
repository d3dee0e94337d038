#include "Faults.h"
#include "TestSupport.h"

#include "store/Backups.h"

#include <QDir>
#include <QElapsedTimer>

#include <cstring>
#include <QFile>
#include <QtTest>

using namespace testing;

namespace {

QStringList reasons(const QList<store::BackupInfo> &copies)
{
    QStringList found;
    for (const store::BackupInfo &copy : copies)
        found << copy.date.toString(Qt::ISODate) + QLatin1Char(' ') + copy.reason;
    return found;
}

} // namespace

class TestBackups : public QObject {
    Q_OBJECT

private slots:
    void oneDailyCopyADayAndThirtyKept();
    void copyOpensWithTheKeyAndHoldsTheRecords();
    void unusableCopiesAreNamed_data();
    void unusableCopiesAreNamed();
    void failedCopiesLeaveNoFile_data();
    void failedCopiesLeaveNoFile();
};

void TestBackups::oneDailyCopyADayAndThirtyKept()
{
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    store::Backups backups(folder.path());
    const QDate first(2014, 3, 1);
    QVERIFY(backups.dailyDue(first));
    QVERIFY(backups.makeDaily(db.database(), first));
    QVERIFY(!backups.dailyDue(first) && !backups.makeDaily(db.database(), first));
    QStringList clearings;
    for (int copy = 1; copy <= 3; ++copy)
        clearings << QFileInfo(backups.make(db.database(), store::BackupReason::BeforeClearing, first)).fileName();
    QCOMPARE(clearings, (QStringList{"作业查找数据库-2014-03-01-清空前.mdb", "作业查找数据库-2014-03-01-清空前(2).mdb",
                                     "作业查找数据库-2014-03-01-清空前(3).mdb"}));
    for (int d = 1; d <= 34; ++d)
        QVERIFY(backups.makeDaily(db.database(), first.addDays(d)));

    const QStringList kept = reasons(backups.list());
    QCOMPARE(kept.count(QStringLiteral("2014-03-01 清空前")), 3);
    QCOMPARE(kept.size(), store::Backups::kDailyKept + 3);
    QCOMPARE(kept.first(), QStringLiteral("2014-04-04 每日"));
    QVERIFY(kept.contains(QStringLiteral("2014-03-06 每日")));
    QVERIFY(!kept.contains(QStringLiteral("2014-03-05 每日")));

    // A copied folder: every file of one later time, the first copy of a day the newest. The names
    // alone order them, and a thousand list at once: no copy is opened.
    for (int i = 0; i < 1000; ++i) {
        QFile file(QDir(backups.folder()).filePath(i < 3 ? clearings[i] : QStringLiteral("作业查找数据库-%1-每日.mdb").arg(QDate(2010, 1, 1).addDays(i).toString(Qt::ISODate))));
        QVERIFY(file.open(QIODevice::ReadWrite) && (i < 3 || file.write(QByteArray(1024, 'x')) == 1024)
                && file.setFileTime(QDateTime(QDate(2026, 1, 5), QTime(12, 0)).addSecs(-i), QFileDevice::FileModificationTime));
    }
    QElapsedTimer timer;
    timer.start();
    const QList<store::BackupInfo> listed = backups.list();
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(listed.size(), store::Backups::kDailyKept + 1000);
    QCOMPARE(QFileInfo(listed[store::Backups::kDailyKept].path).fileName(), clearings[2]);
    QCOMPARE(QFileInfo(listed[store::Backups::kDailyKept + 2].path).fileName(), clearings[0]);
}

void TestBackups::copyOpensWithTheKeyAndHoldsTheRecords()
{
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    addDay(db.database(), QStringLiteral("14-5-16"), {{2, QStringLiteral("练习")}}, {{2, QStringLiteral("120")}});
    addDay(db.database(), QStringLiteral("14-5-9"), {{2, QStringLiteral("旧")}}, {{2, QStringLiteral("000")}});
    addDay(db.database(), QStringLiteral("88-1-1"), {}, {});
    const QString path = store::Backups(folder.path()).make(db.database(), store::BackupReason::BeforePupilImport,
                                                            QDate(2014, 5, 17));
    QCOMPARE(QFileInfo(path).fileName(), QStringLiteral("作业查找数据库-2014-05-17-导入学生名单前.mdb"));
    store::Database copy = store::Database::openReadOnly(path, store::databaseKey());
    for (const char *table : {"作业内容登记表", "扫描输入作业完成情况", "姓名"}) {
        const QString all = QStringLiteral("SELECT group_concat(\"%1\", '|') FROM (SELECT * FROM \"%2\" ORDER BY rowid)")
                                .arg(QString::fromUtf8(std::strcmp(table, "姓名") == 0 ? "姓名" : "日期"), QString::fromUtf8(table));
        QCOMPARE(value(copy, all), value(db.database(), all));
    }
    const auto info = store::Backups::inspect(path);
    // One file: nothing beside it to lose when the copy is moved.
    QVERIFY(!QFileInfo::exists(path + QStringLiteral("-wal")));
    QCOMPARE(info.schoolDays, 2);
    QCOMPARE(info.lastDay, QStringLiteral("14-5-16"));
}

void TestBackups::unusableCopiesAreNamed_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("not a database") << "garbage";
    QTest::newRow("another key") << "key";
    QTest::newRow("another program's file") << "tables";
    QTest::newRow("16 damaged bytes") << "flip";
    QTest::newRow("a day table of another layout") << "columns";
}

void TestBackups::unusableCopiesAreNamed()
{
    QFETCH(QString, kind);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("copy.mdb"));
    if (kind == QLatin1String("garbage")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else if (kind == QLatin1String("flip") || kind == QLatin1String("columns")) {
        ProgramFolder source(3);
        store::HomeworkDb db(source.path());
        addTerm(db.database());
        if (kind == QLatin1String("columns"))
            db.database().exec(QStringLiteral("DROP TABLE \"扫描输入作业完成情况\"; CREATE TABLE \"扫描输入作业完成情况\" (\"日期\" TEXT, \"完成1\" TEXT)"));
        QVERIFY(QFile::copy(store::Backups(source.path()).make(db.database(), store::BackupReason::Daily, QDate(2014, 5, 17)), path));
        if (kind == QLatin1String("flip"))
            damage(path, kind);
    } else {
        store::Database other =
            store::Database::createNew(path, kind == QLatin1String("key") ? QStringLiteral("another") : store::databaseKey());
        other.exec(QStringLiteral("CREATE TABLE \"作业内容登记表\" (\"日期\" TEXT)"));
    }
    const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    QVERIFY_THROWS_EXCEPTION(store::DatabaseError, store::Backups::inspect(path));
    try {
        store::Backups::inspect(path);
    } catch (const store::DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("无法使用")), qPrintable(error.message()));
    }
    QFile after(path);
    QVERIFY(after.open(QIODevice::ReadOnly));
    QCOMPARE(after.readAll(), before);
}

void TestBackups::failedCopiesLeaveNoFile_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("a file in place of the folder") << false;
    QTest::newRow("disk full while copying") << true;
}

void TestBackups::failedCopiesLeaveNoFile()
{
    QFETCH(bool, diskFull);
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    addTerm(db.database());
    const QString copies = store::Backups(folder.path()).folder();
    QFile blocker(copies);
    QVERIFY(diskFull ? QDir().mkpath(copies) : blocker.open(QIODevice::WriteOnly));
    blocker.close();
    std::optional<Mount> disk;
    if (diskFull && !disk.emplace(copies, 16).mounted())
        QSKIP(Mount::refused);
    try {
        store::Backups(folder.path()).makeDaily(db.database(), QDate(2014, 5, 17));
        QFAIL("a backup was reported made");
    } catch (const store::DatabaseError &error) {
        QVERIFY2(error.message().contains(diskFull ? "无法在" : "是一个文件"), qPrintable(error.message()));
    }
    QCOMPARE(QFileInfo(copies).isFile(), !diskFull);
    QCOMPARE(QDir(copies).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(TestBackups)
#include "TestBackups.moc"
