#include "exams/ExamLayout.h"

#include "ui/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace exams {

namespace {

template <typename Widget>
Widget *placed(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(name);
    ui::placeTwips(widget, left, top, width, height);
    return widget;
}

QPalette::ColorRole roleOf(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) ? QPalette::Base : QPalette::Window;
}

} // namespace

QLabel *placedLabel(QWidget *parent, const QString &name, const QString &text, int left, int top, int width, int height)
{
    auto *label = placed<QLabel>(parent, name, left, top, width, height);
    label->setText(text);
    return label;
}

QPushButton *placedButton(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
                          int height)
{
    auto *button = placed<QPushButton>(parent, name, left, top, width, height);
    button->setText(text);
    return button;
}

QGroupBox *placedFrame(QWidget *parent, const QString &name, const QString &title, int left, int top, int width,
                       int height)
{
    auto *frame = placed<QGroupBox>(parent, name, left, top, width, height);
    frame->setTitle(title);
    return frame;
}

QLineEdit *placedBox(QWidget *parent, const QString &name, const QString &accessible, int left, int top, int width,
                     int height)
{
    auto *box = placed<QLineEdit>(parent, name, left, top, width, height);
    box->setAccessibleName(accessible);
    return box;
}

QString indexedName(const char *array, int index) { return QLatin1String(array) + QLatin1Char('_') + QString::number(index); }

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(roleOf(widget), colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QColor background(const QWidget *widget) { return widget->palette().color(roleOf(widget)); }

} // namespace exams
