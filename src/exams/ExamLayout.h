#pragma once

#include <QColor>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace exams {

// Controls placed in twips, named as the handlers name them.
QLabel *placedLabel(QWidget *parent, const QString &name, const QString &text, int left, int top, int width, int height);
QPushButton *placedButton(QWidget *parent, const QString &name, const QString &text, int left, int top, int width,
                          int height);
QGroupBox *placedFrame(QWidget *parent, const QString &name, const QString &title, int left, int top, int width,
                       int height);
QLineEdit *placedBox(QWidget *parent, const QString &name, const QString &accessible, int left, int top, int width,
                     int height);

// "Text1_3": the object name of entry 3 of a control array.
QString indexedName(const char *array, int index);

// A background that a label or box keeps under the application's style.
void setBackground(QWidget *widget, const QColor &colour);
QColor background(const QWidget *widget);

} // namespace exams
