#include "ui/PlacedControls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace ui {

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

QListWidget *placedList(QWidget *parent, const QString &name, const QString &accessible, int left, int top, int width,
                        int height)
{
    auto *list = placed<QListWidget>(parent, name, left, top, width, height);
    list->setAccessibleName(accessible);
    return list;
}

QString indexedName(const char *array, int index)
{
    return QLatin1String(array) + QLatin1Char('_') + QString::number(index);
}

} // namespace ui
