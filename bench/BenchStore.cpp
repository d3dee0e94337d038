// Saving the day against a bare transaction writing the same texts, and start-up against an
// empty main window, on a file holding 150 school days.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "store/Backups.h"
#include "store/Database.h"
#include "store/MarkString.h"
#include "store/Schema.h"
#include "tracking/DayRecords.h"
#include "ui/MessagePresenter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::kPupils;
constexpr int kDays = 150;

template <typename Work>
double medianMs(int runs, Work work)
{
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < runs; ++i) {
        timer.start();
        work(i);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return bench::median(times);
}

} // namespace

// Tells the measuring process the moment the window is on the screen; work the program goes on
// with afterwards, such as the day's copy, is not start-up.
int showOnce(QMainWindow &window)
{
    window.show();
    QApplication::processEvents();
    std::printf("shown\n");
    std::fflush(stdout);
    return window.isVisible() ? 0 : 1;
}

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ui::MessagePresenter::setTestMode(true);
    if (argc == 3 && qstrcmp(argv[1], "--start") == 0) {
        store::Clock clock;
        Form1 window(QString::fromLocal8Bit(argv[2]), clock);
        return showOnce(window);
    }
    if (argc == 2 && qstrcmp(argv[1], "--empty") == 0) {
        QMainWindow window;
        return showOnce(window);
    }
    QTemporaryDir dir;
    bench::fillDatabase(dir.path(), kDays, [](int, int slot) { return QStringLiteral("第%1页").arg(slot); },
                        [](int, int, int) { return false; });
    store::Clock clock;
    // Start-up as the teacher sees it: a fresh process until the window is shown, against a fresh
    // process showing an empty main window. The three kinds take turns, so that whatever else the
    // machine does meanwhile weighs on each alike.
    auto launch = [&](const QStringList &arguments) {
        QElapsedTimer timer;
        QProcess process;
        timer.start();
        process.start(QCoreApplication::applicationFilePath(), arguments);
        while (!process.readAllStandardOutput().contains("shown"))
            if (!process.waitForReadyRead(30000))
                qFatal("start-up run failed");
        const double elapsed = timer.nsecsElapsed() / 1e6;
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            qFatal("start-up run failed");
        return elapsed;
    };
    const QString backupFolder = store::Backups(dir.path()).folder();
    std::vector<double> firstStarts, laterStarts, emptyWindows;
    for (int run = 0; run < 11; ++run) {
        // The first start of a day finds no copy of the day and makes one.
        QDir(backupFolder).removeRecursively();
        firstStarts.push_back(launch({QStringLiteral("--start"), dir.path()}));
        laterStarts.push_back(launch({QStringLiteral("--start"), dir.path()}));
        emptyWindows.push_back(launch({QStringLiteral("--empty")}));
    }
    const double firstStart = bench::median(firstStarts);
    const double laterStart = bench::median(laterStarts);
    const double emptyWindow = bench::median(emptyWindows);

    Form1 window(dir.path(), clock);
    core::DayState state = window.context().day().state();
    for (int s = 1; s <= store::kBooks; ++s) {
        state.Classes[1].HomeworkContent[s] = QStringLiteral("第%1页练习").arg(s);
        for (int n = 1; n <= kPupils; ++n)
            state.Classes[1].MarkGrid[s][n] = (n + s) % 3 == 0 ? QStringLiteral("0") : QStringLiteral("1");
    }
    const double save = medianMs(400, [&](int) { window.context().db().保存操作(state); });

    // The floor: the very texts the save writes, in one bare transaction.
    QStringList markSets, contentSets;
    for (int s = 1; s <= store::kBooks; ++s) {
        markSets << QStringLiteral("%1 = ?, %2 = ?").arg(store::quoted(store::markColumn(s)), store::quoted(store::flagColumn(s)));
        contentSets << store::quoted(store::contentColumn(s)) + QStringLiteral(" = ?");
    }
    store::Database floor = store::Database::openExisting(store::HomeworkDb::filePath(dir.path()), store::databaseKey());
    store::Statement marks = floor.prepare(QStringLiteral("UPDATE \"扫描输入作业完成情况\" SET %1 WHERE \"日期\" = ?").arg(markSets.join(QStringLiteral(", "))));
    store::Statement contents = floor.prepare(QStringLiteral("UPDATE \"作业内容登记表\" SET %1 WHERE \"日期\" = ?").arg(contentSets.join(QStringLiteral(", "))));
    std::vector<QString> markTexts(store::kBooks + 1);
    for (int s = 1; s <= store::kBooks; ++s) {
        store::MarkRow row;
        std::copy_n(state.Classes[1].MarkGrid[s].begin(), row.size(), row.begin());
        markTexts[s] = store::encodeMarks(row);
    }
    const double bare = medianMs(400, [&](int) {
        floor.exec(QStringLiteral("BEGIN IMMEDIATE"));
        for (int s = 1; s <= store::kBooks; ++s)
            marks.bind(2 * s - 1, markTexts[s]).bind(2 * s, state.Classes[1].ExcellentClosed[s]);
        marks.bind(2 * store::kBooks + 1, state.CurrentDateKey).run();
        marks.reset();
        for (int s = 1; s <= store::kBooks; ++s)
            contents.bind(s, state.Classes[1].HomeworkContent[s]);
        contents.bind(store::kBooks + 1, state.CurrentDateKey).run();
        contents.reset();
        floor.exec(QStringLiteral("COMMIT"));
    });
    int copies = 0;
    const double backup = medianMs(9, [&](int) {
        store::Backups(dir.path()).make(window.context().db().database(), store::BackupReason::BeforeClearing, QDate(2014, 1, ++copies));
    });
    window.close();

    std::printf("backup of the term, median         %8.2f ms (limit 200 ms)\n", backup);
    std::printf("first start of a day, median       %8.2f ms (%d days, the day's copy due)\n", firstStart, kDays);
    std::printf("later start, median                %8.2f ms\n", laterStart);
    std::printf("empty main window, median          %8.2f ms\n", emptyWindow);
    std::printf("first start / empty window ratio:  %8.2f\n", firstStart / emptyWindow);
    std::printf("later start / empty window ratio:  %8.2f\n", laterStart / emptyWindow);
    std::printf("save of the day, median            %8.3f ms\n", save);
    std::printf("bare transaction, same texts       %8.3f ms\n", bare);
    std::printf("save / bare transaction, median ratio: %.2f\n", save / bare);
    return 0;
}
