#include "ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace ui {

namespace {

double scale = 1.0;

double pixelsPerTwip(const QWidget *widget) { return widget->logicalDpiX() / 1440.0 * scale; }

} // namespace

int twips(const QWidget *widget, int value) { return qRound(value * pixelsPerTwip(widget)); }

QRect scaledEdges(const QRect &rect, double factor)
{
    // Edges are rounded rather than sizes, so that controls laid edge to edge never overlap.
    const int left = qRound(rect.left() * factor);
    const int top = qRound(rect.top() * factor);
    return QRect(left, top, qRound((rect.left() + rect.width()) * factor) - left,
                 qRound((rect.top() + rect.height()) * factor) - top);
}

QRect twipsRect(const QWidget *widget, int left, int top, int width, int height)
{
    return scaledEdges(QRect(left, top, width, height), pixelsPerTwip(widget));
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(widget, left, top, width, height));
}

void setLayoutScale(double value) { scale = value; }

double layoutScale() { return scale; }

int fontPixels(double designPoints)
{
    const double pixels = designPoints * QGuiApplication::primaryScreen()->logicalDotsPerInchY() / 72.0 * scale;
    return std::max(1, int(std::floor(pixels + 1e-6)));
}

} // namespace ui
