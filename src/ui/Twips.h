#pragma once

#include <QRect>

class QWidget;

namespace ui {

// Positions are laid out in twips (1/1440 inch) and converted at the screen's logical DPI.
int twips(const QWidget *widget, int value);
QRect twipsRect(const QWidget *widget, int left, int top, int width, int height);
void placeTwips(QWidget *widget, int left, int top, int width, int height);

} // namespace ui
