#include "TestSupport.h"

#include "store/Backups.h"

#include <QDir>

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
    void aFileInPlaceOfTheFolderIsReported();
};

void TestBackups::oneDailyCopyADayAndThirtyKept()
{
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    store::Backups backups(folder.path());
    const QDate first(2014, 3, 1);
    QVERIFY(backups.makeDaily(db.database(), first));
    QVERIFY(!backups.makeDaily(db.database(), first));
    backups.make(db.database(), store::BackupReason::BeforeClearing, first);
    backups.make(db.database(), store::BackupReason::BeforeClearing, first);
    for (int d = 1; d <= 34; ++d)
        QVERIFY(backups.makeDaily(db.database(), first.addDays(d)));

    const QStringList kept = reasons(backups.list());
    QCOMPARE(kept.count(QStringLiteral("2014-03-01 清空前")), 2);
    QCOMPARE(kept.size(), store::Backups::kDailyKept + 2);
    QCOMPARE(kept.first(), QStringLiteral("2014-04-04 每日"));
    QVERIFY(kept.contains(QStringLiteral("2014-03-06 每日")));
    QVERIFY(!kept.contains(QStringLiteral("2014-03-05 每日")));
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
    const store::BackupInfo info = store::Backups::inspect(path);
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

void TestBackups::aFileInPlaceOfTheFolderIsReported()
{
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    QFile blocker(QDir(folder.path()).filePath(QStringLiteral("备份")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    try {
        store::Backups(folder.path()).makeDaily(db.database(), QDate(2014, 5, 17));
        QFAIL("a backup went into a file");
    } catch (const store::DatabaseError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("是一个文件")), qPrintable(error.message()));
    }
    QVERIFY(QFileInfo(blocker.fileName()).isFile());
}

QTEST_MAIN(TestBackups)
#include "TestBackups.moc"
