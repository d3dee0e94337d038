#include "ui/Twips.h"

#include <QWidget>

namespace ui {

int twips(const QWidget *widget, int value) { return qRound(value * widget->logicalDpiX() / 1440.0); }

QRect twipsRect(const QWidget *widget, int left, int top, int width, int height)
{
    return QRect(twips(widget, left), twips(widget, top), twips(widget, width), twips(widget, height));
}

void placeTwips(QWidget *widget, int left, int top, int width, int height)
{
    widget->setGeometry(twipsRect(widget, left, top, width, height));
}

} // namespace ui
