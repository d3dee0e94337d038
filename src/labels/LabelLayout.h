#pragma once

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>

namespace labels {

// A cheap keyboard-wedge reader needs bars no thinner than this, with this much white either side.
inline constexpr double kMinModuleWidth = 0.25;
inline constexpr int kQuietZoneModules = 10;

// Where the parts of one label go, in millimetres from the label's top left corner.
struct LabelLayout {
    QRectF heading; // class, pupil number and name
    QRectF book;
    QRectF symbol; // the bars with their quiet zones
    QRectF digits;
    double moduleWidth = 0;
};

// The layout of a label holding a barcode `symbolModules` modules wide, or nothing when the label
// is too small to print it readably.
std::optional<LabelLayout> layoutLabel(QSizeF label, int symbolModules);

// The smallest label that layoutLabel accepts for such a barcode.
QSizeF minimumLabelSize(int symbolModules);

// What the teacher is told when the chosen label is smaller than that.
QString labelTooSmallMessage(QSizeF label, int symbolModules);

} // namespace labels
