// A scan that was shown survives a kill; no typed input can end the program.
#include "WindowSupport.h"

#include "store/MarkString.h"
#include "store/TextValue.h"
#include "tracking/DayRecords.h"

#include <QFrame>
#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>

#include <csignal>
#include <cstdio>

using namespace testing;

namespace {

constexpr int kPupils = 40;
constexpr int kScans = 200;
// The scanner's day, the same in parent and child whatever the real clock does meanwhile.
const QDate kDay(2014, 5, 17);

// A run's random draws repeat under HOMEWORK_TEST_SEED; the seed is told when a case fails.
class SeededRandom {
public:
    SeededRandom() : seed_(qEnvironmentVariableIsSet("HOMEWORK_TEST_SEED")
                               ? quint32(qEnvironmentVariableIntValue("HOMEWORK_TEST_SEED"))
                               : QRandomGenerator::global()->generate()),
                     generator_(seed_)
    {
    }
    ~SeededRandom()
    {
        if (QTest::currentTestFailed())
            qWarning("random draws of this case: HOMEWORK_TEST_SEED=%u", seed_);
    }
    QRandomGenerator &operator*() { return generator_; }
    QRandomGenerator *operator->() { return &generator_; }

private:
    quint32 seed_;
    QRandomGenerator generator_;
};

QString codeFor(int scan) { return QStringLiteral("11%1%2").arg(store::twoDigits(1 + scan / kPupils), store::twoDigits(1 + scan % kPupils)); }

// The child: the real window scanning 200 codes, telling the parent after each redraw.
int runScanner(const QString &folder)
{
    FixedClock clock(kDay);
    Form1 window(folder, clock);
    for (int scan = 0; scan < kScans; ++scan) {
        const QString code = codeFor(scan);
        QTest::keyClicks(window.controls().Text1, code);
        QTest::keyClick(window.controls().Text1, Qt::Key_Return);
        std::printf("shown %s\n", qPrintable(code));
        std::fflush(stdout);
    }
    std::printf("done\n");
    std::fflush(stdout);
    return 0;
}

} // namespace

class TestScanRobustness : public QObject {
    Q_OBJECT

private slots:
    void killedScannerLosesNothingItShowed();
    void randomInputOnlyGivesKnownOutcomes();
};

void TestScanRobustness::killedScannerLosesNothingItShowed()
{
    SeededRandom random;
    for (int round = 0; round < 3; ++round) {
        ProgramFolder folder(kPupils);
        {
            OpenRun day(folder.path(), kDay);
            for (int slot = 1; slot <= 5; ++slot)
                setContent(day.db(), day.state().CurrentDateKey, slot, QStringLiteral("作业%1").arg(slot));
        }
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(environment);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--scanner"), folder.path()});
        QVERIFY(child.waitForStarted());
        // Kill somewhere between the first scans and the last.
        const int killAfter = 5 + int(random->bounded(kScans - 10));
        QStringList shown;
        QByteArray pending;
        while (shown.size() < killAfter && child.state() == QProcess::Running) {
            child.waitForReadyRead(2000);
            pending += child.readAllStandardOutput();
            while (pending.contains('\n')) {
                const qsizetype end = pending.indexOf('\n');
                const QString line = QString::fromUtf8(pending.left(end));
                pending.remove(0, end + 1);
                if (line.startsWith(QStringLiteral("shown ")))
                    shown << line.mid(6);
            }
        }
        ::kill(pid_t(child.processId()), SIGKILL);
        child.waitForFinished();
        pending += child.readAllStandardOutput();
        for (const QByteArray &line : pending.split('\n'))
            if (line.startsWith("shown "))
                shown << QString::fromUtf8(line.mid(6));
        QVERIFY2(shown.size() >= killAfter, qPrintable(QString::fromUtf8(child.readAllStandardError())));

        store::Database db = openFile(folder.path());
        QCOMPARE(value(db, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
        const QString key = store::dateKey(kDay);
        for (const QString &code : shown) {
            const int slot = code.mid(2, 2).toInt();
            const int pupil = code.mid(4, 2).toInt();
            const QString marks =
                value(db, QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\" WHERE \"日期\" = ?").arg(slot), {key}).toString();
            QVERIFY2(marks.mid((pupil - 1) * 3 + 2, 1) != QLatin1String("0"), qPrintable(code + QStringLiteral(" was shown but not stored")));
        }
    }
}

void TestScanRobustness::randomInputOnlyGivesKnownOutcomes()
{
    RunningWindow run(kPupils, kDay);
    for (int slot : {1, 3, 5, 12})
        run.publish(slot, QStringLiteral("作业%1").arg(slot));
    const QStringList panelMessages{"输入编号长度有误！", "输入编号班级有误！", "输入作业本编号有误！", "输入学生的学号有误！",
                                    "请选择相应的作业才可输入！", "请先选择相应的作业，再只输入学号！"};
    const QString alphabet = QStringLiteral("0123456789011111a Z.-+。十二\t\x01\x7f\u00e9\U0001F600");
    SeededRandom random;
    for (int i = 0; i < 3000; ++i) {
        QString typed;
        const int length = int(random->bounded(9));
        for (int c = 0; c < length; ++c)
            typed += alphabet.mid(int(random->bounded(alphabet.size())), 1);
        run.ui().Text1->setText(typed);
        QTest::keyClick(run.ui().Text1, Qt::Key_Return);
        const QStringList boxes = ui::MessagePresenter::takeShown();
        if (run.ui().Frame2->isVisible()) {
            QVERIFY2(panelMessages.contains(run.ui().Label1->text()), qPrintable(typed));
            QVERIFY(boxes.isEmpty());
            QTest::keyClick(run.ui().Command2, Qt::Key_Space);
        } else {
            QVERIFY2(boxes.isEmpty(), qPrintable(typed));
        }
        QCOMPARE(run.ui().Text1->text(), QString());
        if (i % 500 == 0)
            run.window->Timer1_Timer();
    }
    // Memory and file agree on every book.
    for (int slot = 1; slot <= 32; ++slot) {
        store::MarkRow row;
        std::copy_n(run.day().Classes[1].MarkGrid[slot].begin(), row.size(), row.begin());
        QCOMPARE(value(run.db(), QStringLiteral("SELECT \"完成%1\" FROM \"扫描输入作业完成情况\"").arg(slot)).toString(),
                 store::encodeMarks(row));
    }
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--scanner") == 0)
        return runScanner(QString::fromLocal8Bit(argv[2]));
    TestScanRobustness test;
    return QTest::qExec(&test, argc, argv);
}
#include "TestScanRobustness.moc"
