#include "exams/ExamLayout.h"

#include <QLineEdit>

namespace exams {

namespace {

QPalette::ColorRole roleOf(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) ? QPalette::Base : QPalette::Window;
}

} // namespace

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(roleOf(widget), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget *widget) { return widget->palette().color(roleOf(widget)); }

} // namespace exams
