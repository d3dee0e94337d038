#pragma once

#include "ui/Twips.h"

#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {

template <typename Widget>
Widget *placed(QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    auto *widget = new Widget(parent);
    widget->setObjectName(name);
    placeTwips(widget, left, top, width, height);
    return widget;
}

// Controls placed in twips and named as the handlers name them; boxes and lists carry the
// accessible name of their label.
QLabel *placedLabel(QWidget *parent, const QString &name, const QString &text, int left, int top, int width, int height);
QPushButton *placedButton(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
                          int height);
QGroupBox *placedFrame(QWidget *parent, const QString &name, const QString &title, int left, int top, int width,
                       int height);
QLineEdit *placedBox(QWidget *parent, const QString &name, const QString &accessible, int left, int top, int width,
                     int height);
QListWidget *placedList(QWidget *parent, const QString &name, const QString &accessible, int left, int top, int width,
                        int height);

// "Text1_3": the object name of entry 3 of a control array.
QString indexedName(const char *array, int index);

} // namespace ui
