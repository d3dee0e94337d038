#pragma once

#include <QColor>
#include <QString>

#include "ui/PlacedControls.h"

class QWidget;

namespace exams {

// The window layouts share the main window's placed controls.
using ui::indexedName;
using ui::placedBox;
using ui::placedButton;
using ui::placedFrame;
using ui::placedLabel;

// A background that a label or box keeps under the application's style.
void setBackground(QWidget *widget, const QColor &colour);
QColor background(const QWidget *widget);

} // namespace exams
