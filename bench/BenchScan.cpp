// One scan with its sound, from Enter in the code box until the day is committed and the list
// shows it, against one bare transaction rewriting the same two rows, on a file of two classes of
// 15 and of 150 days: as a reader sends them, one every 150 to 300 ms, and in a burst.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Database.h"
#include "store/MarkString.h"
#include "store/TextValue.h"
#include "store/Schema.h"
#include "sound/ScanSounds.h"
#include "tracking/DayRecords.h"
#include "ui/MessagePresenter.h"

#include <QApplication>
#include <QAudioDevice>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMediaDevices>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::kPupils;
constexpr int kBurst = 300;
constexpr int kPaced = 100;

struct Timing {
    double burst = 0;
    double paced = 0;
    double scanP99WithPaint = 0;
    double bare = 0;
    double barePaced = 0;
};

Timing measure(int days)
{
    QTemporaryDir dir;
    // Nothing registered on the stored days: only today's homework is scanned, in both classes.
    bench::fillDatabase(dir.path(), days, [](int, int) { return QString(); }, [](int, int, int) { return true; }, 2);
    store::Clock clock;
    Form1 window(dir.path(), clock);
    // The program's own sounds, which the benchmark has not beside it: the newest player plays.
    sound::ScanSoundPlayer sounds(QStringLiteral(PROGRAM_FOLDER "/sounds"), true, nullptr);
    sounds.open();
    const QString key = window.context().day().state().CurrentDateKey;
    window.context().day().publish(5, key, QStringLiteral("第12页"), QString(), {1, 2});
    window.Timer1_Timer();
    window.Timer1_Timer(); // the excellent phase is over: every scan is a plain one
    QLineEdit *box = window.controls().Text1;
    QListWidget *list = window.controls().List1;

    // A teacher of two classes: the books of both come in mixed, each scan showing its class.
    std::vector<double> burst, paced, painted, bare;
    QElapsedTimer timer;
    const auto scan = [&](int i, std::vector<double> &times) {
        box->setText(QLatin1Char('1') + QString::number(1 + i % 2) + QStringLiteral("05") + store::twoDigits(1 + i / 2 % kPupils));
        timer.start();
        QTest::keyClick(box, Qt::Key_Return);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (list->count() > kPupils || !box->text().isEmpty())
            qFatal("scan not recorded: %s", qPrintable(window.controls().Label1->text()));
        window.repaint();
        painted.push_back(timer.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < kBurst; ++i)
        scan(i, burst);
    QRandomGenerator pace(days);
    for (int i = 0; i < kPaced; ++i) {
        QTest::qWait(150 + int(pace.bounded(151)));
        scan(i, paced);
    }

    // The floor: the same two rows rewritten in one transaction on a connection of its own.
    store::Database floor = store::Database::openExisting(store::HomeworkDb::filePath(dir.path()), store::databaseKey());
    QStringList markSets, contentSets;
    for (int s = 1; s <= store::kBooks; ++s) {
        markSets << QStringLiteral("%1 = ?, %2 = 1").arg(store::quoted(store::markColumn(s)), store::quoted(store::flagColumn(s)));
        contentSets << store::quoted(store::contentColumn(s)) + QStringLiteral(" = '第12页'");
    }
    store::Statement marksUpdate = floor.prepare(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET %1 WHERE \"日期\" = ?").arg(markSets.join(QStringLiteral(", "))));
    store::Statement contentsUpdate = floor.prepare(QStringLiteral("UPDATE \"作业内容登记表\" SET %1 WHERE \"日期\" = ?").arg(contentSets.join(QStringLiteral(", "))));
    const QString marks = store::newDayMarks(kPupils);
    const auto bareOnce = [&](std::vector<double> &times) {
        timer.start();
        floor.exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (int s = 1; s <= store::kBooks; ++s)
            marksUpdate.bind(s, marks);
        marksUpdate.bind(store::kBooks + 1, key).run();
        marksUpdate.reset();
        contentsUpdate.bind(1, key).run();
        contentsUpdate.reset();
        floor.exec(QStringLiteral("COMMIT"));
        times.push_back(timer.nsecsElapsed() / 1e6);
    };
    for (int i = 0; i < kBurst; ++i)
        bareOnce(bare);
    // The same transaction at the reader's pace: a machine idle between scans answers the first
    // request after a pause more slowly, whatever the request.
    std::vector<double> barePaced;
    for (int i = 0; i < kPaced; ++i) {
        QTest::qWait(150 + int(pace.bounded(151)));
        bareOnce(barePaced);
    }
    window.close();
    return {bench::median(burst), bench::median(paced), bench::percentile99(painted), bench::median(bare),
            bench::median(barePaced)};
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ui::MessagePresenter::setTestMode(true);
    const Timing small = measure(15);
    const Timing large = measure(150);
    std::printf("%-28s %12s %12s\n", "", "15 days", "150 days");
    std::printf("%-34s %9.3f ms %9.3f ms\n", "scan at a reader's pace, median", small.paced, large.paced);
    std::printf("%-34s %9.3f ms %9.3f ms\n", "scan in a burst, median", small.burst, large.burst);
    std::printf("%-34s %9.3f ms %9.3f ms\n", "scan with repaint, p99", small.scanP99WithPaint, large.scanP99WithPaint);
    std::printf("%-34s %9.3f ms %9.3f ms\n", "bare transaction, median", small.bare, large.bare);
    std::printf("%-34s %9.3f ms %9.3f ms\n", "bare transaction at the pace", small.barePaced, large.barePaced);
    const QAudioDevice speakers = QMediaDevices::defaultAudioOutput();
    std::printf("sounds played on: %s\n", speakers.isNull() ? "no audio device, silent" : qPrintable(speakers.description()));
    std::printf("repaint p99 within one frame (16 ms): %s\n", large.scanP99WithPaint < 16 ? "yes" : "no");
    std::printf("burst / bare transaction, median ratio (150 days): %.2f (limit 3)\n", large.burst / large.bare);
    std::printf("scan / bare transaction, median ratio (150 days, both at a reader's pace): %.2f (limit 2)\n",
                large.paced / large.barePaced);
    return 0;
}
