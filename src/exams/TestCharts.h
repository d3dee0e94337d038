#pragma once

#include "exams/ChartFigures.h"

#include <QWidget>

#include <functional>

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace exams {

// The shown test's bands as bars, and under them the subject's means as a line by test number.
class TestCharts : public QWidget {
public:
    TestCharts(QWidget *parent, std::function<void(Band)> bandClicked);

    // No bars, only the axes, when nobody has a score.
    void showBands(const TestStatistics &statistics);
    // The line over the tests of the range; shownTest is marked when it has a mean, 0 marks none.
    void showMeans(const QList<TestMean> &means, int shownTest, TestRange range);

    QChartView *bandChart = nullptr;
    QChartView *meanChart = nullptr;

protected:
    // A click anywhere in a band's column picks it, an empty band too, which has no bar to click.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBandChart();
    void buildMeanChart();

    std::function<void(Band)> bandClicked_;
    QList<BandBar> bars_;
    QBarSet *counts_ = nullptr;
    QBarCategoryAxis *bandAxis_ = nullptr;
    QValueAxis *countAxis_ = nullptr;
    QLineSeries *means_ = nullptr;
    QScatterSeries *shownMean_ = nullptr;
    QValueAxis *testAxis_ = nullptr;
};

} // namespace exams
