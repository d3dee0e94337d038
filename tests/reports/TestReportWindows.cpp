#include "ReportTestSupport.h"
#include "WindowSupport.h"

#include "reports/ReportWindows.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>

using testing::RunningWindow;
using testing::clickRow;
using testing::listTexts;
using ui::MessagePresenter;

namespace {

// Every file under the folder with a digest of its bytes, the database left aside.
QMap<QString, QByteArray> filesUnder(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QLatin1String(".xls")) || path.endsWith(QLatin1String(".doc"))) {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            files.insert(path, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
        }
    }
    return files;
}

} // namespace

class TestReportWindows : public QObject {
    Q_OBJECT

private slots:
    void installEnablesTheTriggersOnce();
    void byNameList();
    void byNameListWithNobodyUnfinished();
    void byNameListShowsEveryItem();
    void queriesCloseTheByNameView_data();
    void queriesCloseTheByNameView();
    void failuresNameWhatIsMissing_data();
    void failuresNameWhatIsMissing();
    void lowerLimitMustBeGiven();
    void failedGatheringLeavesTheTodayWorkbooks();
};

void TestReportWindows::installEnablesTheTriggersOnce()
{
    RunningWindow w(3);
    installReports(w.parts());
    installReports(w.parts());
    QCOMPARE(w.window->findChildren<QObject *>(QStringLiteral("ReportWindows"), Qt::FindDirectChildrenOnly).size(), 1);
    for (QPushButton *button : {w.ui().Command4[4], w.ui().Command4[5], w.ui().Command18})
        QVERIFY2(button->isEnabled(), qPrintable(button->objectName()));
    QVERIFY(w.ui().wwqkdc->isEnabled());
    QVERIFY(w.ui().dtwfqkdc->isEnabled());
}

void TestReportWindows::byNameList()
{
    RunningWindow w(3);
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{1, QStringLiteral("第1页")}, {2, QStringLiteral("第2页")}},
                    {{1, QStringLiteral("010")}, {2, QStringLiteral("101")}});
    auto flags = w.master().SubjectBookFlags;
    flags[2] = {};
    flags[2][2] = 1;
    w.context().master().saveSubjectBookFlags(flags, core::kBooks);
    w.publish(3, QStringLiteral("今天"));
    w.setMark(3, 1, QStringLiteral("1"));
    installReports(w.parts());

    w.ui().Command4[4]->click();
    QVERIFY(w.ui().List6->isVisible());
    QVERIFY(w.ui().Command14->isVisible());
    for (QPushButton *filter : w.ui().Command15)
        QVERIFY(filter->isVisible());
    QCOMPARE(listTexts(w.ui().List6), (QStringList{"01.学生1(1)", "02.学生2(2)", "03.学生3(2)"}));
    QVERIFY(w.ui().Text1->hasFocus());
    QVERIFY(MessagePresenter::takeShown().isEmpty());

    clickRow(w.ui().List6, 2);
    QCOMPARE(listTexts(w.ui().List7), (QStringList{"《本子1》第1页", "《本子3》今天"}));

    w.ui().Command15[1]->click(); // 数学: book 2 only
    QCOMPARE(listTexts(w.ui().List6), QStringList{"02.学生2(1)"});
    QVERIFY(listTexts(w.ui().List7).isEmpty());
    clickRow(w.ui().List6, 0);
    QCOMPARE(listTexts(w.ui().List7), QStringList{"《本子2》第2页"});
    // The today export gathers anew while the list stays open: its rows keep their own pupils.
    w.ui().dtwfqkdc->trigger();
    MessagePresenter::takeShown();
    QVERIFY(w.ui().List6->isVisible());
    clickRow(w.ui().List6, 0);
    QCOMPARE(listTexts(w.ui().List7), QStringList{"《本子2》第2页"});

    w.ui().Command14->click();
    QVERIFY(!w.ui().List6->isVisible());
    QVERIFY(!w.ui().List7->isVisible());
    QVERIFY(!w.ui().Command15[0]->isVisible());
}

void TestReportWindows::queriesCloseTheByNameView_data()
{
    QTest::addColumn<int>("query");
    QTest::newRow("today's homework") << 0;
    QTest::newRow("by day") << 2;
    QTest::newRow("by book") << 3;
}

void TestReportWindows::queriesCloseTheByNameView()
{
    QFETCH(int, query);
    RunningWindow w(3);
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{1, QStringLiteral("第1页")}}, {{1, QStringLiteral("010")}});
    installReports(w.parts());
    w.ui().Command4[4]->click();
    QVERIFY(w.ui().List6->isVisible());
    w.ui().Command4[query]->click();
    MessagePresenter::takeShown();
    for (QWidget *byName : {static_cast<QWidget *>(w.ui().List6), static_cast<QWidget *>(w.ui().List7),
                            static_cast<QWidget *>(w.ui().Command14), static_cast<QWidget *>(w.ui().Command15[0])})
        QVERIFY2(!byName->isVisible(), qPrintable(byName->objectName()));
    if (query == 2)
        QVERIFY(w.ui().List2->isVisible());
    if (query == 3)
        QVERIFY(w.ui().Frame10->isVisible());
}

void TestReportWindows::byNameListWithNobodyUnfinished()
{
    RunningWindow w(3);
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{1, QStringLiteral("第1页")}}, {{1, QStringLiteral("121")}});
    installReports(w.parts());
    w.ui().Command4[4]->click();
    QVERIFY(!w.ui().List6->isVisible());
    QVERIFY(!w.ui().List7->isVisible());
    QVERIFY(!w.ui().Command14->isVisible());
    QVERIFY(w.ui().Command15[4]->isVisible());
    QCOMPARE(w.ui().List6->count(), 0);
}

void TestReportWindows::byNameListShowsEveryItem()
{
    RunningWindow w(2);
    for (int day = 15; day <= 16; ++day) {
        QMap<int, QString> contents, states;
        for (int s = 1; s <= (day == 15 ? 25 : 32); ++s) {
            contents[s] = QStringLiteral("%1日%2").arg(day).arg(s);
            states[s] = QStringLiteral("01");
        }
        testing::addDay(w.db(), QStringLiteral("14-5-%1").arg(day), contents, states);
    }
    installReports(w.parts());
    w.ui().Command4[4]->click();
    QCOMPARE(listTexts(w.ui().List6), QStringList{"01.学生1(57)"});
    clickRow(w.ui().List6, 0);
    const QStringList items = listTexts(w.ui().List7);
    QCOMPARE(items.size(), 57);
    QCOMPARE(items.first(), QStringLiteral("《本子1》15日1"));
    QCOMPARE(items.last(), QStringLiteral("16日32"));
}

void TestReportWindows::failuresNameWhatIsMissing_data()
{
    QTest::addColumn<QString>("removed");
    QTest::addColumn<QString>("office");
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("message");

    QTest::newRow("workbook") << "校迅通导出文件/未完成作业学生名单.xls" << "" << "export"
                              << "找不到文件：%1/校迅通导出文件/未完成作业学生名单.xls";
    QTest::newRow("today workbook") << "校迅通导出文件/当天/当天全部完成学生名单.xls" << "" << "today"
                                    << "找不到文件：%1/校迅通导出文件/当天/当天全部完成学生名单.xls";
    QTest::newRow("template") << "文本模板/未完成作业汇总(超过30次)导出模板.doc" << "" << "summary"
                              << "找不到文件：%1/文本模板/未完成作业汇总(超过30次)导出模板.doc";
    QTest::newRow("output folder") << "文本生成/未完作业汇总" << "" << "summary"
                                   << "文件夹不存在：%1/文本生成/未完作业汇总";
    QTest::newRow("office for the export") << "" << "/nonexistent/soffice" << "export"
                                           << "导出失败。未找到 LibreOffice，";
    QTest::newRow("office for the documents") << "" << "/nonexistent/soffice" << "summary"
                                              << "汇总文档未能生成。未找到 LibreOffice，";
    // Tests run beside no office module: the program folder of a copy that lost it.
    QTest::newRow("office module") << "" << "/bin/true" << "today" << "导出失败。找不到本软件的 LibreOffice 办公组件";
    QTest::newRow("workbook in use") << "lock:校迅通导出文件/未完成作业学生名单.xls" << "" << "export"
                                     << "文件“%1/校迅通导出文件/未完成作业学生名单.xls”正被其他程序使用";
    QTest::newRow("summary in use") << "lock:文本生成/未完作业汇总/未完成作业汇总(超过30次).doc" << "" << "summary"
                                    << "文件“%1/文本生成/未完作业汇总/未完成作业汇总(超过30次).doc”正被其他程序使用";
}

void TestReportWindows::failuresNameWhatIsMissing()
{
    QFETCH(QString, removed);
    QFETCH(QString, office);
    QFETCH(QString, trigger);
    QFETCH(QString, message);

    RunningWindow w(3);
    const QString folder = w.folder.path();
    QVERIFY(testing::copyProgramFiles(folder));
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{1, QStringLiteral("第1页")}}, {{1, QStringLiteral("010")}});
    if (removed.startsWith(QLatin1String("lock:"))) {
        // What LibreOffice leaves beside a file it has open.
        const QFileInfo locked(QDir(folder).filePath(removed.mid(5)));
        QFile lock(locked.dir().filePath(QStringLiteral(".~lock.%1#").arg(locked.fileName())));
        QVERIFY(lock.open(QIODevice::WriteOnly));
    } else if (!removed.isEmpty()) {
        const QString path = QDir(folder).filePath(removed);
        QVERIFY(QFileInfo(path).isDir() ? QDir(path).removeRecursively() : QFile::remove(path));
    }
    const QMap<QString, QByteArray> before = filesUnder(folder);
    installReports(w.parts(), office.isEmpty() ? QStringLiteral("/nonexistent/unused") : office);
    MessagePresenter::takeShown();
    w.ui().Label11->setText(QStringLiteral("导出已完成!"));

    if (trigger == QLatin1String("export")) {
        w.ui().Command4[5]->click();
        QVERIFY(w.ui().Frame14->isVisible());
        w.ui().Command13->click();
        QVERIFY(!w.ui().Frame14->isVisible());
    } else if (trigger == QLatin1String("today")) {
        w.ui().dtwfqkdc->trigger();
    } else {
        w.ui().wwqkdc->trigger();
        QTest::keyClicks(w.ui().Text6, QStringLiteral("1"));
        w.ui().Command18->click();
        QVERIFY(!w.ui().Frame17->isVisible());
        QVERIFY(!w.ui().Frame13->isVisible());
    }
    const QStringList shown = MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].startsWith(QString(message).replace(QStringLiteral("%1"), folder)), qPrintable(shown[0]));
    QCOMPARE(filesUnder(folder), before);
    if (trigger != QLatin1String("summary"))
        QVERIFY2(!w.ui().Label11->text().startsWith(QStringLiteral("导出已完成")), qPrintable(w.ui().Label11->text()));
    for (QPushButton *button : {w.ui().Command4[4], w.ui().Command4[5], w.ui().Command18})
        QVERIFY(button->isEnabled());
    QVERIFY(w.ui().dtwfqkdc->isEnabled());
}

void TestReportWindows::lowerLimitMustBeGiven()
{
    RunningWindow w(3);
    installReports(w.parts());
    w.ui().Text6->setText(QStringLiteral("7"));
    w.ui().wwqkdc->trigger();
    QVERIFY(w.ui().Frame13->isVisible());
    QVERIFY(w.ui().Text6->text().isEmpty());
    w.ui().Command18->click();
    QCOMPARE(MessagePresenter::takeShown(), QStringList{"未完成作业情况打印的下限次数未确定！"});
    QVERIFY(w.ui().Frame13->isVisible());
    QVERIFY(!w.ui().Frame17->isVisible());
    w.ui().Command19->click();
    QVERIFY(!w.ui().Frame13->isVisible());
}


void TestReportWindows::failedGatheringLeavesTheTodayWorkbooks()
{
    RunningWindow w(3);
    const QString folder = w.folder.path();
    QVERIFY(testing::copyProgramFiles(folder));
    // The shown day is an earlier one, so the save before the export succeeds; reading today's
    // row then fails half-way.
    testing::addDay(w.db(), QStringLiteral("14-5-16"), {{1, QStringLiteral("第1页")}}, {{1, QStringLiteral("010")}});
    w.context().day().switchToDay(QStringLiteral("14-5-16"));
    w.db().exec(QStringLiteral("UPDATE \"作业内容登记表\" SET \"作业2\" = NULL WHERE \"日期\" = '14-5-17'"));
    w.db().exec(QStringLiteral("CREATE TRIGGER broken BEFORE UPDATE ON \"作业内容登记表\" WHEN old.\"日期\" = '14-5-17' "
                               "BEGIN SELECT RAISE(ABORT, '磁盘故障'); END"));
    const QMap<QString, QByteArray> before = filesUnder(folder);
    installReports(w.parts(), QStringLiteral("/nonexistent/unused"));
    MessagePresenter::takeShown();

    w.ui().dtwfqkdc->trigger();
    const QStringList shown = MessagePresenter::takeShown();
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].contains(QStringLiteral("磁盘故障")), qPrintable(shown[0]));
    QCOMPARE(filesUnder(folder), before);
}

QTEST_MAIN(TestReportWindows)
#include "TestReportWindows.moc"
