#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Positions are laid out in twips (1/1440 inch), converted at the screen's logical DPI and shrunk
// by the layout scale, so that the windows fit a screen smaller than the one they were drawn for.
int twips(const QWidget *widget, int value);
QRect twipsRect(const QWidget *widget, int left, int top, int width, int height);
// A rectangle scaled by its edges, as twipsRect places controls.
QRect scaledEdges(const QRect &rect, double factor);
void placeTwips(QWidget *widget, int left, int top, int width, int height);

// Decided before the first window is built (see fitLayoutTo) and lowered when a window's real frame
// leaves less room than foreseen (see fitFrameInside); fonts shrink by it too.
void setLayoutScale(double scale);
double layoutScale();
// Font sizes follow the scale in whole pixels, rounded down, so that no caption outgrows the
// control that was drawn to hold it.
int fontPixels(double designPoints);

} // namespace ui
