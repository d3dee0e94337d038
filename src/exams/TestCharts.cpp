#include "exams/TestCharts.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontInfo>
#include <QLineSeries>
#include <QMouseEvent>
#include <QScatterSeries>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace exams {

namespace {

const QColor kBarColour(0x2f, 0x6d, 0xb5);
const QColor kShownColour(0xFF, 0x80, 0xFF);
// Room beyond 0 and 100 for the whole of a mean's marker.
constexpr double kMarkerRoom = 8;
// The axis gives each caption a fifth of its width; a whole class's "40人 100.0%" is set smaller to fit.
constexpr double kCountLineScale = 0.85;

QChartView *chartView(QWidget *parent, const QString &name, const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    QFont bold = parent->font();
    bold.setBold(true);
    chart->setTitleFont(bold);
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setBackgroundRoundness(0);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto *view = new QChartView(chart, parent);
    view->setObjectName(name);
    view->setRenderHint(QPainter::Antialiasing);
    // The shown mean's label lies outside its series' bounds, where partial updates leave it behind.
    view->setViewportUpdateMode(QGraphicsView::FullViewportUpdate);
    return view;
}

void attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *horizontal, QAbstractAxis *vertical)
{
    chart->addSeries(series);
    series->attachAxis(horizontal);
    series->attachAxis(vertical);
}

QValueAxis *wholeNumberAxis(QChart *chart, Qt::Alignment side, const QFont &font)
{
    auto *axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(font);
    axis->setTickType(QValueAxis::TicksDynamic);
    chart->addAxis(axis, side);
    return axis;
}

} // namespace

TestCharts::TestCharts(QWidget *parent, std::function<void(Band)> bandClicked)
    : QWidget(parent), bandClicked_(std::move(bandClicked))
{
    setObjectName(QStringLiteral("testCharts"));
    buildBandChart();
    buildMeanChart();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bandChart);
    layout->addWidget(meanChart);
    showBands({});
    showMeans({}, 0, {});
}

void TestCharts::buildBandChart()
{
    bandChart = chartView(this, QStringLiteral("bandChart"), QStringLiteral("成绩等级分布"));
    QChart *chart = bandChart->chart();
    counts_ = new QBarSet(QStringLiteral("人数"));
    counts_->setColor(kBarColour);
    auto *series = new QBarSeries;
    series->append(counts_);
    bandAxis_ = new QBarCategoryAxis;
    bandAxis_->setLabelsFont(font());
    chart->addAxis(bandAxis_, Qt::AlignBottom);
    countAxis_ = wholeNumberAxis(chart, Qt::AlignLeft, font());
    attach(chart, series, bandAxis_, countAxis_);
    bandChart->viewport()->installEventFilter(this);
}

bool TestCharts::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != bandChart->viewport() || event->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(watched, event);
    const auto *press = static_cast<QMouseEvent *>(event);
    QChart *chart = bandChart->chart();
    const QPointF at = chart->mapFromScene(bandChart->mapToScene(press->position().toPoint()));
    const QRectF plot = chart->plotArea();
    // The column runs from the top of the plot down through the band's caption.
    if (press->button() == Qt::LeftButton && at.x() >= plot.left() && at.x() <= plot.right() && at.y() >= plot.top()) {
        const int index = qRound(chart->mapToValue(at, chart->series().at(0)).x());
        if (index >= 0 && index < bars_.size())
            bandClicked_(bars_[index].band);
    }
    return QWidget::eventFilter(watched, event);
}

void TestCharts::buildMeanChart()
{
    meanChart = chartView(this, QStringLiteral("meanChart"), QStringLiteral("历次检测平均分"));
    QChart *chart = meanChart->chart();
    means_ = new QLineSeries;
    means_->setColor(kBarColour);
    means_->setPointsVisible(true);
    shownMean_ = new QScatterSeries;
    shownMean_->setColor(kShownColour);
    shownMean_->setBorderColor(Qt::black);
    shownMean_->setMarkerSize(11);
    shownMean_->setPointLabelsVisible(true);
    shownMean_->setPointLabelsFormat(QStringLiteral("@yPoint"));
    shownMean_->setPointLabelsFont(font());
    shownMean_->setPointLabelsClipping(false);
    testAxis_ = wholeNumberAxis(chart, Qt::AlignBottom, font());
    QValueAxis *meanAxis = wholeNumberAxis(chart, Qt::AlignLeft, font());
    meanAxis->setRange(-kMarkerRoom, 100 + kMarkerRoom);
    // Five ticks leave each label room for its height down to the smallest screen.
    meanAxis->setTickAnchor(0);
    meanAxis->setTickInterval(25);
    attach(chart, means_, testAxis_, meanAxis);
    attach(chart, shownMean_, testAxis_, meanAxis);
}

void TestCharts::showBands(const TestStatistics &statistics)
{
    bars_ = bandBars(statistics);
    counts_->remove(0, counts_->count());
    QStringList names{QStringLiteral("优秀"), QStringLiteral("良好"), QStringLiteral("一般"), QStringLiteral("不合格")};
    const int countLineSize = qRound(QFontInfo(bandAxis_->labelsFont()).pixelSize() * kCountLineScale);
    double highest = 0;
    for (int i = 0; i < bars_.size(); ++i) {
        counts_->append(bars_[i].count);
        // Under its bar rather than on it, where a bar of none would have no place for a label.
        names[i] = QStringLiteral("<div align=\"center\">%1<br><span style=\"font-size:%2px\">%3人 %4</span></div>")
                       .arg(bars_[i].name)
                       .arg(countLineSize)
                       .arg(QString::number(bars_[i].count), bars_[i].rate);
        highest = std::max(highest, bars_[i].count);
    }
    bandAxis_->setCategories(names);
    // Three ticks in whole pupils: more would not leave each label its height.
    const int top = std::max(2, int(std::ceil(highest / 2)) * 2);
    countAxis_->setRange(0, top);
    countAxis_->setTickAnchor(0);
    countAxis_->setTickInterval(top / 2);
}

void TestCharts::showMeans(const QList<TestMean> &means, int shownTest, TestRange range)
{
    QList<QPointF> line;
    QList<QPointF> shown;
    for (const TestMean &mean : means) {
        line << QPointF(mean.test, mean.mean);
        if (mean.test == shownTest)
            shown << line.last();
    }
    means_->replace(line);
    shownMean_->replace(shown);
    testAxis_->setRange(range.first - 0.5, range.last + 0.5);
    testAxis_->setTickAnchor(range.first);
    testAxis_->setTickInterval(range.last - range.first < 10 ? 1 : 2);
}

} // namespace exams
