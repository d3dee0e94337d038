#include "Faults.h"
#include "TestSupport.h"

#include "store/Backups.h"
#include "store/MarkString.h"
#include "store/TextValue.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace testing;

class TestStore : public QObject {
    Q_OBJECT

private slots:
    void numericValueReadsTheLeadingNumber_data();
    void numericValueReadsTheLeadingNumber();
    void dateKeyHasTwoDigitYearAndUnpaddedMonthDay_data();
    void dateKeyHasTwoDigitYearAndUnpaddedMonthDay();
    void splittingAKey_data();
    void splittingAKey();
    void encodingMarks_data();
    void encodingMarks();
    void decodingMarksStaysWithinFiftyCells_data();
    void decodingMarksStaysWithinFiftyCells();

    void newFileHasEveryTableInColumnOrder_data();
    void newFileHasEveryTableInColumnOrder();
    void newFileHoldsTheExpectedRows();
    void fileIsEncryptedWithTheConnectionKey();
    void unusableFileIsRefusedAndLeftUntouched_data();
    void unusableFileIsRefusedAndLeftUntouched();

    void nullBookNamesAreRepairedOnLoad();
    void rememberedListStopsAtTheFirstEmptyRow();
    void rememberedListsRoundTrip();
    void savingTheDayWritesBothRows();
    void savingADayWithoutItsContentRowChangesNothing();
    void subjectFlagsRoundTrip();
};

void TestStore::numericValueReadsTheLeadingNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("padded") << "07" << 7.0;
    QTest::newRow("trailing letter") << "7a" << 7.0;
    QTest::newRow("letters") << "ab" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("leading blank") << " 3" << 3.0;
    QTest::newRow("trailing blank") << "3 " << 3.0;
    QTest::newRow("decimal") << "85.25x" << 85.25;
    QTest::newRow("negative") << "-4" << -4.0;
    QTest::newRow("chinese") << "十2" << 0.0;
}

void TestStore::numericValueReadsTheLeadingNumber()
{
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(store::numericValue(text), expected);
}

void TestStore::dateKeyHasTwoDigitYearAndUnpaddedMonthDay_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("key");
    QTest::newRow("may") << QDate(2014, 5, 17) << "14-5-17";
    QTest::newRow("december") << QDate(2014, 12, 3) << "14-12-3";
    QTest::newRow("early year") << QDate(2005, 1, 2) << "05-1-2";
    QTest::newRow("today") << QDate(2026, 12, 8) << "26-12-8";
}

void TestStore::dateKeyHasTwoDigitYearAndUnpaddedMonthDay()
{
    QFETCH(QDate, date);
    QFETCH(QString, key);
    QLocale::setDefault(QLocale(QLocale::German));
    QCOMPARE(store::dateKey(date), key);
    QLocale::setDefault(QLocale::c());
    QCOMPARE(store::displayedDate(key), QStringLiteral("20") + key);
}

void TestStore::splittingAKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("may") << "14-5-17" << 14 << 5 << 17;
    QTest::newRow("scratch") << "88-12-3" << 88 << 12 << 3;
    QTest::newRow("padded year") << "05-1-2" << 5 << 1 << 2;
}

void TestStore::splittingAKey()
{
    QFETCH(QString, key);
    const store::DateParts parts = store::把年月日进行拆分(key);
    QTEST(parts.year, "year");
    QTEST(parts.month, "month");
    QTEST(parts.day, "day");
}

void TestStore::encodingMarks_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("expected");
    QTest::newRow("pupil 3 excellent of 5") << QStringList{"0", "0", "2", "0", "0"} << "010020032040050。";
    QTest::newRow("nobody") << QStringList{} << "。";
    QTest::newRow("gap is not handed in") << QStringList{"1", "", "1"} << "011020031。";
    QStringList fifty;
    for (int n = 0; n < 50; ++n)
        fifty << QStringLiteral("1");
    QString all;
    for (int n = 1; n <= 50; ++n)
        all += store::twoDigits(n) + QLatin1Char('1');
    QTest::newRow("fifty") << fifty << all + QStringLiteral("。");
}

void TestStore::encodingMarks()
{
    QFETCH(QStringList, cells);
    store::MarkRow row;
    for (int n = 0; n < cells.size(); ++n)
        row[n + 1] = cells[n];
    QTEST(store::encodeMarks(row), "expected");
}

void TestStore::decodingMarksStaysWithinFiftyCells_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("classSize");
    QTest::addColumn<QString>("expected"); // states of cells 1..n, then "|" and how many cells are set
    QString long70;
    for (int n = 1; n <= 70; ++n)
        long70 += store::twoDigits(n % 100) + QLatin1Char('1');
    QTest::newRow("new day of 9") << store::newDayMarks(9) << 9 << "000000000|9";
    QTest::newRow("null column") << QString() << 3 << "000|3";
    QTest::newRow("no terminator") << "011022" << 4 << "1200|4";
    QTest::newRow("seventy cells") << long70 << 50 << QString(50, QLatin1Char('1')) + QStringLiteral("|50");
    QTest::newRow("cut cell") << "0110" << 1 << "1|1";
    QTest::newRow("scanned beyond the list") << "011。" << 2 << "10|2";
}

void TestStore::decodingMarksStaysWithinFiftyCells()
{
    QFETCH(QString, text);
    QFETCH(int, classSize);
    QFETCH(QString, expected);
    store::MarkRow row;
    row.fill(QStringLiteral("9")); // another day's marks must not survive
    store::decodeMarks(text, row, classSize);
    QString states;
    int set = 0;
    for (int n = 1; n <= store::kMaxMarkCells; ++n) {
        QVERIFY2(row[n] != QLatin1String("9"), qPrintable(QStringLiteral("cell %1 kept a stale mark").arg(n)));
        states += row[n];
        set += row[n].isEmpty() ? 0 : 1;
    }
    QCOMPARE(states + QLatin1Char('|') + QString::number(set), expected);
}

void TestStore::newFileHasEveryTableInColumnOrder_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<int>("columns");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::newRow("contents") << "作业内容登记表" << 40 << "日期" << "日子";
    QTest::newRow("marks") << "扫描输入作业完成情况" << 72 << "日期" << "日子";
    QTest::newRow("books") << "作业本名称" << 33 << "编号" << "本子32";
    QTest::newRow("scores") << "数学" << 100 << "姓名" << "测试99";
    QTest::newRow("second class") << "52姓名" << 1 << "姓名" << "姓名";
    QTest::newRow("password") << "管理密码" << 1 << "密码" << "密码";
    QTest::newRow("recent") << "最近显示作业" << 5 << "日期" << "显示标题";
    QTest::newRow("flags") << "学科显示作业本标记" << 5 << "语文" << "全部";
}

void TestStore::newFileHasEveryTableInColumnOrder()
{
    QFETCH(QString, table);
    QFETCH(int, columns);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QTemporaryDir dir;
    store::HomeworkDb db(dir.path());
    store::Statement info = db.database().prepare(QStringLiteral("PRAGMA table_info(%1)").arg(store::quoted(table)));
    QStringList names;
    QStringList types;
    while (info.step()) {
        names << info.text(1);
        types << info.text(2);
    }
    QCOMPARE(names.size(), columns);
    QCOMPARE(names.first(), first);
    QCOMPARE(names.last(), last);
    // Test numbers are whole: 3, never 3.0.
    const QStringList wholeNumbers(4, QStringLiteral("INTEGER"));
    if (table == QStringLiteral("作业内容登记表")) {
        QCOMPARE(names.mid(33, 4), (QStringList{"语文检测编号", "数学检测编号", "英语检测编号", "科学检测编号"}));
        QCOMPARE(types.mid(33, 4), wholeNumbers);
    }
    if (table == QStringLiteral("扫描输入作业完成情况")) {
        QCOMPARE(names.at(33), QStringLiteral("优秀结束1"));
        QCOMPARE(names.at(66), QStringLiteral("数学检测次数顺序号标记"));
        QCOMPARE(types.mid(65, 4), wholeNumbers);
    }
}

void TestStore::newFileHoldsTheExpectedRows()
{
    QTemporaryDir dir;
    store::HomeworkDb db(dir.path());
    auto count = [&](const char *table) {
        return value(db.database(), QStringLiteral("SELECT count(*) FROM \"%1\"").arg(QString::fromUtf8(table))).toInt();
    };
    QCOMPARE(count("学科显示作业本标记"), 32);
    QCOMPARE(count("最近显示作业"), 11);
    QCOMPARE(count("最新输入作业"), 8);
    QCOMPARE(count("班级"), 1);
    QCOMPARE(count("作业本名称"), 1);
    QCOMPARE(count("语数英科在作业本名称中的顺序号"), 1);
    QCOMPARE(count("作业内容登记表"), 0);
    QCOMPARE(value(db.database(), QStringLiteral("SELECT \"密码\" FROM \"管理密码\"")).toString(), QStringLiteral("730418"));
}

void TestStore::fileIsEncryptedWithTheConnectionKey()
{
    QTemporaryDir dir;
    { store::HomeworkDb db(dir.path()); }
    QFile file(store::HomeworkDb::filePath(dir.path()));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(!file.read(16).startsWith("SQLite format 3"));
    QVERIFY_THROWS_EXCEPTION(store::DatabaseOpenError,
                             store::Database::openExisting(file.fileName(), QStringLiteral("wrong")));
    store::Database reopened = store::Database::openExisting(file.fileName(), store::databaseKey());
    QCOMPARE(value(reopened, QStringLiteral("SELECT count(*) FROM \"管理密码\"")).toInt(), 1);
}

// In 备份/: the newest copy unreadable, the one before it sound though made by an earlier version
// (REAL test numbers) and holding tables of later ones, as a refusal must name it.
static void keepCopies(const QString &folder)
{
    QTemporaryDir older;
    store::HomeworkDb db(older.path());
    db.database().exec(QStringLiteral(
        "CREATE TABLE \"ScanSounds\" (\"SoundsOn\" INTEGER); CREATE TABLE \"LabelPrinting\" (\"Offset\" REAL);"
        "CREATE TABLE \"52扫描输入作业完成情况\" AS SELECT * FROM \"扫描输入作业完成情况\"; PRAGMA writable_schema = ON;"
        "UPDATE sqlite_master SET sql = replace(replace(sql, '检测编号\" INTEGER', '检测编号\" REAL'), '顺序号标记\" INTEGER', "
        "'顺序号标记\" REAL') WHERE type = 'table'; PRAGMA writable_schema = OFF"));
    store::Backups backups(folder);
    backups.make(db.database(), store::BackupReason::Daily, QDate(2014, 5, 16));
    QFile unreadable(QDir(backups.folder()).filePath(QStringLiteral("作业查找数据库-2014-05-17-每日.mdb")));
    QVERIFY(unreadable.open(QIODevice::WriteOnly) && unreadable.write(QByteArray(4096, 'x')) == 4096);
}

void TestStore::unusableFileIsRefusedAndLeftUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("told");
    QTest::addColumn<bool>("namesCopy");
    QTest::newRow("not a database") << "garbage" << "不是本软件的数据库" << true;
    QTest::newRow("another key") << "key" << "别的密码" << true;
    QTest::newRow("locked by a writer") << "locked" << "正被另一个程序使用" << false;
    QTest::newRow("empty file") << "empty" << "没有任何数据表" << true;
    QTest::newRow("a stranger's table under our key") << "stranger" << "缺少表“作业内容登记表”" << true;
    QTest::newRow("columns in another order") << "order" << "表“班级”的列" << true;
    QTest::newRow("cut short") << "cut" << "已损坏" << true;
    QTest::newRow("16 damaged bytes") << "flip" << "已损坏" << true;
    QTest::newRow("damaged without a sound copy") << "flip alone" << "没有可以恢复的完好备份" << false;
    QTest::newRow("disk full at creation") << "full" << "磁盘已满" << false;
}

void TestStore::unusableFileIsRefusedAndLeftUntouched()
{
    QFETCH(QString, kind);
    QFETCH(QString, told);
    QFETCH(bool, namesCopy);
    QTemporaryDir dir;
    const QString path = store::HomeworkDb::filePath(dir.path());
    std::optional<Mount> disk;
    if (kind == QLatin1String("full") && !disk.emplace(dir.path(), 32).mounted())
        QSKIP(Mount::refused);
    if (!disk && kind != QLatin1String("flip alone"))
        keepCopies(dir.path());
    if (kind == QLatin1String("garbage")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    } else if (kind == QLatin1String("empty")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else if (kind == QLatin1String("key") || kind == QLatin1String("stranger")) {
        store::Database other = store::Database::createNew(path, kind == QLatin1String("key") ? QStringLiteral("另一个密码") : store::databaseKey());
        other.exec(QStringLiteral("CREATE TABLE t (x)"));
    } else if (kind != QLatin1String("full")) {
        {
            store::HomeworkDb created(dir.path());
            addTerm(created.database());
            if (kind == QLatin1String("order"))
                created.database().exec(QStringLiteral("DROP TABLE \"班级\"; CREATE TABLE \"班级\" (\"班级2\" TEXT, \"班级1\" TEXT)"));
        }
        if (kind != QLatin1String("order") && kind != QLatin1String("locked"))
            damage(path, kind.section(QLatin1Char(' '), 0, 0));
    }
    const QByteArray bytes = contentOf(path);
    const QStringList files = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    std::optional<store::Database> holder;
    if (kind == QLatin1String("locked")) {
        holder.emplace(store::Database::openExisting(path, store::databaseKey()));
        holder->exec(QStringLiteral("BEGIN EXCLUSIVE"));
    }

    try {
        store::HomeworkDb db(dir.path());
        QFAIL("the file was opened");
    } catch (const store::DatabaseOpenError &error) {
        const QString message = error.message();
        QVERIFY2(message.startsWith(QStringLiteral("无法")) && message.contains(told) && message.contains(QDir::toNativeSeparators(path)),
                 qPrintable(message));
        QCOMPARE(message.contains(QStringLiteral("作业查找数据库-2014-05-16-每日.mdb")), namesCopy);
    }
    holder.reset();
    QCOMPARE(contentOf(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), files);
    if (disk) {
        // Once there is room, the next start creates the file as on any first start.
        QVERIFY(disk->grow(4096));
        store::HomeworkDb db(dir.path());
        QCOMPARE(value(db.database(), QStringLiteral("SELECT \"密码\" FROM \"管理密码\"")).toString(), QStringLiteral("730418"));
    }
}

void TestStore::nullBookNamesAreRepairedOnLoad()
{
    QTemporaryDir dir;
    store::HomeworkDb db(dir.path());
    db.database().exec(QStringLiteral("UPDATE \"作业本名称\" SET \"本子7\" = NULL, \"本子3\" = '《口算训练本》'"));
    core::MasterRecords state;
    db.取得作业本名称导入数组(state);
    QCOMPARE(state.BookNames[3], QStringLiteral("《口算训练本》"));
    QCOMPARE(state.BookNames[7], QString());
    QCOMPARE(value(db.database(), QStringLiteral("SELECT \"本子7\" IS NULL FROM \"作业本名称\"")).toInt(), 0);
}

void TestStore::rememberedListStopsAtTheFirstEmptyRow()
{
    QTemporaryDir dir;
    store::HomeworkDb db(dir.path());
    db.database().exec(QStringLiteral(
        "UPDATE \"最近显示作业\" SET \"日期\" = '14-5-' || rowid, \"班级号\" = '1', \"显示标题\" = 'c' || rowid WHERE rowid IN (1, 2, 4)"));
    core::RememberedList recent{};
    QCOMPARE(db.最近打开作业导入(recent), 2);
    QCOMPARE(recent[1][1], QStringLiteral("14-5-2"));
    QCOMPARE(recent[1][5], QStringLiteral("c2"));
    QVERIFY(recent[2][1].isEmpty());
}

void TestStore::rememberedListsRoundTrip()
{
    QTemporaryDir dir;
    core::RememberedList recent{}, latest{};
    for (int i = 0; i <= 10; ++i)
        recent[i] = {QString(), QStringLiteral("14-5-%1").arg(i + 1), QStringLiteral("1"), QString::number(i + 1),
                     QStringLiteral("14-5-%1 1%2").arg(i + 1).arg(i + 1), QStringLiteral("小明's 作业 %1").arg(i)};
    recent[11] = {QString(), QStringLiteral("not stored")};
    for (int i = 0; i <= 2; ++i)
        latest[i] = recent[i];
    {
        store::HomeworkDb db(dir.path());
        db.最近打开作业保存(recent);
        db.最新输入作业保存(latest);
    }
    store::HomeworkDb db(dir.path());
    core::RememberedList loadedRecent{}, loadedLatest{};
    QCOMPARE(db.最近打开作业导入(loadedRecent), 11);
    QCOMPARE(db.最新输入作业导入(loadedLatest), 3);
    for (int i = 0; i <= 10; ++i)
        QCOMPARE(loadedRecent[i], recent[i]);
    QCOMPARE(loadedLatest[2][5], QStringLiteral("小明's 作业 2"));
    QVERIFY(loadedRecent[11][1].isEmpty());
}

void TestStore::savingTheDayWritesBothRows()
{
    ProgramFolder folder(5);
    store::HomeworkDb db(folder.path());
    db.database().exec(QStringLiteral("INSERT INTO \"扫描输入作业完成情况\" (\"日期\") VALUES ('14-5-17')"));
    db.database().exec(QStringLiteral("INSERT INTO \"作业内容登记表\" (\"日期\") VALUES ('14-5-17')"));
    core::DayState state;
    state.CurrentDateKey = QStringLiteral("14-5-17");
    for (int n = 1; n <= 5; ++n)
        state.Classes[1].MarkGrid[4][n] = QStringLiteral("0");
    state.Classes[1].MarkGrid[4][3] = QStringLiteral("2");
    state.Classes[1].ExcellentClosed[4] = 1;
    state.Classes[1].HomeworkContent[4] = QStringLiteral("第3页");
    db.保存操作(state);

    store::Database reader = openFile(folder.path());
    QCOMPARE(value(reader, QStringLiteral("SELECT \"完成4\" FROM \"扫描输入作业完成情况\"")).toString(), QStringLiteral("010020032040050。"));
    QCOMPARE(value(reader, QStringLiteral("SELECT \"优秀结束4\" FROM \"扫描输入作业完成情况\"")).toInt(), 1);
    QCOMPARE(value(reader, QStringLiteral("SELECT \"完成5\" FROM \"扫描输入作业完成情况\"")).toString(), QStringLiteral("。"));
    QCOMPARE(value(reader, QStringLiteral("SELECT \"作业4\" FROM \"作业内容登记表\"")).toString(), QStringLiteral("第3页"));
    QCOMPARE(value(reader, QStringLiteral("SELECT \"作业5\" FROM \"作业内容登记表\"")).toString(), QString());
}

void TestStore::savingADayWithoutItsContentRowChangesNothing()
{
    ProgramFolder folder(3);
    store::HomeworkDb db(folder.path());
    db.database().exec(QStringLiteral("INSERT INTO \"扫描输入作业完成情况\" (\"日期\", \"完成1\") VALUES ('14-5-17', '010020030。')"));
    core::DayState state;
    state.CurrentDateKey = QStringLiteral("14-5-17");
    state.Classes[1].MarkGrid[1][1] = QStringLiteral("1");
    QVERIFY_THROWS_EXCEPTION(store::DatabaseError, db.保存操作(state));
    QCOMPARE(value(db.database(), QStringLiteral("SELECT \"完成1\" FROM \"扫描输入作业完成情况\"")).toString(),
             QStringLiteral("010020030。"));
}

void TestStore::subjectFlagsRoundTrip()
{
    QTemporaryDir dir;
    store::HomeworkDb db(dir.path());
    db.database().exec(QStringLiteral("UPDATE \"学科显示作业本标记\" SET \"全部\" = 1 WHERE rowid = 5"));
    core::MasterRecords state;
    db.取得学科作业显示标记(state);
    QCOMPARE(state.SubjectBookFlags[5][5], 1);
    state.SubjectBookFlags[2][3] = 1;
    state.SubjectBookFlags[5][5] = 0; // the fifth row is never written back
    db.保存学科作业显示标记(state);
    core::MasterRecords reloaded;
    db.取得学科作业显示标记(reloaded);
    QCOMPARE(reloaded.SubjectBookFlags[2][3], 1);
    QCOMPARE(reloaded.SubjectBookFlags[2][4], 0);
    QCOMPARE(reloaded.SubjectBookFlags[5][5], 1);
}

QTEST_GUILESS_MAIN(TestStore)
#include "TestStore.moc"
