// A term's labels, 50 pupils by 32 books, written as PDF, and the preview redrawn after a choice,
// each against its limit: 5 s for the PDF, 100 ms for the redraw.
#include "BenchSupport.h"
#include "app/Form1.h"
#include "state/AppContext.h"
#include "state/MasterData.h"
#include "state/WorkingDay.h"
#include "store/DateKey.h"
#include "store/HomeworkDb.h"
#include "labels/LabelWindow.h"
#include "ui/MessagePresenter.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double kPdfLimitMs = 5000;
constexpr double kRedrawLimitMs = 100;
constexpr int kPdfRuns = 3;
constexpr int kRedrawRuns = 60;

double elapsedMs(const QElapsedTimer &timer) { return timer.nsecsElapsed() / 1e6; }

} // namespace

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ui::MessagePresenter::setTestMode(true);
    QTemporaryDir dir;
    bench::fillDatabase(dir.path(), 1, [](int, int) { return QString(); }, [](int, int, int) { return false; });
    store::Clock clock;
    Form1 form(dir.path(), clock);
    form.context().master().saveClassNames(QStringLiteral("五(1)"), QString());
    form.context().master().load();
    form.findChild<QAction *>(QStringLiteral("labelPrinting"))->trigger();
    auto *window = dynamic_cast<labels::LabelWindow *>(form.findChild<QWidget *>(QStringLiteral("labelWindow")));
    if (!window || window->request().books.size() != 32 || window->request().lastPupil != bench::kPupils)
        qFatal("the label window does not hold the whole term");
    QApplication::processEvents();

    std::vector<double> pdf;
    QElapsedTimer timer;
    for (int i = 0; i < kPdfRuns; ++i) {
        ui::MessagePresenter::takeShown();
        timer.start();
        window->saveAsPdf();
        pdf.push_back(elapsedMs(timer));
        const QStringList shown = ui::MessagePresenter::takeShown();
        if (shown.isEmpty() || !shown.last().contains(QStringLiteral("1600张标签，67页")))
            qFatal("the PDF was not written: %s", qPrintable(shown.join(QLatin1Char('\n'))));
    }

    // A choice redraws at once: the new first page is planned, encoded and painted on screen.
    QWidget *preview = window->findChild<QWidget *>(QStringLiteral("preview"));
    QRadioButton *order[] = {window->findChild<QRadioButton *>(QStringLiteral("byPupil")),
                             window->findChild<QRadioButton *>(QStringLiteral("byBook"))};
    std::vector<double> redraw;
    for (int i = 0; i < kRedrawRuns; ++i) {
        timer.start();
        order[i % 2]->setChecked(true);
        preview->repaint();
        redraw.push_back(elapsedMs(timer));
    }
    form.close();

    const double pdfMedian = bench::median(pdf);
    const double redrawMedian = bench::median(redraw);
    const double redrawWorst = *std::max_element(redraw.begin(), redraw.end());
    std::printf("PDF of 1600 labels on 67 pages, median %9.1f ms (limit %.0f ms)\n", pdfMedian, kPdfLimitMs);
    std::printf("preview redraw, median / worst   %9.1f / %.1f ms (limit %.0f ms)\n", redrawMedian, redrawWorst, kRedrawLimitMs);
    std::printf("time / limit, the larger of PDF median and worst redraw: %.2f\n",
                std::max(pdfMedian / kPdfLimitMs, redrawWorst / kRedrawLimitMs));
    return 0;
}
