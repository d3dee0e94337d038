#include "labels/LabelLayout.h"

#include <algorithm>
#include <cmath>

namespace labels {

namespace {

// Labels are cut with some slack: nothing is printed this close to their edge.
constexpr double kPadding = 2.5;
constexpr double kGap = 0.6;
constexpr double kMinLine = 2.5;
constexpr double kMaxLine = 6;
constexpr double kLineShare = 0.17;
constexpr double kDigitsPerLine = 0.75;
// A quarter inch, the least bar height a hand-held reader copes with; taller only up to a point.
constexpr double kMinBars = 6.35;
constexpr double kMaxBars = 20;
// Modules of whole printer dots keep every bar its true width on a 300 or 600 dpi printer.
constexpr double kDot = 25.4 / 300;
constexpr int kMinDots = 3;
constexpr int kMaxDots = 6;

constexpr double kLinesPerLabel = 2 + kDigitsPerLine;
// Rounding must not refuse a label of exactly the least size.
constexpr double kSlack = 1e-9;

double lineHeight(double innerHeight) { return std::clamp(innerHeight * kLineShare, kMinLine, kMaxLine); }

int quietModules(int symbolModules) { return symbolModules + 2 * kQuietZoneModules; }

} // namespace

std::optional<LabelLayout> layoutLabel(QSizeF label, int symbolModules)
{
    const double innerWidth = label.width() - 2 * kPadding;
    const double innerHeight = label.height() - 2 * kPadding;
    const int dots = std::min(kMaxDots, int(std::floor(innerWidth / (quietModules(symbolModules) * kDot) + kSlack)));
    const double line = lineHeight(innerHeight);
    const double digits = line * kDigitsPerLine;
    const double bars = std::min(kMaxBars, innerHeight - 2 * line - digits - 3 * kGap);
    if (symbolModules < 1 || dots < kMinDots || bars < kMinBars - kSlack)
        return std::nullopt;

    LabelLayout layout;
    layout.moduleWidth = dots * kDot;
    // The block is centred on the label when the bars reach their greatest height.
    const double block = 2 * line + bars + digits + 3 * kGap;
    double y = (label.height() - block) / 2;
    layout.heading = QRectF(kPadding, y, innerWidth, line);
    y += line + kGap;
    layout.book = QRectF(kPadding, y, innerWidth, line);
    y += line + kGap;
    const double symbolWidth = quietModules(symbolModules) * layout.moduleWidth;
    layout.symbol = QRectF((label.width() - symbolWidth) / 2, y, symbolWidth, bars);
    y += bars + kGap;
    layout.digits = QRectF(kPadding, y, innerWidth, digits);
    return layout;
}

QSizeF minimumLabelSize(int symbolModules)
{
    // The text lines grow with the label, so the least height is where the bars reach their least.
    const double rest = kMinBars + 3 * kGap;
    const double innerHeight = std::max(rest + kLinesPerLabel * kMinLine, rest / (1 - kLinesPerLabel * kLineShare));
    return {2 * kPadding + quietModules(symbolModules) * kMinDots * kDot, 2 * kPadding + innerHeight};
}

QString labelTooSmallMessage(QSizeF label, int symbolModules)
{
    const QSizeF least = minimumLabelSize(symbolModules);
    return QStringLiteral("标签太小（%1×%2毫米），条形码无法清晰印出：条宽至少0.25毫米、两侧各留10个条宽的空白，"
                          "标签至少要%3×%4毫米。请选择更大的标签！")
        .arg(label.width(), 0, 'f', 1)
        .arg(label.height(), 0, 'f', 1)
        .arg(std::ceil(least.width() * 10) / 10, 0, 'f', 1)
        .arg(std::ceil(least.height() * 10) / 10, 0, 'f', 1);
}

} // namespace labels
